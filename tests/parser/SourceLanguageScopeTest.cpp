// Scripts holding several languages: statements under another language than the source's reach
// the sink as the script has them, with nothing to translate; neutral blocks stay the source's.
#include <gtest/gtest.h>

#include "common/TempDir.h"
#include "parser/LineSink.h"
#include "parser/LoadLoop.h"
#include "parser/ParsedLine.h"
#include "parser/ScriptParser.h"
#include "parser/SourceLanguageScope.h"
#include "resources/Feedback.h"

namespace qmk {
namespace {

struct Stored {
    int kind;
    std::string text;
    bool operator==(const Stored&) const = default;
};

void PrintTo(const Stored& s, std::ostream* os) { *os << s.kind << " [" << s.text << "]"; }

class RecordingSink : public LineSink {
public:
    void store(const ParsedLine& line, const ScriptParser&, int) override { lines.push_back({line.kind, line.text}); }
    std::vector<Stored> lines;
};

std::vector<Stored> stored(const test::TempDir& dir, const std::string& script,
                           SourceLanguageRule rule = SourceLanguageRule{})
{
    RecordingSink sink;
    SilentFeedback quiet;
    LoadLoop loop(sink, {".DLG"}, quiet);
    loop.setSourceRule(rule);
    EXPECT_EQ(loop.run(dir.write("app.rc", script)), 0);
    return sink.lines;
}

constexpr int kOther = 65;

} // namespace

TEST(SourceLanguageScopeTest, TheLanguageOfTheMostTextsIsTheSource)
{
    test::TempDir dir;
    auto s = stored(dir, "LANGUAGE LANG_NEUTRAL, SUBLANG_NEUTRAL\nIDI_APP ICON \"app.ico\"\n"
                         "LANGUAGE LANG_ENGLISH, SUBLANG_ENGLISH_US\nSTRINGTABLE\nBEGIN\n  1 \"One\"\nEND\n"
                         "LANGUAGE LANG_FRENCH, SUBLANG_FRENCH\nSTRINGTABLE\nBEGIN\n    1,  \"Un\"   // un\nEND\n"
                         "LANGUAGE LANG_NEUTRAL, SUBLANG_NEUTRAL\nIDI_TWO ICON \"two.ico\"\n"
                         "LANGUAGE 9, 1\nSTRINGTABLE\nBEGIN\n  2 \"Two\"\nEND\n");
    const std::vector<Stored> expected = {
        {94, "LANGUAGE LANG_NEUTRAL, SUBLANG_NEUTRAL"}, {14, "IDI_APP ICON   \"app.ico\""},
        {94, "LANGUAGE LANG_ENGLISH, SUBLANG_ENGLISH_US"}, {5, "STRINGTABLE "}, {6, "BEGIN"}, {70, "1 \"One\""}, {7, "END"},
        {kOther, "LANGUAGE LANG_FRENCH, SUBLANG_FRENCH"}, {kOther, "STRINGTABLE"}, {kOther, "BEGIN"},
        {kOther, "    1,  \"Un\"   // un"}, {kOther, "END"},
        {94, "LANGUAGE LANG_NEUTRAL, SUBLANG_NEUTRAL"}, {14, "IDI_TWO ICON   \"two.ico\""},
        {94, "LANGUAGE 9, 1"}, {5, "STRINGTABLE "}, {6, "BEGIN"}, {70, "2 \"Two\""}, {7, "END"}};
    EXPECT_EQ(s, expected);
}

TEST(SourceLanguageScopeTest, ALanguageOfOneResourceEndsWithItAndIncludedFilesFollowTheScope)
{
    test::TempDir dir;
    dir.write("fr.dlg", "IDD_A DIALOG 0, 0, 10, 10\nCAPTION \"Fen\xC3\xAAtre\"\nBEGIN END\n");
    auto s = stored(dir, "LANGUAGE LANG_ENGLISH, SUBLANG_ENGLISH_US\n"
                         "STRINGTABLE LANGUAGE LANG_FRENCH, SUBLANG_FRENCH\nBEGIN 1 \"Un\" END\n"
                         "STRINGTABLE\nBEGIN\n  2 \"Two\"\nEND\n"
                         "LANGUAGE LANG_FRENCH, SUBLANG_FRENCH\n#include \"fr.dlg\"\n",
                    SourceLanguageRule::named({9, 1}));
    const std::vector<Stored> expected = {
        {94, "LANGUAGE LANG_ENGLISH, SUBLANG_ENGLISH_US"}, {5, "STRINGTABLE "},
        {kOther, "LANGUAGE LANG_FRENCH, SUBLANG_FRENCH"}, {kOther, "BEGIN"}, {kOther, "1 \"Un\""}, {kOther, "END"},
        {5, "STRINGTABLE "}, {6, "BEGIN"}, {70, "2 \"Two\""}, {7, "END"},
        {kOther, "LANGUAGE LANG_FRENCH, SUBLANG_FRENCH"}, {kOther, "IDD_A DIALOG 0, 0, 10, 10"},
        {kOther, "CAPTION \"Fen\xC3\xAAtre\""}, {kOther, "BEGIN"}, {kOther, "END"}};
    EXPECT_EQ(s, expected);
}

} // namespace qmk
