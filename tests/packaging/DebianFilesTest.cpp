// The files that make the package one Debian accepts: the machine-readable copyright with the
// licence of everything shipped, the Debian changelog of this version, and the manual pages
// made from the programs' own --help, each compressed so that every build writes the same bytes.
#include <gtest/gtest.h>

#ifdef QMK_DEMO_DIR

#include <fnmatch.h>

#include <algorithm>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <vector>

#include "ShellCommand.h"
#include "common/TempDir.h"

namespace qmk {
namespace {

namespace fs = std::filesystem;

const fs::path kSource = QMK_SOURCE_DIR;
const fs::path kCopyright = kSource / "data/debian/copyright";

// One paragraph of a control-style file: field name -> value, continuation lines joined with
// "\n" and without their leading space (a line of " ." is an empty line).
using Paragraph = std::map<std::string, std::string>;

std::vector<Paragraph> paragraphsOf(const std::string& text)
{
    std::vector<Paragraph> paragraphs(1);
    std::string field;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.empty()) {
            if (!paragraphs.back().empty())
                paragraphs.emplace_back();
            field.clear();
        } else if (line[0] == ' ' || line[0] == '\t') {
            const std::string part = line.substr(1);
            paragraphs.back()[field] += "\n" + (part == "." ? std::string() : part);
        } else if (const std::size_t colon = line.find(':'); colon != std::string::npos) {
            field = line.substr(0, colon);
            std::string value = line.substr(colon + 1);
            value.erase(0, value.find_first_not_of(' '));
            paragraphs.back()[field] = value;
        }
    }
    if (paragraphs.back().empty())
        paragraphs.pop_back();
    return paragraphs;
}

// The licence names of an expression such as "MIT and (CC-BY-SA-3.0 or LGPL-3)".
std::set<std::string> licenceNames(const std::string& expression)
{
    std::set<std::string> names;
    std::istringstream words(std::regex_replace(expression.substr(0, expression.find('\n')), std::regex("[()]"), " "));
    std::string word;
    while (words >> word)
        if (word != "and" && word != "or")
            names.insert(word);
    return names;
}

// The source tree's files (as "dir/name"), without build folders and version control.
std::vector<std::string> sourceFiles()
{
    std::vector<std::string> files;
    for (auto it = fs::recursive_directory_iterator(kSource); it != fs::recursive_directory_iterator(); ++it) {
        const std::string name = it->path().filename().string();
        if (it->is_directory() && (name == ".git" || name.rfind("build", 0) == 0 || name == "out")) {
            it.disable_recursion_pending();
            continue;
        }
        if (it->is_regular_file())
            files.push_back(fs::relative(it->path(), kSource).generic_string());
    }
    return files;
}

std::string decompressed(const fs::path& file)
{
    test::CommandResult result = test::runCommand("gzip -dc " + test::quoted(file));
    EXPECT_EQ(result.status, 0) << file << "\n" << result.output;
    return result.output;
}

// What "gzip -9n" writes: best compression, and no file name or time in the header.
void expectReproducibleGzip(const fs::path& file)
{
    const std::string bytes = test::readFile(file);
    ASSERT_GE(bytes.size(), 10u) << file;
    EXPECT_EQ(bytes.substr(0, 2), "\x1f\x8b") << file;
    EXPECT_EQ(bytes[3] & 0x08, 0) << file << ": the header names the file";
    EXPECT_EQ(bytes.substr(4, 4), std::string(4, '\0')) << file << ": the header holds a time";
    EXPECT_EQ(bytes[8], 2) << file << ": not compressed with -9";
}

} // namespace

