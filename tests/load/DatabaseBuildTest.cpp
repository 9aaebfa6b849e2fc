#include <gtest/gtest.h>

#include <map>

#include <sys/stat.h>

#include "common/RecordingFeedback.h"
#include "common/TempDir.h"
#include "database/CProjectDatabase.h"
#include "load/DatabaseBuild.h"
#include "parser/LoadLoop.h"
#include "parser/ParserCodes.h"
#include "parser/ParsedLine.h"
#include "parser/ScriptParser.h"
#include "parser/SourceLanguageScope.h"
#include "resources/MessageIds.h"

namespace qmk {
namespace {

class DatabaseBuildTest : public ::testing::Test {
protected:
    BuildResult build(const std::filesystem::path& script, std::vector<std::string> extensions = {".DLG"})
    {
        db.createNew(dir / "project_rc.mdb");
        BuildResult r = BuildDatabase(script, db, extensions, feedback);
        if (r.ok())
            db.finishNew();
        return r;
    }

    std::vector<LineRow> lines()
    {
        std::vector<LineRow> out;
        db.texts().forEachScriptLine([&](const LineRow& row) { out.push_back(row); });
        return out;
    }

    std::vector<TextRow> texts()
    {
        std::vector<TextRow> out;
        db.texts().forEachTextInLineOrder([&](const TextRow& row) { out.push_back(row); });
        return out;
    }

    test::TempDir dir;
    test::RecordingFeedback feedback;
    CProjectDatabase db;
};

} // namespace

TEST_F(DatabaseBuildTest, StatementsAreNumberedFromOneWithLineIndexesFromTen)
{
    auto script = dir.write("app.rc", "#define A 1\nSTRINGTABLE\n{ 1 \"x\" }\n// nothing more\n");
    ASSERT_TRUE(build(script).ok());
    auto rows = lines();
    ASSERT_EQ(rows.size(), 5u);  // #define, STRINGTABLE, {, 1 "x", }
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].line, static_cast<int>(i) + 1);
        EXPECT_EQ(rows[i].lineIndex, static_cast<int>(i) + 10);
    }
    EXPECT_EQ(rows[3].beforeStr, "1 \"");
    EXPECT_EQ(rows[3].behindStr, "\"");
    ASSERT_EQ(texts().size(), 1u);
    EXPECT_EQ(texts()[0].sourceText, "x");
    EXPECT_EQ(db.items().stringIdent(13).value_or(""), "1");
}

TEST_F(DatabaseBuildTest, IncludesAreFollowedOnlyForConfiguredExtensions)
{
    dir.write("dlg/about.dlg", "IDD_ABOUT DIALOG 0, 0, 10, 10\nCAPTION \"About\"\nBEGIN\nLTEXT \"Hi\", 1, 1, 1, 1, 1\nEND\n");
    auto script = dir.write("app.rc", "#include \"resource.h\"\n#include \"dlg\\\\about.dlg\"\nSTRINGTABLE\nBEGIN\n 1 \"x\"\nEND\n");
    ASSERT_TRUE(build(script).ok());

    auto rows = lines();
    ASSERT_EQ(rows.size(), 10u);  // resource.h line, five dialog lines, four string-table lines
    EXPECT_EQ(rows[0].lineKind, 9);
    EXPECT_EQ(rows[1].lineKind, 13);
    EXPECT_EQ(rows[1].line, 2);   // the included file takes the include line's number
    EXPECT_EQ(rows[6].line, 7);
    auto t = texts();
    ASSERT_EQ(t.size(), 4u);
    EXPECT_EQ(t[0].sourceText, "resource.h");
    EXPECT_TRUE(t[0].exclude);
    EXPECT_EQ(t[1].sourceText, "About");
    EXPECT_FALSE(t[1].exclude);
    EXPECT_TRUE(feedback.said.empty());
}

