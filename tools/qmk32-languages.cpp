// Developer tool: writes src/parser/WindowsLanguageData.cpp, the Windows languages with their
// <winnt.h> names, English names, tags and ANSI code pages, from the MinGW-w64 header and ICU.
//   qmk32-languages [/usr/share/mingw-w64/include/winnt.h] > src/parser/WindowsLanguageData.cpp
#include <unicode/uloc.h>
#include <unicode/ustring.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "parser/LanguageTags.h"

namespace {

constexpr int kLanguageBits = 10;
constexpr int kMaxLanguage = 0x3FF;
constexpr int kMaxSublanguage = 0x3F;
constexpr int kInvariantLanguage = 0x7F;

struct Define {
    std::string name;
    int value = 0;
    bool conditional = false;  // inside an #if of the header's body: not every compiler sees it
};

struct Header {
    std::vector<Define> languages;     // LANG_, in header order
    std::vector<Define> sublanguages;  // SUBLANG_, in header order
};

// The LANG_ and SUBLANG_ defines, numbers or names of earlier defines; MAKELANGID forms are not
// single languages. The header's include guard is its first #if.
std::optional<Header> readHeader(const std::string& path)
{
    std::ifstream in(path);
    if (!in)
        return std::nullopt;
    const std::regex define(R"(^\s*#\s*define\s+((?:SUB)?LANG_\w+)\s+(0x[0-9a-fA-F]+|[0-9]+|(?:SUB)?LANG_\w+)\s*(?:/\*.*)?$)");
    const std::regex opening(R"(^\s*#\s*if)");
    const std::regex closing(R"(^\s*#\s*endif)");
    Header header;
    std::map<std::string, int> values;
    int depth = 0;
    std::string line;
    std::smatch m;
    while (std::getline(in, line)) {
        if (std::regex_search(line, opening)) {
            ++depth;
        } else if (std::regex_search(line, closing)) {
            --depth;
        } else if (std::regex_match(line, m, define)) {
            const std::string text = m[2];
            int value = 0;
            if (std::isdigit(static_cast<unsigned char>(text[0])))
                value = std::stoi(text, nullptr, 0);
            else if (const auto known = values.find(text); known != values.end())
                value = known->second;
            else
                continue;
            Define d{m[1], value, depth > 1};
            values[d.name] = value;
            (d.name.starts_with("SUBLANG_") ? header.sublanguages : header.languages).push_back(d);
        }
    }
    return header;
}

// The names a language id has in the header: a SUBLANG_ name belongs to the LANG_ names its own
// name starts with (SUBLANG_ARABIC_UAE to LANG_ARABIC). Names every compiler sees come first,
// then the header's order.
std::map<int, std::pair<std::string, std::string>> headerNames(const Header& header)
{
    struct Candidate {
        const Define* language;
        const Define* sublanguage;
        std::size_t order;
    };
    std::map<int, std::vector<Candidate>> byId;
    std::size_t order = 0;
    for (const Define& language : header.languages) {
        if (language.value > kMaxLanguage)
            continue;
        const std::string stem = language.name.substr(5);
        for (const Define& sublanguage : header.sublanguages) {
            const std::string rest = sublanguage.name.substr(8);
            if (sublanguage.value > kMaxSublanguage || !rest.starts_with(stem) ||
                (rest.size() != stem.size() && rest[stem.size()] != '_'))
                continue;
            byId[(sublanguage.value << kLanguageBits) | language.value].push_back({&language, &sublanguage, order++});
        }
    }
    std::map<int, std::pair<std::string, std::string>> names;
    for (auto& [id, candidates] : byId) {
        std::stable_sort(candidates.begin(), candidates.end(), [](const Candidate& a, const Candidate& b) {
            return (a.language->conditional || a.sublanguage->conditional) <
                   (b.language->conditional || b.sublanguage->conditional);
        });
        names[id] = {candidates.front().language->name, candidates.front().sublanguage->name};
    }
    return names;
}

std::string localeOf(int id)
{
    char locale[ULOC_FULLNAME_CAPACITY] = {};
    UErrorCode status = U_ZERO_ERROR;
    const int32_t length = uloc_getLocaleForLCID(static_cast<uint32_t>(id), locale, sizeof locale - 1, &status);
    return U_FAILURE(status) || length <= 0 ? std::string() : std::string(locale);
}

std::string part(const std::string& locale, int32_t (*get)(const char*, char*, int32_t, UErrorCode*))
{
    char buffer[ULOC_FULLNAME_CAPACITY] = {};
    UErrorCode status = U_ZERO_ERROR;
    get(locale.c_str(), buffer, sizeof buffer - 1, &status);
    return U_FAILURE(status) ? std::string() : std::string(buffer);
}

// ICU's language ids that lead back to themselves and name a region: the languages of a
// region. Ids ICU reads only as another id's alias, and the neutral ids of a language or
// script, are not languages a translation is made into.
bool isRegionalLanguage(int id)
{
    const std::string locale = localeOf(id);
    return !locale.empty() && uloc_getLCID(locale.c_str()) == static_cast<uint32_t>(id) &&
           !part(locale, uloc_getCountry).empty();
}

// English names in ASCII: they name database columns and files.
std::string asciiName(const std::string& utf8)
{
    static const std::pair<std::string_view, std::string_view> folds[] = {
        {"\u00e9", "e"}, {"\u00f4", "o"}, {"\u00e5", "a"}, {"\u0101", "a"}, {"\u2019", "'"}, {"\u02bc", "'"},
        {"&", "and"},  // a mnemonic mark in menus and labels
    };
    std::string text = utf8;
    for (const auto& [from, to] : folds)
        for (std::size_t at; (at = text.find(from)) != std::string::npos;)
            text.replace(at, from.size(), to);
    for (unsigned char c : text)
        if (c > 127) {
            std::cerr << "no ASCII spelling for a character of \"" << utf8 << "\": add it to the folds\n";
            std::exit(1);
        }
    return text;
}

std::string englishName(const std::string& locale)
{
    // ICU reads the withdrawn region CS as Serbia, which would give two languages one name, and
    // knows K'iche' only by its newer code.
    const std::string region = part(locale, uloc_getCountry);
    std::string shown = part(locale, uloc_getBaseName);  // keywords such as a sort order are no part of it
    if (shown.starts_with("qut"))
        shown.replace(0, 3, "quc");
    if (region == "CS")
        shown.erase(shown.find("_CS"), 3);
    UChar name[256] = {};
    UErrorCode status = U_ZERO_ERROR;
    const int32_t length = uloc_getDisplayName(shown.c_str(), "en", name, 255, &status);
    char utf8[1024] = {};
    int32_t written = 0;
    u_strToUTF8(utf8, sizeof utf8 - 1, &written, name, length, &status);
    std::string text(utf8, static_cast<std::size_t>(written));
    if (region == "CS")
        text.insert(text.size() - 1, ", Serbia and Montenegro (Former)");
    // Spanish of Spain is numbered twice, once with the traditional sort order.
    UChar order[128] = {};
    status = U_ZERO_ERROR;
    const int32_t orderLength = uloc_getDisplayKeywordValue(locale.c_str(), "collation", "en", order, 127, &status);
    if (U_SUCCESS(status) && orderLength > 0) {
        char orderUtf8[512] = {};
        int32_t orderWritten = 0;
        u_strToUTF8(orderUtf8, sizeof orderUtf8 - 1, &orderWritten, order, orderLength, &status);
        text.insert(text.size() - 1, ", " + std::string(orderUtf8, static_cast<std::size_t>(orderWritten)));
    }
    return asciiName(text);
}

// The ANSI code page Windows gives a language: by its script, and for the Latin script by the
// language. A script without a code page of its own is written in Unicode only (0), as are the
// Latin languages whose letters no Windows code page holds.
int ansiCodePage(const std::string& tag)
{
    const std::string language = tag.substr(0, tag.find('-'));
    char maximal[ULOC_FULLNAME_CAPACITY] = {};
    UErrorCode status = U_ZERO_ERROR;
    char locale[ULOC_FULLNAME_CAPACITY] = {};
    uloc_forLanguageTag(tag.c_str(), locale, sizeof locale - 1, nullptr, &status);
    uloc_addLikelySubtags(locale, maximal, sizeof maximal - 1, &status);
    const std::string script = part(maximal, uloc_getScript);
    static const std::map<std::string, int> byScript = {
        {"Cyrl", 1251}, {"Grek", 1253}, {"Hebr", 1255}, {"Arab", 1256}, {"Thai", 874},
        {"Jpan", 932},  {"Kore", 949},  {"Hans", 936},  {"Hant", 950},
    };
    static const std::map<std::string, int> latinByLanguage = {
        {"cs", 1250}, {"sk", 1250}, {"pl", 1250}, {"hu", 1250}, {"sl", 1250},  {"hr", 1250}, {"bs", 1250},
        {"sr", 1250}, {"ro", 1250}, {"sq", 1250}, {"hsb", 1250}, {"dsb", 1250}, {"tk", 1250}, {"lt", 1257},
        {"lv", 1257}, {"et", 1257}, {"tr", 1254}, {"az", 1254},  {"uz", 1254},  {"vi", 1258}, {"mi", 0},
        {"mt", 0},
    };
    if (script == "Latn") {
        const auto found = latinByLanguage.find(language);
        return found == latinByLanguage.end() ? 1252 : found->second;
    }
    const auto found = byScript.find(script);
    return found == byScript.end() ? 0 : found->second;
}

std::string quoted(const std::string& text) { return "\"" + text + "\""; }

} // namespace

