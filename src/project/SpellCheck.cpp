// Words and dictionaries for the translation edit's spelling.
#include "project/SpellCheck.h"

#include <hunspell.hxx>

#include <algorithm>
#include <cctype>
#include <fstream>

#include "project/TextCodec.h"

namespace qmk {
namespace {

// The language of a Windows primary language id as a dictionary's language code, and the
// country of the main sublanguage.
struct DictionaryLanguage {
    int language;
    int sublanguage;  // 0: any
    const char* code;
    const char* country;
};

constexpr DictionaryLanguage kDictionaries[] = {
    {9, 1, "en", "US"},  {9, 2, "en", "GB"},  {9, 3, "en", "AU"},  {9, 4, "en", "CA"},  {9, 0, "en", "US"},
    {7, 1, "de", "DE"},  {7, 2, "de", "CH"},  {7, 3, "de", "AT"},  {7, 0, "de", "DE"},  {12, 1, "fr", "FR"},
    {12, 2, "fr", "BE"}, {12, 3, "fr", "CA"}, {12, 0, "fr", "FR"}, {10, 0, "es", "ES"}, {16, 0, "it", "IT"},
    {25, 0, "ru", "RU"}, {21, 0, "pl", "PL"}, {19, 0, "nl", "NL"}, {22, 2, "pt", "PT"}, {22, 0, "pt", "BR"},
    {29, 0, "sv", "SE"}, {6, 0, "da", "DK"},  {20, 0, "nb", "NO"}, {11, 0, "fi", "FI"}, {5, 0, "cs", "CZ"},
    {14, 0, "hu", "HU"}, {31, 0, "tr", "TR"}, {8, 0, "el", "GR"},  {34, 0, "uk", "UA"}, {27, 0, "sk", "SK"},
};

bool isWordLetter(char32_t c)
{
    if (c < 0x80)
        return std::isalpha(static_cast<int>(c)) != 0;
    // Latin-1 signs, general punctuation, arrows and symbols, CJK punctuation are not letters.
    if (c < 0xC0 || c == 0xD7 || c == 0xF7)
        return false;
    if ((c >= 0x2000 && c <= 0x2BFF) || (c >= 0x3000 && c <= 0x303F) || (c >= 0xFF00 && c <= 0xFF0F))
        return false;
    return true;
}

// The code point at `i` and its length in bytes (a broken sequence is one byte, not a letter).
std::pair<char32_t, std::size_t> codePointAt(std::string_view text, std::size_t i)
{
    const auto b = static_cast<unsigned char>(text[i]);
    std::size_t length = b < 0x80 ? 1 : (b >> 5) == 0x6 ? 2 : (b >> 4) == 0xE ? 3 : (b >> 3) == 0x1E ? 4 : 0;
    if (length == 0 || i + length > text.size())
        return {0xFFFD, 1};
    char32_t c = length == 1 ? b : b & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k)
        c = (c << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
    return {c, length};
}

} // namespace

std::vector<CheckedWord> wordsToCheck(std::string_view text)
{
    std::vector<CheckedWord> words;
    std::size_t i = 0;
    while (i < text.size()) {
        // Escapes ("\n", "\t", "\x41") and placeholders ("%1", "%s", "%-10d") are skipped whole.
        if (text[i] == '\\' && i + 1 < text.size()) {
            i += 2;
            while (i < text.size() && std::isxdigit(static_cast<unsigned char>(text[i])) && text[i - 1] != 'n' &&
                   text[i - 1] != 't' && text[i - 1] != 'r')
                ++i;
            continue;
        }
        if (text[i] == '%' && i + 1 < text.size()) {
            ++i;
            while (i < text.size() && (std::isdigit(static_cast<unsigned char>(text[i])) || text[i] == '-' ||
                                       text[i] == '.' || text[i] == 'l' || text[i] == 'h'))
                ++i;
            if (i < text.size() && std::isalpha(static_cast<unsigned char>(text[i])))
                ++i;
            continue;
        }
        auto [c, length] = codePointAt(text, i);
        const bool mnemonicInWord = c == '&' && i + 1 < text.size() && isWordLetter(codePointAt(text, i + 1).first);
        if (!isWordLetter(c) && !mnemonicInWord) {
            i += length;
            continue;
        }
        CheckedWord word{i, 0, {}};
        while (i < text.size()) {
            std::tie(c, length) = codePointAt(text, i);
            if (c == '&' && i + 1 < text.size() && isWordLetter(codePointAt(text, i + 1).first)) {
                i += 1;  // the mnemonic belongs to the word but is not spelt
                continue;
            }
            // An apostrophe between letters ("don't", "aujourd'hui") stays in the word.
            const bool apostrophe = (c == '\'' || c == 0x2019) && !word.word.empty() && i + length < text.size() &&
                                    isWordLetter(codePointAt(text, i + length).first);
            if (!isWordLetter(c) && !apostrophe)
                break;
            word.word.append(text.substr(i, length));
            i += length;
        }
        word.length = i - word.start;
        if (!word.word.empty())
            words.push_back(std::move(word));
    }
    return words;
}

SpellChecker::SpellChecker(std::unique_ptr<Hunspell> engine, bool utf8) : engine_(std::move(engine)), utf8_(utf8) {}

SpellChecker::~SpellChecker() = default;

std::string SpellChecker::dictionaryName(LanguageId language, const std::filesystem::path& folder)
{
    std::error_code ec;
    auto has = [&](const std::string& name) { return std::filesystem::exists(folder / (name + ".dic"), ec) &&
                                                     std::filesystem::exists(folder / (name + ".aff"), ec); };
    for (const DictionaryLanguage& entry : kDictionaries) {
        if (entry.language != language.language || (entry.sublanguage != 0 && entry.sublanguage != language.sublanguage))
            continue;
        const std::string code(entry.code);
        if (has(code + "_" + entry.country))
            return code + "_" + entry.country;
        if (has(code))
            return code;
        // Any country's dictionary of the language rather than none.
        for (const auto& file : std::filesystem::directory_iterator(folder, ec)) {
            const std::string stem = file.path().stem().string();
            if (file.path().extension() == ".dic" && stem.rfind(code + "_", 0) == 0 && has(stem))
                return stem;
        }
        return {};
    }
    return {};
}

std::unique_ptr<SpellChecker> SpellChecker::forLanguage(LanguageId language, const std::filesystem::path& folder)
{
    const std::string name = dictionaryName(language, folder);
    if (name.empty())
        return nullptr;
    const std::filesystem::path aff = folder / (name + ".aff");
    const std::filesystem::path dic = folder / (name + ".dic");
    auto engine = std::make_unique<Hunspell>(aff.c_str(), dic.c_str());
    std::string encoding = engine->get_dict_encoding();
    std::transform(encoding.begin(), encoding.end(), encoding.begin(), [](unsigned char c) { return std::toupper(c); });
    const bool utf8 = encoding == "UTF-8";
    if (!utf8 && encoding != "ISO8859-1")
        return nullptr;  // a dictionary in another encoding is left alone rather than misread
    return std::unique_ptr<SpellChecker>(new SpellChecker(std::move(engine), utf8));
}

std::string SpellChecker::toDictionary(const std::string& word) const
{
    if (utf8_)
        return word;
    const EncodeResult latin1 = encodeFromUtf8(word, 28591);
    return latin1.ok ? latin1.bytes : std::string();
}

bool SpellChecker::isCorrect(const std::string& word) const
{
    const std::string inDictionary = toDictionary(word);
    return inDictionary.empty() || engine_->spell(inDictionary);
}

std::vector<std::string> SpellChecker::suggestions(const std::string& word) const
{
    std::vector<std::string> list = engine_->suggest(toDictionary(word));
    if (!utf8_)
        for (std::string& s : list)
            s = decodeToUtf8(s, 28591).value_or(s);
    return list;
}

std::vector<std::string> SpellChecker::stems(const std::string& word) const
{
    const std::string inDictionary = toDictionary(word);
    if (inDictionary.empty())
        return {};
    std::vector<std::string> list = engine_->stem(inDictionary);
    if (!utf8_)
        for (std::string& s : list)
            s = decodeToUtf8(s, 28591).value_or(s);
    return list;
}

} // namespace qmk
