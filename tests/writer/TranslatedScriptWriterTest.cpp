#include <gtest/gtest.h>

#include "common/TempDir.h"
#include "writer/TranslatedScriptWriter.h"

namespace qmk {
namespace {

constexpr const char* kSlashes = "////////////////////////////////////////////////////////////////////////////";

std::string header(const std::string& source)
{
    return std::string(kSlashes) + "\r\n//  Windows Lexmoor Quillmark Version 3.2\r\n"
           "//  This is a translated resource file.\r\n//  Source File Name:  " + source + "\r\n" + kSlashes + "\r\n\r\n";
}

std::string footer()
{
    return std::string("\r\n") + kSlashes + "\r\n//  End of file \r\n" + kSlashes + "\r\n";
}

WriterLine plain(int kind, std::string_view text)
{
    WriterLine l;
    l.kind = kind;
    l.before = text;
    return l;
}

WriterLine withText(int kind, std::string_view before, std::string_view source, std::string_view translation,
                    std::string_view behind, bool exclude = false)
{
    WriterLine l;
    l.kind = kind;
    l.before = before;
    l.behind = behind;
    l.hasText = true;
    l.sourceText = source;
    l.translation = translation;
    l.exclude = exclude;
    return l;
}

} // namespace

TEST(TranslatedScriptWriterTest, WritesHeaderLinesWithPrefixesAndFooter)
{
    test::TempDir dir;
    const WriterTarget german{7, 1, false};
    TranslatedScriptWriter writer(german, dir / "app-German.rc");
    ASSERT_TRUE(writer.begin("/home/me/app.rc"));
    writer.writeLine(plain(94, "LANGUAGE LANG_ENGLISH, SUBLANG_ENGLISH_US"));
    writer.writeLine(plain(106, "#pragma code_page(1252)"));
    writer.writeLine(plain(13, "IDD_ABOUT DIALOG 0, 0, 100, 50"));
    writer.writeLine(withText(1, "CAPTION \"", "About", "Info", "\""));
    writer.writeLine(plain(6, "BEGIN"));
    writer.writeLine(withText(23, "PUSHBUTTON \"", "OK", "", "\", IDOK, 1, 2, 3, 4"));
    writer.writeLine(plain(7, "END"));
    writer.writeLine(plain(8, "IDM_MAIN MENU"));
    writer.writeLine(withText(3, "POPUP \"", "&File", "&Datei", "\""));
    writer.writeLine(withText(4, "MENUITEM \"", "E&xit", "&Beenden", "\", ID_EXIT"));
    writer.writeLine(withText(16, "IDB_LOGO BITMAP   \"", "logo.bmp", "logo-de.bmp", "\"", true));
    writer.writeLine(withText(9, "#include \"", "options.dlg", "", "\""));
    ASSERT_TRUE(writer.finish());

    EXPECT_EQ(test::readFile(dir / "app-German.rc"),
              header("/home/me/app.rc") +
                  "LANGUAGE  LANG_GERMAN, SUBLANG_GERMAN\r\n"
                  "#pragma code_page(1252)\r\n"
                  "\r\nIDD_ABOUT DIALOG 0, 0, 100, 50\r\n"
                  "CAPTION \"Info\"\r\n"
                  "BEGIN\r\n"
                  "  PUSHBUTTON \"OK\", IDOK, 1, 2, 3, 4\r\n"
                  "END\r\n"
                  "\r\nIDM_MAIN MENU\r\n"
                  "   POPUP \"&Datei\"\r\n"
                  "  MENUITEM \"&Beenden\", ID_EXIT\r\n"
                  "IDB_LOGO BITMAP   \"logo.bmp\"\r\n"
                  "#include \"options.dlg\"\r\n" +
                  footer());
}

TEST(TranslatedScriptWriterTest, TargetCodePageAndUtf8Projects)
{
    const WriterLine pragma = plain(106, "#pragma code_page(65001)");
    EXPECT_EQ(translatedLineText(pragma, {25, 1, false}), "#pragma code_page(1251)");
    EXPECT_EQ(translatedLineText(pragma, {7, 3, false}), "#pragma code_page(1252)");
    EXPECT_EQ(translatedLineText(pragma, {25, 1, 65001}), "#pragma code_page(65001)");
    EXPECT_EQ(translatedLineText(pragma, {25, 1, 1200}), "#pragma code_page(65001)");
    // A language without LANG_/SUBLANG_ names is written by its numbers, never with empty names.
    EXPECT_EQ(translatedLineText(plain(94, "LANGUAGE 7, 1"), {99, 9, false}), "LANGUAGE  0x63, 0x09");
    // Names where the source named its language (its headers define them), numbers where it
    // wrote numbers (it may include no header that defines the names).
    EXPECT_EQ(translatedLineText(plain(94, "LANGUAGE LANG_GERMAN, SUBLANG_GERMAN"), {1, 14, false}),
              "LANGUAGE  LANG_ARABIC, SUBLANG_ARABIC_UAE");
    EXPECT_EQ(translatedLineText(plain(94, "LANGUAGE 7, 1"), {1, 14, false}), "LANGUAGE  0x01, 0x0E");
    EXPECT_EQ(translatedLineText(plain(94, "LANGUAGE 0x07, 0x01"), {12, 1, false}), "LANGUAGE  0x0C, 0x01");
}

TEST(TranslatedScriptWriterTest, TextAtTheEndOfALineIsStillItsOwn)
{
    // An unquoted rcinclude name ends its statement: there is nothing behind the text.
    WriterLine rcinclude = withText(10, "rcinclude ", "extra.rc2", "", "");
    EXPECT_EQ(translatedLineText(rcinclude, {7, 1, false}), "rcinclude extra.rc2");
}

TEST(TranslatedScriptWriterTest, FileErrorsNameTheirCauseAndKeepThePreviousFile)
{
    test::TempDir dir;
    TranslatedScriptWriter missingFolder({7, 1, false}, dir / "no-such-folder" / "app-German.rc");
    EXPECT_FALSE(missingFolder.begin("app.rc"));
    EXPECT_EQ(missingFolder.error(), FileErrorCause::BadPath);
    EXPECT_EQ(fileErrorMessage(FileErrorCause::BadPath, "German", "/x/app-German.rc"),
              "Save \"German\" translation file.\nError: bad path \"/x/app-German.rc\".\n"
              "Can not write translated resource file. Please check for correct path.");
    EXPECT_EQ(fileErrorMessage(FileErrorCause::DiskFull, "German", "x"), "The disk is full.");

    auto previous = dir.write("app-German.rc", "previous translation");
    {
        TranslatedScriptWriter abandoned({7, 1, false}, previous);
        ASSERT_TRUE(abandoned.begin("app.rc"));
        abandoned.writeLine(plain(65, "#define X 1"));
    }  // destroyed without finish(): the half-written file must not replace the old one
    EXPECT_EQ(test::readFile(previous), "previous translation");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

} // namespace qmk

namespace qmk {

TEST(TranslatedScriptWriterTest, ARawLineBreakOrNulInAStoredTranslationIsWrittenEscapedAndListed)
{
    bool changed = false;
    EXPECT_EQ(literalSafe("Eins\nZwei\r\nDrei", changed), "Eins\\nZwei\\r\\nDrei");
    EXPECT_TRUE(changed);
    EXPECT_EQ(literalSafe(std::string("a\0b", 3), changed), "ab");
    EXPECT_TRUE(changed);
    // A backslash at a line's end continues the literal, as the source scripts write it.
    EXPECT_EQ(literalSafe("long\\\n   text", changed), "long\\\n   text");
    EXPECT_FALSE(changed);
    EXPECT_EQ(literalSafe("long\\\r\n   text\\\\\nend", changed), "long\\\r\n   text\\\\\\nend");
    EXPECT_TRUE(changed);  // an escaped backslash continues nothing

    test::TempDir dir;
    TranslatedScriptWriter writer({7, 1, 1252}, dir / "out.rc");
    ASSERT_TRUE(writer.begin("app.rc"));
    writer.writeLine(withText(70, "    IDS_A \"", "One\\nTwo", "Eins\nZwei", "\""));
    ASSERT_TRUE(writer.finish());
    ASSERT_EQ(writer.escapedLines().size(), 1u);
    EXPECT_NE(writer.escapedLines()[0].find("Eins"), std::string::npos);
    EXPECT_NE(test::readFile(dir / "out.rc").find("IDS_A \"Eins\\nZwei\""), std::string::npos);
}

} // namespace qmk
