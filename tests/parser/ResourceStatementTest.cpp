#include <gtest/gtest.h>

#include "ParseHelpers.h"

namespace qmk {
namespace {

using test::parseContent;
using test::parseText;

TEST(ResourceHeaderTest, FileResourcesWriteThreeBlanksAroundOptions)
{
    auto s = parseContent("IDI_APP ICON \"app.ico\"\nIDB_TB BITMAP MOVEABLE PURE \"res/tb.bmp\"\n"
                          "IDC_HAND CURSOR res\\hand.cur\n");
    ASSERT_EQ(s.size(), 3u);
    EXPECT_EQ(s[0].kind, 14);
    EXPECT_EQ(s[0].action, 66);
    EXPECT_EQ(s[0].text, "IDI_APP ICON   \"app.ico\"");
    EXPECT_EQ(s[1].kind, 16);
    EXPECT_EQ(s[1].action, 40);
    EXPECT_EQ(s[1].string, "res/tb.bmp");
    EXPECT_EQ(s[1].symbol, "IDB_TB");
    EXPECT_EQ(s[1].text, "IDB_TB BITMAP   MOVEABLE PURE   \"res/tb.bmp\"");
    EXPECT_EQ(s[2].kind, 15);
    EXPECT_EQ(s[2].text, "IDC_HAND CURSOR   res\\hand.cur");
}

TEST(ResourceHeaderTest, UserDefinedResources)
{
    auto s = parseContent("1 24 \"app.manifest\"\nIDR_WAVE WAVE res/click.wav\nIDM_X MENUEX\nBEGIN\n"
                          "  MENUITEM \"&Open\", 1\nEND\n");
    ASSERT_EQ(s.size(), 4u);
    EXPECT_EQ(s[0].kind, 95);
    EXPECT_EQ(s[0].text, "1 24 \"app.manifest\"");
    EXPECT_EQ(s[1].kind, 95);
    EXPECT_EQ(s[1].text, "IDR_WAVE WAVE res/click.wav");
    // MENUEX is a menu: its items offer their texts.
    EXPECT_EQ(s[2].kind, 8);
    EXPECT_EQ(s[2].symbol, "IDM_X");
    EXPECT_EQ(s[3].kind, 4);
    EXPECT_EQ(s[3].action, 40);
    EXPECT_EQ(s[3].text, "MENUITEM \"&Open\", 1");
    EXPECT_EQ(parseContent("X MYTYPE\nEND\n").back().error, -97);
}

TEST(ResourceHeaderTest, DataResourcesGivenByFileNameOfEveryType)
{
    auto s = parseContent("IDR_X RCDATA \"x.bin\"\nIDR_Y MYTYPE \"y.dat\"\nIDR_Z ICON \"z.ico\"\n"
                          "IDR_W RCDATA DISCARDABLE \"w.bin\"\n\"NAMED\" RCDATA \"n.bin\"\nIDR_V 300 v.bin\n"
                          "IDR_D RCDATA\nBEGIN\n  1, 2\nEND\nIDR_L RCDATA\nLANGUAGE LANG_FRENCH, SUBLANG_FRENCH\n"
                          "BEGIN\n  3\nEND\nIDC_C CURSOR \"c.cur\"\n");
    ASSERT_EQ(s.size(), 12u);
    const std::pair<int, std::string> expected[] = {
        {95, "IDR_X RCDATA \"x.bin\""}, {95, "IDR_Y MYTYPE \"y.dat\""}, {14, "IDR_Z ICON   \"z.ico\""},
        {95, "IDR_W RCDATA DISCARDABLE \"w.bin\""}, {95, "\"NAMED\" RCDATA \"n.bin\""}, {95, "IDR_V 300 v.bin"},
        {31, "IDR_D RCDATA "}, {65, "   1, 2"}, {31, "IDR_L RCDATA "}, {94, "LANGUAGE LANG_FRENCH, SUBLANG_FRENCH"},
        {65, "   3"}, {15, "IDC_C CURSOR   \"c.cur\""}};
    for (std::size_t i = 0; i < s.size(); ++i) {
        EXPECT_EQ(s[i].kind, expected[i].first) << i;
        EXPECT_EQ(s[i].text, expected[i].second) << i;
        EXPECT_GE(s[i].error, 0) << i;
    }
    EXPECT_EQ(s[0].symbol, "IDR_X");
    EXPECT_EQ(s[0].action, 66);  // a file name is no text for translation
}

TEST(ResourceHeaderTest, LoneNameBeforeEndAndMacroLines)
{
    auto s = parseContent("IDM_X MENU\nBEGIN\nMY_SEPARATOR\nEND\nMY_VERSION_INFO(\"7-Zip\", \"7z\")\n");
    ASSERT_EQ(s.size(), 3u);
    EXPECT_EQ(s[1].kind, 49);
    EXPECT_EQ(s[1].text, "MY_SEPARATOR");
    EXPECT_EQ(s[2].kind, 65);
    EXPECT_EQ(s[2].text, "MY_VERSION_INFO(\"7-Zip\", \"7z\")");
}

TEST(DataResourceTest, LinesAreIndentedByDepthAndStringsRunningToTheLineEndAreNotOffered)
{
    auto s = parseText("IDR_D RCDATA\nBEGIN\n  \"alone\"\n  \"first\", \"second\"\n  \"noted\" // c\n"
                       "  BEGIN\n 1, 2\n  END\nEND\n");
    ASSERT_GE(s.size(), 10u);
    EXPECT_EQ(s[0].kind, 31);
    EXPECT_EQ(s[2].text, "   \"alone\"");
    EXPECT_EQ(s[2].kind, 65);
    EXPECT_EQ(s[3].kind, 88);
    EXPECT_EQ(s[3].string, "first");
    EXPECT_EQ(s[4].kind, 65); // the second string, up to the line end
    EXPECT_EQ(s[5].kind, 88);
    EXPECT_EQ(s[5].action, 40);
    EXPECT_EQ(s[6].text, "   BEGIN");
    EXPECT_EQ(s[7].text, "      1, 2");
    EXPECT_EQ(s[8].text, "   END");
    EXPECT_EQ(s[9].text, "END");
    EXPECT_EQ(s[9].kind, 7);
}

TEST(DataResourceTest, TextIncludeStringsAreKind76)
{
    auto s = parseContent("1 TEXTINCLUDE DISCARDABLE\nBEGIN\n    \"resource.h\\0\"\nEND\n");
    ASSERT_EQ(s.size(), 2u);
    EXPECT_EQ(s[0].kind, 75);
    EXPECT_EQ(s[1].kind, 76);
    EXPECT_EQ(s[1].string, "resource.h\\0");
}

TEST(VersionInfoTest, FixedInfoBlocksAndValues)
{
    auto s = parseContent("VS_VERSION_INFO VERSIONINFO\n FILEVERSION 1,0,0,1\n PRODUCTVERSION 1,0,0,1\n"
                          " FILEFLAGSMASK 0x3fL\n FILEFLAGS VS_FF_DEBUG\n FILEOS VOS__WINDOWS32\nBEGIN\n"
                          "  BLOCK \"StringFileInfo\"\n  BEGIN\n    BLOCK \"040904E4\"\n    BEGIN\n"
                          "      VALUE \"CompanyName\", \"Acme\\0\"\n      VALUE \"Comments\", \"one\"\n"
                          "                \"two\"\n    END\n  END\n  BLOCK \"VarFileInfo\"\n  BEGIN\n"
                          "    VALUE \"Translation\", 0x409, 1252\n  END\nEND\n");
    ASSERT_EQ(s.size(), 12u);
    EXPECT_EQ(s[0].kind, 77);
    EXPECT_EQ(s[1].kind, 78);
    EXPECT_EQ(s[1].text, " FILEVERSION 1, 0, 0, 1");
    EXPECT_EQ(s[3].kind, 80);
    EXPECT_EQ(s[3].style, 0x3Fu);
    EXPECT_EQ(s[4].style, 1u);
    EXPECT_EQ(s[5].style, 4u);
    EXPECT_EQ(s[6].text, " BLOCK\"StringFileInfo\"");
    EXPECT_EQ(s[6].action, 66);
    EXPECT_EQ(s[7].action, 40);
    EXPECT_EQ(s[7].string, "040904E4");
    EXPECT_EQ(s[8].text, "   VALUE \"CompanyName\", \"Acme\\0\"");
    EXPECT_EQ(s[8].symbol, "CompanyName");
    EXPECT_EQ(s[8].action, 40);
    EXPECT_EQ(s[9].text, "   VALUE \"Comments\", \"onetwo\"");  // one text, as the compiler joins it
    EXPECT_EQ(s[9].string, "onetwo");
    EXPECT_EQ(s[11].symbol, "Translation");
    EXPECT_EQ(s[11].action, 66);
    EXPECT_EQ(s[11].value1, 0x409);
    EXPECT_EQ(s[11].value2, 1252);
}

TEST(VersionInfoTest, StringStartingALineIsAFurtherValueLine)
{
    auto s = parseContent("1 VERSIONINFO\nBEGIN\n BLOCK \"040904E4\"\n BEGIN\n END\n   \"more\"\nEND\n");
    ASSERT_EQ(s.size(), 3u);
    EXPECT_EQ(s[2].text, "         \"more\"");
    EXPECT_EQ(s[2].kind, 86);
    EXPECT_EQ(s[2].string, "more");
}

TEST(LanguageTest, NamesAndNumbers)
{
    auto s = parseContent("LANGUAGE LANG_GERMAN, SUBLANG_GERMAN\nLANGUAGE lang_german, sublang_german\n"
                          "LANGUAGE LANG_ARABIC, SUBLANG_DEFAULT\nLANGUAGE 9, 1\n"
                          "LANGUAGE LANG_KLINGON, SUBLANG_ARABIC_UAE\n");
    ASSERT_EQ(s.size(), 5u);
    EXPECT_EQ(s[0].kind, 94);
    EXPECT_EQ(s[0].action, 94);
    EXPECT_EQ(s[0].language, 7);
    EXPECT_EQ(s[0].sublanguage, 1);
    EXPECT_EQ(s[1].language, 0);
    EXPECT_EQ(s[1].sublanguage, 0);
    EXPECT_EQ(s[2].language, 1);
    EXPECT_EQ(s[3].language, 9);
    EXPECT_EQ(s[3].text, "LANGUAGE 9, 1");
    EXPECT_EQ(s[4].language, 0);  // a name no header defines
    EXPECT_EQ(s[4].sublanguage, 14);
}

TEST(LanguageTest, MalformedStatementFails)
{
    EXPECT_EQ(parseContent("LANGUAGE LANG_GERMAN SUBLANG_GERMAN\n").back().error, -93);
    EXPECT_EQ(parseContent("LANGUAGE \"x\", 1\n").back().error, -93);
}

TEST(PreprocessorTest, IncludesInEveryForm)
{
    auto s = parseContent("#include \"resource.h\"\n#INCLUDE <windows.h>\n# include MACRO_NAME\nrcinclude dlg.rc\n");
    ASSERT_EQ(s.size(), 4u);
    EXPECT_EQ(s[0].kind, 9);
    EXPECT_EQ(s[0].action, 40);
    EXPECT_EQ(s[0].resourceLine, -1);
    EXPECT_EQ(s[0].include, "resource.h");
    EXPECT_EQ(s[0].text, "#include \"resource.h\"");
    EXPECT_EQ(s[1].kind, 9);
    EXPECT_EQ(s[1].include, "windows.h");
    EXPECT_EQ(s[2].kind, 65);
    EXPECT_EQ(s[3].kind, 10);
    EXPECT_EQ(s[3].include, "dlg.rc");
}

TEST(PreprocessorTest, PragmaCodePageAndOtherDirectives)
{
    auto s = parseContent("#pragma code_page(1252)\n#pragma once\n#if defined(A) && B == 2\n#endif // done\n"
                          "#define SEP MENUITEM SEPARATOR\n");
    ASSERT_EQ(s.size(), 5u);
    EXPECT_EQ(s[0].kind, 106);
    EXPECT_EQ(s[0].number, 1252);
    EXPECT_EQ(s[0].text, "#pragma code_page(1252)");
    EXPECT_EQ(s[1].kind, 65);
    EXPECT_EQ(s[1].text, "#pragma once");
    EXPECT_EQ(s[2].text, "#if defined( A ) && B == 2");
    EXPECT_EQ(s[3].kind, 92);
    EXPECT_EQ(s[4].text, "#define SEP MENUITEM SEPARATOR");
}

TEST(PreprocessorTest, FunctionLikeMacrosAndContinuationsSurvive)
{
    auto s = parseContent("#define VER(a, b) a ## b \\\n  LANGUAGE 9, 1 \\\n  1 VERSIONINFO\nIDI_A ICON \"a.ico\"\n");
    ASSERT_EQ(s.size(), 2u);
    EXPECT_EQ(s[0].kind, 65);
    EXPECT_EQ(s[0].text, "#define VER( a, b ) a ## b \\\nLANGUAGE 9, 1 \\\n1 VERSIONINFO");
    EXPECT_EQ(s[1].kind, 14);
}

TEST(GeneralRuleTest, QuotedSectionsDollarLinesAndStrayCharacters)
{
    auto s = parseContent("'42 4D 00'\n$$IF(VERBOSE) text\n@ stray line\nIDI_A ICON \"a.ico\"\n");
    ASSERT_EQ(s.size(), 4u);
    EXPECT_EQ(s[0].kind, 72);
    EXPECT_EQ(s[0].text, "'42 4D 00'");
    EXPECT_EQ(s[1].kind, 66);
    EXPECT_EQ(s[1].text, "$$IF( VERBOSE ) text");
    // A character no table knows does not end the script.
    EXPECT_EQ(s[2].kind, 65);
    EXPECT_EQ(s[3].kind, 14);
    EXPECT_EQ(parseContent("'never closed\n").back().error, -99);
}

TEST(GeneralRuleTest, StatementsAfterEachOtherOnOneLine)
{
    auto s = parseContent("IDR_M MENU BEGIN MENUITEM \"a\", 1 MENUITEM \"b\", 2 END");
    ASSERT_EQ(s.size(), 3u);
    EXPECT_EQ(s[1].string, "a");
    EXPECT_EQ(s[2].string, "b");
}

} // namespace
} // namespace qmk
