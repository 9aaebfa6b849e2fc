// Choosing and opening a glossary store, and what both stores share.
#include "memory/Glossary.h"

#include "memory/MemoryMatches.h"
#include "memory/PostgresGlossary.h"
#include "memory/SqliteGlossary.h"
#include "memory/TermIndex.h"
#include "memory/TranslationMemory.h"

namespace qmk {

std::vector<GlossaryEntry> Glossary::entries(const std::optional<std::string>& language)
{
    std::vector<GlossaryEntry> all;
    forEach(language, [&](const GlossaryEntry& entry) { all.push_back(entry); });
    return all;
}

std::string glossaryLocationBeside(const std::string& memoryLocation)
{
    if (isServerLocation(memoryLocation))
        return memoryLocation;
    const std::filesystem::path memory = memoryLocation.empty() ? defaultMemoryFile() : std::filesystem::path(memoryLocation);
    return (memory.parent_path() / "glossary.db").string();
}

std::unique_ptr<Glossary> openGlossary(const std::string& location)
{
    if (isServerLocation(location))
        return std::make_unique<PostgresGlossary>(location);
    return std::make_unique<SqliteGlossary>(location.empty() ? glossaryLocationBeside({}) : location);
}

std::string glossaryTermKey(std::string_view term)
{
    std::string key;
    for (const TextWord& word : textWords(term))
        key += (key.empty() ? "" : " ") + word.folded;
    return key;
}

bool glossaryLanguageMatches(std::string_view entryTag, std::string_view wanted)
{
    if (sameLanguageTag(entryTag, wanted))
        return true;
    const std::size_t a = entryTag.find_first_of("-_");
    const std::size_t b = wanted.find_first_of("-_");
    if ((a == std::string_view::npos) == (b == std::string_view::npos))
        return false;
    return sameLanguageTag(entryTag.substr(0, a), wanted.substr(0, b));
}

std::string joinGlossaryList(const std::vector<std::string>& items)
{
    std::string text;
    for (const std::string& item : items)
        if (!item.empty())
            text += (text.empty() ? "" : "\n") + item;
    return text;
}

std::vector<std::string> splitGlossaryList(std::string_view text)
{
    std::vector<std::string> items;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view item = text.substr(0, end);
        if (!item.empty())
            items.emplace_back(item);
        if (end == std::string_view::npos)
            break;
        text.remove_prefix(end + 1);
    }
    return items;
}

} // namespace qmk
