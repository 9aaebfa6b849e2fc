// The translation memory's batch operations: a project's translations added, TMX files read
// and written, a translation pre-translated. The memory is the one the settings name.
#include "app/BatchOperations.h"
#include "app/BatchSupport.h"

#include <cctype>

#include "app/LanguageParameter.h"
#include "app/Settings.h"
#include "exchange/PlatformExchange.h"
#include "memory/TmxFile.h"
#include "memory/TranslationMemory.h"
#include "parser/LanguageTags.h"
#include "project/MemoryFeed.h"
#include "project/PreTranslate.h"
#include "resources/CountedText.h"
#include "resources/PrintfText.h"
#include "resources/Texts.h"

namespace qmk {
namespace {

std::unique_ptr<TranslationMemory> openMemory(BatchReport& report, MemoryUse use = MemoryUse::Lookups)
{
    try {
        return openTranslationMemory(Settings().memorySettings().location, use);
    } catch (const MemoryError& error) {
        report.error(printfText(txt::BatchMemoryOpen, {error.what()}));
        return nullptr;
    }
}

std::optional<int> minimumScoreParameter(const std::vector<std::string>& p, std::size_t index)
{
    if (p.size() <= index)
        return 100;
    std::string text = p[index];
    if (!text.empty() && text.back() == '%')
        text.pop_back();
    if (text.empty() || text.size() > 3 || !std::all_of(text.begin(), text.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)); }))
        return std::nullopt;
    const int score = std::stoi(text);
    return score >= 1 && score <= 100 ? std::optional<int>(score) : std::nullopt;
}

} // namespace

BatchStatus batchAddToMemory(const std::vector<std::string>& p, BatchReport& report,
                             const std::vector<std::string>& ext)
{
    std::unique_ptr<TranslationMemory> memory = openMemory(report);
    if (!memory)
        return BatchStatus::Failed;
    report.line(printfText(txt::BatchMemoryAddStart, {p[0], memory->location()}));
    return guardedBatchOperation(report, [&] {
        ProjectOperation op(report, ext);
        if (!op.open(p[0], ProjectUse::Read))
            return batchFailed(report);
        std::optional<LanguageId> language;
        if (p.size() > 1) {
            language = op.language(p[1]);
            if (!language)
                return BatchStatus::UsageError;
            if (!op.hasLanguage(*language, p[1], p[0]))
                return BatchStatus::Failed;
        }
        if (!op.doc().reloadRows().done())
            return batchFailed(report);
        const MemoryFeedResult result = addProjectToMemory(op.doc(), *memory, language);
        if (!result.ok) {
            report.error(printfText(txt::BatchMemoryOpen, {result.problem}));
            return BatchStatus::Failed;
        }
        report.line(result.unchanged ? std::string(txt::BatchMemoryUnchanged)
                                     : printfText(txt::BatchMemoryAdded, {counted(result.added, "translation", "translations")}));
        return BatchStatus::Success;
    });
}

BatchStatus batchImportTmx(const std::vector<std::string>& p, BatchReport& report)
{
    std::unique_ptr<TranslationMemory> memory = openMemory(report);
    if (!memory)
        return BatchStatus::Failed;
    report.line(printfText(txt::BatchTmxImportStart, {p[0], memory->location()}));
    const TmxImportResult result = importTmx(*memory, p[0]);
    if (!result.ok) {
        report.error(printfText(txt::BatchMemoryOpen, {result.problem}));
        return BatchStatus::Failed;
    }
    report.line(printfText(txt::BatchTmxImported, {counted(result.units, "translation", "translations"),
                                                    counted(result.skipped, "unit", "units")}));
    for (const TmxRefusedUnit& unit : result.refused)
        report.line(printfText(txt::BatchPlatformRefused, {unit.unit + ": " + unit.reason}));
    return result.refused.empty() ? BatchStatus::Success : BatchStatus::UnitsRefused;
}

BatchStatus batchExportTmx(const std::vector<std::string>& p, BatchReport& report)
{
    std::optional<std::string> language;
    if (p.size() > 1) {
        language = languageTagParameter(p[1]);
        if (!language) {
            report.error(printfText(txt::BatchNotALanguageTag, {p[1]}));
            return BatchStatus::UsageError;
        }
    }
    std::unique_ptr<TranslationMemory> memory = openMemory(report, MemoryUse::Adding);  // a walk: no need to map the file
    if (!memory)
        return BatchStatus::Failed;
    report.line(printfText(txt::BatchTmxExportStart, {p[0], memory->location()}));
    // A language the memory does not hold would give an empty file in place of the one named.
    std::vector<std::string> languages;
    if (language) {
        std::vector<std::string> held;
        try {
            held = memoryTargetLanguages(*memory);
        } catch (const MemoryError& error) {
            report.error(printfText(txt::BatchMemoryOpen, {error.what()}));
            return BatchStatus::Failed;
        }
        for (const std::string& tag : held)
            if (languageTagsMatch(tag, *language))
                languages.push_back(tag);
        if (languages.empty()) {
            std::string list;
            for (const std::string& tag : held)
                list += (list.empty() ? "" : ", ") + tag;
            report.error(printfText(txt::BatchTmxNoSuchLanguage, {p[1], list.empty() ? std::string("none") : list}));
            return BatchStatus::UsageError;
        }
    }
    const TmxExportResult result = exportTmx(*memory, p[0], languages);
    if (!result.ok) {
        report.error(printfText(txt::BatchCannotWrite, {p[0], result.problem}));
        return BatchStatus::Failed;
    }
    report.line(printfText(txt::BatchTmxExported, {counted(result.units, "unit", "units"), std::to_string(result.skipped)}));
    return BatchStatus::Success;
}

BatchStatus batchPreTranslate(const std::vector<std::string>& p, BatchReport& report,
                              const std::vector<std::string>& ext)
{
    const std::optional<int> minimum = minimumScoreParameter(p, 2);
    if (!minimum) {
        report.error(printfText(txt::BatchMinimumScore, {p[2]}));
        return BatchStatus::UsageError;
    }
    std::unique_ptr<TranslationMemory> memory = openMemory(report);
    if (!memory)
        return BatchStatus::Failed;
    report.line(printfText(txt::BatchPreTranslateStart, {p[0], p[1], std::to_string(*minimum), memory->location()}));
    return onProjectLanguage(report, ext, p[0], ProjectUse::Write, p[1], [&](ProjectOperation& op, LanguageId id) {
        if (!op.hasLanguage(id, p[1], p[0]))
            return BatchStatus::Failed;
        if (!op.doc().reloadRows().done())
            return batchFailed(report);
        const PreTranslateResult result = preTranslate(op.doc(), *memory, id, *minimum);
        // What was stored before a failure of the memory stays, as in the window.
        if (!op.finish())
            return batchFailed(report);
        report.line(printfText(txt::BatchPreTranslated,
                               {counted(result.exact, "exact match", "exact matches"),
                                counted(result.fuzzy, "fuzzy match", "fuzzy matches"),
                                counted(result.disagreeing, "match", "matches"), counted(result.unfit, "match", "matches"),
                                counted(result.withoutMatch, "text", "texts")}));
        if (!result.ok) {
            report.error(printfText(txt::BatchMemoryOpen, {result.problem}));
            return BatchStatus::Failed;
        }
        return BatchStatus::Success;
    });
}

} // namespace qmk
