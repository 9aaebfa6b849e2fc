// The table of exchange formats and the functions its rows hold: each turns the format's own
// reader, writer and import into the one shape of target and report.
#include "exchange/ExchangeFormats.h"

#include <algorithm>

#include "database/DaoException.h"
#include "database/TranslationColumnNames.h"
#include "exchange/DatabaseExport.h"
#include "exchange/DatabaseImport.h"
#include "exchange/PlatformExchange.h"
#include "exchange/ScriptImport.h"
#include "exchange/WorkbookExport.h"
#include "exchange/WorkbookImport.h"
#include "memory/TmxFile.h"
#include "project/CQuillDoc.h"
#include "project/TextTableRows.h"
#include "resources/FileNames.h"
#include "resources/Feedback.h"
#include "resources/MenuTexts.h"
#include "resources/Messages.h"
#include "resources/PrintfText.h"
#include "resources/Texts.h"

namespace qmk {
namespace {

Feedback& feedbackOf(const ExchangeTarget& target)
{
    return target.feedback ? *target.feedback : target.doc->feedback();
}

LanguageId importLanguage(const ExchangeTarget& target)
{
    return target.languages.empty() ? LanguageId{} : target.languages.front();
}

// Imports that report through the feedback: what they changed, whether they were done.
template <typename Result>
ImportReport reportedImport(const Result& result)
{
    ImportReport report;
    report.outcome = result.outcome;
    report.imported = result.imported;
    report.changed = result.changed;
    return report;
}

ImportReport importDatabase(const ExchangeTarget& target, const std::filesystem::path& path)
{
    return reportedImport(DatabaseImport::intoProject(*target.doc, path, importLanguage(target)));
}

ImportReport importScript(const ExchangeTarget& target, const std::filesystem::path& path)
{
    CQuillDoc& doc = *target.doc;
    ScriptImport import(doc, target.includeExtensions.empty() ? doc.includeExtensions() : target.includeExtensions);
    return reportedImport(import.run(path, importLanguage(target)));
}

// A workbook's column of the translation imported whole, as Import All does, without the
// dialog: nothing is asked but what the import itself asks.
ImportReport importWorkbookColumn(const ExchangeTarget& target, const std::filesystem::path& path)
{
    ImportReport report;
    CQuillDoc& doc = *target.doc;
    if (!doc.reloadRows().done())
        return report;
    WorkbookImport import(doc, feedbackOf(target));
    if (!import.open(path))
        return report;  // reported: unreadable, or a header the export did not write
    const LanguageId language = importLanguage(target);
    const std::string name = translationColumnName(language.language, language.sublanguage);
    const std::vector<std::string> names = import.languageNames();
    if (std::find(names.begin(), names.end(), name) == names.end()) {
        feedbackOf(target).messageText(printfText(txt::BatchWorkbookNoLanguage, {path.string(), name}), Icon::Stop);
        report.outcome = OperationResult::InputRefused;
        return report;
    }
    ChangedTextsWatch watch(doc);
    // Without a pair of the same Id the import has nothing to do, and says so.
    if (import.chooseLanguage(name)) {
        import.setOverwrite(target.overwrite);
        report.imported = import.importAll({});
        if (import.failedStores() > 0)
            return report;
        // Texts left as they were: listed by the import as it met them.
        for (const ImportDisagreement& conflict : import.conflicts())
            report.refused.push_back(conflict.id + ": " +
                                     fillPlaceholders(txt::ImportConflict, {conflict.ours, conflict.theirs}));
        for (const ImportDisagreement& kept : import.keptExisting())
            report.refused.push_back(kept.id + ": " + fillPlaceholders(txt::ImportKeptExisting, {kept.ours, kept.theirs}));
        report.conflicts = import.conflicts();
    }
    report.changed = watch.finish();
    report.outcome = OperationResult::Done;
    return report;
}

ImportReport importPlatform(const ExchangeTarget& target, const std::filesystem::path& path)
{
    CQuillDoc& doc = *target.doc;
    ChangedTextsWatch watch(doc);
    const PlatformImport run = importPlatformFile(doc, importLanguage(target), path, target.overwrite);
    ImportReport report;
    report.outcome = run.outcome;
    report.countsUnits = true;
    report.imported = run.result.imported;
    report.unchangedOnPlatform = run.result.unchangedOnPlatform;
    report.refused = refusedLines(run.result);
    report.conflicts = run.result.conflicts;
    report.problem = run.problem;
    if (run.outcome.done())
        report.changed = watch.finish();
    return report;
}

ImportReport importMemory(const ExchangeTarget& target, const std::filesystem::path& path)
{
    const TmxImportResult result = importTmx(*target.memory, path, target.feedback);
    ImportReport report;
    report.outcome = result.ok ? OperationResult::Done
                               : (result.cancelled ? OperationResult::Cancelled : OperationResult::Failed);
    report.countsUnits = true;
    report.imported = result.units;
    for (const TmxRefusedUnit& unit : result.refused)
        report.refused.push_back(unit.unit + ": " + unit.reason);
    report.problem = result.problem;
    return report;
}

std::optional<ExchangeDocument> readDocument(const std::filesystem::path& path, std::string& problem)
{
    const ExchangeFormat* format = exchangeFormatOf(path);
    return readExchangeFile(path, format ? format->kind : ExchangeKind::Po, problem);
}

// Writes the document of a translation (or without one the template) and records what was
// sent, by which the file that comes back is judged.
ExportReport writeDocument(const ExchangeTarget& target, const std::filesystem::path& path, ExchangeKind kind)
{
    CQuillDoc& doc = *target.doc;
    const std::optional<LanguageId> language =
        kind == ExchangeKind::PoTemplate || target.languages.empty() ? std::nullopt
                                                                     : std::optional(target.languages.front());
    ExportReport report;
    report.document = exchangeDocument(doc, language);
    if (language)
        report.document.header.exportId = newExportId();
    std::vector<LeftOutUnit> leftOut;
    if (!writeExchangeFile(path, kind, report.document, report.problem, &leftOut))
        return report;
    for (const LeftOutUnit& unit : leftOut)
        report.leftOut.push_back(unit.id + ": " + unit.reason);
    report.written = static_cast<std::int64_t>(report.document.units.size() - leftOut.size());
    report.outcome = OperationResult::Done;
    try {
        if (language)
            recordExport(doc, *language, report.document);
    } catch (const DaoException& error) {
        feedbackOf(target).messageText(error.report(), Icon::Exclamation);
    }
    return report;
}

ExportReport exportXliff(const ExchangeTarget& target, const std::filesystem::path& path)
{
    return writeDocument(target, path, ExchangeKind::Xliff);
}

ExportReport exportPo(const ExchangeTarget& target, const std::filesystem::path& path)
{
    return writeDocument(target, path, ExchangeKind::Po);
}

ExportReport exportPoTemplate(const ExchangeTarget& target, const std::filesystem::path& path)
{
    return writeDocument(target, path, ExchangeKind::PoTemplate);
}

// The Id and source columns, then the translations' (every one when none is named).
ExportReport exportWorkbook(const ExchangeTarget& target, const std::filesystem::path& path)
{
    CQuillDoc& doc = *target.doc;
    ExportReport report;
    if (!doc.rows().columns().count() && !doc.reloadRows().done())
        return report;
    const TextTableColumns& table = doc.rows().columns();
    std::vector<int> columns{TextTableColumns::IdColumn, TextTableColumns::SourceColumn};
    for (LanguageId id : target.languages.empty() ? table.translations() : target.languages)
        columns.push_back(table.columnOfLanguage(id));
    WorkbookExport exporter(doc, feedbackOf(target));
    const WorkbookExportResult result = exporter.run(path, columns);
    report.outcome = result.outcome;
    report.written = result.rowsWritten;
    return report;
}

ExportReport exportDatabase(const ExchangeTarget& target, const std::filesystem::path& path)
{
    CQuillDoc& doc = *target.doc;
    const std::vector<LanguageId> languages =
        target.languages.empty() ? doc.database().languages().translationIds() : target.languages;
    DatabaseExport exporter(feedbackOf(target));
    ExportReport report;
    report.outcome = exporter.runFor(doc, path, languages, {});
    report.written = static_cast<std::int64_t>(languages.size());
    return report;
}

ExportReport exportMemory(const ExchangeTarget& target, const std::filesystem::path& path)
{
    const TmxExportResult result = exportTmx(*target.memory, path, target.memoryLanguages, target.feedback);
    ExportReport report;
    report.outcome = result.ok ? OperationResult::Done
                               : (result.cancelled ? OperationResult::Cancelled : OperationResult::Failed);
    report.written = result.units;
    report.problem = result.problem;
    return report;
}

const ExchangeFormat kFormats[] = {
    {ExchangeKind::Workbook, "Microsoft Excel File (*.xlsx)", {".xlsx"}, {}, true, false, nullptr, exportWorkbook,
     importWorkbookColumn},
    {ExchangeKind::ProjectDatabase, "Database File (*.mdb)", {".mdb"}, {}, true, true, nullptr, exportDatabase,
     importDatabase},
    {ExchangeKind::TranslatedScript, "Resource Script File (*.rc);;QMK 2.x Translated RC File (*.rc*)", {}, ".rc",
     true, true, nullptr, nullptr, importScript},
    {ExchangeKind::Xliff, "XLIFF File (*.xlf *.xliff)", {".xlf", ".xliff"}, {}, true, false, readDocument, exportXliff,
     importPlatform},
    {ExchangeKind::Po, "Gettext PO File (*.po *.pot)", {".po"}, {}, true, false, readDocument, exportPo,
     importPlatform},
    // A template is read back as PO (its units carry no translation); the PO filter lists it.
    {ExchangeKind::PoTemplate, {}, {".pot"}, {}, true, false, readDocument, exportPoTemplate, importPlatform},
    {ExchangeKind::Tmx, txt::TmxFileFilter, {".tmx"}, {}, false, false, nullptr, exportMemory, importMemory},
};

} // namespace

std::span<const ExchangeFormat> exchangeFormats()
{
    return kFormats;
}

const ExchangeFormat& exchangeFormat(ExchangeKind kind)
{
    return *std::find_if(std::begin(kFormats), std::end(kFormats),
                         [kind](const ExchangeFormat& format) { return format.kind == kind; });
}

const ExchangeFormat* exchangeFormatOf(const std::filesystem::path& path)
{
    const std::string extension = toLowerAscii(path.extension().string());
    for (const ExchangeFormat& format : kFormats)
        for (const char* known : format.extensions)
            if (extension == known)
                return &format;
    for (const ExchangeFormat& format : kFormats)
        if (!format.extensionPrefix.empty() && extension.starts_with(format.extensionPrefix))
            return &format;
    return nullptr;
}

} // namespace qmk
