// What "cmake --install" puts where: the places the menu, the icon theme, the software centre,
// man, Debian's tools and the program itself (its manual, the setup program's demo files) look
// for them, and nothing else in bin.
#include <gtest/gtest.h>

#ifdef QMK_DEMO_DIR

#include <regex>
#include <set>
#include <vector>

#include "ShellCommand.h"
#include "common/TempDir.h"

namespace qmk {
namespace {

namespace fs = std::filesystem;

// The width and height a PNG file declares in its header, or 0 x 0.
std::pair<int, int> pngSize(const fs::path& file)
{
    const std::string bytes = test::readFile(file);
    if (bytes.size() < 24 || bytes.compare(1, 3, "PNG") != 0)
        return {0, 0};
    auto word = [&bytes](std::size_t at) {
        int value = 0;
        for (std::size_t i = at; i < at + 4; ++i)
            value = value * 256 + static_cast<unsigned char>(bytes[i]);
        return value;
    };
    return {word(16), word(20)};
}

class InstallLayoutTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        installDir = new test::TempDir;
        installed = test::runCommand(test::quoted(QMK_CMAKE_COMMAND) + " --install " + test::quoted(QMK_BINARY_DIR) +
                                     " --prefix " + test::quoted(prefix()));
    }
    static void TearDownTestSuite()
    {
        delete installDir;
        installDir = nullptr;
    }
    void SetUp() override { ASSERT_EQ(installed.status, 0) << installed.output; }

    static fs::path prefix() { return installDir->path() / "usr"; }

    static inline test::TempDir* installDir = nullptr;
    static inline test::CommandResult installed;
};

} // namespace

TEST_F(InstallLayoutTest, DesktopFilesAndIconsGoWhereTheDesktopLooks)
{
    const std::string id = QMK_APP_ID;
    const std::vector<std::string> files = {"bin/qmk32", "share/applications/" + id + ".desktop",
                                            "share/metainfo/" + id + ".metainfo.xml", "share/mime/packages/" + id + ".xml",
                                            "share/icons/hicolor/scalable/apps/" + id + ".svg"};
    for (const std::string& file : files)
        EXPECT_TRUE(fs::is_regular_file(prefix() / file)) << file;
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        const std::string folder = std::to_string(size) + "x" + std::to_string(size);
        EXPECT_EQ(pngSize(prefix() / "share/icons/hicolor" / folder / "apps" / (id + ".png")), std::make_pair(size, size))
            << folder;
    }
}

TEST_F(InstallLayoutTest, CopyrightChangelogAndManualPagesGoWhereDebianLooks)
{
    const fs::path doc = prefix() / QMK_DOC_INSTALL_DIR;
    EXPECT_EQ(test::readFile(doc / "copyright"), test::readFile(fs::path(QMK_SOURCE_DIR) / "data/debian/copyright"));
    EXPECT_TRUE(fs::is_regular_file(doc / "changelog.Debian.gz"));
    EXPECT_TRUE(fs::is_regular_file(prefix() / "share/lintian/overrides/qmk32"));
#ifdef QMK_MAN_DIR
    for (const char* page : {"qmk32.1.gz", "qmk32-setup.1.gz"})
        EXPECT_TRUE(fs::is_regular_file(prefix() / "share/man/man1" / page)) << page;
#endif
    // Only the two programs: the developer tools and the demo builder stay in the build.
    std::set<std::string> programs;
    for (const fs::directory_entry& entry : fs::directory_iterator(prefix() / "bin"))
        programs.insert(entry.path().filename().string());
    EXPECT_EQ(programs, (std::set<std::string>{"qmk32", "qmk32-setup"}));
}

TEST_F(InstallLayoutTest, TheProgramFindsItsManualWithEveryPictureItShows)
{
    const fs::path manual = (prefix() / "bin" / QMK_MANUAL_FROM_BINDIR).lexically_normal();
    ASSERT_TRUE(fs::is_regular_file(manual)) << manual;
    const std::string text = test::readFile(manual);
    const std::regex picture(R"(\]\(([^)]+\.png)\))");
    int pictures = 0;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), picture); it != std::sregex_iterator(); ++it, ++pictures)
        EXPECT_TRUE(fs::is_regular_file(manual.parent_path() / (*it)[1].str())) << (*it)[1].str();
    EXPECT_GT(pictures, 0);

    const std::string readMe = test::readFile(manual.parent_path() / "ReadMe.txt");
    EXPECT_NE(readMe.find("Quillmark " QMK_VERSION), std::string::npos);
    EXPECT_EQ(readMe.find('@'), std::string::npos) << "a placeholder was left in ReadMe.txt";
}

TEST_F(InstallLayoutTest, InstalledDemoProjectsAreUpToDateWithTheirScripts)
{
    const fs::path demo = prefix() / "share/qmk32/demoproj";
    for (const char* project : {"demo_rc.mdb", "asiademo_rc.mdb"}) {
        test::CommandResult check = test::runCommand(test::ownSettings() + " " + test::quoted(prefix() / "bin/qmk32") +
                                                     " -D " + test::quoted(demo / project));
        EXPECT_EQ(check.status, 0) << project << "\n" << check.output;
    }
}

} // namespace qmk

#endif // QMK_DEMO_DIR
