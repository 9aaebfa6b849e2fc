// Forms of scripts the resource compiler accepts, through the whole road: built, translated,
// written and compiled by the compiler itself, as the script stands (no header added).
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include <sqlite3.h>

#include "ResourceCompiler.h"
#include "common/RecordingFeedback.h"
#include "common/TempDir.h"
#include "database/CProjectDatabase.h"
#include "load/DatabaseBuild.h"
#include "load/DatabaseUpdate.h"
#include "project/CQuillDoc.h"
#include "writer/TranslatedScripts.h"

namespace qmk {
namespace {

constexpr LanguageId kGerman{7, 1};

class ScriptFormsRoundTripTest : public testing::Test {
protected:
    std::unique_ptr<CQuillDoc> build(const std::string& name, const std::string& script)
    {
        auto doc = std::make_unique<CQuillDoc>(feedback, std::vector<std::string>{".DLG", ".RC2"});
        EXPECT_TRUE(doc->OnOpenDocument(dir.write(name, script))) << name;
        return doc;
    }

    std::vector<std::string> texts(CQuillDoc& doc)
    {
        std::vector<std::string> all;
        doc.database().texts().forEachTextInLineOrder([&](const TextRow& row) { all.push_back(row.sourceText); });
        return all;
    }

    void translate(CQuillDoc& doc, const std::string& source, const std::string& text)
    {
        int line = -1;
        doc.database().texts().forEachTextInLineOrder([&](const TextRow& row) {
            if (row.sourceText == source)
                line = row.lineIndex;
        });
        ASSERT_GE(line, 0) << source;
        EXPECT_EQ(doc.storeTranslation(line, kGerman, text), OperationResult::Done);
    }

    std::string german(CQuillDoc& doc, const std::string& name)
    {
        if (!doc.hasTranslation(kGerman))
            EXPECT_TRUE(doc.NewTranslation(kGerman, name));
        EXPECT_EQ(writeTranslation(doc, kGerman, dir / name), 1);
        return test::readFile(dir / name);
    }

    // The compiler's dump of the script compiled as it stands (no header put before it), with
    // its LANGUAGE lines; nothing when it does not compile.
    std::optional<std::string> dumpAsItStands(const std::string& name)
    {
        const std::string res = (dir / (name + ".res")).string();
        const std::string rc = (dir / (name + ".dump.rc")).string();
        const std::string compile = "cd '" + dir.path().string() + "' && x86_64-w64-mingw32-windres -c 65001 -O res -o '" +
                                    res + "' '" + name + "' 2>/dev/null";
        if (std::system(compile.c_str()) != 0)
            return std::nullopt;
        if (std::system(("x86_64-w64-mingw32-windres -i '" + res + "' -O rc -o '" + rc + "' 2>/dev/null").c_str()) != 0)
            return std::nullopt;
        return test::readFile(rc);
    }