TEST_F(DatabaseBuildTest, MissingIncludesAreListedAndTheBuildStillSucceeds)
{
    auto script = dir.write("app.rc", "#include \"gone.dlg\"\n#include \"also-gone.dlg\"\nSTRINGTABLE\nBEGIN\n 1 \"x\"\nEND\n");
    BuildResult r = build(script);
    ASSERT_TRUE(r.ok());
    const std::string at = ", included at " + script.string();
    EXPECT_EQ(r.missingIncludes, (std::vector<std::string>{(dir / "gone.dlg").string() + " (not found)" + at + "(1)",
                                                           (dir / "also-gone.dlg").string() + " (not found)" + at + "(2)"}));
    EXPECT_TRUE(feedback.saidMessage(msg::MissingIncludeFiles));
    auto t = texts();
    ASSERT_EQ(t.size(), 3u);
    EXPECT_EQ(t[0].sourceText, "gone.dlg");
    EXPECT_TRUE(t[0].exclude);
}

TEST_F(DatabaseBuildTest, AnIncludeCycleEndsAndIsReported)
{
    dir.write("a.dlg", "#include \"b.dlg\"\n");
    dir.write("b.dlg", "#include \"a.dlg\"\n");
    auto script = dir.write("app.rc", "#include \"a.dlg\"\n");
    BuildResult r = build(script);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.missingIncludes,
              (std::vector<std::string>{(dir / "a.dlg").string() +
                                        " (it is being read already: the files include one another), included at " +
                                        (dir / "b.dlg").string() + "(1)"}));
}

TEST_F(DatabaseBuildTest, EveryIncludeThatIsNotReadIsListedWithWhyAndWhere)
{
    // A chain of included files deeper than the reader follows.
    for (int i = 1; i <= 32; ++i)
        dir.write("deep" + std::to_string(i) + ".dlg", "#include \"deep" + std::to_string(i + 1) + ".dlg\"\n");
    dir.write("deep33.dlg", "STRINGTABLE\nBEGIN\n  9 \"deepest\"\nEND\n");
    std::filesystem::create_directory(dir / "folder.dlg");
    ASSERT_EQ(mkfifo((dir / "pipe.dlg").c_str(), 0600), 0);
    dir.write("binary.dlg", std::string("\x7F" "ELF\0\x01", 6));
    auto script = dir.write("app.rc", "#include \"folder.dlg\"\n#include \"pipe.dlg\"\n#include \"binary.dlg\"\n"
                                      "\n#include \"deep1.dlg\"\nSTRINGTABLE\nBEGIN\n 1 \"x\"\nEND\n");
    BuildResult r = build(script);
    ASSERT_TRUE(r.ok());
    const std::string at = ", included at " + script.string();
    ASSERT_EQ(r.missingIncludes.size(), 4u);
    EXPECT_EQ(r.missingIncludes[0], (dir / "folder.dlg").string() + " (a folder)" + at + "(1)");
    EXPECT_EQ(r.missingIncludes[1], (dir / "pipe.dlg").string() + " (not a regular file (a pipe, a socket or a device))" + at + "(2)");
    EXPECT_EQ(r.missingIncludes[2], (dir / "binary.dlg").string() +
                                        " (line 1 holds binary data: this is not a resource script)" + at + "(3)");
    // The script and 31 files nested in one another are read; the next one is not.
    EXPECT_EQ(r.missingIncludes[3], (dir / "deep32.dlg").string() +
                                        " (the script and its included files would nest more than 32 deep), "
                                        "included at " + (dir / "deep31.dlg").string() + "(1)");
    ASSERT_EQ(feedback.said.size(), 1u);
    EXPECT_EQ(feedback.said[0].text.find("The following resource file(s) could not be found"), 0u);
    EXPECT_NE(feedback.said[0].text.find(r.missingIncludes[3]), std::string::npos) << feedback.said[0].text;
}

