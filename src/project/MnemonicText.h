// Access keys and accelerators in control and menu texts as Windows draws them: "&File" shows
// "File" with the F underlined, "&&" is one "&", and a menu item's "\t" (or "\a") parts its label
// from the accelerator shown at the right ("&Neu\tStrg+N").
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace qmk {

struct MnemonicText {
    std::string text;                        // without the marks
    std::size_t key = std::string::npos;     // byte offset of the access key in text, if any
    std::size_t keyLength = 0;               // its length in bytes (one UTF-8 character)
};

// The first single "&" marks the access key; later ones are dropped, as Windows does.
MnemonicText splitMnemonic(std::string_view text);

struct MenuLabel {
    std::string label;        // still with its "&" marks
    std::string accelerator;  // empty when the item names none
};

// Splits at the first "\t" or "\a" escape as the script writes it, or at a tab character.
MenuLabel splitMenuLabel(std::string_view text);

} // namespace qmk
