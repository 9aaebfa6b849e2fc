// The placeholder check: printf conversions, positional and ".NET" style placeholders.
#include "checks/TextRules.h"

#include <cctype>

#include "resources/CheckTexts.h"
#include "resources/Messages.h"

namespace qmk {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The length of a printf conversion at `at` ("%-5.2lf"), 0 when none starts there. A blank
// flag is left out: "50% of" is text, not a conversion.
std::size_t printfLength(std::string_view text, std::size_t at)
{
    std::size_t i = at + 1;
    while (i < text.size() && (text[i] == '-' || text[i] == '+' || text[i] == '#' || text[i] == '0'))
        ++i;
    // A width or precision: given by an argument ("*") or written out in digits.
    auto skipCount = [&] {
        if (i < text.size() && text[i] == '*')
            ++i;
        else
            while (i < text.size() && isDigit(text[i]))
                ++i;
    };
    skipCount();
    if (i < text.size() && text[i] == '.') {
        ++i;
        skipCount();
    }
    for (std::string_view length : {"I64", "I32", "hh", "ll", "h", "l", "L", "I", "w", "z", "j", "t"})
        if (text.substr(i, length.size()) == length) {
            i += length.size();
            break;
        }
    if (i < text.size() && std::string_view("diouxXeEfgGaAcCsSpn").find(text[i]) != std::string_view::npos)
        return i + 1 - at;
    return 0;
}

// "{0}", "{1:N2}", "{2,-8}": the length, 0 when none starts at `at`.
std::size_t braceLength(std::string_view text, std::size_t at)
{
    std::size_t i = at + 1;
    while (i < text.size() && isDigit(text[i]))
        ++i;
    if (i == at + 1 || i >= text.size())
        return 0;
    if (text[i] == ':' || text[i] == ',')
        while (i < text.size() && text[i] != '}' && text[i] != '{')
            ++i;
    return i < text.size() && text[i] == '}' ? i + 1 - at : 0;
}

std::string listed(const Placeholders& p)
{
    std::string list;
    for (const std::string& s : p.ordered)
        list += (list.empty() ? "" : " ") + s;
    for (const std::string& s : p.free)
        list += (list.empty() ? "" : " ") + s;
    return list.empty() ? std::string(txt::CheckPlaceholderNone) : list;
}

} // namespace

Placeholders placeholdersOf(std::string_view text)
{
    Placeholders found;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '{') {
            if (const std::size_t length = braceLength(text, i)) {
                found.free.emplace(text.substr(i, length));
                i += length - 1;
            }
            continue;
        }
        if (text[i] != '%' || i + 1 >= text.size())
            continue;
        if (text[i + 1] == '%') {
            found.free.emplace("%%");
            ++i;
            continue;
        }
        if (text[i + 1] >= '1' && text[i + 1] <= '9') {
            std::size_t end = i + 1;
            while (end < text.size() && isDigit(text[end]))
                ++end;
            if (end < text.size() && text[end] == '!') {
                const std::size_t close = text.find('!', end + 1);
                if (close != std::string_view::npos) {
                    found.free.emplace(text.substr(i, close + 1 - i));
                    i = close;
                    continue;
                }
            }
            if (!printfLength(text, i)) {  // "%1" rather than a width ("%5d")
                found.free.emplace(text.substr(i, end - i));
                i = end - 1;
                continue;
            }
        }
        if (const std::size_t length = printfLength(text, i)) {
            found.ordered.emplace_back(text.substr(i, length));
            i += length - 1;
        }
    }
    return found;
}

std::optional<std::string> checkPlaceholders(const CheckedText& text)
{
    if (text.translation.empty())
        return std::nullopt;
    const Placeholders source = placeholdersOf(text.source);
    const Placeholders translation = placeholdersOf(text.translation);
    if (source == translation)
        return std::nullopt;
    return fillPlaceholders(txt::CheckPlaceholders, {listed(source), listed(translation)});
}

} // namespace qmk
