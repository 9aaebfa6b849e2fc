// The kinds of import.
#include "exchange/ImportSource.h"

#include <algorithm>

#include "exchange/DatabaseImport.h"
#include "exchange/PlatformExchange.h"
#include "exchange/ScriptImport.h"
#include "parser/LanguageTable.h"
#include "parser/LanguageTags.h"
#include "project/ChangedTexts.h"
#include "project/CQuillDoc.h"
#include "resources/CountedText.h"
#include "resources/Feedback.h"
#include "resources/FileNames.h"
#include "resources/MessageIds.h"
#include "resources/Messages.h"
#include "resources/Texts.h"

namespace qmk {
namespace {

// Says what an XLIFF or PO import did: how many were stored, which texts changed, and every unit
// refused with why.
OperationResult reportUnitImport(CQuillDoc& doc, const std::filesystem::path& path, const ImportReport& run)
{
    if (!run.outcome.done()) {
        if (!run.problem.empty())
            doc.feedback().messageText(fillPlaceholders(txt::ImportPlatformUnreadable, {path.string(), run.problem}),
                                       Icon::Stop);
        return run.outcome;
    }
    if (!run.problem.empty()) {
        doc.feedback().messageText(fillPlaceholders(txt::ImportPlatformNothing, {path.string(), run.problem}),
                                   Icon::Information);
        return run.outcome;
    }
    std::string refused;
    for (const std::string& line : run.refused)
        refused += line + "\n";
    if (!refused.empty())
        refused = fillPlaceholders(txt::ImportPlatformRefused,
                                   {counted(static_cast<long long>(run.refused.size()), "unit", "units"), refused});
    if (run.unchangedOnPlatform > 0)
        refused = fillPlaceholders(txt::ImportUnchangedOnPlatform, {counted(run.unchangedOnPlatform, "translation", "translations")}) +
                  "\n" + refused;
    doc.feedback().messageText(
        withChangedTexts(fillPlaceholders(txt::ImportPlatformDone,
                                          {path.string(), counted(run.imported, "translation", "translations"),
                                           refused}),
                         run.changed),
        refused.empty() ? Icon::Information : Icon::Exclamation);
    return run.outcome;
}

} // namespace

const ExchangeFormat* projectImportFormat(const std::filesystem::path& path)
{
    const ExchangeFormat* format = exchangeFormatOf(path);
    return format && format->intoProject ? format : nullptr;
}

std::vector<std::string> importLanguageNames()
{
    std::vector<std::string> names;
    auto add = [&](int first, int last) {
        for (int id = first; id <= last; ++id)
            if (const std::string_view name = messageText(id); !name.empty())
                names.emplace_back(name);
    };
    add(msg::LanguageBulgarian, msg::LanguageGermanAustria);  // 801 to 840: Arabic (800) left out
    add(msg::LanguageChineseTaiwan, msg::LanguageEnglishIrish);
    for (const LanguageRow& row : languageRows())
        if (!isOriginalLanguageRow(row))
            names.emplace_back(displayText(row));
    std::sort(names.begin(), names.end());
    return names;
}

std::string allImportFilter()
{
    // The patterns between the parentheses of every kind's filters, each once.
    std::vector<std::string> patterns;
    for (const ExchangeFormat& format : exchangeFormats()) {
        if (!format.intoProject)
            continue;
        const std::string filter(format.filter);
        for (std::size_t open = filter.find('('); open != std::string::npos; open = filter.find('(', open + 1)) {
            const std::size_t close = filter.find(')', open);
            std::size_t at = open + 1;
            while (close != std::string::npos && at < close) {
                std::size_t end = std::min(filter.find(' ', at), close);
                const std::string pattern = filter.substr(at, end - at);
                if (!pattern.empty() && std::find(patterns.begin(), patterns.end(), pattern) == patterns.end())
                    patterns.push_back(pattern);
                at = end + 1;
            }
        }
    }
    std::string filter = std::string(txt::ImportAllSupportedFiles) + " (";
    for (std::size_t i = 0; i < patterns.size(); ++i)
        filter += (i ? " " : "") + patterns[i];
    return filter + ")";
}

std::optional<StatedLanguage> statedImportLanguage(const std::filesystem::path& path)
{
    const ExchangeFormat* format = projectImportFormat(path);
    if (!format || !format->read)
        return std::nullopt;
    std::string problem;
    const std::optional<ExchangeDocument> document = format->read(path, problem);
    if (!document || document->header.targetLanguage.empty())
        return std::nullopt;
    return StatedLanguage{document->header.targetLanguage, languageOfTag(document->header.targetLanguage)};
}

std::vector<std::string> importFilters(const std::string& rememberedExtension)
{
    const ExchangeFormat* remembered = projectImportFormat("x." + rememberedExtension);
    // A kind whose files another row's filter lists (a PO template) is remembered as that row.
    if (remembered && remembered->filter.empty())
        remembered = exchangeFormatOf("x.po");
    std::vector<std::string> filters{allImportFilter()};
    if (remembered)
        filters.emplace_back(remembered->filter);
    for (const ExchangeFormat& format : exchangeFormats())
        if (format.intoProject && !format.filter.empty() && &format != remembered)
            filters.emplace_back(format.filter);
    return filters;
}

OperationResult importFile(CQuillDoc& doc, LanguageId language, const std::filesystem::path& path, int* changedTexts,
                           std::vector<ImportDisagreement>* conflicts)
{
    const ExchangeFormat* format = projectImportFormat(path);
    if (!format) {
        doc.feedback().messageText(fillPlaceholders(txt::ImportUnsupportedType, {path.string(), toLowerAscii(path.extension().string()).substr(path.extension().empty() ? 0 : 1)}),
                                   Icon::Exclamation);
        return OperationResult::InputRefused;
    }
    const ImportReport run = format->import(ExchangeTarget(doc, {language}), path);
    if (changedTexts)
        *changedTexts = static_cast<int>(run.changed.size());
    if (conflicts)
        *conflicts = run.conflicts;
    return run.countsUnits ? reportUnitImport(doc, path, run) : run.outcome;
}

} // namespace qmk
