// The window's exports and imports.
#include "ui/ExchangeCommands.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QInputDialog>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>
#include <QUrl>
#include <algorithm>

#include "app/LanguageParameter.h"
#include "app/ProfileFile.h"
#include "app/Settings.h"
#include "exchange/ImportSource.h"
#include "exchange/PlatformExchange.h"
#include "exchange/WorkbookImport.h"
#include "parser/LanguageTags.h"
#include "resources/FileNames.h"
#include "exchange/DatabaseExport.h"
#include "exchange/WorkbookExport.h"
#include "project/CQuillDoc.h"
#include "resources/Feedback.h"
#include "resources/MenuTexts.h"
#include "resources/Messages.h"
#include "resources/PrintfText.h"
#include "resources/Texts.h"
#include "ui/CChildFrame.h"
#include "ui/CChoiceDlg.h"
#include "ui/CConflictsDlg.h"
#include "ui/CTextListView.h"
#include "ui/CWorkbookImportDlg.h"

namespace qmk {
namespace {

QString qs(const char* text) { return QString::fromUtf8(text); }

// Whether the desktop names an application for the file's type. Opening a file no application
// takes still "succeeds" (the opener runs and shows nothing), so it is asked first.
bool desktopOpens(const QString& file)
{
    const QString type = QMimeDatabase().mimeTypeForFile(file).name();
    QProcess query;
    query.start(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"), type});
    if (!query.waitForFinished(3000) || query.exitCode() != 0)
        return false;
    return !query.readAllStandardOutput().trimmed().isEmpty();
}

} // namespace

void exportTextToWorkbook(QWidget* parent, CChildFrame& child, Feedback& feedback, QStringList& rememberedColumns)
{
    CQuillDoc& doc = child.document();
    WorkbookExport exporter(doc, feedback);
    const std::vector<ExportColumnEntry> entries = exporter.entries();
    QStringList names;
    for (const ExportColumnEntry& entry : entries)
        names << QString::fromStdString(entry.text);
    // The entries chosen last time, found by their texts (another project has other
    // translations); all of them when none is there.
    std::vector<int> preset;
    for (int i = 0; i < names.size(); ++i)
        if (rememberedColumns.contains(names[i]))
            preset.push_back(i);
    if (preset.empty())
        for (int i = 0; i < names.size(); ++i)
            preset.push_back(i);
    CChoiceDlg choice(qs(txt::ColumnSelectTitle), qs(txt::ColumnSelectLabel), names, preset, parent);
    if (choice.exec() != QDialog::Accepted)
        return;
    const std::vector<int> chosen = choice.chosen();
    if (chosen.empty())
        return;
    rememberedColumns.clear();
    for (int index : chosen)
        rememberedColumns << names[index];
    const std::filesystem::path suggested = doc.scriptPath().parent_path() / (doc.scriptPath().stem().string() + ".xlsx");
    const QString target = QFileDialog::getSaveFileName(parent, qs(txt::ExportProgressTitle),
                                                        QString::fromStdString(suggested.string()),
                                                        QStringLiteral("Workbook (*.xlsx)"));
    if (target.isEmpty())
        return;
    std::vector<int> columns;
    for (int index : chosen)
        columns.push_back(entries[static_cast<std::size_t>(index)].column);
    const WorkbookExportResult result = exporter.run(target.toStdString(), columns);
    if (!result.outcome.done() && !result.keptPartial)
        return;
    // The desktop's spreadsheet application shows it where one is installed; else the person
    // is told where the workbook is.
    if (!desktopOpens(target) || !QDesktopServices::openUrl(QUrl::fromLocalFile(target)))
        feedback.messageText(fillPlaceholders(txt::ExportWorkbookWritten, {target.toStdString()}), Icon::Information);
}

void exportTextToDatabase(QWidget* parent, CChildFrame& child, Feedback& feedback,
                          const std::vector<std::filesystem::path>& openDatabases)
{
    CQuillDoc& doc = child.document();
    const TextTableColumns& columns = doc.rows().columns();
    QStringList names;
    std::vector<int> all;
    for (LanguageId id : columns.translations()) {
        names << QString::fromStdString(columns.header(columns.columnOfLanguage(id)));
        all.push_back(static_cast<int>(all.size()));
    }
    CChoiceDlg choice(qs(txt::ExportDatabaseTitle), qs(txt::TranslationsLabel), names, all, parent);
    if (!names.isEmpty() && choice.exec() != QDialog::Accepted)
        return;
    const QString target = QFileDialog::getSaveFileName(parent, qs(txt::ExportDatabaseTitle), QString(),
                                                        QStringLiteral("Database File (*.mdb)"));
    if (target.isEmpty())
        return;
    std::vector<LanguageId> languages;
    for (int index : choice.chosen())
        languages.push_back(columns.translations()[static_cast<std::size_t>(index)]);
    DatabaseExport exporter(feedback);
    exporter.runFor(doc, target.toStdString(), languages, openDatabases);
}

QStringList importFileFilters(const ProfileFile& profile)
{
    const std::string last = profile.getString(ini::UpperSettings, ini::LastImportFile, "");
    const std::string extension = std::filesystem::path(last).extension().string();
    const std::string remembered = extension.empty() ? std::string("xlsx") : toLowerAscii(extension.substr(1));
    QStringList filters;
    for (const std::string& filter : importFilters(remembered))
        filters << qs(filter.c_str());
    return filters;
}

bool importText(QWidget* parent, CChildFrame& child, Feedback& feedback, ProfileFile& profile)
{
    // The last file imported, else the project's own folder, where translated files usually wait.
    std::string start = profile.getString(ini::UpperSettings, ini::LastImportFile, "");
    if (start.empty())
        start = child.document().scriptPath().parent_path().string();
    const QString chosen = QFileDialog::getOpenFileName(parent, qs(txt::ImportFileTitle), QString::fromStdString(start),
                                                        importFileFilters(profile).join(QStringLiteral(";;")));
    if (chosen.isEmpty())
        return false;
    return importTextFile(parent, child, feedback, profile, chosen.toStdString());
}

namespace {

// The translation a file that states its language goes into without the language list: the
// current column when it is that language, else the stated one once the translator agreed.
// Nothing when the file states no language of the project, or the translator wants to choose.
std::optional<LanguageId> statedLanguageToImport(CChildFrame& child, Feedback& feedback,
                                                 const std::filesystem::path& path)
{
    const std::optional<StatedLanguage> stated = statedImportLanguage(path);
    if (!stated)
        return std::nullopt;
    CTextListView* table = child.textList();
    const std::optional<LanguageId> current =
        table->sourceColumnChosen() ? std::nullopt : table->currentLanguage();
    if (current && languageTagsMatch(stated->tag, languageTag(*current)))
        return current;  // the column being worked on is the file's language
    if (!stated->language || !child.document().hasTranslation(*stated->language))
        return std::nullopt;  // an XLIFF or PO import cannot add the translation: the list decides
    if (!current)
        return stated->language;  // no translation column chosen: nothing to differ from
    const std::string question =
        fillPlaceholders(txt::ImportStatedLanguageQuestion, {path.string(), CQuillDoc::languageName(*stated->language),
                                                             stated->tag, CQuillDoc::languageName(*current)});
    if (!feedback.askText(question, true))
        return std::nullopt;
    return *stated->language;
}

} // namespace

bool importTextFile(QWidget* parent, CChildFrame& child, Feedback& feedback, ProfileFile& profile,
                    const std::filesystem::path& path)
{
    CQuillDoc& doc = child.document();
    const ExchangeFormat* format = projectImportFormat(path);
    if (!format) {
        importFile(doc, {}, path);  // says the kind is not supported
        return false;
    }
    // Whatever the import stores is one step that Undo takes back.
    CQuillDoc::RecordedImport recorded(doc, path.filename().string());
    // A workbook is imported pair by pair in its own dialog; every other file by its row.
    if (format->kind == ExchangeKind::Workbook) {
        if (!importWorkbook(parent, child, feedback, path))
            return false;
    } else {
        std::optional<LanguageId> language;
        if (format->read)
            language = statedLanguageToImport(child, feedback, path);
        if (!language) {
            QStringList names;
            for (const std::string& name : importLanguageNames())
                names << QString::fromStdString(name);
            // The translation being worked on is offered first.
            int offered = 0;
            if (const std::optional<LanguageId> current = child.textList()->currentLanguage()) {
                const TextTableColumns& columns = doc.rows().columns();
                offered = std::max(0, static_cast<int>(names.indexOf(
                                          QString::fromStdString(columns.header(columns.columnOfLanguage(*current))))));
            }
            bool ok = false;
            const QString name = QInputDialog::getItem(
                parent, qs(txt::ImportTextTitle),
                QString::fromStdString(printfText(txt::ImportLanguagePrompt, {path.string()})), names, offered, false,
                &ok);
            if (!ok)
                return false;
            language = parseLanguageParameter(name.toStdString());
            if (!language)
                return false;  // a language without an id imports nothing
        }
        int changed = 0;
        std::vector<ImportDisagreement> conflicts;
        importFile(doc, *language, path, &changed, &conflicts);
        // The cells the import changed stay marked until the next search.
        child.search().marksUntilSearch = changed > 0;
        // Settled once the import is one step of the history: each choice is a step of its own.
        if (!conflicts.empty())
            QTimer::singleShot(0, &child, [parent, doc = &doc, language = *language, conflicts] {
                CConflictsDlg(*doc, language, conflicts, parent).exec();
            });
    }
    profile.writeString(ini::UpperSettings, ini::LastImportFile, path.string());
    return true;
}

bool importWorkbook(QWidget* parent, CChildFrame& child, Feedback& feedback, const std::filesystem::path& path)
{
    // The whole dialog is one step for Undo (within an Import Text it is that one).
    CQuillDoc::RecordedImport recorded(child.document(), path.filename().string());
    WorkbookImport workbook(child.document(), feedback);
    const bool accepted = workbook.open(path);
    if (!workbook.wasRead())
        return false;  // reported
    if (accepted) {
        CWorkbookImportDlg dialog(workbook, [&child](int row) {
            if (child.document().rows().isRow(row))
                child.chooseItem(child.document().rows().item(row).lineIndex);
        }, parent);
        dialog.exec();
    }
    workbook.saveMarks();
    // Texts changed here and in the workbook are settled one by one once the import is one
    // step of the history, as those of a platform's file.
    if (!workbook.conflicts().empty())
        QTimer::singleShot(0, &child, [parent, doc = &child.document(), language = workbook.conflictsLanguage(),
                                       conflicts = workbook.conflicts()] {
            CConflictsDlg(*doc, language, conflicts, parent).exec();
        });
    // The workbook stays open for the person who answers No: the desktop's spreadsheet
    // application shows it with the marks just written.
    const char* question = accepted ? txt::ImportExcelFinished : txt::ImportExcelNothing;
    if (!feedback.askText(fillPlaceholders(question, {path.string()}), true))
        QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path.string())));
    return true;
}

