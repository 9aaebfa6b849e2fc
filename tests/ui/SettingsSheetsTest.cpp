// The application's own settings: include-file extensions and the translation memory put in
// force at once, and which bars the main window shows.
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QSpinBox>
#include <QStatusBar>

#include "WindowFixture.h"
#include "app/IncludeExtensions.h"
#include "resources/UiTexts.h"
#include "memory/SqliteMemory.h"
#include "ui/CAppSettingsSheet.h"
#include "ui/CChildFrame.h"
#include "ui/CMemorySettingsPage.h"
#include "ui/CToolbarSettingsSheet.h"

namespace qmk {

using SettingsSheetsTest = test::WindowFixture;

TEST_F(SettingsSheetsTest, IncludeExtensionsAreCheckedAndPutInForce)
{
    std::vector<std::string> inForce{".DLG"};
    bool applied = false;
    CAppSettingsSheet sheet(*settings, feedback, inForce, [&] { applied = true; });
    EXPECT_EQ(sheet.includeFiles()->text(), QStringLiteral("DLG"));
    sheet.includeFiles()->setText(QStringLiteral("dlg; rc2"));
    sheet.accept();
    ASSERT_EQ(feedback.texts.size(), 1u);
    EXPECT_EQ(feedback.texts[0], "Include extension(s) 'dlg; rc2' contains not allowed characters");
    EXPECT_FALSE(applied);
    sheet.includeFiles()->setText(QStringLiteral("dlg, rc2"));
    sheet.accept();
    EXPECT_TRUE(applied);
    EXPECT_EQ(splitIncludeExtensions(settings->includeExtensionSetting()), (std::vector<std::string>{".DLG", ".RC2"}));
}

TEST_F(SettingsSheetsTest, ASettingThatCannotBeStoredIsReportedAndNotPutInForce)
{
    dir.write("not-a-folder", "");
    Settings unwritable(dir / "not-a-folder" / "qmk32.ini");
    std::vector<std::string> inForce{".DLG"};
    bool applied = false;
    CAppSettingsSheet sheet(unwritable, feedback, inForce, [&] { applied = true; });
    sheet.includeFiles()->setText(QStringLiteral("dlg, rc2"));
    sheet.accept();
    EXPECT_FALSE(applied);
    EXPECT_NE(sheet.result(), int(QDialog::Accepted));
    ASSERT_EQ(feedback.texts.size(), 1u);
    EXPECT_NE(feedback.texts[0].find("could not be written"), std::string::npos);
}

// Moved to another file, the memory is fed by the open project from then on; switched off, it
// is fed no more. A memory QMK32_TM names is shown but not stored in the settings file.
TEST_F(SettingsSheetsTest, TheMemoryPageMovesTheMemoryAndSwitchesItOffAtOnce)
{
    CChildFrame* child = openApp();
    ASSERT_NE(child, nullptr);
    CQuillDoc& doc = child->document();
    ASSERT_TRUE(doc.NewTranslation(test::German, "app-German.rc").done());
    const int hello = doc.rows().item(rowOfString(child, "IDS_HELLO")).lineIndex;
    const int bye = doc.rows().item(rowOfString(child, "IDS_BYE")).lineIndex;
    const auto team = dir / "team.db";
    auto applySheet = [&](const std::function<void(CMemorySettingsPage&)>& change) {
        CAppSettingsSheet sheet(*settings, feedback, {".DLG"}, [&] { frame->applyMemorySettings(); });
        change(*sheet.memoryPage());
        sheet.accept();
        EXPECT_EQ(sheet.result(), int(QDialog::Accepted));
    };
    applySheet([&](CMemorySettingsPage& page) {
        EXPECT_EQ(page.location()->text().toStdString(), (dir / "memory.db").string());
        page.location()->setText(QString::fromStdString(team.string()));
        page.minimumScore()->setValue(85);
    });
    EXPECT_EQ(settings->memorySettings().location, team.string());
    EXPECT_EQ(settings->memorySettings().minimumScore, 85);
    ASSERT_TRUE(doc.storeTranslation(hello, test::German, "Hallo").done());
    EXPECT_EQ(SqliteMemory(team).size(), 1);

    applySheet([](CMemorySettingsPage& page) { page.useMemory()->setChecked(false); });
    EXPECT_FALSE(settings->memorySettings().enabled);
    ASSERT_TRUE(doc.storeTranslation(bye, test::German, "Tschüss").done());
    EXPECT_EQ(SqliteMemory(team).size(), 1);

    setenv("QMK32_TM", (dir / "session.db").c_str(), 1);
    applySheet([](CMemorySettingsPage& page) {
        EXPECT_FALSE(page.location()->isEnabled());
        page.useMemory()->setChecked(true);
    });
    unsetenv("QMK32_TM");
    EXPECT_EQ(settings->memorySettings().location, team.string());
    EXPECT_TRUE(settings->memorySettings().enabled);
}

TEST_F(SettingsSheetsTest, UncheckingTheStatusbarHidesItAndAnUnchangedOkChangesNothing)
{
    frame->show();
    QApplication::processEvents();
    QStatusBar* status = frame->statusBar();
    auto sheetFor = [&] { return std::make_unique<CToolbarSettingsSheet>(std::vector<CToolbarSettingsSheet::Bar>{{QString::fromUtf8(txt::BarStatusbar), status}}); };
    auto sheet = sheetFor();
    ASSERT_EQ(sheet->list()->item(0)->checkState(), Qt::Checked);
    sheet->list()->item(0)->setCheckState(Qt::Unchecked);
    sheet->accept();
    EXPECT_TRUE(status->isHidden());
    sheet = sheetFor();
    EXPECT_EQ(sheet->list()->item(0)->checkState(), Qt::Unchecked);
    sheet->accept();
    EXPECT_TRUE(status->isHidden());
}

} // namespace qmk
