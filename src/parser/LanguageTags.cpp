// Language tags in the form translation platforms expect, from the language table or ICU's table
// of Windows language ids, and the look-up of the language a tag names, rows of our table first.
#include "parser/LanguageTags.h"

#include <unicode/uloc.h>

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <vector>

#include "parser/LanguageTable.h"
#include "resources/FileNames.h"

namespace qmk {
namespace {

constexpr int kNeutralLanguage = 0x00;    // LANG_NEUTRAL
constexpr int kInvariantLanguage = 0x7F;  // LANG_INVARIANT: no language at all
constexpr int kLanguageBits = 10;         // MAKELANGID: the sublanguage above the language's ten bits
constexpr int kMaxLanguage = 0x3FF;
constexpr int kMaxSublanguage = 0x3F;
constexpr std::string_view kUndetermined = "und";

struct Subtags {
    std::string language;  // lower case, 2 to 3 letters (ICU's spelling)
    std::string script;    // title case, 4 letters, or empty
    std::string region;    // upper case letters or 3 digits, or empty
    std::string variant;   // lower case ("valencia"), or empty
};

std::string composeTag(const Subtags& tag)
{
    std::string text = tag.language;
    if (!tag.script.empty())
        text += "-" + tag.script;
    if (!tag.region.empty())
        text += "-" + tag.region;
    if (!tag.variant.empty())
        text += "-" + tag.variant;
    return text;
}

// One part of an ICU locale id ("zh_Hant_TW"); empty when ICU cannot give it.
template <typename Getter>
std::string localePart(const char* locale, Getter get)
{
    char buffer[ULOC_FULLNAME_CAPACITY] = {};
    UErrorCode status = U_ZERO_ERROR;
    const int32_t length = get(locale, buffer, static_cast<int32_t>(sizeof buffer) - 1, &status);
    return U_FAILURE(status) || length <= 0 ? std::string() : std::string(buffer, static_cast<std::size_t>(length));
}

// Language, script, region and variant (Valencian Catalan) of a locale id; keywords
// (Castilian's traditional sort order) are no part of the tags we write or compare.
Subtags subtagsOfLocale(const char* locale)
{
    return {localePart(locale, uloc_getLanguage), localePart(locale, uloc_getScript),
            localePart(locale, uloc_getCountry), toLowerAscii(localePart(locale, uloc_getVariant))};
}

// The locale ICU gives a Windows language id (MAKELANGID), or empty for an id it does not know.
std::string localeOfWindowsId(int language, int sublanguage)
{
    const auto lcid = static_cast<uint32_t>((sublanguage << kLanguageBits) | language);
    char locale[ULOC_FULLNAME_CAPACITY] = {};
    UErrorCode status = U_ZERO_ERROR;
    const int32_t length = uloc_getLocaleForLCID(lcid, locale, static_cast<int32_t>(sizeof locale) - 1, &status);
    return U_FAILURE(status) || length <= 0 ? std::string() : std::string(locale, static_cast<std::size_t>(length));
}

LanguageId languageIdOfWindowsId(uint32_t lcid)
{
    return {static_cast<int>(lcid & kMaxLanguage), static_cast<int>((lcid >> kLanguageBits) & kMaxSublanguage)};
}

// The script a language is written in where the tag does not say ("zh-TW": Hant, "sr": Cyrl),
// so that a tag without a script still matches a row with one and never a row in another.
std::string likelyScript(const Subtags& tag)
{
    if (!tag.script.empty())
        return tag.script;
    const std::string locale = tag.language + (tag.region.empty() ? "" : "_" + tag.region);
    char maximal[ULOC_FULLNAME_CAPACITY] = {};
    UErrorCode status = U_ZERO_ERROR;
    uloc_addLikelySubtags(locale.c_str(), maximal, static_cast<int32_t>(sizeof maximal) - 1, &status);
    return U_FAILURE(status) ? std::string() : localePart(maximal, uloc_getScript);
}

// A tag, or a POSIX locale name as PO headers carry it ("de_DE", "sr_RS@latin", "de_DE.UTF-8");
// none unless the whole text is one tag with a language.
std::optional<Subtags> parseTag(std::string_view tag)
{
    std::string text(tag);
    std::string modifierScript;
    if (const auto at = text.find('@'); at != std::string::npos) {
        const std::string modifier = toLowerAscii(text.substr(at + 1));
        modifierScript = modifier == "latin" ? "Latn" : modifier == "cyrillic" ? "Cyrl" : "";
        text.erase(at);
    }
    if (const auto dot = text.find('.'); dot != std::string::npos)
        text.erase(dot);
    std::replace(text.begin(), text.end(), '_', '-');
    if (text.empty())
        return std::nullopt;

    char locale[ULOC_FULLNAME_CAPACITY] = {};
    int32_t consumed = 0;
    UErrorCode status = U_ZERO_ERROR;
    uloc_forLanguageTag(text.c_str(), locale, static_cast<int32_t>(sizeof locale) - 1, &consumed, &status);
    if (U_FAILURE(status) || consumed != static_cast<int32_t>(text.size()))
        return std::nullopt;
    Subtags parsed = subtagsOfLocale(locale);
    if (parsed.language.empty()) {
        // ICU drops "und"; a tag of private subtags only ("x-foo") names no language.
        if (!equalsIgnoringCase(text.substr(0, text.find('-')), kUndetermined))
            return std::nullopt;
        parsed.language = kUndetermined;
    }
    if (parsed.script.empty())
        parsed.script = modifierScript;
    return parsed;
}

// "x-17-1": the private tag earlier versions wrote for a language they had no tag for.
std::optional<LanguageId> earlierPrivateTag(std::string_view tag)
{
    if (tag.size() < 5 || (tag[0] != 'x' && tag[0] != 'X') || (tag[1] != '-' && tag[1] != '_'))
        return std::nullopt;
    LanguageId id;
    const char* end = tag.data() + tag.size();
    auto [afterLanguage, error] = std::from_chars(tag.data() + 2, end, id.language);
    if (error != std::errc{} || afterLanguage == end || (*afterLanguage != '-' && *afterLanguage != '_'))
        return std::nullopt;
    auto [afterSublanguage, error2] = std::from_chars(afterLanguage + 1, end, id.sublanguage);
    if (error2 != std::errc{} || afterSublanguage != end || id.language < 0 || id.sublanguage < 0)
        return std::nullopt;
    return id;
}

struct RowTag {
    LanguageId id;
    std::string tag;
    Subtags subtags;
    std::string script;  // written or likely
};

// The tags of the language table's rows, in table order (the first row of a language is its
// main one: German before German Swiss).
const std::vector<RowTag>& rowTags()
{
    static const std::vector<RowTag> rows = [] {
        std::vector<RowTag> list;
        for (const LanguageRow& row : languageRows()) {
            RowTag entry{{row.language, row.sublanguage}, languageTag({row.language, row.sublanguage}), {}, {}};
            entry.subtags = parseTag(entry.tag).value_or(Subtags{});
            entry.script = likelyScript(entry.subtags);
            list.push_back(std::move(entry));
        }
        return list;
    }();
    return rows;
}

} // namespace

std::string languageTag(LanguageId language)
{
    const int row = findLanguageRow(language.language, language.sublanguage);
    if (row >= 0 && !languageRows()[static_cast<std::size_t>(row)].tag.empty())
        return std::string(languageRows()[static_cast<std::size_t>(row)].tag);
    return icuLanguageTag(language);
}

std::string icuLanguageTag(LanguageId language)
{
    if (language.language <= kNeutralLanguage || language.language == kInvariantLanguage ||
        language.language > kMaxLanguage || language.sublanguage < 0 || language.sublanguage > kMaxSublanguage)
        return std::string(kUndetermined);

    const bool neutralSublanguage = language.sublanguage == 0;
    // ICU answers a sublanguage it does not know with the bare language.
    const std::string locale = localeOfWindowsId(language.language, language.sublanguage);
    Subtags tag = subtagsOfLocale(locale.c_str());
    if (tag.language.empty())
        return std::string(kUndetermined);
    if (neutralSublanguage)
        return tag.language;
    // Chinese of a region is named by the region alone (zh-TW, zh-CN, zh-HK), as Windows itself
    // names it and as platforms expect; the region says the script.
    if (tag.language == "zh" && !tag.region.empty())
        tag.script.clear();
    return composeTag(tag);
}

std::optional<LanguageId> languageOfTag(std::string_view tag)
{
    if (const std::optional<LanguageId> earlier = earlierPrivateTag(tag))
        return earlier;
    const std::optional<Subtags> parsed = parseTag(tag);
    if (!parsed)
        return std::nullopt;
    const Subtags& wanted = *parsed;
    const std::string wantedTag = composeTag(wanted);

    for (const RowTag& row : rowTags())
        if (equalsIgnoringCase(row.tag, wantedTag))
            return row.id;

    // A Windows language of a region outside the table with exactly this tag ("de-LU",
    // "sr-Latn-RS"). Without a region ("de", "zh-Hant") Windows has neutral ids; the tag means
    // the table's row of that language.
    const std::string locale = wanted.language + (wanted.script.empty() ? "" : "_" + wanted.script) +
                               (wanted.region.empty() ? "" : "_" + wanted.region);
    const uint32_t lcid = uloc_getLCID(locale.c_str());
    const LanguageId windowsId = languageIdOfWindowsId(lcid);
    if (lcid != 0 && !wanted.region.empty() && equalsIgnoringCase(languageTag(windowsId), wantedTag))
        return windowsId;

    const std::string script = likelyScript(wanted);
    if (!wanted.region.empty())
        for (const RowTag& row : rowTags())
            if (row.subtags.language == wanted.language && row.subtags.region == wanted.region && row.script == script)
                return row.id;
    for (const RowTag& row : rowTags())
        if (row.subtags.language == wanted.language && row.script == script)
            return row.id;

    // A language outside the table that ICU knows by a near tag ("az-AZ").
    if (lcid != 0)
        return windowsId;
    return std::nullopt;
}

} // namespace qmk
