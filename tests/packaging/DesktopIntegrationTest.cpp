// The files that make Quillmark part of a desktop: the menu entry, the software-centre
// description, the file type of resource scripts and the version they all name.
#include <gtest/gtest.h>

#ifdef QMK32_EXE

#include <regex>
#include <set>

#include "ShellCommand.h"
#include "common/TempDir.h"

namespace qmk {
namespace {

namespace fs = std::filesystem;

const fs::path kData = fs::path(QMK_SOURCE_DIR) / "data";
const fs::path kDesktopFile = kData / (QMK_APP_ID ".desktop");
const fs::path kMimeFile = kData / (QMK_APP_ID ".xml");
const fs::path kMetainfoFile = fs::path(QMK_BINARY_DIR) / "data" / (QMK_APP_ID ".metainfo.xml");

// The value of "Key=" in the desktop entry, or nothing.
std::string desktopValue(const std::string& key)
{
    std::smatch match;
    const std::string entry = test::readFile(kDesktopFile);
    return std::regex_search(entry, match, std::regex("(^|\n)" + key + "=([^\n]*)")) ? match[2].str() : "";
}

} // namespace

TEST(DesktopIntegrationTest, TheValidatorsOfTheDistributionAcceptEveryFile)
{
    if (!test::haveProgram("desktop-file-validate") || !test::haveProgram("appstreamcli"))
        GTEST_SKIP() << "desktop-file-utils or appstream is not installed";
    test::CommandResult desktop = test::runCommand("desktop-file-validate " + test::quoted(kDesktopFile));
    EXPECT_EQ(desktop.status, 0) << desktop.output;
    EXPECT_EQ(desktop.output, "");
    test::CommandResult metainfo = test::runCommand("appstreamcli validate --no-net " + test::quoted(kMetainfoFile));
    EXPECT_EQ(metainfo.status, 0) << metainfo.output;
    if (test::haveProgram("xmllint")) {
        test::CommandResult mime = test::runCommand("xmllint --noout " + test::quoted(kMimeFile));
        EXPECT_EQ(mime.status, 0) << mime.output;
    }
}

TEST(DesktopIntegrationTest, MenuEntryDescriptionAndFileTypeNameEachOther)
{
    const std::string mimeType = desktopValue("MimeType");
    ASSERT_FALSE(mimeType.empty());
    const std::string type = mimeType.substr(0, mimeType.find(';'));
    EXPECT_NE(test::readFile(kMimeFile).find("<mime-type type=\"" + type + "\">"), std::string::npos) << type;
    EXPECT_NE(test::readFile(kMimeFile).find("<glob pattern=\"*.rc\"/>"), std::string::npos);

    const std::string metainfo = test::readFile(kMetainfoFile);
    EXPECT_NE(metainfo.find("<id>" QMK_APP_ID "</id>"), std::string::npos);
    EXPECT_NE(metainfo.find("<launchable type=\"desktop-id\">" QMK_APP_ID ".desktop</launchable>"), std::string::npos);
    EXPECT_NE(metainfo.find("<mediatype>" + type + "</mediatype>"), std::string::npos);
    EXPECT_NE(metainfo.find("<release version=\"" QMK_VERSION "\""), std::string::npos);
    EXPECT_EQ(desktopValue("Icon"), QMK_APP_ID);

    // The menu starts the program that is installed, on the file it was given.
    EXPECT_EQ(desktopValue("Exec"), "qmk32 %f");
}

TEST(DesktopIntegrationTest, DescriptionNamesLicenceHomepageAndTheReadmesScreenshots)
{
    const std::string metainfo = test::readFile(kMetainfoFile);
    ASSERT_EQ(test::readFile(fs::path(QMK_SOURCE_DIR) / "LICENSE").rfind("MIT License\n", 0), 0u);
    EXPECT_NE(metainfo.find("<project_license>MIT</project_license>"), std::string::npos);
    EXPECT_NE(metainfo.find("<url type=\"homepage\">" QMK_HOMEPAGE "</url>"), std::string::npos);

    // Every screenshot is a picture of docs/screenshots, as the repository serves it.
    const std::string base = QMK_SCREENSHOTS_URL "/";
    std::set<std::string> shown;
    const std::regex image("<image>([^<]*)</image>");
    for (auto it = std::sregex_iterator(metainfo.begin(), metainfo.end(), image); it != std::sregex_iterator(); ++it) {
        const std::string url = (*it)[1].str();
        ASSERT_EQ(url.rfind(base, 0), 0u) << url;
        const std::string name = url.substr(base.size());
        EXPECT_TRUE(fs::is_regular_file(fs::path(QMK_SOURCE_DIR) / "docs/screenshots" / name)) << name;
        shown.insert(name);
    }
    EXPECT_EQ(std::regex_search(metainfo, std::regex("<screenshot type=\"default\">")), true);

    const std::string readme = test::readFile(fs::path(QMK_SOURCE_DIR) / "README.md");
    const std::regex picture(R"(\(docs/screenshots/([^)]+\.png)\))");
    int pictures = 0;
    for (auto it = std::sregex_iterator(readme.begin(), readme.end(), picture); it != std::sregex_iterator(); ++it, ++pictures)
        EXPECT_TRUE(shown.count((*it)[1].str())) << (*it)[1].str() << " is not among the screenshots";
    EXPECT_GT(pictures, 0);
}

TEST(DesktopIntegrationTest, VersionIsPrintedWithoutStartingTheWindow)
{
    for (const char* option : {"--version", "-V"}) {
        test::CommandResult version = test::runCommand("DISPLAY= " + test::ownSettings() + " " + test::quoted(QMK32_EXE) + " " + option);
        EXPECT_EQ(version.status, 0) << option;
        EXPECT_EQ(version.output, "qmk32 " QMK_VERSION "\n") << option;
    }
}

} // namespace qmk

#endif // QMK32_EXE
