// The words the scanner knows by itself: the keyword table (in its search order) and
// the memory, accelerator and menu option words, with their case-blind lookups.
#pragma once

#include "resources/FileNames.h"

#include <span>
#include <string_view>

namespace qmk {

struct KeywordEntry {
    std::string_view text;
    int code;
};

class ScriptKeywords {
public:
    // The 54 keywords in the order they are searched.
    static std::span<const KeywordEntry> table();
    // Token code of a keyword (letter case ignored), or 0 when the word is none.
    static int code(std::string_view word);
    // Keyword text of a token code, or an empty view.
    static std::string_view text(int code);

    static std::span<const std::string_view> memoryOptions();
    static std::span<const std::string_view> acceleratorOptions();
    static std::span<const std::string_view> menuOptions();
    static bool isMemoryOption(std::string_view word);
    static bool isAcceleratorOption(std::string_view word);
    static bool isMenuOption(std::string_view word);
};


} // namespace qmk