QString exportForPlatforms(QWidget* parent, CChildFrame& child, Feedback& feedback)
{
    const std::optional<LanguageId> language = child.textList()->currentLanguage();
    if (!language)
        return {};
    CQuillDoc& doc = child.document();
    const std::string name = doc.rows().columns().header(doc.rows().columns().columnOfLanguage(*language));
    const std::filesystem::path suggested =
        doc.scriptPath().parent_path() / (doc.scriptPath().stem().string() + "-" + name + ".xlf");
    const QString chosen = QFileDialog::getSaveFileName(parent, qs(txt::ExportPlatformTitle),
                                                        QString::fromStdString(suggested.string()),
                                                        QString::fromStdString(
                                                            std::string(exchangeFormat(ExchangeKind::Xliff).filter) +
                                                            ";;" + std::string(exchangeFormat(ExchangeKind::Po).filter)));
    if (chosen.isEmpty())
        return {};
    std::filesystem::path path = chosen.toStdString();
    const ExchangeFormat* format = exchangeFormatOf(path);
    if (!format || !format->read) {
        path += ".xlf";
        format = &exchangeFormat(ExchangeKind::Xliff);
    }
    // A ".pot" name asks for the template: the source texts without translations.
    ExchangeTarget from(doc, {*language});
    from.feedback = &feedback;
    const ExportReport written = format->write(from, path);
    if (!written.outcome.done()) {
        feedback.messageText(fillPlaceholders(txt::ExportPlatformFailed, {path.string(), written.problem}), Icon::Stop);
        return {};
    }
    if (!written.leftOut.empty()) {
        std::string lines;
        for (const std::string& unit : written.leftOut)
            lines += (lines.empty() ? "" : "\n") + unit;
        feedback.messageText(fillPlaceholders(txt::ExportPlatformLeftOut, {std::to_string(written.leftOut.size()), path.string(), lines}),
                             Icon::Exclamation);
    }
    return QString::fromStdString(
        fillPlaceholders(txt::ExportPlatformDone, {std::to_string(written.written), path.string()}));
}

} // namespace qmk