TEST(CopyrightFileTest, EveryParagraphNamesFilesThatExistAndLicencesGivenInFull)
{
    const std::vector<Paragraph> paragraphs = paragraphsOf(test::readFile(kCopyright));
    ASSERT_FALSE(paragraphs.empty());
    EXPECT_EQ(paragraphs[0].at("Format"), "https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/");
    EXPECT_EQ(paragraphs[0].at("Upstream-Name"), "Quillmark");
    EXPECT_EQ(paragraphs[0].at("Source"), QMK_HOMEPAGE);

    const std::vector<std::string> files = sourceFiles();
    std::set<std::string> used, given;
    for (const Paragraph& paragraph : paragraphs) {
        if (paragraph.count("Files")) {
            EXPECT_TRUE(paragraph.count("Copyright")) << paragraph.at("Files");
            ASSERT_TRUE(paragraph.count("License")) << paragraph.at("Files");
            const std::set<std::string> names = licenceNames(paragraph.at("License"));
            used.insert(names.begin(), names.end());
            std::istringstream patterns(paragraph.at("Files"));
            std::string pattern;
            while (patterns >> pattern) {
                const bool matched = std::any_of(files.begin(), files.end(), [&pattern](const std::string& file) {
                    return fnmatch(pattern.c_str(), file.c_str(), 0) == 0;
                });
                EXPECT_TRUE(matched) << "no file is " << pattern;
            }
        } else if (paragraph.count("License")) {
            const std::string& licence = paragraph.at("License");
            const std::size_t newline = licence.find('\n');
            EXPECT_NE(newline, std::string::npos) << licence << " has no text";
            given.insert(licence.substr(0, newline));
        }
    }
    EXPECT_EQ(used, given);
}

TEST(CopyrightFileTest, TheProgramsLicenceIsTheRepositorysWordForWord)
{
    const std::vector<Paragraph> paragraphs = paragraphsOf(test::readFile(kCopyright));
    const std::string licence = test::readFile(kSource / "LICENSE");
    ASSERT_EQ(licence.rfind("MIT License\n", 0), 0u);
    const std::size_t permission = licence.find("Permission is hereby granted");
    ASSERT_NE(permission, std::string::npos);

    std::smatch holder;
    ASSERT_TRUE(std::regex_search(licence, holder, std::regex("Copyright \\(c\\) ([^\n]+)")));
    bool everything = false, text = false;
    for (const Paragraph& paragraph : paragraphs) {
        if (paragraph.count("Files") && paragraph.at("Files") == "*") {
            everything = true;
            EXPECT_EQ(paragraph.at("License"), "MIT");
            EXPECT_EQ(paragraph.at("Copyright"), holder[1].str());
        }
        if (!paragraph.count("Files") && paragraph.count("License") && paragraph.at("License").rfind("MIT\n", 0) == 0) {
            text = true;
            EXPECT_EQ(paragraph.at("License").substr(4) + "\n", licence.substr(permission));
        }
    }
    EXPECT_TRUE(everything) << "no Files: * paragraph";
    EXPECT_TRUE(text) << "no text of the MIT licence";
}

TEST(DebianChangelogTest, NewestEntryIsThisVersionAndTheInstalledFileIsReproducible)
{
    const std::string changelog = test::readFile(kSource / "data/debian/changelog");
    std::smatch entry;
    ASSERT_TRUE(std::regex_search(changelog, entry, std::regex("^qmk32 \\(([^)]+)\\) [a-z-]+; urgency=[a-z]+\n")));
    EXPECT_EQ(entry[1].str(), QMK_VERSION "-" QMK_DEBIAN_RELEASE);
    // The trailer of the newest entry: maintainer and an RFC 2822 date.
    EXPECT_TRUE(std::regex_search(
        changelog, std::regex("\n -- [^<\n]+ <[^>@\n]+@[^>\n]+>  [A-Z][a-z]{2}, \\d{2} [A-Z][a-z]{2} \\d{4} "
                              "\\d{2}:\\d{2}:\\d{2} [+-]\\d{4}\n")));

    const fs::path built = fs::path(QMK_BINARY_DIR) / "data/changelog.Debian.gz";
    EXPECT_EQ(decompressed(built), changelog);
    expectReproducibleGzip(built);
}

#ifdef QMK_MAN_DIR

namespace {

const fs::path kManDir = QMK_MAN_DIR;

// A manual page's text without font changes and with its hyphens as typed.
std::string plainText(const std::string& roff)
{
    std::string text = std::regex_replace(roff, std::regex(R"(\\f[BIRP]|\\[,/&])"), "");
    return std::regex_replace(text, std::regex(R"(\\-)"), "-");
}

std::string helpOf(const std::string& program)
{
    test::CommandResult help = test::runCommand("DISPLAY= WAYLAND_DISPLAY= QT_QPA_PLATFORM= " + test::ownSettings() + " " +
                                                test::quoted(program) + " --help");
    EXPECT_EQ(help.status, 0) << help.output;
    return help.output;
}

} // namespace

