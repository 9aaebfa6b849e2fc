// The checks every text from outside passes: what is UTF-8 and what is not (the faults real
// files hold: stray Latin-1 bytes, a byte-order mark of UTF-16, overlong forms, surrogates, cut
// sequences), what XML cannot carry, and the form in which a report shows what was refused.
#include <gtest/gtest.h>

#include "resources/TextValidity.h"

namespace qmk {
namespace {

TEST(TextValidity, WellFormedUtf8PassesAndEveryKindOfFaultIsFoundWhereItIs)
{
    for (const char* good : {"", "plain", "Schließen", "日本語", "emoji \xF0\x9F\x98\x80", "\xEF\xBF\xBD",
                             "\xF4\x8F\xBF\xBF"})
        EXPECT_EQ(invalidUtf8Offset(good), std::string_view::npos) << good;
    struct Case {
        std::string text;
        std::size_t at;
    };
    for (const Case& bad : {Case{"\xFF\xFE", 0}, Case{"ab\xE9z", 2}, Case{"\xC0\x80", 0},  // Latin-1, overlong NUL
                            Case{"x\xED\xA0\x80", 1},                                      // a surrogate
                            Case{"ok \xE2\x82", 3},                                        // cut at the end
                            Case{"\xF4\x90\x80\x80", 0},                                   // above U+10FFFF
                            Case{"\xE0\x80\xAF", 0}, Case{"a\x80", 1}})
        EXPECT_EQ(invalidUtf8Offset(bad.text), bad.at) << bad.text;
}

TEST(TextValidity, ProblemsNameTheBytesAndTheirPlace)
{
    EXPECT_EQ(utf8Problem("Datei"), "");
    EXPECT_EQ(utf8Problem("\xFF\xFE"), "invalid UTF-8 (bytes FF FE) at offset 0");
    EXPECT_EQ(utf8Problem("Gr\xFC\xDF"
                          "e"),
              "invalid UTF-8 (bytes FC DF) at offset 2");
    EXPECT_EQ(utf8Problem("caf\xE9"), "invalid UTF-8 (byte E9) at offset 3");

    EXPECT_EQ(xmlTextProblem("tab\tline\r\nok"), "");
    EXPECT_EQ(xmlTextProblem("bell\a"), "a control character (code 7)");
    EXPECT_EQ(xmlTextProblem("x\xEF\xBF\xBE"), "the non-character U+FFFE");
    EXPECT_EQ(xmlTextProblem("\xEF\xBF\xBF"), "the non-character U+FFFF");
    EXPECT_EQ(xmlTextProblem("\xEF\xBF\xBD"), "");  // the replacement character is a character
    EXPECT_EQ(xmlTextProblem("\xFF"), "invalid UTF-8 (byte FF) at offset 0");
}

TEST(TextValidity, PrintableTextIsAlwaysUtf8AnXmlFileCanCarry)
{
    EXPECT_EQ(printableText("Menu_Item/IDM_OPEN"), "Menu_Item/IDM_OPEN");
    EXPECT_EQ(printableText("Öffnen\tjetzt"), "Öffnen\tjetzt");
    EXPECT_EQ(printableText("id\xFF\xFE"), "id\\xFF\\xFE");
    EXPECT_EQ(printableText("a\x1B[31m"), "a\\x1B[31m");
    EXPECT_EQ(printableText("\xEF\xBF\xBEü\xE2\x82"), "\\uFFFEü\\xE2\\x82");
    for (const std::string text : {"\xFF\xFE", "\xC0\x80\x01", "\xED\xA0\x80\xEF\xBF\xBF"})
        EXPECT_EQ(xmlTextProblem(printableText(text)), "") << text;
}

} // namespace
} // namespace qmk
