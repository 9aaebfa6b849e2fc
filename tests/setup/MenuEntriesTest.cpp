// The menu entries as the desktop reads them.
#include <array>
#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "SetupFixture.h"
#include "setup/MenuEntries.h"

namespace qmk::setup::test {

namespace {

std::string lineStarting(const fs::path& file, const std::string& start)
{
    std::ifstream in(file);
    for (std::string line; std::getline(in, line);)
        if (line.rfind(start, 0) == 0)
            return line;
    return {};
}

// Runs desktop-file-validate; its output, or nullopt when the tool is not installed.
std::optional<std::pair<int, std::string>> validate(const fs::path& file)
{
    if (std::system("command -v desktop-file-validate >/dev/null 2>&1") != 0)
        return std::nullopt;
    std::string output;
    FILE* pipe = ::popen(("desktop-file-validate '" + file.string() + "' 2>&1").c_str(), "r");
    std::array<char, 512> buffer{};
    while (std::fgets(buffer.data(), buffer.size(), pipe))
        output += buffer.data();
    const int status = ::pclose(pipe);
    return std::make_pair(status, output);
}

} // namespace

using SetupMenuEntriesTest = SetupFixture;

TEST_F(SetupMenuEntriesTest, EntriesPassTheDesktopValidator)
{
    // Characters the Exec rules treat specially, in a destination without blanks.
    destination = root / "home/a$b%c\"d";
    ASSERT_EQ(install(true, false).end, InstallEnd::Complete);
    const fs::path applications = root / "data/applications";
    EXPECT_EQ(lineStarting(applications / "lexmoor-qmk32.desktop", "Exec="),
              "Exec=\"" + (root / "home").string() + "/a\\\\$b%%c\\\\\"d/qmk32\" %F");
    EXPECT_EQ(lineStarting(applications / "lexmoor-qmk32-help.desktop", "Name="), "Name=Quillmark Help");
    EXPECT_EQ(lineStarting(applications / "lexmoor-qmk32-readme.desktop", "Exec="),
              "Exec=xdg-open \"" + (root / "home").string() + "/a\\\\$b%%c\\\\\"d/ReadMe.txt\"");

    for (const fs::path& file : programGroupFiles(options.menus)) {
        if (file.extension() == ".menu")
            continue;
        const auto verdict = validate(file);
        if (!verdict)
            GTEST_SKIP() << "desktop-file-validate is not installed (Debian package desktop-file-utils)";
        EXPECT_EQ(verdict->first, 0) << file << "\n" << verdict->second;
        EXPECT_EQ(verdict->second.find("error"), std::string::npos) << file << "\n" << verdict->second;
    }
}

TEST_F(SetupMenuEntriesTest, MenuPutsTheItemsIntoTheGroupsSubmenu)
{
    ASSERT_EQ(install(true, false).end, InstallEnd::Complete);
    const std::string menu = qmk::test::readFile(root / "config/menus/applications-merged/lexmoor.menu");
    EXPECT_NE(menu.find("<Name>Lexmoor</Name>"), std::string::npos);
    EXPECT_NE(menu.find("<Directory>lexmoor.directory</Directory>"), std::string::npos);
    for (const char* entry : {"lexmoor-qmk32.desktop", "lexmoor-qmk32-help.desktop", "lexmoor-qmk32-readme.desktop"}) {
        EXPECT_NE(menu.find(std::string("<Filename>") + entry + "</Filename>"), std::string::npos) << entry;
        EXPECT_EQ(lineStarting(root / "data/applications" / entry, "Icon="), "Icon=io.github.lexmoor.Quillmark");
    }
    EXPECT_EQ(lineStarting(root / "data/desktop-directories/lexmoor.directory", "Name="), "Name=Lexmoor");
}

TEST_F(SetupMenuEntriesTest, MenuThatCannotBeWrittenLeavesNoHalfGroup)
{
    fs::create_directories(root / "config/menus");
    std::ofstream(root / "config/menus/applications-merged") << "a file where the folder belongs";
    const InstallResult result = install(true, false);
    EXPECT_EQ(result.end, InstallEnd::GroupFailed);
    EXPECT_FALSE(result.closeProgram);
    EXPECT_EQ(feedback.messageTexts(), std::vector<std::string>{"Program Manager: Cannot create Groupe"});
    EXPECT_FALSE(fs::exists(root / "data/applications/lexmoor-qmk32.desktop"));
}

} // namespace qmk::setup::test
