#include "memory/MarkupAgreement.h"

#include <algorithm>
#include <cctype>

namespace qmk {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Length of a printf conversion starting at text[i] == '%', 0 when there is none.
std::size_t printfLength(std::string_view text, std::size_t i)
{
    std::size_t k = i + 1;
    while (k < text.size() && std::string_view("-+ #0").find(text[k]) != std::string_view::npos)
        ++k;
    while (k < text.size() && (isDigit(text[k]) || text[k] == '*'))
        ++k;
    if (k < text.size() && text[k] == '.') {
        ++k;
        while (k < text.size() && (isDigit(text[k]) || text[k] == '*'))
            ++k;
    }
    for (std::string_view size : {"I64", "I32", "hh", "ll", "h", "l", "L", "z", "j", "t", "I"})
        if (text.substr(k).starts_with(size)) {
            k += size.size();
            break;
        }
    if (k < text.size() && std::string_view("diouxXeEfgGaAcsSpn").find(text[k]) != std::string_view::npos)
        return k + 1 - i;
    return 0;
}

} // namespace

TextMarkup markupOf(std::string_view text)
{
    TextMarkup markup;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '%') {
            if (i + 1 < text.size() && text[i + 1] == '%') {
                ++i;
            } else if (i + 1 < text.size() && isDigit(text[i + 1])) {
                std::size_t k = i + 1;
                while (k < text.size() && isDigit(text[k]))
                    ++k;
                if (k < text.size() && text[k] == '!') {
                    const std::size_t close = text.find('!', k + 1);
                    if (close != std::string_view::npos)
                        k = close + 1;
                }
                markup.messagePlaceholders.emplace_back(text.substr(i, k - i));
                i = k - 1;
            } else if (const std::size_t length = printfLength(text, i)) {
                markup.printfPlaceholders.emplace_back(text.substr(i, length));
                i += length - 1;
            }
        } else if (c == '&') {
            if (i + 1 < text.size() && text[i + 1] == '&')
                ++i;
            else
                ++markup.mnemonics;
        } else if (c == '\t') {
            ++markup.tabs;
        } else if (c == '\\' && i + 1 < text.size()) {
            markup.tabs += text[i + 1] == 't';
            ++i;  // an escape, whatever it is, is never the start of another
        }
    }
    std::sort(markup.messagePlaceholders.begin(), markup.messagePlaceholders.end());
    return markup;
}

std::string markupDisagreement(std::string_view source, std::string_view translation)
{
    const TextMarkup expected = markupOf(source);
    const TextMarkup found = markupOf(translation);
    if (expected.printfPlaceholders != found.printfPlaceholders ||
        expected.messagePlaceholders != found.messagePlaceholders)
        return "placeholders differ";
    if ((expected.mnemonics > 0) != (found.mnemonics == 1) || (expected.mnemonics == 0 && found.mnemonics > 0))
        return "mnemonic differs";
    if (expected.tabs != found.tabs)
        return "tabs differ";
    return {};
}

} // namespace qmk
