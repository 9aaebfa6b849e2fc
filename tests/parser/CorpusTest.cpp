#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>

#include "ParseHelpers.h"
#include "common/TempDir.h"
#include "parser/ParserCodes.h"
#include "parser/ParserError.h"

namespace qmk {
namespace {

namespace fs = std::filesystem;
using test::Statement;

std::vector<fs::path> corpusScripts() { return test::corpusScripts(); }

std::vector<Statement> parseFile(const fs::path& p, int& loadResult, std::string& report,
                                 bool* atEnd = nullptr)
{
    LineCounter counter;
    ScriptParser parser(counter);
    loadResult = parser.loadFile(p);
    std::vector<Statement> s = test::parseAll(parser, counter);
    if (atEnd)
        *atEnd = parser.atEnd();
    if (parser.error() < 0)
        report = ParserError::reportText(parser.error(), parser.errorLocation(p.filename().string()));
    return s;
}

std::string firstWord(const std::string& text)
{
    std::size_t b = text.find_first_not_of(' ');
    if (b == std::string::npos)
        return {};
    std::size_t e = text.find_first_of(" \"", b);
    return text.substr(b, e == std::string::npos ? std::string::npos : e - b);
}

// The kind a statement led by this keyword must have wherever it is read as itself.
const std::map<std::string, int>& kindOfLeadingWord()
{
    static const std::map<std::string, int> m = {
        {"CAPTION", 1}, {"CONTROL", 2}, {"POPUP", 3}, {"LTEXT", 19}, {"RTEXT", 20}, {"CTEXT", 21},
        {"CHECKBOX", 22}, {"PUSHBUTTON", 23}, {"GROUPBOX", 25}, {"DEFPUSHBUTTON", 26},
        {"RADIOBUTTON", 27}, {"AUTORADIOBUTTON", 102}, {"AUTOCHECKBOX", 103}, {"AUTO3STATE", 104},
        {"VALUE", 86}, {"EDITTEXT", 28}, {"COMBOBOX", 29}, {"LISTBOX", 24}};
    return m;
}

const Statement* findText(const std::vector<Statement>& s, const std::string& needle)
{
    for (const Statement& st : s)
        if (st.text.find(needle) != std::string::npos)
            return &st;
    return nullptr;
}

TEST(CorpusTest, EveryScriptIsReadToTheEnd)
{
    auto scripts = corpusScripts();
    if (scripts.empty())
        GTEST_SKIP() << "no script corpus";
    for (const fs::path& p : scripts) {
        SCOPED_TRACE(p.string());
        int load = 0;
        std::string report;
        bool atEnd = false;
        auto s = parseFile(p, load, report, &atEnd);
        ASSERT_FALSE(s.empty());
        EXPECT_GE(s.back().error, 0) << report;
        EXPECT_TRUE(atEnd) << s.back().text;
    }
}

TEST(CorpusTest, StringsComeOutWithTheKindOfTheirStatement)
{
    auto scripts = corpusScripts();
    if (scripts.empty())
        GTEST_SKIP() << "no script corpus";
    int translatable = 0;
    for (const fs::path& p : scripts) {
        SCOPED_TRACE(p.string());
        int load = 0;
        std::string report;
        for (const Statement& st : parseFile(p, load, report)) {
            if (st.action == 40 && st.kind != 9 && st.kind != 10) {
                ++translatable;
                // The string sits between the quotes of the rebuilt text.
                ASSERT_GT(st.stringStart, 0) << st.text;
                EXPECT_EQ(st.text[st.stringStart - 1], '"') << st.text;
                EXPECT_EQ(st.text[st.stringStart + st.string.size()], '"') << st.text;
            }
            auto it = kindOfLeadingWord().find(firstWord(st.text));
            if (it != kindOfLeadingWord().end() && st.kind != 65) {
                EXPECT_EQ(st.kind, it->second) << st.text;
            }
            if (firstWord(st.text).rfind("IDS_", 0) == 0 && st.text.find('"') != std::string::npos &&
                st.text[0] != '#') {
                EXPECT_EQ(st.kind, 70) << st.text;
            }
        }
    }
    EXPECT_GT(translatable, 1000);
}

TEST(CorpusTest, KnownTextsOfSomeScripts)
{
    fs::path dir = test::corpusDir();
    if (dir.empty())
        GTEST_SKIP() << "no script corpus";
    int load = 0;
    std::string report;

    auto osk = parseFile(dir / "osk/fr-FR.rc", load, report);
    const Statement* quote = findText(osk, "PUSHBUTTON \"\"\"\"");
    ASSERT_NE(quote, nullptr);
    EXPECT_EQ(quote->string, "\"\"");
    EXPECT_EQ(quote->action, 40);
    const Statement* amp = findText(osk, "\"&&\"");
    ASSERT_NE(amp, nullptr);
    EXPECT_EQ(amp->kind, 23);
    EXPECT_EQ(amp->symbol, "SCAN_CODE_2");

    auto mplay = parseFile(dir / "mplay32/de-DE.rc", load, report);
    const Statement* filter = findText(mplay, "IDS_ALL_TYPES_FILTER");
    ASSERT_NE(filter, nullptr);
    EXPECT_EQ(filter->kind, 70);
    EXPECT_NE(filter->string.find("\\0*.wav;"), std::string::npos);
    const Statement* table = findText(mplay, "STRINGTABLE");
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->text, "STRINGTABLE DISCARDABLE ");

    auto pref = parseFile(dir / "standalone/notepad-plus-plus/preference.rc", load, report);
    const Statement* font = findText(pref, "FONT 8, \"MS Shell Dlg\", 0, 0, 0x1");
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->cx, 8);
    EXPECT_EQ(font->secondString, "MS Shell Dlg");

    auto zip = parseFile(dir / "standalone/7zip/resource.rc", load, report);
    const Statement* menuex = findText(zip, "IDM_MENU MENUEX");
    ASSERT_NE(menuex, nullptr);
    EXPECT_EQ(menuex->kind, 8);
    const Statement* open = nullptr;
    for (const Statement& st : zip)
        if (st.string == "&Open\\tEnter")
            open = &st;
    ASSERT_NE(open, nullptr);
    EXPECT_EQ(open->kind, 4);
    EXPECT_EQ(open->action, 40);

    auto sol = parseFile(dir / "solitaire/ja-JP.rc", load, report);
    const Statement* dlg = findText(sol, "IDD_OPTIONS DIALOGEX DISCARDABLE");
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(dlg->kind, 13);
    EXPECT_EQ(dlg->cx, 186);
    EXPECT_EQ(dlg->cy, 118);

    auto power = parseFile(dir / "powercfg/ru-RU.rc", load, report);
    const Statement* alarm = findText(power, "IDC_ALARM1, \"Button\"");
    ASSERT_NE(alarm, nullptr);
    EXPECT_EQ(alarm->kind, 2);
    EXPECT_EQ(alarm->action, 40);
    EXPECT_EQ(alarm->secondString, "Button");
    EXPECT_EQ(alarm->cx, 180);

    auto ver = parseFile(dir / "standalone/7zip/7zVersion.rc", load, report);
    const Statement* macro = findText(ver, "#define MY_VERSION_INFO(");
    ASSERT_NE(macro, nullptr);
    EXPECT_NE(macro->text.find("VALUE \"Translation\", 0x409, 1200 \\"), std::string::npos);
}

} // namespace
} // namespace qmk
