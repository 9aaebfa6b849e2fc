// The window's exchanges: the worksheet import dialog pair by pair, all at once and marking;
// the close question; the import filters by the last file; the column choice kept for a run.
#include <QCheckBox>
#include <QDesktopServices>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTimer>

#include <cstdlib>

#include "exchange/PlatformExchange.h"
#include "exchange/WorkbookImport.h"
#include "exchange/WorkbookWriter.h"
#include "resources/CommandIds.h"
#include "resources/Texts.h"
#include "ui/CChoiceDlg.h"
#include "ui/CTextListView.h"
#include "ui/CTextTableModel.h"
#include "ui/CTranslDlgView.h"
#include "ui/CommandTable.h"
#include "ui/CWorkbookImportDlg.h"
#include "ui/ExchangeCommands.h"
#include "ui/WindowFixture.h"

namespace qmk {
namespace {

using test::German;

// Remembers the files the window hands to the desktop instead of opening them.
class OpenedFiles : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl& url) { urls << url; }
};

// Runs `answer` on the next modal dialog that the code under test opens.
template <typename Dialog, typename Answer>
void whenShown(Answer answer)
{
    QTimer::singleShot(0, [answer] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        answer(dialog);
    });
}

class ExchangeWindowTest : public test::WindowFixture {
protected:
    void openGerman()
    {
        child = openApp();
        ASSERT_NE(child, nullptr);
        ASSERT_TRUE(child->document().NewTranslation(German, "app-German.rc"));
        child->textList()->setCurrentLanguage(German);
    }
    // A worksheet as the export writes it, with German texts: (Id, source, German) per row.
    std::filesystem::path writeSheet(const std::vector<std::vector<std::string>>& rows,
                                     const std::string& languageTitle = "German")
    {
        const std::filesystem::path path = dir / "texts.xlsx";
        WorkbookWriter writer;
        EXPECT_TRUE(writer.create(path));
        const std::vector<std::string> header{"Resource Ident", "Item Type", "Id", "Source Text", languageTitle};
        for (std::size_t c = 0; c < header.size(); ++c)
            writer.writeText(0, static_cast<int>(c), header[c], CellStyle::Header);
        for (std::size_t r = 0; r < rows.size(); ++r) {
            writer.writeText(static_cast<int>(r) + 2, 1, "Stringtable String");
            for (std::size_t c = 0; c < rows[r].size(); ++c)
                writer.writeText(static_cast<int>(r) + 2, static_cast<int>(c) + 2, rows[r][c]);
        }
        EXPECT_TRUE(writer.close());
        return path;
    }
    std::string german(const std::string& ident)
    {
        const TextTableRows& rows = child->document().rows();
        return rows.row(rowOfString(child, ident)).cell(rows.columns().columnOfLanguage(German));
    }
    bool saidText(const std::string& text) const
    {
        return std::find(feedback.texts.begin(), feedback.texts.end(), text) != feedback.texts.end();
    }

    CChildFrame* child = nullptr;
};

} // namespace

