// Normal forms and the edit-ratio score of the translation memory.
#include "memory/TextSimilarity.h"

#include <unicode/unistr.h>
#include <unicode/locid.h>
#include <xxhash.h>

#include <algorithm>

namespace qmk {
namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

// Mnemonic markers and escapes out, blanks folded; letter case is left to ICU afterwards.
std::string foldMarks(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    bool pendingBlank = false;
    auto blank = [&] { pendingBlank = !out.empty(); };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '&') {
            if (i + 1 < text.size() && text[i + 1] == '&')
                ++i;  // "&&" is a literal ampersand
            else
                continue;
        } else if (c == '\\' && i + 1 < text.size() && text[i + 1] == '\\') {
            if (pendingBlank)
                out += ' ';
            pendingBlank = false;
            out += "\\\\";  // an escaped backslash, never the start of another escape
            ++i;
            continue;
        } else if (c == '\\' && i + 1 < text.size() && (text[i + 1] == 'n' || text[i + 1] == 'r' || text[i + 1] == 't')) {
            ++i;
            blank();
            continue;
        } else if (isBlank(c)) {
            blank();
            continue;
        }
        if (pendingBlank)
            out += ' ';
        pendingBlank = false;
        out += c;
    }
    return out;
}

std::u32string codePoints(std::string_view text)
{
    std::u32string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        int length = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 1;
        if (i + length > text.size())
            length = 1;
        char32_t value = length == 1 ? c : c & (0x7F >> length);
        for (int k = 1; k < length; ++k)
            value = (value << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        out += value;
        i += length;
    }
    return out;
}

std::size_t editDistance(const std::u32string& a, const std::u32string& b)
{
    const std::u32string& shorter = a.size() <= b.size() ? a : b;
    const std::u32string& longer = a.size() <= b.size() ? b : a;
    std::vector<std::size_t> row(shorter.size() + 1);
    for (std::size_t j = 0; j <= shorter.size(); ++j)
        row[j] = j;
    for (std::size_t i = 1; i <= longer.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= shorter.size(); ++j) {
            const std::size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (longer[i - 1] == shorter[j - 1] ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[shorter.size()];
}

} // namespace

std::string normaliseForMemory(std::string_view text)
{
    const std::string folded = foldMarks(text);
    bool ascii = true;
    for (char c : folded)
        ascii = ascii && static_cast<unsigned char>(c) < 0x80;
    if (ascii) {
        std::string lower = folded;
        for (char& c : lower)
            if (c >= 'A' && c <= 'Z')
                c = static_cast<char>(c - 'A' + 'a');
        return lower;
    }
    icu::UnicodeString unicode = icu::UnicodeString::fromUTF8(icu::StringPiece(folded.data(), static_cast<int32_t>(folded.size())));
    unicode.toLower(icu::Locale::getRoot());
    std::string lower;
    unicode.toUTF8String(lower);
    return lower;
}

int scoreBound(std::size_t lengthA, std::size_t lengthB)
{
    const std::size_t longer = std::max(lengthA, lengthB);
    if (longer == 0)
        return 98;
    return std::min<int>(98, static_cast<int>(100 * std::min(lengthA, lengthB) / longer));
}

int normalisedSimilarity(std::string_view a, std::string_view b, bool rawEqual)
{
    if (rawEqual)
        return 100;
    if (a == b)
        return 99;
    const std::u32string left = codePoints(a);
    const std::u32string right = codePoints(b);
    const std::size_t longer = std::max(left.size(), right.size());
    const std::size_t distance = editDistance(left, right);
    const int score = static_cast<int>(100 * (longer - distance) / longer);
    return std::clamp(score, 0, 98);
}

int similarityScore(std::string_view a, std::string_view b)
{
    return normalisedSimilarity(normaliseForMemory(a), normaliseForMemory(b), a == b);
}

std::vector<std::string> trigramsOf(std::string_view normalised)
{
    std::vector<std::size_t> starts;
    for (std::size_t i = 0; i < normalised.size(); ++i)
        if ((static_cast<unsigned char>(normalised[i]) & 0xC0) != 0x80)
            starts.push_back(i);
    starts.push_back(normalised.size());
    std::vector<std::string> grams;
    for (std::size_t k = 0; k + 3 < starts.size(); ++k) {
        std::string gram(normalised.substr(starts[k], starts[k + 3] - starts[k]));
        if (std::find(grams.begin(), grams.end(), gram) == grams.end())
            grams.push_back(std::move(gram));
    }
    return grams;
}

std::int64_t textHash(std::string_view text)
{
    return static_cast<std::int64_t>(XXH3_64bits(text.data(), text.size()));
}

std::size_t characterCount(std::string_view text)
{
    std::size_t n = 0;
    for (char c : text)
        n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return n;
}

} // namespace qmk
