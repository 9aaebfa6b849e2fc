// The pictures of a project's dialogs and menus, written for translators working outside the
// window: the renderer draws, this writes the files and the index that finds each text in them.
#include "app/BatchPictures.h"

#include <cctype>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <unordered_map>

#include "app/BatchSupport.h"
#include "app/PictureIndex.h"
#include "database/TranslationColumnNames.h"
#include "exchange/PlatformExchange.h"
#include "project/CQuillDoc.h"
#include "resources/PictureTexts.h"
#include "resources/Feedback.h"
#include "resources/PrintfText.h"
#include "resources/ReplacementFile.h"
#include "resources/Texts.h"

namespace qmk {
namespace {

namespace fs = std::filesystem;

// Pictures are drawn again by the next run: no wait for the disk after each of thousands.
constexpr ReplacementOptions kPictureFileOptions{.tag = "tmp", .hidden = true, .sync = false};

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
    ReplacementFile probe(folder / PictureIndexFileName, kPictureFileOptions);
    if (!probe.create())
        return std::strerror(probe.errorNumber());
    return {};
}

// Whole or not at all, as every file this program replaces: a picture or an index cut short by
// a full disk never stands where a platform's upload script would take it.
bool writeFile(const fs::path& path, const std::string& bytes, std::string& problem)
{
    ReplacementFile file(path, kPictureFileOptions);
    if (file.create() && file.write(bytes) && file.commit())
        return true;
    problem = file.errorDetail();
    return false;
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
        if (!writeFile(folder_ / file, picture.png, problem))
            return false;
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

// "source" or the language's name, as shots.json and the review pictures name them.
std::vector<std::string> languageLabels(const std::vector<std::optional<LanguageId>>& languages)
{
    std::vector<std::string> labels;
    for (const std::optional<LanguageId>& language : languages)
        labels.push_back(language ? translationColumnName(language->language, language->sublanguage)
                                  : std::string(txt::ShotsSourceWord));
    return labels;
}

BatchStatus writePictures(ProjectOperation& op, PictureRenderer& renderer, const std::vector<std::string>& p,
                          BatchReport& report)
{
    const std::vector<std::string> names(p.begin() + 1, p.end() - 1);
    std::vector<std::optional<LanguageId>> languages;
    std::vector<std::string> labels;
    if (const BatchStatus named = namedLanguages(op, names, p[0], languages, labels); named != BatchStatus::Success)
        return named == BatchStatus::Failed ? batchFailed(report) : named;
    const fs::path folder = p.back();
    const PicturesWritten written = writeProjectPictures(op.doc(), renderer, languages, folder);
    if (!written.outcome.done()) {
        report.error(printfText(txt::BatchCannotWrite, {folder.string(), written.problem}));
        return batchFailed(report);
    }
    report.line(printfText(txt::BatchShotsDone, {std::to_string(written.pictures), std::to_string(written.units),
                                                 folder.string()}));
    if (written.undrawn > 0)
        report.line(printfText(txt::BatchShotsUndrawn, {std::to_string(written.undrawn),
                                                        (folder / PictureIndexFileName).string()}));
    return BatchStatus::Success;
}

} // namespace

PicturesWritten writeProjectPictures(CQuillDoc& doc, PictureRenderer& renderer,
                                     const std::vector<std::optional<LanguageId>>& languages, const fs::path& folder)
{
    PicturesWritten written;
    if (std::string problem = folderProblem(folder); !problem.empty()) {
        written.problem = std::move(problem);
        return written;
    }
    std::vector<std::pair<PreviewKind, IdentRow>> resources;
    for (const auto& [kind, list] : {std::pair{PreviewKind::Dialog, ResourceList::Dialogs},
                                     std::pair{PreviewKind::Menu, ResourceList::Menus}})
        for (IdentRow& resource : doc.database().items().resources(list))
            resources.emplace_back(kind, std::move(resource));
    PictureRun run(doc, renderer, languages, folder);
    run.index().languages = languageLabels(languages);
    FeedbackTask task(doc.feedback(), printfText(txt::TaskShots, {folder.string()}), static_cast<long>(resources.size()));
    for (std::size_t i = 0; i < resources.size(); ++i) {
        task.step(static_cast<long>(i));
        // Stopped between pictures; the pictures written stay, without an index that would
        // promise the others.
        if (task.cancelled()) {
            written.outcome = OperationResult::Cancelled;
            return written;
        }
        if (!run.add(resources[i].first, resources[i].second, written.problem))
            return written;
    }
    if (!writeFile(folder / PictureIndexFileName, pictureIndexJson(run.index()), written.problem))
        return written;
    task.step(static_cast<long>(resources.size()));
    written.outcome = OperationResult::Done;
    written.pictures = run.index().pictures.size();
    written.units = run.index().units.size();
    written.undrawn = run.index().undrawn.size();
    return written;
}

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