TEST_F(ExchangeWindowTest, WorksheetDialogImportsPairByPairAllAtOnceAndMarks)
{
    openGerman();
    const auto path = writeSheet({{"IDS_HELLO", "Hello", "Hallo"},
                                  {"IDS_BYE", "Goodbye", "Auf Wiedersehen"},
                                  {"IDS_LAST", "Last", ""},
                                  {"IDS_GONE", "Gone", "Weg"}});
    WorkbookImport workbook(child->document(), feedback);
    ASSERT_TRUE(workbook.open(path));
    CWorkbookImportDlg dialog(workbook, [this](int row) { child->textList()->selectRow(row); }, frame.get());

    dialog.show();
    int checked = 0;
    EXPECT_TRUE(test::unnamedControls(&dialog, checked).empty());
    EXPECT_GE(checked, 10);  // language, three texts, two boxes, six buttons

    // The first language is chosen at once and its first pair shown, its row selected.
    EXPECT_EQ(dialog.sheetTextEdit()->text(), QStringLiteral("Hallo"));
    EXPECT_EQ(child->textList()->selectedRow(), rowOfString(child, "IDS_HELLO"));

    ASSERT_TRUE(dialog.importCurrent());
    EXPECT_EQ(german("IDS_HELLO"), "Hallo");
    const int helloRow = rowOfString(child, "IDS_HELLO");
    const int germanColumn = child->document().rows().columns().columnOfLanguage(German);
    EXPECT_EQ(child->document().rows().item(helloRow).marks.count(germanColumn), 1u);
    EXPECT_EQ(dialog.sheetTextEdit()->text(), QStringLiteral("Auf Wiedersehen"));  // moved on
    EXPECT_TRUE(dialog.nextUp());
    EXPECT_EQ(dialog.sheetTextEdit()->text(), QStringLiteral("Hallo"));
    EXPECT_TRUE(dialog.nextDown());
    EXPECT_EQ(child->textList()->selectedRow(), rowOfString(child, "IDS_BYE"));

    // Mark All: only the text that differs from the translation; nothing stored.
    EXPECT_EQ(dialog.markAll(), 1);
    EXPECT_TRUE(saidText("1 text items marked."));
    EXPECT_EQ(german("IDS_BYE"), "");
    EXPECT_EQ(child->document().rows().item(helloRow).marks.count(germanColumn), 0u);
    EXPECT_EQ(child->document().rows().item(rowOfString(child, "IDS_BYE")).marks.count(germanColumn), 1u);

    EXPECT_EQ(dialog.importAll(), 1);
    EXPECT_TRUE(saidText("1 text resources imported from Excel file."));
    EXPECT_EQ(german("IDS_BYE"), "Auf Wiedersehen");
    EXPECT_EQ(dialog.importAll(), 0);
    EXPECT_TRUE(saidText("Import Text.\nNo text imported. Current text is actual."));
    EXPECT_EQ(dialog.markAll(), 0);
    EXPECT_TRUE(saidText("No import text found which differs from the current translation text. No text items marked."));
    EXPECT_TRUE(child->document().isModified());
    EXPECT_TRUE(dialog.changedAnything());
}

TEST_F(ExchangeWindowTest, AnImportOverAnEditIsOneStepThatUndoTakesBackAndRedoBringsAgain)
{
    openGerman();
    child->textList()->selectRow(rowOfString(child, "IDS_HELLO"));
    frame->translateForm()->translationEdit()->setPlainText(QStringLiteral("Hallo"));
    ASSERT_TRUE(frame->translateForm()->store());
    const auto path = writeSheet({{"IDS_HELLO", "Hello", "Guten Tag"}, {"IDS_BYE", "Goodbye", "Auf Wiedersehen"}});
    whenShown<CWorkbookImportDlg>([](CWorkbookImportDlg* dialog) {
        dialog->importAll();
        dialog->accept();
    });
    ASSERT_TRUE(importWorkbook(frame.get(), *child, feedback, path));
    ASSERT_EQ(german("IDS_HELLO"), "Guten Tag");

    // Undo takes the whole import back and leaves the edit before it.
    trigger(uicmd::Undo);
    EXPECT_EQ(german("IDS_HELLO"), "Hallo");
    EXPECT_EQ(german("IDS_BYE"), "");
    EXPECT_EQ(frame->statusBar()->currentMessage(), QStringLiteral("Undo: import texts.xlsx"));
    EXPECT_EQ(child->textList()->selectedRow(), rowOfString(child, "IDS_HELLO"));  // shows what changed
    EXPECT_EQ(frame->translateForm()->translationEdit()->toPlainText(), QStringLiteral("Hallo"));
    trigger(uicmd::Redo);
    EXPECT_EQ(german("IDS_HELLO"), "Guten Tag");
    EXPECT_EQ(german("IDS_BYE"), "Auf Wiedersehen");
    trigger(uicmd::Undo);
    trigger(uicmd::Undo);
    EXPECT_EQ(german("IDS_HELLO"), "");
}

