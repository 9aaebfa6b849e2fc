// The checks of text taken from outside or written for other programs.
#include "resources/TextValidity.h"

#include <cstdio>

namespace qmk {
namespace {

// Length of the well-formed UTF-8 sequence at `at`, 0 when none starts there.
std::size_t sequenceAt(std::string_view text, std::size_t at)
{
    const auto lead = static_cast<unsigned char>(text[at]);
    std::size_t length = 0;
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF)
        length = 3;
    else if (lead >= 0xF0 && lead <= 0xF4)
        length = 4;
    else
        return 0;
    if (at + length > text.size())
        return 0;
    for (std::size_t k = 1; k < length; ++k)
        if ((static_cast<unsigned char>(text[at + k]) & 0xC0) != 0x80)
            return 0;
    const auto second = static_cast<unsigned char>(text[at + 1]);
    if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second > 0x9F) ||  // overlong, surrogates
        (lead == 0xF0 && second < 0x90) || (lead == 0xF4 && second > 0x8F))    // overlong, above U+10FFFF
        return 0;
    return length;
}

std::string hexByte(unsigned char c)
{
    char text[4];
    std::snprintf(text, sizeof text, "%02X", c);
    return text;
}

} // namespace

std::size_t invalidUtf8Offset(std::string_view text)
{
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = sequenceAt(text, i);
        if (length == 0)
            return i;
        i += length;
    }
    return std::string_view::npos;
}

std::string utf8Problem(std::string_view text)
{
    const std::size_t at = invalidUtf8Offset(text);
    if (at == std::string_view::npos)
        return {};
    // The run of bad bytes as far as it goes (at most four), so that "FF FE" reads as one fault.
    std::string bytes;
    std::size_t end = at;
    while (end < text.size() && end - at < 4 && sequenceAt(text, end) == 0)
        bytes += (bytes.empty() ? "" : " ") + hexByte(static_cast<unsigned char>(text[end++]));
    return "invalid UTF-8 (" + std::string(end - at == 1 ? "byte " : "bytes ") + bytes + ") at offset " +
           std::to_string(at);
}

std::string xmlTextProblem(std::string_view text)
{
    if (std::string problem = utf8Problem(text); !problem.empty())
        return problem;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x20 && c != '\t' && c != '\n' && c != '\r')
            return "a control character (code " + std::to_string(c) + ")";
        // U+FFFE and U+FFFF (EF BF BE, EF BF BF) are no characters of XML.
        if (c == 0xEF && i + 2 < text.size() && static_cast<unsigned char>(text[i + 1]) == 0xBF &&
            static_cast<unsigned char>(text[i + 2]) >= 0xBE)
            return static_cast<unsigned char>(text[i + 2]) == 0xBE ? "the non-character U+FFFE"
                                                                    : "the non-character U+FFFF";
    }
    return {};
}

std::string printableText(std::string_view text)
{
    if (xmlTextProblem(text).empty())
        return std::string(text);
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = sequenceAt(text, i);
        const auto c = static_cast<unsigned char>(text[i]);
        if (length == 0 || (c < 0x20 && c != '\t' && c != '\n' && c != '\r')) {
            out += "\\x" + hexByte(c);
            ++i;
            continue;
        }
        if (length == 3 && !xmlTextProblem(text.substr(i, 3)).empty()) {
            out += c == 0xEF && static_cast<unsigned char>(text[i + 2]) == 0xBE ? "\\uFFFE" : "\\uFFFF";
            i += 3;
            continue;
        }
        out.append(text.substr(i, length));
        i += length;
    }
    return out;
}

} // namespace qmk
