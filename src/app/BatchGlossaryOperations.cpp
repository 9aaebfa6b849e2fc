// The glossary's batch operations: TBX files read and written, and the candidate terms of a
// project listed. The glossary is the one beside the memory the settings name.
#include "app/BatchOperations.h"
#include "app/BatchSupport.h"

#include <cctype>

#include "app/GlossaryTerms.h"
#include "app/LanguageParameter.h"
#include "app/Settings.h"
#include "memory/Glossary.h"
#include "memory/TbxFile.h"
#include "memory/TranslationMemory.h"
#include "memory/TermIndex.h"
#include "memory/TmxFile.h"
#include "parser/LanguageTags.h"
#include "project/CQuillDoc.h"
#include "project/SourceLanguageTag.h"
#include "project/TermCandidates.h"
#include "resources/CountedText.h"
#include "resources/PrintfText.h"
#include "resources/Texts.h"

namespace qmk {
namespace {

std::unique_ptr<Glossary> openBatchGlossary(BatchReport& report)
{
    try {
        return openGlossary(glossaryLocationBeside(Settings().memorySettings().location));
    } catch (const std::runtime_error& error) {
        report.error(printfText(txt::BatchGlossaryOpen, {error.what()}));
        return nullptr;
    }
}

std::optional<int> minimumCount(const std::vector<std::string>& p, std::size_t index)
{
    if (p.size() <= index)
        return 2;
    const std::string& text = p[index];
    if (text.empty() || text.size() > 4 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)); }))
        return std::nullopt;
    const int count = std::stoi(text);
    return count >= 1 ? std::optional<int>(count) : std::nullopt;
}

bool isNumberParameter(const std::string& text)
{
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)); });
}

} // namespace

std::shared_ptr<const TermIndex> batchGlossaryTerms(LanguageId language)
{
    return glossaryTermsBeside(Settings().memorySettings().location, language);
}

BatchStatus batchImportTbx(const std::vector<std::string>& p, BatchReport& report)
{
    std::unique_ptr<Glossary> glossary = openBatchGlossary(report);
    if (!glossary)
        return BatchStatus::Failed;
    report.line(printfText(txt::BatchTbxImportStart, {p[0], glossary->location()}));
    const TbxImportResult result = importTbx(*glossary, p[0]);
    if (!result.ok) {
        report.error(printfText(txt::BatchGlossaryOpen, {result.problem}));
        return BatchStatus::Failed;
    }
    report.line(printfText(txt::BatchTbxImported, {counted(result.entries, "term", "terms"),
                                                    counted(result.skipped, "entry", "entries")}));
    return BatchStatus::Success;
}

BatchStatus batchExportTbx(const std::vector<std::string>& p, BatchReport& report)
{
    std::optional<std::string> language;
    if (p.size() > 1) {
        language = languageTagParameter(p[1]);
        if (!language) {
            report.error(printfText(txt::BatchNotALanguageTag, {p[1]}));
            return BatchStatus::UsageError;
        }
    }
    std::unique_ptr<Glossary> glossary = openBatchGlossary(report);
    if (!glossary)
        return BatchStatus::Failed;
    report.line(printfText(txt::BatchTbxExportStart, {p[0], glossary->location()}));
    const TbxExportResult result = exportTbx(*glossary, p[0], language);
    if (!result.ok) {
        report.error(printfText(txt::BatchCannotWrite, {p[0], result.problem}));
        return BatchStatus::Failed;
    }
    report.line(printfText(txt::BatchTbxExported, {counted(result.entries, "term", "terms"),
                                                    std::to_string(result.skipped)}));
    return BatchStatus::Success;
}

BatchStatus batchTermCandidates(const std::vector<std::string>& p, BatchReport& report,
                                const std::vector<std::string>& ext)
{
    // /TERMS <project> [min-count] [file.tbx]: a second parameter that is no number is the file.
    std::size_t fileIndex = 1;
    std::optional<int> minimum = 2;
    if (p.size() > 1 && isNumberParameter(p[1])) {
        minimum = minimumCount(p, 1);
        fileIndex = 2;
    }
    if (!minimum) {
        report.error(printfText(txt::BatchMinimumCount, {p[1]}));
        return BatchStatus::UsageError;
    }
    if (p.size() > fileIndex + 1) {
        report.error(txt::UsageTerms);
        return BatchStatus::UsageError;
    }
    report.line(printfText(txt::BatchTermsStart, {p[0], std::to_string(*minimum)}));
    return guardedBatchOperation(report, [&] {
        ProjectOperation op(report, ext);
        if (!op.open(p[0], ProjectUse::Read) || !op.doc().reloadRows().done())
            return batchFailed(report);
        const std::vector<TermCandidate> candidates = projectTermCandidates(op.doc(), *minimum);
        for (const TermCandidate& candidate : candidates)
            report.line(candidate.text + "\t" + std::to_string(candidate.count));
        report.line(printfText(txt::BatchTermsFound, {counted(static_cast<std::int64_t>(candidates.size()),
                                                              "candidate", "candidates")}));
        if (p.size() > fileIndex) {
            std::vector<GlossaryEntry> entries;
            const std::string sourceLanguage = sourceLanguageTag(op.doc());
            for (const TermCandidate& candidate : candidates) {
                GlossaryEntry entry;
                entry.term = candidate.text;
                entry.sourceLanguage = sourceLanguage;
                entry.note = "found " + std::to_string(candidate.count) + " times";
                entry.origin = op.doc().scriptPath().filename().string();
                entries.push_back(std::move(entry));
            }
            std::string problem;
            if (!writeTbx(entries, p[fileIndex], problem)) {
                report.error(printfText(txt::BatchCannotWrite, {p[fileIndex], problem}));
                return BatchStatus::Failed;
            }
        }
        return BatchStatus::Success;
    });
}

} // namespace qmk
