// What the translation bar shows and stores, without any widget: texts between the display
// form the translator reads and types and the stored form a resource script needs, version
// block headers as language and code page, and which of the bar's controls may be used.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qmk {

// Stored form to display form: a backslash directly before a quote goes, then of every two
// adjacent quotes the first. Works on UTF-8 (or any code page whose quote and backslash bytes
// never occur inside a character).
std::string toDisplayForm(std::string_view stored);
// Display form to stored form: every quote not directly after a backslash is doubled (also a
// quote at the very start); a quote after a backslash stays single; a line break, carriage
// return or tab becomes its escape (\n, \r, \t), as a string literal needs.
std::string toStoredForm(std::string_view display);
// A text in script notation (a workbook's cell) with the line breaks, carriage returns and tabs
// typed into it (Alt+Enter) as their escapes.
std::string withEscapedLineBreaks(std::string_view text);
// Stored form to the form translation platforms and spreadsheets expect: the display form with
// the line breaks, carriage returns and tabs its escapes stand for. Other escapes stay as
// written, so that toStoredForm gives the stored text back.
std::string toPlatformForm(std::string_view stored);

// A version block header: four hexadecimal digits of the language id, four of the code page
// ("040904E4"), as rows of the language and code-page tables.
struct BlockHeader {
    int languageRow = -1;  // index into languageRows(), -1 when not listed
    int codePageRow = -1;  // index into codePageRows(), -1 when not listed
};
// Both halves are looked up ignoring case; nothing when the text is not 8 characters long.
std::optional<BlockHeader> parseBlockHeader(std::string_view header);
// The header from a chosen language and code page (both rows must be listed).
std::string buildBlockHeader(const BlockHeader& header);
// "English (United States),   Code page:  Western (1252) (040904E4)"; empty for an empty header.
std::string blockHeaderDisplay(std::string_view header);

// The choices of "Block Header Properties": every language, and every code page name once
// (with the code-page row it stands for).
struct CodePageChoice {
    std::string name;
    int codePageRow = -1;
};
std::vector<std::string> blockHeaderLanguageNames();
std::vector<CodePageChoice> blockHeaderCodePageChoices();
// The index into blockHeaderCodePageChoices() of a code-page row (rows with one name share it).
int codePageChoiceOf(int codePageRow);

// The 95 characters of codes 161 to 255 in a code page, as UTF-8, for the "Special Characters"
// picker: an entry is empty where the code is no character of its own there (a lead byte). A
// Unicode translation offers those of Latin-1.
std::vector<std::string> specialCharacters(int codePage);
inline constexpr int kFirstSpecialCharacter = 161;
inline constexpr int kSpecialCharacterCount = 95;

// A typed translation (display form, UTF-8) as the bytes to store in a translation whose texts
// are kept in `codePage`; not ok, with the characters it lacks, when the code page cannot hold it.
struct PreparedTranslation {
    bool ok = false;
    std::string bytes;
    std::vector<std::string> unrepresentable;
};
PreparedTranslation prepareTranslation(std::string_view typed, int codePage);

// The item the bar shows, as far as the enabling rules look at it.
struct ShownItemState {
    bool shown = false;
    bool excluded = false;
    bool blockHeader = false;
    bool sourceEmpty = false;
    bool translationEmpty = false;
    bool edited = false;  // the translator changed the translation since it was shown
};
struct BarControls {
    bool edit = false;
    bool ok = false;
    bool okNext = false;
    bool cancelNext = false;
    bool copy = false;
    bool character = false;
    bool operator==(const BarControls&) const = default;
};
BarControls barControls(const ShownItemState& item);

} // namespace qmk