TEST_F(ExchangeWindowTest, WorksheetWithoutPairsAndRefusedHeaderAskTheCloseQuestion)
{
    openGerman();
    feedback.answer = true;  // "close": nothing is handed to the desktop
    // A sheet whose rows match nothing: the dialog opens, says so, and is closed.
    const auto unmatched = writeSheet({{"IDS_GONE", "Gone", "Weg"}});
    whenShown<CWorkbookImportDlg>([](CWorkbookImportDlg* dialog) {
        EXPECT_FALSE(dialog->nextDown());
        dialog->reject();
    });
    EXPECT_TRUE(importWorkbook(frame.get(), *child, feedback, unmatched));
    EXPECT_TRUE(saidText("No resources with the same ID found."));
    ASSERT_EQ(feedback.askedTexts.size(), 1u);
    EXPECT_EQ(feedback.askedTexts[0], "Import from Excel file '" + unmatched.string() +
                                          "' finished.\nDo you want to close the Excel application ?");

    // Only unknown languages: refused before any dialog, then the other question.
    const auto unknown = writeSheet({{"IDS_HELLO", "Hello", "Hallo"}}, "Klingon");
    EXPECT_TRUE(importWorkbook(frame.get(), *child, feedback, unknown));
    ASSERT_EQ(feedback.askedTexts.size(), 2u);
    EXPECT_EQ(feedback.askedTexts[1], "Import from Excel file '" + unknown.string() +
                                          "'.\nNo text imported. Do you want to close the Excel application ?");

    // Not a workbook at all: reported, no question.
    EXPECT_FALSE(importWorkbook(frame.get(), *child, feedback, dir.write("broken.xlsx", "not a zip")));
    EXPECT_EQ(feedback.askedTexts.size(), 2u);
}

TEST_F(ExchangeWindowTest, ImportFiltersPutTheKindOfTheLastFileFirst)
{
    // Every kind at once comes first, so that any file can be picked at once; the last file's
    // kind follows.
    auto firstFilter = [this](const std::string& last) {
        settings->profile().writeString("SETTINGS", "LastImportFile", last);
        const QStringList filters = importFileFilters(settings->profile());
        EXPECT_EQ(filters.front().toStdString(),
                  "All Supported Files (*.xlsx *.mdb *.rc *.rc* *.xlf *.xliff *.po *.pot)");
        return filters[1].toStdString();
    };
    EXPECT_EQ(firstFilter(""), "Microsoft Excel File (*.xlsx)");
    EXPECT_EQ(firstFilter("/work/app-German.rc"), "Resource Script File (*.rc);;QMK 2.x Translated RC File (*.rc*)");
    EXPECT_EQ(firstFilter("/work/other_rc.MDB"), "Database File (*.mdb)");
    EXPECT_EQ(firstFilter("/work/texts.xlsx"), "Microsoft Excel File (*.xlsx)");
    EXPECT_EQ(firstFilter("/work/app-de.po"), "Gettext PO File (*.po *.pot)");
    EXPECT_EQ(firstFilter("/work/no-extension"), "Microsoft Excel File (*.xlsx)");
    EXPECT_EQ(importFileFilters(settings->profile()).size(), 6);
}

TEST_F(ExchangeWindowTest, AnXliffGoesIntoTheLanguageItStatesAskingOnlyWhenTheCurrentColumnIsAnother)
{
    openGerman();
    CQuillDoc& doc = child->document();
    ASSERT_TRUE(doc.NewTranslation(test::Russian, "app-Russian.rc"));
    QApplication::processEvents();
    std::vector<ExchangeUnit> units = exchangeUnits(doc, German);
    auto translate = [&units](const std::string& ident, const std::string& text) {
        for (ExchangeUnit& unit : units)
            if (unit.ident == ident)
                unit.target = text;
    };
    translate("IDS_HELLO", "Hallo");
    translate("IDS_BYE", "Auf Wiedersehen");
    const std::filesystem::path file = dir / "app-de.xlf";
    std::string problem;
    ASSERT_TRUE(writeExchangeFile(file, ExchangeKind::Xliff, {{"en-US", "de-DE", "app.rc", false}, units}, problem));
    const int germanColumn = doc.rows().columns().columnOfLanguage(German);
    auto marked = [&](const char* ident) {
        return child->textList()->tableModel()->index(rowOfString(child, ident), germanColumn)
            .data(CTextTableModel::MarkRole).toBool();
    };

    // The German column is current: no question and no language list.
    child->textList()->setCurrentLanguage(German);
    ASSERT_TRUE(importTextFile(frame.get(), *child, feedback, settings->profile(), file));
    EXPECT_TRUE(feedback.askedTexts.empty());
    EXPECT_EQ(german("IDS_HELLO"), "Hallo");
    ASSERT_FALSE(feedback.texts.empty());
    EXPECT_EQ(feedback.texts.back(), "Import text from " + file.string() +
                                         "\n2 translations imported.\n\n"
                                         "Changed, and marked in the Text Table: 2 texts\n"
                                         "IDS_HELLO: Hello -> Hallo\nIDS_BYE: Goodbye -> Auf Wiedersehen");
    EXPECT_TRUE(marked("IDS_HELLO"));
    EXPECT_TRUE(marked("IDS_BYE"));
    EXPECT_FALSE(marked("IDS_LAST"));
    EXPECT_TRUE(child->search().marksUntilSearch);

    // Another column is current: asked once, and Yes imports into German all the same; only
    // what this import changed is marked now.
    translate("IDS_LAST", "Letzter");
    ASSERT_TRUE(writeExchangeFile(file, ExchangeKind::Xliff, {{"en-US", "de-DE", "app.rc", false}, units}, problem));
    child->textList()->setCurrentLanguage(test::Russian);
    ASSERT_TRUE(importTextFile(frame.get(), *child, feedback, settings->profile(), file));
    ASSERT_EQ(feedback.askedTexts.size(), 1u);
    EXPECT_NE(feedback.askedTexts[0].find("The file holds German translations (de-DE); the current column is Russian."),
              std::string::npos);
    EXPECT_EQ(german("IDS_LAST"), "Letzter");
    EXPECT_NE(feedback.texts.back().find("1 translation imported."), std::string::npos);
    EXPECT_TRUE(marked("IDS_LAST"));
    EXPECT_FALSE(marked("IDS_HELLO"));
}

