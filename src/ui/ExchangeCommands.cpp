// Exports of the window.
#include "ui/ExchangeCommands.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QStandardPaths>
#include <QUrl>

#include "database/CProjectDatabase.h"
#include "exchange/DatabaseExport.h"
#include "exchange/WorkbookExport.h"
#include "project/CQuillDoc.h"
#include "resources/Feedback.h"
#include "resources/Messages.h"
#include "resources/Texts.h"
#include "ui/CChildFrame.h"
#include "ui/CChoiceDlg.h"

namespace qmk {
namespace {

QString qs(const char* text) { return QString::fromUtf8(text); }

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
    // The desktop's spreadsheet application shows it where one is installed.
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(target)))
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
    if (exporter.checkTarget(target.toStdString(), doc.databasePath(), openDatabases, doc.database().sourceFile()))
        exporter.run(doc.database(), target.toStdString(), languages);
}

} // namespace qmk
