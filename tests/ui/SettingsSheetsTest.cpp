// The application's own settings: include-file extensions put in force at once, and which bars
// the main window shows.
#include <QLineEdit>
#include <QListWidget>
#include <QStatusBar>

#include "WindowFixture.h"
#include "app/IncludeExtensions.h"
#include "resources/UiTexts.h"
#include "ui/CAppSettingsSheet.h"
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
