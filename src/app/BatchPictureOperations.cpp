// The pictures of a project's dialogs and menus, written for translators working outside the
// window: the renderer draws, this writes the files and the index that finds each text in them.
#include "app/BatchPictures.h"

#include <cctype>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <unordered_map>

#include "app/BatchSupport.h"
#include "app/PictureIndex.h"
#include "database/TranslationColumnNames.h"
#include "exchange/PlatformExchange.h"
#include "project/CQuillDoc.h"
#include "resources/PictureTexts.h"
#include "resources/PrintfText.h"
#include "resources/Texts.h"

namespace qmk {
namespace {

namespace fs = std::filesystem;

bool isSourceWord(const std::string& text)
{
    if (text.size() != std::strlen(txt::ShotsSourceWord))
        return false;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(text[i])) != txt::ShotsSourceWord[i])
            return false;
    return true;
}

// The languages named, "source" for the source texts; Failed or UsageError as reported.
BatchStatus namedLanguages(ProjectOperation& op, const std::vector<std::string>& names, const std::string& database,
                           std::vector<std::optional<LanguageId>>& languages, std::vector<std::string>& labels)
{
    for (const std::string& name : names) {
        if (isSourceWord(name)) {
            languages.emplace_back();
            labels.emplace_back(txt::ShotsSourceWord);
            continue;
        }
        const std::optional<LanguageId> id = op.language(name);
        if (!id)
            return BatchStatus::UsageError;
        if (!op.hasLanguage(*id, name, database))
            return BatchStatus::Failed;
        languages.emplace_back(id);
        labels.push_back(translationColumnName(id->language, id->sublanguage));
    }
    return BatchStatus::Success;
}

// The folder exists (made when missing) and takes files; the reason otherwise.
std::string folderProblem(const fs::path& folder)
{
    std::error_code error;
    fs::create_directories(folder, error);
    if (!fs::is_directory(folder, error))
        return error ? error.message() : "not a folder";
    const fs::path probe = folder / ".shots-probe";
    {
        std::ofstream out(probe, std::ios::binary | std::ios::trunc);
        if (!out)
            return std::strerror(errno);
    }
    fs::remove(probe, error);
    return {};
}

bool writeFile(const fs::path& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return static_cast<bool>(out);
}

// The texts of a dialog (caption and controls) or a menu (popups and items).
std::vector<int> resourceTexts(CQuillDoc& doc, PreviewKind kind, int resourceLine)
{
    std::vector<int> lines;
    auto add = [&lines](const std::vector<TextRow>& rows) {
        for (const TextRow& row : rows)
            lines.push_back(row.lineIndex);
    };
    if (kind == PreviewKind::Dialog) {
        add(doc.database().items().dialogCaptionTexts(resourceLine));
        add(doc.database().items().dialogControlTexts(resourceLine));
    } else {
        add(doc.database().items().menuTexts(resourceLine));
    }
    return lines;
}

class PictureRun {
public:
    PictureRun(CQuillDoc& doc, PictureRenderer& renderer, std::vector<std::optional<LanguageId>> languages,
               fs::path folder)
        : doc_(doc), renderer_(renderer), languages_(std::move(languages)), folder_(std::move(folder))
    {
        // The ids the exchange files give the texts, so a platform's unit finds its picture.
        for (const ExchangeUnit& unit : exchangeDocument(doc, std::nullopt).units)
            ids_.emplace(unit.lineIndex, unit.id);
    }

