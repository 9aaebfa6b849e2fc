// The checks of a text's ends: blanks and line breaks at either end, and the final punctuation
// mark, read the way each language writes it (a full-width "：" in Japanese, " :" in French, ";"
// as the Greek question mark).
#include "checks/TextRules.h"

#include <array>
#include <cctype>

#include "resources/CheckTexts.h"
#include "resources/Messages.h"

namespace qmk {
namespace {

constexpr int kLanguageGreek = 0x08;

bool endsWith(std::string_view text, std::string_view end)
{
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

// Blanks at either end: spaces, no-break and ideographic spaces, and the "\t" escape.
constexpr std::array<std::string_view, 5> kBlanks = {" ", "\xC2\xA0", "\xE2\x80\xAF", "\xE3\x80\x80", "\\t"};

bool startsWithBlank(std::string_view text)
{
    for (std::string_view blank : kBlanks)
        if (text.substr(0, blank.size()) == blank)
            return true;
    return false;
}

bool endsWithBlank(std::string_view text)
{
    for (std::string_view blank : kBlanks)
        if (endsWith(text, blank) && !(blank == "\\t" && endsWith(text, "\\\\t")))
            return true;
    return false;
}

// An escaped line break at the end ("\n", "\r\n"), not an escaped backslash before an "n".
bool endsWithBreak(std::string_view text)
{
    if (!endsWith(text, "\\n") && !endsWith(text, "\\r"))
        return false;
    std::size_t backslashes = 0;
    for (std::size_t i = text.size() - 1; i-- > 0 && text[i] == '\\';)
        ++backslashes;
    return backslashes % 2 == 1;
}

std::string_view withoutEnd(std::string_view text)
{
    for (bool changed = true; changed && !text.empty();) {
        changed = false;
        if (endsWithBreak(text)) {
            text.remove_suffix(2);
            changed = true;
        }
        for (std::string_view blank : kBlanks)
            if (endsWithBlank(text) && endsWith(text, blank)) {
                text.remove_suffix(blank.size());
                changed = true;
            }
    }
    return text;
}

// A trailing access key written apart, as East Asian labels do: "ファイル(&F)".
std::string_view withoutAccessKeySuffix(std::string_view text)
{
    if (text.size() >= 4 && text.back() == ')') {
        const std::size_t open = text.rfind("(&");
        if (open != std::string_view::npos && text.size() - open == 4)
            return text.substr(0, open);
    }
    return text;
}

enum class Ending { None, Colon, Ellipsis, Question, Exclamation, Period };

struct Mark {
    std::string_view text;
    Ending ending;
};

constexpr Mark kMarks[] = {
    {"...", Ending::Ellipsis}, {"\xE2\x80\xA6", Ending::Ellipsis}, {"\xE3\x83\xBB\xE3\x83\xBB\xE3\x83\xBB", Ending::Ellipsis},
    {":", Ending::Colon},      {"\xEF\xBC\x9A", Ending::Colon},
    {"?", Ending::Question},   {"\xEF\xBC\x9F", Ending::Question}, {"\xD8\x9F", Ending::Question},
    {"!", Ending::Exclamation}, {"\xEF\xBC\x81", Ending::Exclamation},
    {".", Ending::Period},     {"\xE3\x80\x82", Ending::Period},   {"\xEF\xBC\x8E", Ending::Period},
    {"\xE0\xA5\xA4", Ending::Period},
};

struct FoundEnding {
    Ending ending = Ending::None;
    std::string_view mark;
};

FoundEnding endingOf(std::string_view text, LanguageId language)
{
    text = withoutEnd(withoutAccessKeySuffix(withoutEnd(text)));
    for (const Mark& mark : kMarks)
        if (endsWith(text, mark.text))
            return {mark.ending, mark.text};
    if (language.language == kLanguageGreek && endsWith(text, ";"))
        return {Ending::Question, ";"};
    return {};
}

bool hasLetter(std::string_view text)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == '\\' && i + 1 < text.size()) {
            ++i;  // an escape is no letter
            continue;
        }
        if (std::isalpha(c) || c >= 0x80)
            return true;
    }
    return false;
}

std::string quoted(const FoundEnding& ending)
{
    if (ending.ending == Ending::None)
        return txt::CheckPunctuationNothing;
    return "'" + std::string(ending.mark) + "'";
}

} // namespace

std::optional<std::string> checkWhitespace(const CheckedText& text)
{
    if (text.translation.empty())
        return std::nullopt;
    const std::string_view s = text.source;
    const std::string_view t = text.translation;
    if (endsWithBreak(s) != endsWithBreak(t))
        return std::string(endsWithBreak(s) ? txt::CheckTrailingBreak : txt::CheckTrailingBreakAdded);
    if (startsWithBlank(s) != startsWithBlank(t))
        return std::string(startsWithBlank(s) ? txt::CheckLeadingBlank : txt::CheckLeadingBlankAdded);
    auto strippedBreaks = [](std::string_view x) {
        while (endsWithBreak(x))
            x.remove_suffix(2);
        return x;
    };
    const bool sourceTrailing = endsWithBlank(strippedBreaks(s));
    if (sourceTrailing != endsWithBlank(strippedBreaks(t)))
        return std::string(sourceTrailing ? txt::CheckTrailingBlank : txt::CheckTrailingBlankAdded);
    return std::nullopt;
}

std::optional<std::string> checkPunctuation(const CheckedText& text)
{
    if (text.translation.empty() || !hasLetter(text.source))
        return std::nullopt;
    if (!hasLetter(text.translation))
        return std::nullopt;  // a label of marks only ("&?" for a help menu) is a convention of its own
    const FoundEnding source = endingOf(labelPart(text.source, text.type), {});
    const FoundEnding translation = endingOf(labelPart(text.translation, text.type), text.language);
    if (source.ending == translation.ending)
        return std::nullopt;
    // A full stop comes and goes with sentence style and abbreviations ("Min."), and a colon
    // after a label is how some languages write every label: neither changes what the text
    // asks of the user. A lost colon, ellipsis, question or exclamation mark does.
    // An ellipsis added to a menu item that opens a dialog ("&About" as "&Über...") follows the
    // platform's rule where the source did not.
    auto weak = [](Ending e) { return e == Ending::None || e == Ending::Period; };
    if (weak(source.ending) &&
        (weak(translation.ending) || translation.ending == Ending::Colon || translation.ending == Ending::Ellipsis))
        return std::nullopt;
    return fillPlaceholders(txt::CheckPunctuation, {quoted(translation), quoted(source)});
}

} // namespace qmk
