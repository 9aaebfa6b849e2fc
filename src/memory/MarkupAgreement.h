// Whether a translation from the memory fits a source text in what programs read out of it:
// its placeholders, its mnemonic marker and its tab (the accelerator column of a menu item).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qmk {

struct TextMarkup {
    std::vector<std::string> printfPlaceholders;  // "%s", "%-5.2f", "%ld", in order
    std::vector<std::string> messagePlaceholders;  // "%1", "%2!d!", sorted (their order may change)
    int mnemonics = 0;                             // single "&" ("&&" is a literal ampersand)
    int tabs = 0;                                  // tab characters and "\t" escapes
    bool operator==(const TextMarkup&) const = default;
};

TextMarkup markupOf(std::string_view text);

// The translation has the source's placeholders, one mnemonic exactly where the source has
// one (none where it has none), and as many tabs. Empty when it agrees, else what differs.
std::string markupDisagreement(std::string_view source, std::string_view translation);

} // namespace qmk
