// Choosing and opening a memory store, and what both stores share.
#include "memory/TranslationMemory.h"

#include <xxhash.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "memory/PostgresMemory.h"
#include "memory/SqliteMemory.h"
#include "resources/TextValidity.h"

namespace qmk {

std::filesystem::path defaultMemoryFile()
{
    const char* data = std::getenv("XDG_DATA_HOME");
    std::filesystem::path folder;
    if (data && *data) {
        folder = data;
    } else {
        const char* home = std::getenv("HOME");
        folder = std::filesystem::path(home && *home ? home : ".") / ".local" / "share";
    }
    return folder / "qmk32" / "memory.db";
}

bool isServerLocation(std::string_view location)
{
    return location.starts_with("postgresql://") || location.starts_with("postgres://") ||
           location.find("host=") != std::string_view::npos || location.find("dbname=") != std::string_view::npos;
}

std::unique_ptr<TranslationMemory> openTranslationMemory(const std::string& location, MemoryUse use)
{
    if (isServerLocation(location))
        return std::make_unique<PostgresMemory>(location);
    return std::make_unique<SqliteMemory>(location.empty() ? defaultMemoryFile() : std::filesystem::path(location), use);
}

std::string memoryUnitProblem(const MemoryUnit& unit)
{
    const std::pair<const std::string*, const char*> fields[] = {
        {&unit.source, "the source text"},        {&unit.target, "the translation"},
        {&unit.sourceLanguage, "the source language"}, {&unit.targetLanguage, "the target language"},
        {&unit.project, "the project"},           {&unit.resourceType, "the resource type"},
        {&unit.resourceId, "the Id"}};
    for (const auto& [text, what] : fields)
        if (const std::string problem = utf8Problem(*text); !problem.empty())
            return problem + " in " + what;
    return {};
}

std::string memoryUnitKey(const MemoryUnit& unit)
{
    XXH3_state_t* state = XXH3_createState();
    XXH3_128bits_reset(state);
    for (const std::string* field : {&unit.sourceLanguage, &unit.targetLanguage, &unit.project, &unit.resourceType,
                                     &unit.resourceId, &unit.source, &unit.target}) {
        const std::uint64_t length = field->size();
        XXH3_128bits_update(state, &length, sizeof length);  // lengths keep "ab"+"c" apart from "a"+"bc"
        XXH3_128bits_update(state, field->data(), field->size());
    }
    const XXH128_hash_t hash = XXH3_128bits_digest(state);
    XXH3_freeState(state);
    char text[33];
    std::snprintf(text, sizeof text, "%016llx%016llx", static_cast<unsigned long long>(hash.high64),
                  static_cast<unsigned long long>(hash.low64));
    return text;
}

std::int64_t memoryNow()
{
    return std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch()).count();
}

} // namespace qmk