TEST_F(DatabaseBuildTest, ItemRowsForBitmapsControlsMenusAndVersions)
{
    auto script = dir.write("app.rc",
                            "IDB_LOGO BITMAP \"logo.bmp\"\n"
                            "IDD_X DIALOGEX 0, 0, 100, 50\nBEGIN\n"
                            "CONTROL \"Go\", IDC_GO, \"Button\", BS_PUSHBUTTON | WS_TABSTOP, 1, 2, 30, 14\n"
                            "LTEXT \"Name\", IDC_NAME, 5, 6, 40, 8\nEND\n"
                            "IDM_M MENU\nBEGIN\nPOPUP \"&File\"\nBEGIN\nMENUITEM \"&Open\", ID_OPEN\nEND\nEND\n"
                            "1 VERSIONINFO\nBEGIN\nBLOCK \"StringFileInfo\"\nBEGIN\nBLOCK \"040904E4\"\nBEGIN\n"
                            "VALUE \"FileDescription\", \"Demo\"\nEND\nEND\nEND\n");
    ASSERT_TRUE(build(script).ok());
    std::map<std::string, TextRow> byText;
    for (const TextRow& t : texts())
        byText[t.sourceText] = t;

    ASSERT_TRUE(byText.count("logo.bmp"));
    EXPECT_TRUE(byText["logo.bmp"].exclude);
    EXPECT_EQ(db.items().bitmapIdent(byText["logo.bmp"].lineIndex).value_or(""), "IDB_LOGO");

    auto go = db.items().control(byText["Go"].lineIndex);
    ASSERT_TRUE(go);
    EXPECT_EQ(go->className, "Button");
    EXPECT_EQ(go->nameId, "IDC_GO");
    EXPECT_EQ((std::array<int, 4>{go->x, go->y, go->cx, go->cy}), (std::array<int, 4>{1, 2, 30, 14}));
    EXPECT_EQ(go->flags, 0x00010000u);
    auto name = db.items().control(byText["Name"].lineIndex);
    ASSERT_TRUE(name);
    EXPECT_TRUE(name->className.empty());
    EXPECT_EQ(name->type, 19);

    auto open = db.items().menuItem(byText["&Open"].lineIndex);
    ASSERT_TRUE(open);
    EXPECT_EQ(open->level, 1);
    EXPECT_EQ(open->nameId, "ID_OPEN");
    EXPECT_EQ(db.items().menuItem(byText["&File"].lineIndex)->level, 0);

    auto value = db.items().versionValue(byText["Demo"].lineIndex);
    ASSERT_TRUE(value);
    EXPECT_EQ(value->value, "FileDescription");
    EXPECT_EQ(value->blockHeaderLine, byText["040904E4"].lineIndex);
    EXPECT_FALSE(byText.count("StringFileInfo"));
}

TEST_F(DatabaseBuildTest, AScriptThatCannotBeReadIsAFailure)
{
    BuildResult missing = build(dir / "nowhere.rc");
    EXPECT_EQ(missing.code, 2);
    ASSERT_FALSE(feedback.said.empty());
    EXPECT_NE(feedback.said[0].text.find("nowhere.rc"), std::string::npos);

    auto binary = dir.write("image.rc", std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16));
    test::RecordingFeedback fb;
    CProjectDatabase other;
    other.createNew(dir / "image_rc.mdb");
    EXPECT_EQ(BuildDatabase(binary, other, {}, fb).code, -87);
}

TEST_F(DatabaseBuildTest, AParserErrorInAnIncludedFileIsReportedAndTheBuildGoesOn)
{
    dir.write("bad.dlg", "IDS_OK_BEFORE_THE_ERROR MENU\nBEGIN\nPOPUP \"x\" 12\nEND\n");
    dir.write("good.dlg", "STRINGTABLE\nBEGIN\n  1 \"good\"\nEND\n");
    auto script = dir.write("app.rc", "#include \"bad.dlg\"\n#include \"good.dlg\"\nSTRINGTABLE\n{ 2 \"main\" }\n");
    BuildResult r = build(script);
    ASSERT_TRUE(r.ok()) << r.code;
    ASSERT_EQ(r.missingIncludes.size(), 1u);
    EXPECT_NE(r.missingIncludes[0].find("bad.dlg(3): POPUP"), std::string::npos) << r.missingIncludes[0];
    // Nothing of the failing file is stored; its include line is, as a text of its own.
    std::vector<std::string> stored;
    for (const TextRow& t : texts())
        stored.push_back(t.sourceText);
    EXPECT_EQ(stored, (std::vector<std::string>{"bad.dlg", "good", "main"}));
}