    // Draws and writes one resource's picture; false (with `problem`) when it cannot be written.
    bool add(PreviewKind kind, const IdentRow& resource, std::string& problem)
    {
        const std::string kindName = kind == PreviewKind::Dialog ? "dialog" : "menu";
        const std::string file = pictureFileName(kindName, resource.nameId, taken_);
        const Picture picture = renderer_.render(doc_, {kind, resource.lineIndex, languages_});
        if (!writeFile(folder_ / file, picture.png)) {
            problem = (folder_ / file).string();
            return false;
        }
        index_.pictures[file] = {kindName, resource.nameId, picture.width, picture.height};
        const int rightPanel = static_cast<int>(languages_.size()) - 1;
        std::unordered_map<int, bool> shown;
        for (const PictureUnit& unit : picture.units) {
            const auto id = ids_.find(unit.lineIndex);
            if (id == ids_.end())
                continue;
            PicturePlace& place = index_.units[id->second];
            place.picture = file;
            if (unit.panel == rightPanel)
                place.rect = unit.rect;
            else
                place.leftRect = unit.rect;
            shown[unit.lineIndex] = true;
        }
        for (int line : resourceTexts(doc_, kind, resource.lineIndex))
            if (const auto id = ids_.find(line); id != ids_.end() && !shown.count(line))
                index_.undrawn.insert(id->second);
        return true;
    }

    PictureIndex& index() { return index_; }

private:
    CQuillDoc& doc_;
    PictureRenderer& renderer_;
    std::vector<std::optional<LanguageId>> languages_;
    fs::path folder_;
    std::unordered_map<int, std::string> ids_;
    std::set<std::string> taken_;
    PictureIndex index_;
};

BatchStatus writePictures(ProjectOperation& op, PictureRenderer& renderer, const std::vector<std::string>& p,
                          BatchReport& report)
{
    const std::vector<std::string> names(p.begin() + 1, p.end() - 1);
    std::vector<std::optional<LanguageId>> languages;
    std::vector<std::string> labels;
    if (const BatchStatus named = namedLanguages(op, names, p[0], languages, labels); named != BatchStatus::Success)
        return named == BatchStatus::Failed ? batchFailed(report) : named;
    const fs::path folder = p.back();
    if (const std::string problem = folderProblem(folder); !problem.empty()) {
        report.error(printfText(txt::BatchCannotWrite, {folder.string(), problem}));
        return batchFailed(report);
    }
    PictureRun run(op.doc(), renderer, languages, folder);
    run.index().languages = labels;
    std::string unwritten;
    for (const auto& [kind, list] : {std::pair{PreviewKind::Dialog, ResourceList::Dialogs},
                                     std::pair{PreviewKind::Menu, ResourceList::Menus}})
        for (const IdentRow& resource : op.doc().database().items().resources(list))
            if (!run.add(kind, resource, unwritten)) {
                report.error(printfText(txt::BatchCannotWrite, {unwritten, std::strerror(errno)}));
                return batchFailed(report);
            }
    const fs::path indexFile = folder / PictureIndexFileName;
    if (!writeFile(indexFile, pictureIndexJson(run.index()))) {
        report.error(printfText(txt::BatchCannotWrite, {indexFile.string(), std::strerror(errno)}));
        return batchFailed(report);
    }
    report.line(printfText(txt::BatchShotsDone, {std::to_string(run.index().pictures.size()),
                                                 std::to_string(run.index().units.size()), folder.string()}));
    if (!run.index().undrawn.empty())
        report.line(printfText(txt::BatchShotsUndrawn, {std::to_string(run.index().undrawn.size()),
                                                        indexFile.string()}));
    return BatchStatus::Success;
}

} // namespace

BatchStatus batchPictures(const std::vector<std::string>& p, BatchReport& report,
                          const std::vector<std::string>& includeExtensions, PictureRenderer& renderer)
{
    if (p.size() < 3 || p.size() > 4) {
        report.error(printfText(txt::BatchShotsUsage, {txt::UsageShots}));
        return BatchStatus::UsageError;
    }
    std::string languages = p[1];
    if (p.size() == 4)
        languages += ", " + p[2];
    report.line(printfText(txt::BatchShotsStart, {p[0], languages, p.back()}));
    return guardedBatchOperation(report, [&] {
        ProjectOperation op(report, includeExtensions);
        // The rows are what the exports make their unit ids of.
        if (!op.open(p[0], ProjectUse::Read) || !op.doc().reloadRows().done())
            return batchFailed(report);
        return writePictures(op, renderer, p, report);
    });
}

} // namespace qmk