TEST(ManualPageTest, Qmk32PageListsEveryOperationItsHelpPrints)
{
    const fs::path file = kManDir / "qmk32.1.gz";
    expectReproducibleGzip(file);
    const std::string page = decompressed(file);
    EXPECT_NE(page.find(".TH QMK32 \"1\""), std::string::npos);
    EXPECT_NE(page.find("\"qmk32 " QMK_VERSION "\""), std::string::npos);
    for (const char* section : {".SH NAME\nqmk32 \\- ", ".SH SYNOPSIS", ".SH OPERATIONS", ".SH \"EXIT STATUS\"", ".SH FILES"})
        EXPECT_NE(page.find(section), std::string::npos) << section;

    // Each operation a tagged paragraph of its own, its flag in bold.
    const std::string help = helpOf(QMK32_EXE);
    const std::regex operation(R"(Command '[^']+':\s+(/[A-Z][A-Z-]*))");
    int operations = 0;
    for (auto it = std::sregex_iterator(help.begin(), help.end(), operation); it != std::sregex_iterator(); ++it, ++operations) {
        // roff writes a flag's hyphen as "\-".
        const std::string flag = std::regex_replace((*it)[1].str(), std::regex("-"), "\\-");
        EXPECT_NE(page.find(".TP\n\\fB" + flag + "\\fR"), std::string::npos) << flag;
    }
    EXPECT_GT(operations, 10);
    // Both usage lines are the synopsis; the operations take no file before them.
    const std::string plain = plainText(page);
    EXPECT_NE(plain.find(".B qmk32\n[file.rc | file.mdb]\n.br\n.B qmk32\n/OPERATION parameters"), std::string::npos)
        << plain;
    EXPECT_NE(page.find(".SH ENVIRONMENT\n"), std::string::npos);
    EXPECT_NE(page.find(".B QMK32_TM\n"), std::string::npos) << "the translation memory's variable";
}

TEST(ManualPageTest, SetupPageCarriesEveryOptionItsHelpPrints)
{
    const fs::path file = kManDir / "qmk32-setup.1.gz";
    expectReproducibleGzip(file);
    const std::string page = decompressed(file);
    EXPECT_NE(page.find(".TH QMK32-SETUP \"1\""), std::string::npos);
    EXPECT_NE(page.find(".SH NAME\nqmk32-setup \\- "), std::string::npos);
    const std::string plain = plainText(page);
    // Every usage line is a line of the synopsis, none a paragraph of the description.
    const std::string synopsis = plain.substr(0, plain.find(".SH DESCRIPTION"));
    for (const char* usage : {"--help | --version", "--install <folder>", "--deinstall <folder>"})
        EXPECT_NE(synopsis.find(usage), std::string::npos) << usage << "\n" << synopsis;
    const std::string help = helpOf(QMK32_SETUP_EXE);
    const std::regex option(R"(--[a-z][a-z-]*)");
    int options = 0;
    for (auto it = std::sregex_iterator(help.begin(), help.end(), option); it != std::sregex_iterator(); ++it, ++options)
        EXPECT_NE(plain.find(it->str()), std::string::npos) << it->str();
    EXPECT_GE(options, 2);
}

TEST(ManualPageTest, PagesRenderWithoutWarnings)
{
    if (!test::haveProgram("man"))
        GTEST_SKIP() << "man-db is not installed";
    for (const char* name : {"qmk32.1.gz", "qmk32-setup.1.gz"}) {
        // The check lintian runs on every page.
        test::CommandResult rendered = test::runCommand(
            "(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z " +
            test::quoted(kManDir / name) + " 2>&1 >/dev/null)");
        EXPECT_EQ(rendered.status, 0) << name;
        EXPECT_EQ(rendered.output, "") << name;
    }
}

#endif // QMK_MAN_DIR

} // namespace qmk

#endif // QMK_DEMO_DIR