    test::TempDir dir;
    test::RecordingFeedback feedback;
};

std::string withoutLanguages(const std::string& dump)
{
    std::string out;
    std::size_t start = 0;
    while (start < dump.size()) {
        std::size_t end = dump.find('\n', start);
        end = end == std::string::npos ? dump.size() : end + 1;
        const std::string line = dump.substr(start, end - start);
        if (line.rfind("LANGUAGE", 0) != 0)
            out += line;
        start = end;
    }
    return out;
}

int count(const std::string& text, const std::string& what)
{
    int n = 0;
    for (std::size_t p = text.find(what); p != std::string::npos; p = text.find(what, p + 1))
        ++n;
    return n;
}

TEST_F(ScriptFormsRoundTripTest, JoinedLiteralsNamesAndMenuExCompileWithoutHeaders)
{
    auto doc = build("forms.rc",
                     "LANGUAGE 9, 1\n"
                     "100 DIALOGEX 0, 0, 200, 80\nCAPTION \"About \" \\\n  \"this program\"\nBEGIN\n"
                     "  CTEXT \"Use your finger to\" \" activate the program.\",101,17,50,175,17\nEND\n"
                     "STRINGTABLE\nBEGIN\n  1 \"Line1\\n\"\n    \"Line2\"\n  2 \"Two\"\nEND\n"
                     "a-b RCDATA { \"foo\" }\na/b RCDATA\nBEGIN\n  \"bar\"\nEND\n"
                     "200 MENUEX\nBEGIN\n  POPUP \"&File\", 201, 0, 0\n  BEGIN\n"
                     "    MENUITEM \"&Open\", 202, 0, 0\n    MENUITEM \"\", -1, 0x800\n    MENUITEM \"E&xit\", 203\n"
                     "  END\nEND\n"
                     "1 MENU\nLANGUAGE 9, 1\n{\n  MENUITEM \"&Go\", 300\n}\n");
    ASSERT_TRUE(doc);
    const std::vector<std::string> offered = texts(*doc);
    for (const char* text : {"About this program", "Use your finger to activate the program.", "Line1\\nLine2", "&File",
                             "&Open", "E&xit", "&Go"})
        EXPECT_NE(std::find(offered.begin(), offered.end(), text), offered.end()) << text;

    // Untranslated, the German script compiles to the same resources.
    const std::string untranslated = german(*doc, "forms-de0.rc");
    EXPECT_EQ(count(untranslated, "LANGUAGE  0x07, 0x01"), 2) << untranslated;
    EXPECT_NE(untranslated.find("a-b RCDATA"), std::string::npos);
    EXPECT_NE(untranslated.find("a/b RCDATA"), std::string::npos);

    translate(*doc, "Use your finger to activate the program.", "Mit dem Finger aktivieren.");
    translate(*doc, "&Open", "\\u00D6&ffnen");
    translate(*doc, "&File", "&Datei");
    translate(*doc, "Line1\\nLine2", "Zeile1\\nZeile2");
    const std::string written = german(*doc, "forms-de.rc");
    EXPECT_NE(written.find("MENUITEM \"\\u00D6&ffnen\", 202, 0, 0"), std::string::npos) << written;
    EXPECT_NE(written.find("POPUP \"&Datei\", 201, 0, 0"), std::string::npos) << written;

    if (!test::resourceCompilerAvailable())
        return;
    const auto source = dumpAsItStands("forms.rc");
    ASSERT_TRUE(source) << "the source does not compile";
    const auto same = dumpAsItStands("forms-de0.rc");
    ASSERT_TRUE(same) << untranslated;
    EXPECT_EQ(withoutLanguages(*same), withoutLanguages(*source));
    EXPECT_EQ(count(*same, "LANGUAGE 9, 1"), 0) << *same;
    const auto translated = dumpAsItStands("forms-de.rc");
    ASSERT_TRUE(translated) << written;
    EXPECT_NE(translated->find("Mit dem Finger aktivieren."), std::string::npos);
    EXPECT_NE(translated->find("Zeile1\\nZeile2"), std::string::npos);
    EXPECT_NE(translated->find("&Datei"), std::string::npos);
}

TEST_F(ScriptFormsRoundTripTest, ClosingNumericLanguageAndItsIncludeAreRelabelled)
{
    // Visual Studio ends a script with its language in numbers before the .rc2 it includes.
    dir.write("app.rc2", "LANGUAGE 9, 1\nSTRINGTABLE\nBEGIN\n  3 \"Three\"\nEND\n");
    auto doc = build("app.rc", "LANGUAGE LANG_ENGLISH, SUBLANG_ENGLISH_US\n"
                               "STRINGTABLE\nBEGIN\n  1 \"One\"\nEND\n"
                               "LANGUAGE 0x09, 0x01\nSTRINGTABLE\nBEGIN\n  2 \"Two\"\nEND\n"
                               "LANGUAGE 9, 1\n#include \"app.rc2\"\n");
    ASSERT_TRUE(doc);
    EXPECT_EQ(texts(*doc), (std::vector<std::string>{"One", "Two", "Three"}));
    const std::string written = german(*doc, "app-de.rc");
    EXPECT_NE(written.find("LANGUAGE  LANG_GERMAN, SUBLANG_GERMAN"), std::string::npos) << written;
    EXPECT_EQ(count(written, "LANGUAGE  0x07, 0x01"), 3) << written;
    EXPECT_EQ(written.find("LANGUAGE 9"), std::string::npos) << written;

    // A Chinese (Simplified) source closing with "LANGUAGE 4, 2".
    auto chinese = build("zh.rc", "LANGUAGE LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED\n"
                                  "STRINGTABLE\nBEGIN\n  1 \"One\"\nEND\nLANGUAGE 4, 2\nSTRINGTABLE\nBEGIN\n  2 \"Two\"\nEND\n");
    ASSERT_TRUE(chinese);
    EXPECT_EQ(texts(*chinese).size(), 2u);
    const std::string zh = german(*chinese, "zh-de.rc");
    EXPECT_EQ(zh.find("LANGUAGE 4"), std::string::npos) << zh;

    if (!test::resourceCompilerAvailable())
        return;
    // Without the Windows headers the numbers compile; the whole script is German.
    dir.write("plain.rc", "LANGUAGE 9, 1\nSTRINGTABLE\nBEGIN\n  1 \"One\"\nEND\nLANGUAGE 9, 1\n#include \"app.rc2\"\n");
    auto plain = build("plain.rc", test::readFile(dir / "plain.rc"));
    ASSERT_TRUE(plain);
    german(*plain, "plain-de.rc");
    const auto dump = dumpAsItStands("plain-de.rc");
    ASSERT_TRUE(dump) << test::readFile(dir / "plain-de.rc");
    EXPECT_EQ(count(*dump, "LANGUAGE 7, 1"), count(*dump, "LANGUAGE")) << *dump;
}

TEST_F(ScriptFormsRoundTripTest, TheLanguageOfTheMostTextsIsTheSourceAndOldProjectsKeepTheirTexts)
{
    // Neutral dialogs, one small German block, then the English string tables.
    const std::string script =
        "LANGUAGE LANG_NEUTRAL, SUBLANG_NEUTRAL\n"
        "100 DIALOG 0, 0, 100, 50\nCAPTION \"Settings\"\nBEGIN\n  LTEXT \"Name:\", 101, 5, 5, 40, 8\nEND\n"
        "LANGUAGE LANG_GERMAN, SUBLANG_GERMAN\nSTRINGTABLE\nBEGIN\n  900 \"Deutsch\"\nEND\n"
        "LANGUAGE LANG_ENGLISH, SUBLANG_ENGLISH_US\nSTRINGTABLE\nBEGIN\n  1 \"Open\"\n  2 \"Close\"\n  3 \"Save\"\nEND\n";
    auto doc = build("multi.rc", script);
    ASSERT_TRUE(doc);
    EXPECT_EQ(texts(*doc), (std::vector<std::string>{"Settings", "Name:", "Open", "Close", "Save"}));
    EXPECT_EQ(doc->database().sourceLanguageChoice(), (SourceLanguageRule::named({9, 1}).stored()));
    const std::string written = german(*doc, "multi-de.rc");
    // The German block stays as the script has it; the English one becomes German.
    EXPECT_NE(written.find("\nLANGUAGE LANG_GERMAN, SUBLANG_GERMAN\r\n"), std::string::npos) << written;
    EXPECT_NE(written.find("LANGUAGE  LANG_GERMAN, SUBLANG_GERMAN"), std::string::npos) << written;

    // A project built before the choice was kept, when the first language that is not neutral
    // was the source (German here): its update keeps every text it offered.
    const std::filesystem::path old = dir / "old_rc.mdb";
    {
        CProjectDatabase db;
        db.createNew(old);
        ASSERT_TRUE(BuildDatabase(dir / "multi.rc", db, {}, feedback, LanguageId{7, 1}).ok());
        db.writeProjectRow((dir / "multi.rc").string(), FileStamp{}, ProjectSwitches{});
        db.finishNew();
    }
    sqlite3* raw = nullptr;
    ASSERT_EQ(sqlite3_open(old.c_str(), &raw), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(raw, "ALTER TABLE Project DROP COLUMN SourceLanguage", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(raw);

    CProjectDatabase db;
    db.open(old);
    EXPECT_FALSE(db.sourceLanguageChoice());
    std::vector<std::string> before;
    db.texts().forEachTextInLineOrder([&](const TextRow& row) { before.push_back(row.sourceText); });
    EXPECT_EQ(before, (std::vector<std::string>{"Settings", "Name:", "Deutsch"}));
    ASSERT_TRUE(UpdateDatabasePass(dir / "multi.rc", db, {}, feedback).ok());
    std::vector<std::string> after;
    db.texts().forEachTextInLineOrder([&](const TextRow& row) { after.push_back(row.sourceText); });
    EXPECT_EQ(after, before);
    EXPECT_EQ(db.sourceLanguageChoice(), (SourceLanguageRule::named({7, 1}).stored()));
}

} // namespace
} // namespace qmk