TEST_F(ExchangeWindowTest, ColumnChoiceIsKeptForTheNextExportOfTheRun)
{
    openGerman();
    OpenedFiles opened;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &opened, "open");
    const std::filesystem::path target = dir / "export.xlsx";
    // The desktop names a spreadsheet application for workbooks.
    const std::filesystem::path bin = dir / "bin";
    std::filesystem::create_directories(bin);
    dir.write("bin/xdg-mime", "#!/bin/sh\necho calc.desktop\n");
    std::filesystem::permissions(bin / "xdg-mime", std::filesystem::perms::owner_all);
    const std::string path = std::getenv("PATH") ? std::getenv("PATH") : "";
    ::setenv("PATH", (bin.string() + ":" + path).c_str(), 1);

    // First export: every entry offered chosen; only the source column is kept.
    std::vector<int> offered;
    whenShown<CChoiceDlg>([&](CChoiceDlg* choice) {
        offered = choice->chosen();
        for (int i = 0; i < choice->list()->count(); ++i)
            choice->list()->item(i)->setSelected(i == 1);
        whenShown<QFileDialog>([&](QFileDialog* files) {
            files->selectFile(QString::fromStdString(target.string()));
            static_cast<QDialog*>(files)->accept();
        });
        choice->accept();
    });
    trigger(cmd::ExportToExcel);
    EXPECT_EQ(offered, (std::vector<int>{0, 1, 2}));
    ASSERT_TRUE(std::filesystem::exists(target));
    ASSERT_EQ(opened.urls.size(), 1);  // handed to the desktop's spreadsheet application
    EXPECT_EQ(opened.urls[0].toLocalFile().toStdString(), target.string());

    // Second export: the source entry alone is chosen; cancelled.
    whenShown<CChoiceDlg>([&](CChoiceDlg* choice) {
        offered = choice->chosen();
        choice->reject();
    });
    trigger(cmd::ExportToExcel);
    EXPECT_EQ(offered, (std::vector<int>{1}));

    // Without an application for workbooks the person is told where the workbook is.
    dir.write("bin/xdg-mime", "#!/bin/sh\nexit 0\n");
    whenShown<CChoiceDlg>([&](CChoiceDlg* choice) {
        whenShown<QFileDialog>([&](QFileDialog* files) {
            files->selectFile(QString::fromStdString((dir / "second.xlsx").string()));
            static_cast<QDialog*>(files)->accept();
        });
        choice->accept();
    });
    trigger(cmd::ExportToExcel);
    EXPECT_EQ(opened.urls.size(), 1u);
    ASSERT_FALSE(feedback.texts.empty());
    EXPECT_NE(feedback.texts.back().find("The workbook was written to"), std::string::npos);
    ::setenv("PATH", path.c_str(), 1);
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
}

} // namespace qmk

#include "ExchangeWindowTest.moc"
