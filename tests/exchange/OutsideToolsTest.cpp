// The exchange files as other programs read them: a workbook converted by LibreOffice, an XLIFF
// file read by translate-toolkit, a PO file translated by gettext's own tools and imported
// back. Each test is skipped where its program is not installed.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "common/RecordingFeedback.h"
#include "common/TempDir.h"
#include "exchange/PlatformExchange.h"
#include "exchange/WorkbookExport.h"
#include "project/CQuillDoc.h"
#include "project/TextTableRows.h"
#include "writer/TranslatedScripts.h"

namespace qmk {
namespace {

constexpr LanguageId German{7, 1};

const char* const kScript =
    "IDD_ABOUT DIALOG 0, 0, 200, 100\nCAPTION \"About \"\"Demo\"\"\"\nBEGIN\n"
    "    LTEXT \"Name:\", IDC_STATIC, 10, 10, 50, 8\n    DEFPUSHBUTTON \"OK\", IDOK, 140, 80, 50, 14\nEND\n"
    "STRINGTABLE\nBEGIN\n    IDS_HELLO \"Hello, world\"\n    IDS_TWO \"First line\\nSecond line\"\n"
    "    IDS_BYE \"Goodbye\"\nEND\n";

bool installed(const std::string& program)
{
    return std::system(("command -v " + program + " > /dev/null 2>&1").c_str()) == 0;
}

std::string quoted(const std::filesystem::path& path) { return "'" + path.string() + "'"; }

class OutsideToolsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        doc = std::make_unique<CQuillDoc>(feedback, std::vector<std::string>{});
        ASSERT_TRUE(doc->OnOpenDocument(dir.write("app.rc", kScript)));
        ASSERT_TRUE(doc->NewTranslation(German, "app-German.rc"));
        ASSERT_TRUE(doc->reloadRows().done());
    }
    // Runs a shell command with its errors in a log; the log's text when it failed.
    std::string run(const std::string& command)
    {
        const std::filesystem::path log = dir / "tool.log";
        if (std::system((command + " > " + quoted(log) + " 2>&1").c_str()) == 0)
            return {};
        return "failed: " + command + "\n" + test::readFile(log);
    }
    std::filesystem::path writeUnits(const char* name)
    {
        const std::filesystem::path path = dir / name;
        std::string problem;
        EXPECT_TRUE(writeExchangeFile(path, exchangeFormatOf(path)->kind, exchangeDocument(*doc, German), problem))
            << problem;
        return path;
    }
    // The entries of a PO file, its header left out.
    static int poEntries(const std::filesystem::path& path)
    {
        std::istringstream lines(test::readFile(path));
        int entries = 0;
        bool header = true;
        for (std::string line; std::getline(lines, line);)
            if (line.rfind("msgid ", 0) == 0) {
                entries += header && line == "msgid \"\"" ? 0 : 1;
                header = false;
            } else if (line.rfind("msgstr", 0) == 0 || line.empty()) {
                header = header && line.empty() ? header : false;
            }
        return entries;
    }

    test::TempDir dir;
    test::RecordingFeedback feedback;
    std::unique_ptr<CQuillDoc> doc;
};

// The cells of a CSV file that LibreOffice wrote (comma, double quotes, UTF-8).
std::vector<std::vector<std::string>> readCsv(const std::filesystem::path& path)
{
    std::vector<std::vector<std::string>> rows(1);
    const std::string text = test::readFile(path);
    std::string cell;
    bool inQuotes = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (inQuotes) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"')
                cell += text[++i];
            else if (c == '"')
                inQuotes = false;
            else
                cell += c;
        } else if (c == '"') {
            inQuotes = true;
        } else if (c == ',') {
            rows.back().push_back(std::move(cell));
            cell.clear();
        } else if (c == '\n') {
            rows.back().push_back(std::move(cell));
            cell.clear();
            rows.emplace_back();
        } else if (c != '\r') {
            cell += c;
        }
    }
    if (rows.back().empty())
        rows.pop_back();
    return rows;
}

} // namespace

