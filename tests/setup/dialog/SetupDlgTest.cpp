// The setup window's buttons and the program's command line.
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <array>
#include <cstdio>
#include <fstream>
#include <memory>
#include <sys/wait.h>

#include "../SetupFixture.h"
#include "setup/CSetupDlg.h"
#include "setup/InstallRecord.h"

namespace qmk::setup::test {

namespace {

struct ProgramRun {
    int status;
    std::string output;
};

ProgramRun runCommand(const std::string& command)
{
    ProgramRun run{-1, {}};
    FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
    std::array<char, 512> buffer{};
    while (std::fgets(buffer.data(), buffer.size(), pipe))
        run.output += buffer.data();
    const int status = ::pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

ProgramRun runSetup(const std::string& arguments)
{
    return runCommand(std::string(QMK32_SETUP_EXE) + " " + arguments);
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

TEST_F(SetupDlgTest, ChangedDemoQuestionKeepsTheProjectUnlessOverwriteIsChosen)
{
    ASSERT_EQ(install().end, InstallEnd::Complete);
    std::ofstream(destination / "demoproj/demo.rc", std::ios::app) << "// mine";
    CSetupDlg dialog(options);
    dialog.destinationEdit()->setText(QString::fromStdString(destination.string()));

    // Answers every message box with its default button (Enter), noting the question.
    QStringList keepButtons;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* box = qobject_cast<QMessageBox*>(widget);
            if (!box || !box->isVisible())
                continue;
            if (box->text().contains(QStringLiteral("keep your changed demo project")))
                keepButtons << box->defaultButton()->text() << box->escapeButton()->text();
            box->defaultButton() ? box->defaultButton()->click() : box->accept();
        }
    });
    answer.start(10);
    dialog.installButton()->click();
    EXPECT_EQ(keepButtons, (QStringList{QStringLiteral("&Keep my changed demo project"),
                                        QStringLiteral("&Keep my changed demo project")}));
    EXPECT_EQ(qmk::test::readFile(destination / "demoproj/demo.rc"), standInContent("demo.rc") + "// mine");
}

// The program itself, copied beside a distribution and run without any display.
class SetupProgramRunTest : public SetupFixture {
protected:
    SetupProgramRunTest() { fs::copy_file(QMK32_SETUP_EXE, source / "qmk32-setup"); }
    ProgramRun setup(const std::string& arguments)
    {
        return runCommand("env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " + (source / "qmk32-setup").string() + " " +
                        arguments);
    }
};

TEST_F(SetupProgramRunTest, InstallsAndDeinstallsWithoutADisplay)
{
    const ProgramRun installed = setup("--install " + destination.string());
    EXPECT_EQ(installed.status, 0) << installed.output;
    EXPECT_NE(installed.output.find("Copy \"korea.bmp\" to"), std::string::npos) << installed.output;
    EXPECT_EQ(qmk::test::readFile(destination / "qmk32"), standInContent("qmk32"));

    const ProgramRun removed = setup("--deinstall " + destination.string());
    EXPECT_EQ(removed.status, 0) << removed.output;
    EXPECT_FALSE(fs::exists(destination));

    fs::create_directories(destination / "demoproj");
    fs::create_directory_symlink(root / "home", destination / "demoproj/german");
    const ProgramRun refused = setup("--install " + destination.string() + " --demo");
    EXPECT_EQ(refused.status, 1) << refused.output;
    EXPECT_NE(refused.output.find((destination / "demoproj/german").string() + " is a symbolic link"), std::string::npos);
    EXPECT_FALSE(fs::exists(root / "home/gdemo.rc"));
    EXPECT_EQ(setup("--install").status, 2);
}

TEST(SetupProgramTest, CommandLineAnswersHelpVersionAndUnknownArguments)
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
