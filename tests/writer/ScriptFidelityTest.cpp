// Small scripts of the kinds real projects hold, through the whole road: built into a project,
// translated (or not), written, and where a resource compiler is installed compiled against the
// source. What carries no text comes back as the source has it.
#include <gtest/gtest.h>

#include <memory>

#include "ResourceCompiler.h"
#include "common/RecordingFeedback.h"
#include "common/TempDir.h"
#include "database/CProjectDatabase.h"
#include "parser/ScriptEncoding.h"
#include "project/CQuillDoc.h"
#include "writer/TranslatedScripts.h"

namespace qmk {
namespace {

constexpr LanguageId kGerman{7, 1};
constexpr LanguageId kJapanese{17, 1};

class ScriptFidelityTest : public testing::Test {
protected:
    // Writes the script and builds its project.
    std::unique_ptr<CQuillDoc> build(const std::string& name, const std::string& script)
    {
        auto doc = std::make_unique<CQuillDoc>(feedback, std::vector<std::string>{".DLG"});
        EXPECT_TRUE(doc->OnOpenDocument(dir.write(name, script))) << name;
        return doc;
    }

    // Adds the language (when the project lacks it) and writes its script; empty when refused.
    std::string translated(CQuillDoc& doc, LanguageId language, const std::string& name)
    {
        if (!doc.hasTranslation(language)) {
            EXPECT_TRUE(doc.NewTranslation(language, name));
        }
        if (writeTranslation(doc, language, dir / name) != 1)
            return {};
        return test::readFile(dir / name);
    }

    void translate(CQuillDoc& doc, LanguageId language, const std::string& source, const std::string& text)
    {
        int line = -1;
        doc.database().texts().forEachTextInLineOrder([&](const TextRow& row) {
            if (row.sourceText == source)
                line = row.lineIndex;
        });
        ASSERT_GE(line, 0) << source;
        EXPECT_EQ(doc.storeTranslation(line, language, text), OperationResult::Done);
    }

    // Both scripts compile, to the same resources (LANGUAGE statements aside).
    void expectSameResources(const std::string& source, const std::string& written)
    {
        if (!test::resourceCompilerAvailable())
            return;
        test::prepareScratchFolder(dir.path());
        const auto expected = test::compiledDump(dir / source);
        ASSERT_TRUE(expected) << source << " does not compile";
        const auto ours = test::compiledDump(dir / written);
        ASSERT_TRUE(ours) << written << " does not compile";
        EXPECT_EQ(*ours, *expected);
    }