TEST_F(OutsideToolsTest, LibreOfficeReadsTheWorkbookCells)
{
    if (!installed("libreoffice"))
        GTEST_SKIP() << "LibreOffice is not installed";
    ASSERT_EQ(doc->storeTranslation(doc->rows().item(0).lineIndex, German, "\xDC" "ber \"Demo\""), OperationResult::Done);
    const std::filesystem::path workbook = dir / "texts.xlsx";
    WorkbookExport exporter(*doc, feedback);
    ASSERT_EQ(exporter.run(workbook, {0, 1, 2}).outcome, OperationResult::Done);
    // A profile of its own, so that a running LibreOffice of the user is not disturbed.
    const std::string convert = "libreoffice -env:UserInstallation=file://" + (dir / "profile").string() +
                                " --headless --convert-to 'csv:Text - txt - csv (StarCalc):44,34,76' --outdir " +
                                quoted(dir.path()) + " " + quoted(workbook);
    ASSERT_EQ(run(convert), "");
    const auto cells = readCsv(dir / "texts.csv");
    ASSERT_EQ(cells.size(), static_cast<std::size_t>(doc->rows().rowCount()) + 2);
    EXPECT_EQ(cells[0], (std::vector<std::string>{"Resource Ident", "Item Type", "Id", "Source Text", "German"}));
    EXPECT_EQ(cells[2], (std::vector<std::string>{"IDD_ABOUT", "Dialog Caption", "\"Caption\"", "About \"\"Demo\"\"",
                                                  "\xC3\x9C" "ber \"Demo\""}));
    EXPECT_EQ(cells.back()[2], "IDS_BYE");
    EXPECT_EQ(cells.back()[3], "Goodbye");
}

TEST_F(OutsideToolsTest, TranslateToolkitReadsEveryXliffUnit)
{
    if (!installed("xliff2po"))
        GTEST_SKIP() << "translate-toolkit is not installed";
    const std::filesystem::path xliff = writeUnits("de.xlf");
    ASSERT_EQ(run("xliff2po -i " + quoted(xliff) + " -o " + quoted(dir / "from-xliff.po")), "");
    EXPECT_EQ(poEntries(dir / "from-xliff.po"), static_cast<int>(exchangeUnits(*doc, German).size()));
    // The escape travels as the line break it stands for, as platforms expect it.
    EXPECT_NE(test::readFile(dir / "from-xliff.po").find("First line\\n"), std::string::npos)
        << test::readFile(dir / "from-xliff.po");
    EXPECT_EQ(test::readFile(dir / "from-xliff.po").find("First line\\\\n"), std::string::npos);
}

TEST_F(OutsideToolsTest, PoTranslatedByGettextComesBackAsTheTextTableShowsIt)
{
    if (!installed("msgen") || !installed("msgfilter"))
        GTEST_SKIP() << "gettext is not installed";
    const std::filesystem::path po = writeUnits("de.po");
    EXPECT_EQ(poEntries(po), static_cast<int>(exchangeUnits(*doc, German).size()));
    // Every line of every text gets "DE " in front, as a translator's tool would write it.
    const std::filesystem::path translated = dir / "translated.po";
    ASSERT_EQ(run("msgen " + quoted(po) + " | msgfilter --keep-header -o " + quoted(translated) + " sed -e 's/^/DE /'"),
              "");
    std::string problem;
    const auto file = readExchangeFile(translated, ExchangeKind::Po, problem);
    ASSERT_TRUE(file) << problem;
    const ExchangeImportResult result = importExchangeUnits(*doc, German, file->units);
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.imported, static_cast<int>(file->units.size()));
    EXPECT_TRUE(result.refused.empty());
    for (const ExchangeUnit& unit : exchangeUnits(*doc, German)) {
        std::string expected = "DE " + unit.source;
        for (std::size_t at = expected.find('\n'); at != std::string::npos; at = expected.find('\n', at + 1))
            expected.insert(at + 1, "DE ");
        EXPECT_EQ(unit.target, expected) << unit.id;
    }
}

} // namespace qmk

