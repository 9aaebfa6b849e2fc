// The quality checks a translation is run through, each under a stable id that the project
// stores (switched off, findings ignored) and the batch prints.
#pragma once

#include <span>
#include <string_view>

namespace qmk {

enum class CheckSeverity { Warning, Info };

struct CheckInfo {
    std::string_view id;
    CheckSeverity severity = CheckSeverity::Warning;
    std::string_view title;  // for the window's list of checks
    bool onAtFirst = true;   // in a project that has not switched it
};

namespace check {
inline constexpr std::string_view Placeholder = "placeholder";
inline constexpr std::string_view Mnemonic = "mnemonic";
inline constexpr std::string_view MnemonicClash = "mnemonic-clash";
inline constexpr std::string_view Accelerator = "accelerator";
inline constexpr std::string_view Escape = "escape";
inline constexpr std::string_view Whitespace = "whitespace";
inline constexpr std::string_view Punctuation = "punctuation";
inline constexpr std::string_view Fit = "fit";
inline constexpr std::string_view CodePage = "codepage";
inline constexpr std::string_view Length = "length";
inline constexpr std::string_view Untranslated = "untranslated";
inline constexpr std::string_view Term = "term";
} // namespace check

// Every check in the order its findings of one text are listed.
std::span<const CheckInfo> checkCatalogue();
// Null for an id no check has.
const CheckInfo* findCheck(std::string_view id);

} // namespace qmk
