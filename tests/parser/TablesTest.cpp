#include <gtest/gtest.h>

#include <set>
#include <string>

#include "parser/ControlClasses.h"
#include "parser/LanguageNames.h"
#include "parser/ScriptKeywords.h"
#include "parser/StyleNames.h"

namespace qmk {
namespace {

TEST(StyleNamesTest, TableHasItsRowsInOrderWithUniqueNames)
{
    auto t = StyleNames::table();
    ASSERT_EQ(t.size(), 115u);
    EXPECT_EQ(t[0].name, "DUMMY");
    EXPECT_EQ(t[0].value, 3u);
    EXPECT_EQ(t[1].name, "WS_CLIPSIBLINGS");
    EXPECT_EQ(t.back().name, "VS_FF_SPECIALBUILD");
    std::set<std::string_view> names;
    for (const StyleName& s : t) {
        EXPECT_LT(s.name.size(), StyleNames::kMaxNameLength) << s.name;
        EXPECT_TRUE(names.insert(s.name).second) << s.name;
    }
}

TEST(StyleNamesTest, ValuesAreThoseOfTheSdkHeaders)
{
    EXPECT_EQ(StyleNames::value("WS_POPUP"), 0x80000000u);
    EXPECT_EQ(StyleNames::value("WS_CHILD"), 0x40000000u);
    EXPECT_EQ(StyleNames::value("WS_TABSTOP"), 0x00010000u);
    EXPECT_EQ(StyleNames::value("WS_OVERLAPPEDWINDOW"), 0x00CF0000u);
    EXPECT_EQ(StyleNames::value("WS_POPUPWINDOW"), 0x80880000u);
    EXPECT_EQ(StyleNames::value("WS_EX_DLGMODALFRAME"), 0x1u);
    EXPECT_EQ(StyleNames::value("BS_OWNERDRAW"), 0xBu);
    EXPECT_EQ(StyleNames::value("SS_SIMPLE"), 0xBu);
    EXPECT_EQ(StyleNames::value("SS_ICON"), 0x3u);
    EXPECT_EQ(StyleNames::value("SS_NOPREFIX"), 0x80u);
    EXPECT_EQ(StyleNames::value("ES_MULTILINE"), 0x4u);
    EXPECT_EQ(StyleNames::value("DS_MODALFRAME"), 0x80u);
    EXPECT_EQ(StyleNames::value("VOS__WINDOWS32"), 0x4u);
    EXPECT_EQ(StyleNames::value("VOS_NT_WINDOWS32"), 0x00040004u);
    EXPECT_EQ(StyleNames::value("VS_FFI_SIGNATURE"), 0xFEEF04BDu);
    EXPECT_EQ(StyleNames::value("VS_FF_DEBUG"), 0x1u);
}

TEST(StyleNamesTest, LookupIsExactInLetterCase)
{
    EXPECT_EQ(StyleNames::value("ws_tabstop"), 0u);
    EXPECT_EQ(StyleNames::value("WS_TABSTOPX"), 0u);
    EXPECT_EQ(StyleNames::value(""), 0u);
}

TEST(ControlClassesTest, WordsMatchIgnoringCase)
{
    ASSERT_EQ(ControlClasses::table().size(), 11u);
    EXPECT_EQ(ControlClasses::classText("Button"), "BUTTON");
    EXPECT_EQ(ControlClasses::classText("button_class"), "BorBtn");
    EXPECT_EQ(ControlClasses::classText("STATIC_CLASS"), "BorStatic");
    EXPECT_EQ(ControlClasses::classText("SysListView32"), "");
}

TEST(LanguageNamesTest, ExactNamesGiveTheirNumbers)
{
    // The names read from the start come first; the names of <winnt.h> follow.
    EXPECT_EQ(LanguageNames::languages()[25].name, "LANG_TURKISH");
    EXPECT_EQ(LanguageNames::languageValue("LANG_GERMAN"), 7);
    EXPECT_EQ(LanguageNames::languageValue("LANG_SLOVENIAN"), 36);
    EXPECT_EQ(LanguageNames::languageValue("LANG_ARABIC"), 1);
    EXPECT_EQ(LanguageNames::languageValue("LANG_LITHUANIAN"), 39);
    EXPECT_EQ(LanguageNames::languageValue("LANG_KLINGON"), 0);
    EXPECT_EQ(LanguageNames::languageValue("lang_german"), 0);
    // The names the writer gives two original languages read back as those languages.
    EXPECT_EQ(LanguageNames::languageValue("LANG_SERBO_CROATIAN"), 26);
    EXPECT_EQ(LanguageNames::sublanguageValue("SUBLANG_SERBO_CROATIAN_CYRILLIC"), 2);
    EXPECT_EQ(LanguageNames::languageValue("LANG_RHAETO_ROMAN"), 23);
    EXPECT_EQ(LanguageNames::sublanguageValue("SUBLANG_ARABIC_UAE"), 14);
    EXPECT_EQ(LanguageNames::sublanguageValue("SUBLANG_GERMAN_AUSTRIAN"), 3);
    EXPECT_EQ(LanguageNames::sublanguageValue("SUBLANG_PORTUGUESE_BRAZILIAN"), 1);
    EXPECT_EQ(LanguageNames::sublanguageValue("SUBLANG_CHINESE_SINGAPORE"), 4);
    EXPECT_EQ(LanguageNames::sublanguageValue("SUBLANG_NEUTRAL"), 0);
}

TEST(OptionWordsTest, TablesAndCaseBlindTests)
{
    EXPECT_EQ(ScriptKeywords::memoryOptions().size(), 7u);
    EXPECT_EQ(ScriptKeywords::acceleratorOptions().size(), 6u);
    EXPECT_EQ(ScriptKeywords::menuOptions().size(), 6u);
    EXPECT_TRUE(ScriptKeywords::isMemoryOption("Discardable"));
    EXPECT_TRUE(ScriptKeywords::isAcceleratorOption("virtkey"));
    EXPECT_TRUE(ScriptKeywords::isMenuOption("MenuBarBreak"));
    EXPECT_FALSE(ScriptKeywords::isMenuOption("MENUBREAKS"));
}

} // namespace
} // namespace qmk