int main(int argc, char** argv)
{
    const std::string path = argc > 1 ? argv[1] : "/usr/share/mingw-w64/include/winnt.h";
    const std::optional<Header> header = readHeader(path);
    if (!header || header->languages.empty()) {
        std::cerr << "cannot read the LANG_ names of " << path << "\n";
        return 1;
    }
    const auto names = headerNames(*header);

    std::set<int> ids;
    for (const auto& [id, pair] : names)
        if ((id & kMaxLanguage) != 0 && (id >> kLanguageBits) != 0)
            ids.insert(id);
    for (int language = 1; language <= kMaxLanguage; ++language)
        for (int sublanguage = 1; sublanguage <= kMaxSublanguage; ++sublanguage)
            if (language != kInvariantLanguage && isRegionalLanguage((sublanguage << kLanguageBits) | language))
                ids.insert((sublanguage << kLanguageBits) | language);

    struct Row {
        int id;
        std::string name, tag;
    };
    std::vector<Row> rows;
    std::set<std::string> taken;
    for (int id : ids) {
        const qmk::LanguageId language{id & kMaxLanguage, id >> kLanguageBits};
        Row row{id, englishName(localeOf(id)), qmk::icuLanguageTag(language)};
        if (!taken.insert(row.name).second) {
            std::cerr << "two languages are named " << row.name << "\n";
            return 1;
        }
        rows.push_back(std::move(row));
    }
    std::sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) { return a.name < b.name; });

    std::printf("// The Windows languages and the LANG_ and SUBLANG_ names of <winnt.h>. Written by\n"
                "// tools/qmk32-languages.cpp from the MinGW-w64 header and ICU %s; do not edit by hand.\n"
                "#include \"parser/WindowsLanguages.h\"\n\nnamespace qmk {\nnamespace {\n\n"
                "constexpr WindowsLanguage kLanguages[] = {\n",
                U_ICU_VERSION);
    for (const Row& row : rows) {
        const auto named = names.find(row.id);
        char identifier[8];
        std::snprintf(identifier, sizeof identifier, "%04X", row.id);
        std::printf("    {%d, %d, \"%s\", %s, %s, %s, %s, %d},\n", row.id & kMaxLanguage, row.id >> kLanguageBits,
                    identifier, quoted(named == names.end() ? "" : named->second.first).c_str(),
                    quoted(named == names.end() ? "" : named->second.second).c_str(), quoted(row.name).c_str(),
                    quoted(row.tag).c_str(), ansiCodePage(row.tag));
    }
    std::printf("};\n\nconstexpr LanguageName kLanguageNames[] = {\n");
    for (const Define& d : header->languages)
        if (d.value <= kMaxLanguage)
            std::printf("    {\"%s\", 0x%02X},\n", d.name.c_str(), d.value);
    std::printf("};\n\nconstexpr LanguageName kSublanguageNames[] = {\n");
    for (const Define& d : header->sublanguages)
        if (d.value <= kMaxSublanguage)
            std::printf("    {\"%s\", 0x%02X},\n", d.name.c_str(), d.value);
    std::printf("};\n\n} // namespace\n\n"
                "std::span<const WindowsLanguage> windowsLanguages() { return kLanguages; }\n"
                "std::span<const LanguageName> windowsLanguageNames() { return kLanguageNames; }\n"
                "std::span<const LanguageName> windowsSublanguageNames() { return kSublanguageNames; }\n\n"
                "} // namespace qmk\n");
    return 0;
}
