// Spelling of translations with Hunspell and the dictionaries Debian installs: which parts of a
// translation are words (a mnemonic "&" inside a word belongs to it; escapes such as "\n" and
// placeholders such as "%1" or "%s" are not words), and a checker per language.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "database/ProjectRows.h"

class Hunspell;

namespace qmk {

struct CheckedWord {
    std::size_t start = 0;   // byte offset in the UTF-8 text
    std::size_t length = 0;  // bytes, the "&" included
    std::string word;        // without the mnemonic "&"
};

// The words of a translation (display form, UTF-8) in text order.
std::vector<CheckedWord> wordsToCheck(std::string_view text);

class SpellChecker {
public:
    ~SpellChecker();
    SpellChecker(const SpellChecker&) = delete;
    SpellChecker& operator=(const SpellChecker&) = delete;

    // The checker of a language, or none when no dictionary for it is installed.
    static std::unique_ptr<SpellChecker> forLanguage(LanguageId language,
                                                     const std::filesystem::path& folder = "/usr/share/hunspell");
    // The dictionary's file name without extension ("de_DE") for a language, or empty.
    static std::string dictionaryName(LanguageId language, const std::filesystem::path& folder);

    bool isCorrect(const std::string& word) const;
    std::vector<std::string> suggestions(const std::string& word) const;
    // The dictionary's stems of a word ("bookmarks" -> "bookmark"), UTF-8; none for a word it
    // does not know.
    std::vector<std::string> stems(const std::string& word) const;

private:
    explicit SpellChecker(std::unique_ptr<Hunspell> engine, bool utf8);
    std::string toDictionary(const std::string& word) const;

    std::unique_ptr<Hunspell> engine_;
    bool utf8_;
};

} // namespace qmk
