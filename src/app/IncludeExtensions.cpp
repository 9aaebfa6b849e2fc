// Splitting and checking the include-extension setting.
#include "app/IncludeExtensions.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "resources/Feedback.h"
#include "resources/MessageIds.h"
#include "resources/Messages.h"
#include "resources/UiTexts.h"

namespace qmk {
namespace {

constexpr std::array<std::string_view, 26> kReservedExtensions = {
    ".H",   ".C",   ".CPP", ".EXE", ".COM", ".BAT", ".RES", ".OBJ", ".BMP", ".ICO", ".BAK", ".INF", ".MAP",
    ".PRJ", ".TDW", ".INI", ".MDT", ".CUR", ".STS", ".RWS", ".DLL", ".LIB", ".DOC", ".DEF", ".ASM", ".PAS"};

constexpr std::size_t kMaxExtensionChars = 3;

bool isSeparator(char c) { return c == ' ' || c == '\t' || c == ','; }

} // namespace

std::vector<std::string> splitIncludeExtensions(std::string_view setting)
{
    std::vector<std::string> entries;
    std::size_t i = 0;
    while (i < setting.size()) {
        // A '*' between entries ("*.dlg") is skipped too, so it can never stall the split.
        while (i < setting.size() && (isSeparator(setting[i]) || setting[i] == '*'))
            ++i;
        if (i < setting.size() && setting[i] == '.')
            ++i;
        std::string entry = ".";
        while (i < setting.size() && entry.size() <= kMaxExtensionChars && !isSeparator(setting[i]) &&
               setting[i] != '*')
            entry += static_cast<char>(std::toupper(static_cast<unsigned char>(setting[i++])));
        // The rest of an over-long word belongs to this entry, not to a new one.
        while (i < setting.size() && !isSeparator(setting[i]))
            ++i;
        if (entry.size() > 1)
            entries.push_back(std::move(entry));
    }
    return entries;
}

std::vector<std::string> reservedIncludeExtensions(const std::vector<std::string>& entries)
{
    std::vector<std::string> wrong;
    for (std::string_view reserved : kReservedExtensions)
        if (std::find(entries.begin(), entries.end(), reserved) != entries.end())
            wrong.emplace_back(reserved);
    return wrong;
}

std::string includeExtensionTextProblem(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};  // empty: the default list will be in force
    text = text.substr(first, text.find_last_not_of(" \t") - first + 1);
    for (char c : text)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_' && c != ' ' && c != ',')
            return fillPlaceholders(txt::IncludeExtensionBadCharacters, {std::string(text)});
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && (text[i] == ' ' || text[i] == ','))
            ++i;
        const std::size_t start = i;
        while (i < text.size() && text[i] != ' ' && text[i] != ',')
            ++i;
        const std::string extension(text.substr(start, i - start));
        if (extension.empty())
            continue;
        std::string dotted = ".";
        for (char c : extension)
            dotted += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        if (extension.size() > kMaxExtensionChars ||
            std::find(kReservedExtensions.begin(), kReservedExtensions.end(), dotted) != kReservedExtensions.end())
            return fillPlaceholders(txt::IncludeExtensionRefused, {extension});
    }
    return {};
}

bool checkIncludeExtensions(const std::vector<std::string>& entries, Feedback& feedback)
{
    std::vector<std::string> wrong = reservedIncludeExtensions(entries);
    if (wrong.empty())
        return true;
    std::string list;
    for (const std::string& ext : wrong)
        list += ext + "  ";
    feedback.message(msg::WrongIncludeExtensions, {list}, Icon::Stop);
    return false;
}

} // namespace qmk
