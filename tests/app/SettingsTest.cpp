#include <gtest/gtest.h>
#include <sys/stat.h>

#include "app/IncludeExtensions.h"
#include "app/ProfileFile.h"
#include "app/ProjectFileList.h"
#include "app/Settings.h"
#include "common/RecordingFeedback.h"
#include "common/TempDir.h"
#include "resources/MessageIds.h"

namespace qmk {

using test::readFile;
using test::TempDir;

TEST(ProfileFileTest, HandEditedFileIsReadAndKeepsWhatTheProgramDoesNotOwn)
{
    TempDir dir;
    auto path = dir.write("qmk32.ini",
                          "; my notes\r\n"
                          "[other tool]\r\n"
                          "colour = blue\r\n"
                          "\r\n"
                          "[path]\r\n"
                          "  project =  /home/me/work  \r\n"
                          "[FindString]\r\n"
                          "wholeword=1\r\n"
                          "quoted=\"  padded  \"\r\n");
    ProfileFile ini(path);
    EXPECT_EQ(ini.getString("PATH", "PROJECT", ""), "/home/me/work");
    EXPECT_EQ(ini.getInt("FINDSTRING", "WholeWord", 0), 1);
    EXPECT_EQ(ini.getInt("FINDSTRING", "MatchCase", 7), 7);
    EXPECT_EQ(ini.getString("findstring", "quoted", ""), "  padded  ");

    ASSERT_TRUE(ini.writeString("Path", "Project", "/srv/rc"));
    ASSERT_TRUE(ini.writeInt("FINDSTRING", "MatchCase", 1));
    ASSERT_TRUE(ini.writeString("PROJECTFILES", "File0", "/srv/rc/app.rc"));

    EXPECT_EQ(readFile(path),
              "; my notes\r\n"
              "[other tool]\r\n"
              "colour = blue\r\n"
              "\r\n"
              "[path]\r\n"
              "project=/srv/rc\r\n"
              "[FindString]\r\n"
              "wholeword=1\r\n"
              "quoted=\"  padded  \"\r\n"
              "MatchCase=1\r\n"
              "[PROJECTFILES]\r\n"
              "File0=/srv/rc/app.rc\r\n");
}

TEST(ProfileFileTest, WriteKeepsChangesMadeByHandWhileRunning)
{
    TempDir dir;
    auto path = dir.write("qmk32.ini", "[A]\nx=1\n");
    ProfileFile ini(path);
    dir.write("qmk32.ini", "[A]\nx=1\n[Hand]\nadded=yes\n");
    ASSERT_TRUE(ini.writeString("A", "y", "2"));
    EXPECT_EQ(readFile(path), "[A]\nx=1\ny=2\n[Hand]\nadded=yes\n");
}

TEST(ProfileFileTest, WriteThatCannotReachTheDiskReportsFailure)
{
    TempDir dir;
    dir.write("blocker", "a plain file where a folder should be");
    ProfileFile ini(dir / "blocker" / "qmk32.ini");
    EXPECT_FALSE(ini.writeString("A", "x", "2"));
    EXPECT_EQ(readFile(dir / "blocker"), "a plain file where a folder should be");
}

TEST(ProfileFileTest, APipeOrADeviceInTheSettingsPlaceGivesTheDefaultsAtOnceAndSaysWhy)
{
    test::TempDir dir;
    const std::filesystem::path fifo = dir / "fifo.ini";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::filesystem::create_symlink("/dev/zero", dir / "zero.ini");
    for (const std::filesystem::path& path : {fifo, dir / "zero.ini"}) {
        Settings settings(path);  // neither waits for a writer nor reads without end
        EXPECT_NE(settings.profile().problem().find("not a regular file"), std::string::npos) << path;
        EXPECT_EQ(settings.includeExtensionSetting(), "DLG");
        EXPECT_FALSE(settings.profile().writeString("X", "Y", "1"));  // and is never replaced
        EXPECT_FALSE(std::filesystem::is_regular_file(path));
    }
    Settings missing(dir / "none.ini");
    EXPECT_TRUE(missing.profile().problem().empty());  // a missing file is an empty profile
}

TEST(SettingsTest, DefaultsAndFaceNameCutTo31Characters)
{
    TempDir dir;
    Settings settings(dir / "qmk32.ini");
    LogFont font = settings.readSplitWindowFont();
    EXPECT_EQ(font.height, -12);
    EXPECT_EQ(font.weight, 400);
    EXPECT_EQ(font.faceName, "Arial");

    font.faceName = std::string(40, 'F');
    font.italic = 1;
    ASSERT_TRUE(settings.writeSplitWindowFont(font));
    Settings again(dir / "qmk32.ini");
    LogFont back = again.readSplitWindowFont();
    EXPECT_EQ(back.faceName, std::string(31, 'F'));
    EXPECT_EQ(back.italic, 1);
}

TEST(SettingsTest, SettingsFileNamedByEnvironment)
{
    setenv("QMK32_INI", "/tmp/elsewhere.ini", 1);
    EXPECT_EQ(settingsFilePath(), "/tmp/elsewhere.ini");
    unsetenv("QMK32_INI");
    setenv("XDG_CONFIG_HOME", "/tmp/xdg", 1);
    EXPECT_EQ(settingsFilePath(), "/tmp/xdg/qmk32/qmk32.ini");
}

TEST(IncludeExtensionsTest, SplittingNormalisesEachEntry)
{
    EXPECT_EQ(splitIncludeExtensions("dlg, .Rc2"), (std::vector<std::string>{".DLG", ".RC2"}));
    EXPECT_EQ(splitIncludeExtensions("  dlg,,rc2 ,  .dlg2"), (std::vector<std::string>{".DLG", ".RC2", ".DLG"}));
    EXPECT_EQ(splitIncludeExtensions("*.dlg *"), (std::vector<std::string>{".DLG"}));
    EXPECT_TRUE(splitIncludeExtensions(" , . ,").empty());
}

TEST(IncludeExtensionsTest, EmptySettingBecomesDlgAndIsWrittenBack)
{
    TempDir dir;
    Settings settings(dir / "qmk32.ini");
    EXPECT_EQ(settings.includeExtensionSetting(), "DLG");
    EXPECT_EQ(ProfileFile(dir / "qmk32.ini").getString("RCINCLUDE_EXT", "RCINCLUDE_FILES_EXT", ""), "DLG");
}

TEST(IncludeExtensionsTest, ReservedExtensionsFailWithMessage570InReservedOrder)
{
    test::RecordingFeedback fb;
    EXPECT_FALSE(checkIncludeExtensions(splitIncludeExtensions("DLG, h"), fb));
    ASSERT_EQ(fb.said.size(), 1u);
    EXPECT_EQ(fb.said[0].id, msg::WrongIncludeExtensions);
    EXPECT_EQ(fb.said[0].text, "Read include extensions from INI file.\n.H  \nWrong extension(s).");
    EXPECT_EQ(fb.said[0].icon, Icon::Stop);

    EXPECT_EQ(reservedIncludeExtensions(splitIncludeExtensions("cpp dlg bmp h")),
              (std::vector<std::string>{".H", ".CPP", ".BMP"}));
    test::RecordingFeedback quiet;
    EXPECT_TRUE(checkIncludeExtensions(splitIncludeExtensions("dlg, rc2"), quiet));
    EXPECT_TRUE(quiet.said.empty());
}

TEST(IncludeExtensionsTest, TheTypedTextIsCheckedForItsCharactersThenEachExtension)
{
    EXPECT_EQ(includeExtensionTextProblem("dlg, rc2"), "");
    EXPECT_EQ(includeExtensionTextProblem("  "), "");  // empty: the default list
    EXPECT_EQ(includeExtensionTextProblem("dlg; rc2"), "Include extension(s) 'dlg; rc2' contains not allowed characters");
    EXPECT_EQ(includeExtensionTextProblem("dlg .rc2"), "Include extension(s) 'dlg .rc2' contains not allowed characters");
    EXPECT_EQ(includeExtensionTextProblem("dlg, dlgx"), "Include extension 'dlgx' is not accepted as a resource include file");
    EXPECT_EQ(includeExtensionTextProblem("h"), "Include extension 'h' is not accepted as a resource include file");

    TempDir dir;
    Settings settings(dir / "qmk32.ini");
    ASSERT_TRUE(settings.setIncludeExtensionSetting("  dlg, rc2 "));
    EXPECT_EQ(settings.includeExtensionSetting(), "dlg, rc2");
    ASSERT_TRUE(settings.setIncludeExtensionSetting(""));
    EXPECT_EQ(splitIncludeExtensions(settings.includeExtensionSetting()), (std::vector<std::string>{".DLG"}));
}

TEST(ProjectFileListTest, ThirtySlotsMatchedIgnoringCaseAndKeptInRealCase)
{
    TempDir dir;
    ProfileFile ini(dir / "qmk32.ini");
    for (int i = 0; i < kProjectFileSlots; ++i)
        ASSERT_TRUE(AddProjectFile(ini, "/p/App" + std::to_string(i) + ".rc"));
    EXPECT_FALSE(AddProjectFile(ini, "/p/Thirty-first.rc"));
    EXPECT_TRUE(AddProjectFile(ini, "/P/APP3.RC"));  // same file, its slot is reused
    ASSERT_TRUE(RemoveProjectFile(ini, "/p/app5.RC"));
    EXPECT_EQ(ReadProjectFiles(ini).size(), 29u);
    EXPECT_TRUE(AddProjectFile(ini, "/p/Thirty-first.rc"));  // into the slot set free

    auto list = ReadProjectFiles(ini);
    ASSERT_EQ(list.size(), 30u);
    EXPECT_EQ(list[0], "/p/App0.rc");
    EXPECT_EQ(list[3], "/P/APP3.RC");

    ASSERT_TRUE(WriteProjectFiles(ini, {"/x/One.rc", "/x/Two.rc"}));
    EXPECT_EQ(ReadProjectFiles(ini), (std::vector<std::string>{"/x/One.rc", "/x/Two.rc"}));
    EXPECT_TRUE(AddProjectFile(ini, "/x/Three.rc"));
    EXPECT_EQ(ReadProjectFiles(ini).back(), "/x/Three.rc");
}

} // namespace qmk
