// The setup window's buttons and the program's command line.
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <array>
#include <cstdio>
#include <memory>

#include "../SetupFixture.h"
#include "setup/CSetupDlg.h"
#include "setup/InstallRecord.h"

namespace qmk::setup::test {

namespace {

struct ProgramRun {
    int status;
    std::string output;
};

ProgramRun runSetup(const std::string& arguments)
{
    ProgramRun run{-1, {}};
    FILE* pipe = ::popen((std::string(QMK32_SETUP_EXE) + " " + arguments + " 2>&1").c_str(), "r");
    std::array<char, 512> buffer{};
    while (std::fgets(buffer.data(), buffer.size(), pipe))
        run.output += buffer.data();
    run.status = ::pclose(pipe);
    return run;
}

} // namespace

class SetupDlgTest : public SetupFixture {
protected:
    void SetUp() override
    {
        static int argc = 1;
        static char name[] = "qmk32-setup";
        static char* argv[] = {name, nullptr};
        app = std::make_unique<QApplication>(argc, argv);
    }
    void TearDown() override { app.reset(); }
    std::unique_ptr<QApplication> app;
};

TEST_F(SetupDlgTest, InstallFollowsTheDestinationAndTheCheckBoxes)
{
    CSetupDlg dialog(options);
    EXPECT_EQ(dialog.destinationEdit()->text().toStdString(), (root / "home/qmk32").string());
    EXPECT_TRUE(dialog.programCheck()->isChecked());
    EXPECT_TRUE(dialog.demoCheck()->isChecked());
    EXPECT_TRUE(dialog.installButton()->isEnabled());

    dialog.destinationEdit()->setText(QStringLiteral("/home/my work"));
    EXPECT_FALSE(dialog.installButton()->isEnabled());
    dialog.destinationEdit()->setText(QStringLiteral("/srv/qmk32"));
    EXPECT_TRUE(dialog.installButton()->isEnabled());
    dialog.programCheck()->setChecked(false);
    EXPECT_TRUE(dialog.installButton()->isEnabled());
    dialog.demoCheck()->setChecked(false);
    EXPECT_FALSE(dialog.installButton()->isEnabled());
    dialog.demoCheck()->setChecked(true);
    EXPECT_TRUE(dialog.installButton()->isEnabled());
}

TEST_F(SetupDlgTest, DeinstallOnlyWhenAnInstallationIsRecorded)
{
    EXPECT_FALSE(CSetupDlg(options).deinstallButton()->isEnabled());
    writeInstallRecord(options.installRecord, "1", "");
    EXPECT_FALSE(CSetupDlg(options).deinstallButton()->isEnabled());
    writeInstallRecord(options.installRecord, "1", "/srv/qmk32");
    EXPECT_TRUE(CSetupDlg(options).deinstallButton()->isEnabled());
}

TEST_F(SetupDlgTest, EveryControlHasANameForScreenReaders)
{
    CSetupDlg dialog(options);
    for (QWidget* child : dialog.findChildren<QWidget*>()) {
        if (child->focusPolicy() == Qt::NoFocus && !qobject_cast<QAbstractButton*>(child))
            continue;
        EXPECT_FALSE(child->accessibleName().isEmpty()) << child->metaObject()->className();
    }
}

TEST(SetupProgramTest, CommandLineOffersOnlyHelpAndVersion)
{
    const ProgramRun help = runSetup("--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.output.rfind("Usage: qmk32-setup", 0), 0u) << help.output;
    const ProgramRun version = runSetup("--version");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.output, std::string("qmk32-setup ") + QMK_VERSION + "\n");
    const ProgramRun unknown = runSetup("--force");
    EXPECT_NE(unknown.status, 0);
    EXPECT_EQ(unknown.output.rfind("qmk32-setup: unknown argument '--force'", 0), 0u) << unknown.output;
}

} // namespace qmk::setup::test
