// Reading a language parameter of the batch operations.
#include "app/LanguageParameter.h"

#include <cctype>
#include <string>

#include "database/TranslationColumnNames.h"
#include "memory/TmxFile.h"
#include "parser/LanguageTable.h"
#include "parser/LanguageTags.h"
#include "resources/FileNames.h"

namespace qmk {
namespace {

constexpr int kLanguageBits = 10;
constexpr int kLanguageMask = (1 << kLanguageBits) - 1;
constexpr int kMaxLanguageId = 0xFFFF;

std::optional<int> parseNumber(std::string_view text, int base)
{
    if (text.empty() || text.size() > 6)
        return std::nullopt;
    int value = 0;
    for (char c : text) {
        int digit;
        if (std::isdigit(static_cast<unsigned char>(c)))
            digit = c - '0';
        else if (base == 16 && std::isxdigit(static_cast<unsigned char>(c)))
            digit = std::toupper(static_cast<unsigned char>(c)) - 'A' + 10;
        else
            return std::nullopt;
        value = value * base + digit;
    }
    if (value > kMaxLanguageId)
        return std::nullopt;
    return value;
}

bool hasHexLetter(std::string_view text)
{
    for (char c : text)
        if (std::isalpha(static_cast<unsigned char>(c)))
            return true;
    return false;
}

std::optional<int> parseLanguageNumber(std::string_view text)
{
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
        return parseNumber(text.substr(2), 16);
    // "0407" and "0C07" are written the way Windows language ids are; "1031" is decimal.
    if (text.size() == 4 && (text[0] == '0' || hasHexLetter(text)))
        return parseNumber(text, 16);
    return parseNumber(text, 10);
}

// Every column name is the name of a row of the language table (Croato-Serbian of 26/1 also
// names 26/2's column); the name leads to the language it is the column name of.
std::optional<LanguageId> languageOfName(std::string_view name)
{
    for (const LanguageRow& row : languageRows()) {
        const std::string column = translationColumnName(row.language, row.sublanguage);
        LanguageId id;
        if (!column.empty() && equalsIgnoringCase(column, name) &&
            languageForColumnName(column, id.language, id.sublanguage))
            return id;
    }
    return std::nullopt;
}

} // namespace

std::optional<LanguageId> parseLanguageParameter(std::string_view text)
{
    if (text.empty())
        return std::nullopt;
    if (auto number = parseLanguageNumber(text))
        return LanguageId{*number & kLanguageMask, *number >> kLanguageBits};
    return languageOfName(text);
}

int windowsLanguageId(LanguageId id)
{
    return (id.sublanguage << kLanguageBits) | id.language;
}

std::optional<std::string> languageTagParameter(const std::string& text)
{
    if (const std::optional<LanguageId> id = parseLanguageParameter(text))
        return languageTag(*id);
    if (text.empty() || !std::isalpha(static_cast<unsigned char>(text[0])))
        return std::nullopt;
    for (char c : text)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '-' && c != '_')
            return std::nullopt;
    return canonicalLanguageTag(text);
}

} // namespace qmk