    test::TempDir dir;
    test::RecordingFeedback feedback;
};

TEST_F(ScriptFidelityTest, AJapaneseDialogWithHalfWidthKatakanaRoundTrips)
{
    // "ｷｬﾝｾﾙ" ends in 0xD9, a byte that is no lead byte; the caption's 0x955C ends in a backslash.
    const std::string button = "PUSHBUTTON \"\xB7\xAC\xDD\xBE\xD9\", 2, 5, 5, 40, 14";
    const std::string caption = "CAPTION \"\x95\\\x8E\xA6\"";
    auto doc = build("ja.rc", "#pragma code_page(932)\nLANGUAGE LANG_JAPANESE, SUBLANG_DEFAULT\n"
                              "IDD_A DIALOGEX 0, 0, 100, 50\n" + caption + "\nBEGIN\n  " + button +
                              "\n  LTEXT \"\x83\x65\x83\x4C\x83\x58\x83\x67\", 3, 5, 25, 40, 8\nEND\n");
    ASSERT_TRUE(doc);
    const std::string out = translated(*doc, kJapanese, "ja-written.rc");
    EXPECT_NE(out.find("  " + button + "\r\n"), std::string::npos) << out;
    EXPECT_NE(out.find(caption + "\r\n"), std::string::npos) << out;
    EXPECT_NE(out.find("#pragma code_page(932)"), std::string::npos);
    expectSameResources("ja.rc", "ja-written.rc");
}

TEST_F(ScriptFidelityTest, LinesWithoutTextAndWideLiteralsAreWrittenAsTheyStandAndCompile)
{
    dir.write("x.bin", "raw data");
    dir.write("y.dat", "user data");
    const std::string lines[] = {"#define X \xC3\xBC", "IDR_\xC3\x84 BITMAP   \"a.bmp\"", "IDR_X RCDATA \"x.bin\"",
                                 "IDR_Y MYTYPE \"y.dat\"", "IDR_Z ICON   \"z.ico\"", "FONT 8, L\"MS Shell Dlg\", 0, 0, 0x1"};
    auto doc = build("app.rc", "LANGUAGE LANG_ENGLISH, SUBLANG_ENGLISH_US\n" + lines[0] + "\nIDR_\xC3\x84 BITMAP \"a.bmp\"\n" +
                                   lines[2] + "\n" + lines[3] + "\nIDR_Z ICON \"z.ico\"\nIDD_A DIALOGEX 0, 0, 100, 50\n" +
                                   lines[5] + "\nBEGIN\n  PUSHBUTTON L\"Close\", 2, 5, 5, 40, 14\nEND\n");
    ASSERT_TRUE(doc);
    const std::string untranslated = translated(*doc, kGerman, "de.rc");
    for (const std::string& line : lines)
        EXPECT_NE(untranslated.find("\r\n" + line + "\r\n"), std::string::npos) << line << "\n" << untranslated;
    expectSameResources("app.rc", "de.rc");

    translate(*doc, kGerman, "Close", "Beenden");
    EXPECT_NE(translated(*doc, kGerman, "de.rc").find("  PUSHBUTTON L\"Beenden\", 2, 5, 5, 40, 14\r\n"), std::string::npos);
    if (test::resourceCompilerAvailable()) {
        EXPECT_TRUE(test::compiledDump(dir / "de.rc"));
    }
}

TEST_F(ScriptFidelityTest, TheReplacementForALoneSurrogateStaysWhole)
{
    // A UTF-16 script whose macro value is a high surrogate without its low half.
    std::string script = "\xFF\xFE";
    for (char16_t c : std::u16string(u"#define X \xD800\r\nSTRINGTABLE\r\nBEGIN\r\n  1 \"Close\"\r\nEND\r\n")) {
        script += static_cast<char>(c & 0xFF);
        script += static_cast<char>(c >> 8);
    }
    auto doc = build("wide.rc", script);
    ASSERT_TRUE(doc);
    const std::string out = translated(*doc, kGerman, "wide-de.rc");
    ASSERT_EQ(out.substr(0, 2), "\xFF\xFE");
    EXPECT_NE(utf16ToUtf8(std::string_view(out).substr(2), false).find("#define X \xEF\xBF\xBD\r\n"), std::string::npos);
    for (const auto& said : feedback.said)
        EXPECT_NE(said.icon, Icon::Stop) << said.text;
}

TEST_F(ScriptFidelityTest, AUtf8ScriptUnderAnotherPragmaIsReadAsUtf8AndWrittenAsItCompiles)
{
    // Saved as UTF-8, still declaring the Cyrillic code page; 0x98 of "И" is no character of 1251.
    const std::string entries = "  1 \"\xD0\x98\xD0\xB7\xD0\xB1\xD1\x80\xD0\xB0\xD0\xBD\xD0\xBD\xD0\xBE\xD0\xB5\"\r\n"
                                "  2 \"\xD0\x97\xD0\xB0\xD0\xBA\xD1\x80\xD1\x8B\xD1\x82\xD1\x8C\"\r\n";
    auto doc = build("ru.rc", "LANGUAGE LANG_RUSSIAN, SUBLANG_DEFAULT\n#pragma code_page(1251)\nSTRINGTABLE\nBEGIN\n" +
                                  entries + "END\n");
    ASSERT_TRUE(doc);
    EXPECT_EQ(doc->codePage(), 65001);
    ASSERT_FALSE(feedback.said.empty());
    EXPECT_NE(feedback.said.back().text.find("ru.rc(2): the pragma says 1251, the bytes are UTF-8"), std::string::npos)
        << feedback.said.back().text;

    // Untranslated, the written script holds the source's bytes under the source's pragma.
    const std::string untranslated = translated(*doc, kGerman, "ru-de.rc");
    EXPECT_NE(untranslated.find("#pragma code_page(1251)\r\n"), std::string::npos) << untranslated;
    EXPECT_NE(untranslated.find(entries), std::string::npos) << untranslated;
    expectSameResources("ru.rc", "ru-de.rc");

    translate(*doc, kGerman, "\xD0\x97\xD0\xB0\xD0\xBA\xD1\x80\xD1\x8B\xD1\x82\xD1\x8C", "Schlie\xC3\x9F" "en");
    EXPECT_NE(translated(*doc, kGerman, "ru-de.rc").find("  2 \"Schlie\xC3\x9F" "en\"\r\n"), std::string::npos);
    for (const auto& said : feedback.said) {
        EXPECT_NE(said.icon, Icon::Stop) << said.text;
        EXPECT_EQ(said.text.find("cannot hold"), std::string::npos) << said.text;
    }
}

TEST_F(ScriptFidelityTest, OnlyTheSourceLanguageIsTranslatedAndTheOtherLanguagesStayAsTheyAre)
{
    const std::string french = "LANGUAGE LANG_FRENCH, SUBLANG_FRENCH\nSTRINGTABLE\nBEGIN\n"
                               "    1   \"Fermer\"   // bouton\n    2   \"Ouvrir\"\nEND";
    auto doc = build("multi.rc", "LANGUAGE LANG_ENGLISH, SUBLANG_ENGLISH_US\nSTRINGTABLE\nBEGIN\n  1 \"Close\"\n"
                                 "  2 \"Open\"\nEND\n\n" + french + "\n");
    ASSERT_TRUE(doc);
    std::vector<std::string> offered;
    doc->database().texts().forEachTextInLineOrder([&](const TextRow& row) { offered.push_back(row.sourceText); });
    EXPECT_EQ(offered, (std::vector<std::string>{"Close", "Open"}));

    ASSERT_TRUE(doc->NewTranslation(kGerman, "multi-de.rc"));
    translate(*doc, kGerman, "Close", "Beenden");
    const std::string out = translated(*doc, kGerman, "multi-de.rc");
    EXPECT_EQ(out.find("LANG_ENGLISH"), std::string::npos) << out;
    EXPECT_NE(out.find("LANGUAGE  LANG_GERMAN, SUBLANG_GERMAN\r\n"), std::string::npos) << out;
    std::string frenchWritten;
    for (char c : french)
        frenchWritten += c == '\n' ? std::string("\r\n") : std::string(1, c);
    EXPECT_NE(out.find(frenchWritten + "\r\n"), std::string::npos) << out;

    if (!test::resourceCompilerAvailable())
        return;
    test::prepareScratchFolder(dir.path());
    const auto dump = test::compiledDump(dir / "multi-de.rc", test::DumpLanguages::Keep);
    ASSERT_TRUE(dump);
    // One table per language, each with its own texts.
    const std::size_t germanAt = dump->find("LANGUAGE 7, 1\n");
    const std::size_t frenchAt = dump->find("LANGUAGE 12, 1\n");
    ASSERT_NE(germanAt, std::string::npos) << *dump;
    ASSERT_NE(frenchAt, std::string::npos) << *dump;
    EXPECT_EQ(dump->find("LANGUAGE", germanAt + 1), frenchAt) << *dump;
    EXPECT_EQ(dump->find("STRINGTABLE", dump->find("STRINGTABLE", germanAt) + 1), dump->find("STRINGTABLE", frenchAt));
    EXPECT_NE(dump->find("1, \"Beenden\"\n  2, \"Open\"", germanAt), std::string::npos) << *dump;
    EXPECT_NE(dump->find("1, \"Fermer\"\n  2, \"Ouvrir\"", frenchAt), std::string::npos) << *dump;
}

} // namespace
} // namespace qmk
