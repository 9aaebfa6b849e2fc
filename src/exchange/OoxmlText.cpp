// The "_xHHHH_" escape of workbook text: decoding when reading, protection of look-alike text
// when writing.
#include "exchange/OoxmlText.h"

#include "parser/ScriptEncoding.h"

#include <optional>

namespace qmk {

namespace {

constexpr size_t kEscapeLength = 7;  // "_x" + four hex digits + "_"

int hexValue(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The code unit of an escape starting at `pos`, or nothing when none starts there.
std::optional<unsigned> escapeAt(std::string_view text, size_t pos)
{
    if (pos + kEscapeLength > text.size() || text[pos] != '_' || text[pos + 1] != 'x' ||
        text[pos + 6] != '_')
        return std::nullopt;
    unsigned value = 0;
    for (size_t i = pos + 2; i < pos + 6; ++i) {
        int digit = hexValue(text[i]);
        if (digit < 0)
            return std::nullopt;
        value = value * 16 + static_cast<unsigned>(digit);
    }
    return value;
}

bool isHighSurrogate(unsigned u) { return u >= 0xD800 && u <= 0xDBFF; }
bool isLowSurrogate(unsigned u) { return u >= 0xDC00 && u <= 0xDFFF; }

} // namespace

std::string decodeOoxmlEscapes(std::string_view text)
{
    if (text.find("_x") == std::string_view::npos)
        return std::string(text);
    std::string out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        auto unit = escapeAt(text, i);
        if (!unit) {
            out.push_back(text[i++]);
            continue;
        }
        if (isHighSurrogate(*unit)) {
            auto low = escapeAt(text, i + kEscapeLength);
            if (low && isLowSurrogate(*low)) {
                appendUtf8(out, static_cast<char32_t>(0x10000 + ((*unit - 0xD800) << 10) + (*low - 0xDC00)));
                i += 2 * kEscapeLength;
                continue;
            }
        }
        if (isHighSurrogate(*unit) || isLowSurrogate(*unit)) {
            out.append(text.substr(i, kEscapeLength));
        } else {
            appendUtf8(out, static_cast<char32_t>(*unit));
        }
        i += kEscapeLength;
    }
    return out;
}

std::string protectOoxmlEscapes(std::string_view text)
{
    if (text.find("_x") == std::string_view::npos)
        return std::string(text);
    std::string out;
    out.reserve(text.size() + 8);
    for (size_t i = 0; i < text.size(); ++i) {
        if (escapeAt(text, i))
            out += "_x005F_";  // the underscore itself, escaped
        else
            out.push_back(text[i]);
    }
    return out;
}

} // namespace qmk
