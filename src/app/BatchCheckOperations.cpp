// Batch operations of translation quality: /CHECK lists the findings of the checks as a
// compiler lists its warnings, /PSEUDO fills a translation with pseudo-translated texts, /STAT
// prints or writes the word counts of every translation.
#include "app/BatchOperations.h"
#include "app/BatchSupport.h"

#include <algorithm>
#include <fstream>
#include <map>

#include "checks/CheckEngine.h"
#include "checks/PseudoTranslation.h"
#include "database/TranslationColumnNames.h"
#include "project/WordCount.h"
#include "resources/CheckTexts.h"
#include "resources/CountedText.h"
#include "resources/PrintfText.h"
#include "resources/Texts.h"

namespace qmk {
namespace {

std::string jsonString(std::string_view text)
{
    std::string out = "\"";
    for (const char c : text) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
                out += escaped;
            } else {
                out += c;
            }
        }
    }
    return out + "\"";
}

std::string items(long long count) { return counted(count, "item", "items"); }
std::string words(long long count) { return counted(count, "word", "words"); }

std::string jsonTally(const WordTally& tally)
{
    return "{\"items\": " + std::to_string(tally.texts) + ", \"words\": " + std::to_string(tally.words) + "}";
}

} // namespace

void reportFindings(BatchReport& report, const std::vector<CheckFinding>& findings)
{
    for (const CheckFinding& finding : findings)
        report.line(compilerStyleLine(finding));
}

void reportImportFindings(BatchReport& report, const std::vector<CheckFinding>& findings)
{
    if (findings.empty())
        return;
    report.line(printfText(txt::BatchImportFindings, {counted(static_cast<long long>(findings.size()), "finding", "findings")}));
    std::map<std::string, long long> perCheck;
    for (const CheckFinding& finding : findings)
        ++perCheck[finding.check];
    for (const auto& [check, count] : perCheck)
        report.line(printfText(txt::BatchImportFindingsOfCheck, {check, counted(count, "finding", "findings")}));
    const std::size_t shown = report.everyFinding() ? findings.size() : std::min(findings.size(), kImportFindingsShown);
    reportFindings(report, {findings.begin(), findings.begin() + static_cast<std::ptrdiff_t>(shown)});
    if (shown < findings.size())
        report.line(printfText(txt::BatchImportFindingsMore,
                               {counted(static_cast<long long>(findings.size() - shown), "more finding", "more findings")}));
}

BatchStatus batchCheck(const std::vector<std::string>& p, BatchReport& report, const std::vector<std::string>& ext)
{
    report.line(printfText(txt::BatchCheckStart, {p[0], p[1]}));
    return onProjectLanguage(report, ext, p[0], ProjectUse::Read, p[1], [&](ProjectOperation& op, LanguageId id) {
        if (!op.hasLanguage(id, p[1], p[0]))
            return BatchStatus::Failed;
        TranslationChecks checks(op.doc(), id);
        checks.useGlossary(batchGlossaryTerms(id));
        const std::vector<CheckFinding> findings = checks.run();
        reportFindings(report, findings);
        if (findings.empty()) {
            report.line(txt::BatchCheckNone);
            return BatchStatus::Success;
        }
        report.line(printfText(txt::BatchCheckCount, {counted(static_cast<long long>(findings.size()), "finding", "findings")}));
        return BatchStatus::CheckAnsweredNo;
    });
}

BatchStatus batchPseudo(const std::vector<std::string>& p, BatchReport& report, const std::vector<std::string>& ext)
{
    report.line(printfText(txt::BatchPseudoStart, {p[0], p[1]}));
    return onProjectLanguage(report, ext, p[0], ProjectUse::Write, p[1], [&](ProjectOperation& op, LanguageId id) {
        if (!op.hasLanguage(id, p[1], p[0]))
            return BatchStatus::Failed;
        const PseudoResult result = pseudoTranslate(op.doc(), id);
        if (!result.outcome.done() || !op.doc().OnCloseDocument())
            return batchFailed(report);
        report.line(printfText(txt::BatchPseudoDone, {counted(result.filled, "text", "texts"),
                                                       counted(result.kept, "translated text", "translated texts")}));
        return BatchStatus::Success;
    });
}

BatchStatus batchStatistics(const std::vector<std::string>& p, BatchReport& report, const std::vector<std::string>& ext)
{
    report.line(printfText(txt::BatchStatStart, {p[0]}));
    return guardedBatchOperation(report, [&] {
        ProjectOperation op(report, ext);
        if (!op.open(p[0], ProjectUse::Read) || !op.doc().reloadRows().done())
            return batchFailed(report);
        CQuillDoc& doc = op.doc();
        const std::string sourceLanguage = doc.sourceLanguageDescription();
        report.line(printfText(txt::BatchStatSourceLanguage, {sourceLanguage}));
        std::string json = "{\n  \"project\": " + jsonString(doc.scriptPath().string()) + ",\n" +
                           "  \"sourceLanguage\": " + jsonString(sourceLanguage) + ",\n";
        bool sourceTold = false;
        std::string translations;
        for (LanguageId id : doc.rows().columns().translations()) {
            const TranslationWordCounts counts = doc.wordCounts(id);
            const WordTally total = counts.total();
            if (!sourceTold) {
                report.line(printfText(txt::BatchStatSource, {items(total.texts), words(total.words)}));
                json += "  \"source\": " + jsonTally(total) + ",\n";
                sourceTold = true;
            }
            const std::string name = translationColumnName(id.language, id.sublanguage);
            report.line(printfText(txt::BatchStatLine,
                                   {name, items(counts.translated.texts), words(counts.translated.words),
                                    items(counts.flagged.texts), words(counts.flagged.words),
                                    items(counts.untranslated.texts), words(counts.untranslated.words)}));
            translations += std::string(translations.empty() ? "" : ",\n") + "    {\"language\": " + jsonString(name) +
                            ", \"items\": " + std::to_string(total.texts) + ", \"words\": " + std::to_string(total.words) +
                            ",\n     \"translated\": " + jsonTally(counts.translated) +
                            ", \"flagged\": " + jsonTally(counts.flagged) +
                            ", \"untranslated\": " + jsonTally(counts.untranslated) + "}";
        }
        if (!sourceTold) {
            const WordTally source = translationWordCounts(doc.rows(), {}).total();
            report.line(printfText(txt::BatchStatSource, {items(source.texts), words(source.words)}));
            json += "  \"source\": " + jsonTally(source) + ",\n";
        }
        json += "  \"translations\": [" + (translations.empty() ? std::string() : "\n" + translations + "\n  ") + "]\n}\n";
        if (p.size() > 1) {
            std::ofstream out(p[1], std::ios::binary | std::ios::trunc);
            out << json;
            out.close();
            if (!out) {
                report.error(printfText(txt::BatchCannotWrite, {p[1], "the file cannot be written"}));
                return BatchStatus::Failed;
            }
            report.line(printfText(txt::BatchStatWritten, {p[1]}));
        }
        return BatchStatus::Success;
    });
}

} // namespace qmk
