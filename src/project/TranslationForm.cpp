// The translation bar's texts and rules.
#include "project/TranslationForm.h"

#include "parser/CodePageTable.h"
#include "parser/LanguageTable.h"
#include "project/TextCodec.h"
#include "resources/Messages.h"
#include "resources/UiTexts.h"

namespace qmk {

std::string toDisplayForm(std::string_view stored)
{
    std::string unescaped;
    unescaped.reserve(stored.size());
    for (std::size_t i = 0; i < stored.size(); ++i) {
        if (stored[i] == '\\' && i + 1 < stored.size() && stored[i + 1] == '"')
            continue;
        unescaped += stored[i];
    }
    std::string shown;
    shown.reserve(unescaped.size());
    for (std::size_t i = 0; i < unescaped.size(); ++i) {
        if (unescaped[i] == '"' && i + 1 < unescaped.size() && unescaped[i + 1] == '"')
            ++i;  // the second of the pair is kept
        shown += unescaped[i];
    }
    return shown;
}

namespace {

// The escape of a character a string literal cannot hold raw; null for the others.
const char* escapeOf(char c)
{
    switch (c) {
    case '\n': return "\\n";
    case '\t': return "\\t";
    case '\r': return "\\r";
    default: return nullptr;
    }
}

} // namespace

std::string withEscapedLineBreaks(std::string_view text)
{
    std::string escaped;
    escaped.reserve(text.size());
    for (char c : text) {
        if (const char* escape = escapeOf(c))
            escaped += escape;
        else
            escaped += c;
    }
    return escaped;
}

std::string toStoredForm(std::string_view display)
{
    std::string stored;
    stored.reserve(display.size() + 8);
    for (std::size_t i = 0; i < display.size(); ++i) {
        // A raw line break or tab inside a string literal would not compile: the script's escape.
        if (const char* escape = escapeOf(display[i])) {
            stored += escape;
            continue;
        }
        if (display[i] == '"' && (i == 0 || display[i - 1] != '\\'))
            stored += '"';
        stored += display[i];
    }
    return stored;
}

std::string toPlatformForm(std::string_view stored)
{
    const std::string display = toDisplayForm(stored);
    std::string text;
    text.reserve(display.size());
    for (std::size_t i = 0; i < display.size(); ++i) {
        if (display[i] != '\\' || i + 1 == display.size()) {
            text += display[i];
            continue;
        }
        switch (display[++i]) {
        case 'n': text += '\n'; break;
        case 't': text += '\t'; break;
        case 'r': text += '\r'; break;
        default:  // any other escape (a backslash itself among them) travels as written
            text += '\\';
            text += display[i];
        }
    }
    return text;
}

std::optional<BlockHeader> parseBlockHeader(std::string_view header)
{
    if (header.size() != 8)
        return std::nullopt;
    return BlockHeader{findLanguageRowByIdentifier(header.substr(0, 4)),
                       findCodePageRowByBlockCodePage(header.substr(4, 4))};
}

std::string buildBlockHeader(const BlockHeader& header)
{
    const auto languages = languageRows();
    const auto codePages = codePageRows();
    if (header.languageRow < 0 || header.languageRow >= static_cast<int>(languages.size()) ||
        header.codePageRow < 0 || header.codePageRow >= static_cast<int>(codePages.size()))
        return {};
    return std::string(languages[static_cast<std::size_t>(header.languageRow)].identifier) +
           std::string(codePages[static_cast<std::size_t>(header.codePageRow)].blockCodePage);
}

std::string blockHeaderDisplay(std::string_view header)
{
    if (header.empty())
        return {};
    std::string language, codePage;
    if (std::optional<BlockHeader> parsed = parseBlockHeader(header)) {
        if (parsed->languageRow >= 0)
            language = displayText(languageRows()[static_cast<std::size_t>(parsed->languageRow)]);
        if (parsed->codePageRow >= 0)
            codePage = messageText(codePageRows()[static_cast<std::size_t>(parsed->codePageRow)].textId);
    }
    const std::string described = fillPlaceholders(txt::BlockHeaderLanguageCodePage, {language, codePage});
    return fillPlaceholders(txt::BlockHeaderDisplay, {described, std::string(header)});
}

std::vector<std::string> blockHeaderLanguageNames()
{
    std::vector<std::string> names;
    for (const LanguageRow& row : languageRows())
        names.emplace_back(displayText(row));
    return names;
}

std::vector<CodePageChoice> blockHeaderCodePageChoices()
{
    std::vector<CodePageChoice> choices;
    const auto rows = codePageRows();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        std::string name(messageText(rows[i].textId));
        bool known = false;
        for (const CodePageChoice& choice : choices)
            known = known || choice.name == name;
        if (!known)
            choices.push_back({std::move(name), static_cast<int>(i)});
    }
    return choices;
}

int codePageChoiceOf(int codePageRow)
{
    const auto rows = codePageRows();
    if (codePageRow < 0 || codePageRow >= static_cast<int>(rows.size()))
        return -1;
    const std::string_view name = messageText(rows[static_cast<std::size_t>(codePageRow)].textId);
    const std::vector<CodePageChoice> choices = blockHeaderCodePageChoices();
    for (std::size_t i = 0; i < choices.size(); ++i)
        if (choices[i].name == name)
            return static_cast<int>(i);
    return -1;
}

std::vector<std::string> specialCharacters(int codePage)
{
    const int shownIn = codePage == kCodePageUtf8 ? 28591 : codePage;  // Latin-1 for Unicode
    std::vector<std::string> characters;
    for (int code = kFirstSpecialCharacter; code < kFirstSpecialCharacter + kSpecialCharacterCount; ++code)
        characters.push_back(decodeToUtf8(std::string(1, static_cast<char>(code)), shownIn).value_or(""));
    return characters;
}

PreparedTranslation prepareTranslation(std::string_view typed, int codePage)
{
    // A NUL ends the string in the compiled program: never stored.
    if (typed.find('\0') != std::string_view::npos)
        return {false, {}, {"U+0000"}};
    EncodeResult encoded = encodeFromUtf8(toStoredForm(typed), codePage);
    return {encoded.ok, std::move(encoded.bytes), std::move(encoded.unrepresentable)};
}

BarControls barControls(const ShownItemState& item)
{
    BarControls controls;
    if (!item.shown)
        return controls;
    const bool editable = !item.excluded;
    controls.edit = editable;
    controls.ok = editable;
    controls.okNext = editable;
    controls.cancelNext = true;
    // Copying is offered for an empty translation of a non-empty source; once the translator
    // typed, the source may be copied over what was typed.
    controls.copy = editable && !item.sourceEmpty && (item.translationEmpty || item.edited);
    controls.character = editable && !item.blockHeader;
    return controls;
}

} // namespace qmk