namespace qmk {

// A platform's pseudo-translation of the exports comes back whole: the menu accelerator is still
// a tab, the written script compiles without a warning, and the reviewed translations count as
// translated, not fuzzy, in the platform's own count.
TEST(PlatformRoundTripTest, PseudoTranslatedExportsComeBackAndCompileWithoutWarnings)
{
    if (!installed("podebug") || !installed("pocount") || !installed("x86_64-w64-mingw32-windres"))
        GTEST_SKIP() << "translate-toolkit or MinGW's windres is not installed";
    test::TempDir dir;
    test::RecordingFeedback feedback;
    CQuillDoc doc(feedback, {});
    ASSERT_TRUE(doc.OnOpenDocument(dir.write(
        "app.rc", "#include <windows.h>\nLANGUAGE LANG_ENGLISH, SUBLANG_ENGLISH_US\n"
                  "IDM_MAIN MENU\nBEGIN\n    POPUP \"&File\"\n    BEGIN\n        MENUITEM \"&Open\\tCtrl+O\", 101\n"
                  "    END\nEND\nSTRINGTABLE\nBEGIN\n    1 \"Line one\\nLine two\"\n    2 \"Say \"\"hi\"\"\"\n"
                  "    3 \"Ready\"\nEND\n")));
    ASSERT_TRUE(doc.NewTranslation(German, "app-German.rc"));
    ASSERT_TRUE(doc.changeEncoding(German, 65001).done());  // the pseudo-translation is not Western
    ASSERT_TRUE(doc.reloadRows().done());
    ASSERT_TRUE(doc.storeTranslation(doc.rows().item(doc.rows().rowCount() - 1).lineIndex, German, "Bereit").done());

    std::string problem;
    ASSERT_TRUE(writeExchangeFile(dir / "de.po", ExchangeKind::Po, exchangeDocument(doc, German), problem));
    const std::filesystem::path counted = dir / "count.txt";
    ASSERT_EQ(std::system(("pocount --csv " + quoted(dir / "de.po") + " > " + quoted(counted) + " 2>/dev/null").c_str()), 0);
    const std::string counts = test::readFile(counted);
    // Filename, Translated Messages, Translated Source Words, Translated Target Words, Fuzzy Messages, ...
    std::vector<std::string> fields;
    std::istringstream row(counts.substr(counts.find('\n') + 1));
    for (std::string field; std::getline(row, field, ',');)
        fields.push_back(field.substr(field.find_first_not_of(' ')));
    ASSERT_GE(fields.size(), 5u) << counts;
    EXPECT_EQ(fields[1], "1") << counts;  // the reviewed translation counts as translated
    EXPECT_EQ(fields[4], "0") << counts;  // and nothing as fuzzy

    ASSERT_TRUE(writeExchangeFile(dir / "de.xlf", ExchangeKind::Xliff, exchangeDocument(doc, German), problem));
    for (const char* rewrite : {"unicode", "xxx"}) {
        for (const char* name : {"de.po", "de.xlf"}) {
            const std::filesystem::path pseudo = dir / (std::string(rewrite) + "-" + name);
            ASSERT_EQ(std::system(("podebug --rewrite=" + std::string(rewrite) + " " + quoted(dir / name) + " " +
                                   quoted(pseudo) + " > /dev/null 2>&1").c_str()),
                      0);
            const PlatformImport run = importPlatformFile(doc, German, pseudo);
            ASSERT_TRUE(run.outcome.done()) << rewrite << " " << name << ": " << run.problem;
            EXPECT_TRUE(run.result.refused.empty()) << rewrite << " " << name << ": " << refusedLines(run.result).front();
            ASSERT_EQ(writeTranslation(doc, German, dir / "app-German.rc"), 1);
            const std::string written = test::readFile(dir / "app-German.rc");
            const std::size_t menu = written.find("MENUITEM");
            ASSERT_NE(menu, std::string::npos);
            const std::string item = written.substr(menu, written.find('\n', menu) - menu);
            EXPECT_NE(item.find("\\t"), std::string::npos) << item;  // the accelerator's tab, as its escape
            const std::filesystem::path log = dir / "windres.log";
            const std::string compile = "x86_64-w64-mingw32-windres -i " + quoted(dir / "app-German.rc") + " -o " +
                                        quoted(dir / "app.res") + " > " + quoted(log) + " 2>&1";
            EXPECT_EQ(std::system(compile.c_str()), 0) << test::readFile(log);
            EXPECT_EQ(test::readFile(log).find("warning"), std::string::npos) << rewrite << " " << name << "\n"
                                                                              << test::readFile(log);
        }
    }
}

} // namespace qmk
