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

// One row per kind of file the program exchanges texts with: what the Open and Save dialogs
// show and the extensions that name it (a translated script is any ".rc*", see importKindOf).
struct FormatEntry {
    ImportKind kind;
    const char* filter;
    std::initializer_list<const char*> extensions;
};

const FormatEntry kFormats[] = {
    {ImportKind::Workbook, "Microsoft Excel File (*.xlsx)", {".xlsx"}},
    {ImportKind::ProjectDatabase, "Database File (*.mdb)", {".mdb"}},
    {ImportKind::TranslatedScript, "Resource Script File (*.rc);;QMK 2.x Translated RC File (*.rc*)", {}},
    {ImportKind::Xliff, "XLIFF File (*.xlf *.xliff)", {".xlf", ".xliff"}},
    {ImportKind::Po, "Gettext PO File (*.po *.pot)", {".po", ".pot"}},
};

// Says what an XLIFF or PO import did: how many were stored, which texts changed, and every unit
// refused with why.
OperationResult reportPlatformImport(CQuillDoc& doc, const std::filesystem::path& path, const PlatformImport& run,
                                     const std::vector<ChangedText>& changed)
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
    for (const std::string& line : refusedLines(run.result))
        refused += line + "\n";
    if (!refused.empty())
        refused = fillPlaceholders(txt::ImportPlatformRefused,
                                   {counted(static_cast<long long>(run.result.refused.size()), "unit", "units"), refused});
    if (run.result.unchangedOnPlatform > 0)
        refused = fillPlaceholders(txt::ImportUnchangedOnPlatform, {counted(run.result.unchangedOnPlatform, "translation", "translations")}) +
                  "\n" + refused;
    doc.feedback().messageText(
        withChangedTexts(fillPlaceholders(txt::ImportPlatformDone,
                                          {path.string(), counted(run.result.imported, "translation", "translations"),
                                           refused}),
                         changed),
        refused.empty() ? Icon::Information : Icon::Exclamation);
    return run.outcome;
}

} // namespace

ImportKind importKindOf(const std::filesystem::path& path)
{
    const std::string extension = toLowerAscii(path.extension().string());
    for (const FormatEntry& entry : kFormats)
        for (const char* known : entry.extensions)
            if (extension == known)
                return entry.kind;
    if (extension.rfind(".rc", 0) == 0)
        return ImportKind::TranslatedScript;
    return ImportKind::Unsupported;
}

std::string exchangeFilter(ImportKind kind)
{
    for (const FormatEntry& entry : kFormats)
        if (entry.kind == kind)
            return entry.filter;
    return {};
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
    for (const FormatEntry& entry : kFormats) {
        const std::string filter = entry.filter;
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
    const std::optional<ExchangeFormat> format = exchangeFormatOf(path);
    if (!format)
        return std::nullopt;
    std::string problem;
    const std::optional<ExchangeDocument> document = readExchangeFile(path, *format, problem);
    if (!document || document->header.targetLanguage.empty())
        return std::nullopt;
    return StatedLanguage{document->header.targetLanguage, languageOfTag(document->header.targetLanguage)};
}

std::vector<std::string> importFilters(const std::string& rememberedExtension)
{
    const ImportKind first = importKindOf("x." + rememberedExtension);
    std::vector<std::string> filters{allImportFilter()};
    for (const FormatEntry& entry : kFormats)
        if (entry.kind == first)
            filters.emplace_back(entry.filter);
    for (const FormatEntry& entry : kFormats)
        if (entry.kind != first)
            filters.emplace_back(entry.filter);
    return filters;
}

OperationResult importFile(CQuillDoc& doc, LanguageId language, const std::filesystem::path& path, int* changedTexts,
                           std::vector<ImportDisagreement>* conflicts)
{
    auto changes = [changedTexts](const auto& result) {
        if (changedTexts)
            *changedTexts = static_cast<int>(result.changed.size());
        return result.outcome;
    };
    switch (importKindOf(path)) {
    case ImportKind::ProjectDatabase:
        return changes(DatabaseImport::intoProject(doc, path, language));
    case ImportKind::TranslatedScript:
        return changes(ScriptImport(doc, doc.includeExtensions()).run(path, language));
    case ImportKind::Xliff:
    case ImportKind::Po: {
        ChangedTextsWatch watch(doc);
        const PlatformImport run = importPlatformFile(doc, language, path);
        const std::vector<ChangedText> changed = run.outcome.done() ? watch.finish() : std::vector<ChangedText>{};
        if (changedTexts)
            *changedTexts = static_cast<int>(changed.size());
        if (conflicts)
            *conflicts = run.result.conflicts;
        return reportPlatformImport(doc, path, run, changed);
    }
    case ImportKind::Workbook:
    case ImportKind::Unsupported:
        break;
    }
    doc.feedback().messageText(fillPlaceholders(txt::ImportUnsupportedType, {path.string(), toLowerAscii(path.extension().string()).substr(path.extension().empty() ? 0 : 1)}),
                               Icon::Exclamation);
    return OperationResult::InputRefused;
}

} // namespace qmk
