// The checks of a whole string: its length against the limit of a resource string, and a
// translation that only repeats its source.
#include "checks/TextRules.h"

#include <cctype>

#include "project/TextTokens.h"
#include "resources/CheckTexts.h"
#include "resources/Messages.h"

namespace qmk {

int resourceStringLength(std::string_view text)
{
    int units = 0;
    for (std::size_t i = 0; i < text.size(); ++units) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == '\\' && i + 1 < text.size()) {
            const char next = text[i + 1];
            i += 2;
            if (next == 'x' || next == 'X')
                while (i < text.size() && std::isxdigit(static_cast<unsigned char>(text[i])))
                    ++i;
            else if (next >= '0' && next <= '7')
                for (int digits = 1; digits < 3 && i < text.size() && text[i] >= '0' && text[i] <= '7'; ++digits)
                    ++i;
        } else if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
            i += 2;
        } else if (c >= 0xF0) {
            i += 4;
            ++units;  // a surrogate pair
        } else {
            i += c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
        }
    }
    return units;
}

std::optional<std::string> checkLength(const CheckedText& text)
{
    if (text.translation.size() <= static_cast<std::size_t>(kResourceStringLimit))
        return std::nullopt;  // fewer bytes than the limit can hold no more characters
    const int length = resourceStringLength(text.translation);
    if (length <= kResourceStringLimit)
        return std::nullopt;
    return fillPlaceholders(txt::CheckLength, {std::to_string(length), std::to_string(kResourceStringLimit)});
}

std::optional<std::string> checkUntranslated(const CheckedText& text)
{
    if (text.translation.empty() || text.translation != text.source)
        return std::nullopt;
    for (const TextToken& token : textTokens(text.source))
        if (token.kind == TokenKind::Ideograph)
            return std::string(txt::CheckUntranslated);
        else if (token.kind == TokenKind::Word)
            for (char c : token.text)
                if (std::isalpha(static_cast<unsigned char>(c)) || static_cast<unsigned char>(c) >= 0x80)
                    return std::string(txt::CheckUntranslated);
    return std::nullopt;
}

} // namespace qmk