TEST_F(DatabaseBuildTest, AStatementBeyondTheReadersLimitIsReportedWithFileAndLine)
{
    auto script = dir.write("main.rc", "STRINGTABLE\nBEGIN\n  IDS_LONG \"" + std::string(1 << 20, 'a') + "\"\nEND\n");
    EXPECT_EQ(build(script).code, ParserCode::OutputOverflow);
    ASSERT_FALSE(feedback.said.empty());
    const std::string report = feedback.said[0].text.substr(0, 400);
    EXPECT_EQ(report.rfind("Parser Error: The statement is longer than 1048576 bytes", 0), 0u) << report;
    EXPECT_NE(report.find("main.rc(3): IDS_LONG \"aaa"), std::string::npos) << report;
}

TEST_F(DatabaseBuildTest, CancellingStopsTheBuild)
{
    auto script = dir.write("app.rc", "STRINGTABLE\nBEGIN\n 1 \"a\"\n 2 \"b\"\nEND\n");
    feedback.cancelAfterPolls = 2;
    EXPECT_EQ(build(script).code, kLoadCancelled);
}

TEST_F(DatabaseBuildTest, EveryCorpusScriptStoresExactlyTheReadersStrings)
{
    const auto scripts = test::corpusScripts();
    if (scripts.empty())
        GTEST_SKIP() << "no corpus";
    int built = 0;
    for (const std::filesystem::path& script : scripts) {
        const std::filesystem::directory_entry entry(script);
        // What the reader offers for translation, statement by statement, in the source language.
        test::RecordingFeedback fb;
        CProjectDatabase project;
        test::TempDir work;
        project.createNew(work / "corpus_rc.mdb");
        const BuildResult result = BuildDatabase(entry.path(), project, {}, fb);
        ASSERT_TRUE(result.ok()) << entry.path();
        LineCounter counter;
        ScriptParser parser(counter);
        ASSERT_EQ(parser.loadFile(entry.path()), 0) << script;
        std::vector<std::string> expected;
        SourceLanguageScope languages;
        if (result.sourceRule.kind == SourceLanguageRule::Kind::Named)
            languages.setSource(result.sourceRule.language);
        parser.reset();
        while (!parser.atEnd()) {
            ParsedLine line(parser);
            if (line.error < 0 || line.kind == 0)
                break;
            if (languages.isSource(line, parser) && line.action == 40 && line.kind != 76)
                expected.emplace_back(line.kind == 9 || line.kind == 10 ? parser.includeName() : parser.stringText());
        }
        std::vector<std::string> stored;
        project.texts().forEachTextInLineOrder([&](const TextRow& row) { stored.push_back(row.sourceText); });
        EXPECT_EQ(stored, expected) << entry.path();
        ++built;
    }
    EXPECT_GT(built, 60);
}

} // namespace qmk

namespace qmk {

TEST(IncludeResolutionTest, NamesDifferingInCaseAndFoldersAboveAreFound)
{
    test::TempDir dir;
    std::filesystem::create_directories(dir / "Lang" / "Res");
    dir.write("Lang/Res/About.DLG", "STRINGTABLE\nBEGIN\n  1 \"about\"\nEND\n");
    dir.write("Common.dlg", "STRINGTABLE\nBEGIN\n  2 \"common\"\nEND\n");
    auto script = dir.write("Lang/app.rc", "#include \"res\\\\about.dlg\"\n#include \"..\\\\common.DLG\"\n");
    test::RecordingFeedback feedback;
    CProjectDatabase db;
    db.createNew(dir / "Lang" / "app_rc.mdb");
    BuildResult r = BuildDatabase(script, db, {".DLG"}, feedback);
    ASSERT_TRUE(r.ok());
    EXPECT_TRUE(r.missingIncludes.empty()) << r.missingIncludes[0];
    std::vector<std::string> stored;
    db.texts().forEachTextInLineOrder([&](const TextRow& row) { stored.push_back(row.sourceText); });
    EXPECT_EQ(stored, (std::vector<std::string>{"about", "common"}));
}

} // namespace qmk
