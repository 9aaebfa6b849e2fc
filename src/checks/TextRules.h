// The rules that judge one translated text against its source, one function per check. Texts
// are UTF-8 as the script writes them: escapes stay escapes, quotes stay doubled. Each rule says
// what is wrong (its message) or nothing.
#pragma once

#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "database/ProjectRows.h"
#include "project/ItemTypes.h"

namespace qmk {

struct CheckedText {
    std::string_view source;
    std::string_view translation;  // empty: not translated
    ItemType type = ItemType::None;
    bool drawsAccessKey = false;   // menu items and popups, dialog statics and buttons
    LanguageId language;           // of the translation
};

// The placeholders of a text: printf conversions in their order (they take the arguments one
// after the other), and those a translation may reorder or repeat: positional ones ("%1",
// "%2!d!"), ".NET" style ones ("{0}", "{1:N2}") and "%%".
struct Placeholders {
    std::vector<std::string> ordered;
    std::set<std::string> free;
    bool operator==(const Placeholders&) const = default;
};
Placeholders placeholdersOf(std::string_view text);

// Single "&" marks of a label ("&&" is a literal and does not count).
int accessKeyMarks(std::string_view label);
// The text a menu item shows left of its accelerator; other items' whole text.
std::string_view labelPart(std::string_view text, ItemType type);

std::optional<std::string> checkPlaceholders(const CheckedText& text);
std::optional<std::string> checkMnemonic(const CheckedText& text);
std::optional<std::string> checkAccelerator(const CheckedText& text);
std::optional<std::string> checkEscapes(const CheckedText& text);
std::optional<std::string> checkWhitespace(const CheckedText& text);
std::optional<std::string> checkPunctuation(const CheckedText& text);
std::optional<std::string> checkLength(const CheckedText& text);
std::optional<std::string> checkUntranslated(const CheckedText& text);

// The characters a string literal of the text stands for, as Windows counts them (UTF-16
// units; an escape or a doubled quote is one).
int resourceStringLength(std::string_view text);
inline constexpr int kResourceStringLimit = 4097;

} // namespace qmk
