// The escape check: a translation must be a string literal the resource compiler reads as the
// translator meant it.
#include "checks/TextRules.h"

#include <cctype>

#include "resources/CheckTexts.h"
#include "resources/Messages.h"
#include "resources/Utf8Length.h"

namespace qmk {
namespace {

// The escapes the resource compiler knows besides octal and hexadecimal ones.
bool isKnownEscape(char c)
{
    return c == 'n' || c == 'r' || c == 't' || c == 'a' || c == '\\' || c == '"' || (c >= '0' && c <= '7');
}

} // namespace

std::optional<std::string> checkEscapes(const CheckedText& text)
{
    const std::string_view t = text.translation;
    for (std::size_t i = 0; i < t.size(); ++i) {
        const char c = t[i];
        if (c == '\n' || c == '\r')
            return std::string(txt::CheckEscapeLineBreak);
        if (c == '"') {
            if (i + 1 < t.size() && t[i + 1] == '"') {
                ++i;
                continue;
            }
            return std::string(txt::CheckEscapeQuote);
        }
        if (c != '\\')
            continue;
        if (i + 1 == t.size())
            return std::string(txt::CheckEscapeBackslashAtEnd);
        const char next = t[i + 1];
        if (next == 'x' || next == 'X') {
            if (i + 2 >= t.size() || !std::isxdigit(static_cast<unsigned char>(t[i + 2])))
                return std::string(txt::CheckEscapeHex);
        } else if (!isKnownEscape(next)) {
            // An escape the source itself uses is the program's own convention, not a typo.
            const std::string escape(t.substr(i, 1 + std::min(utf8Length(static_cast<unsigned char>(next)), t.size() - i - 1)));
            if (text.source.find(escape) == std::string_view::npos)
                return fillPlaceholders(txt::CheckEscapeUnknown, {escape});
        }
        ++i;
    }
    return std::nullopt;
}

} // namespace qmk
