// The glossary's terms of one language for the checks.
#include "app/GlossaryTerms.h"

#include <filesystem>

#include "memory/Glossary.h"
#include "memory/TranslationMemory.h"
#include "parser/LanguageTags.h"

namespace qmk {

std::shared_ptr<const TermIndex> glossaryTermsBeside(const std::string& memoryLocation, LanguageId language)
{
    const std::string location = glossaryLocationBeside(memoryLocation);
    std::error_code ec;
    if (!isServerLocation(location) && !std::filesystem::exists(location, ec))
        return nullptr;
    try {
        return std::make_shared<const TermIndex>(openGlossary(location)->entries(languageTag(language)));
    } catch (const std::runtime_error&) {
        return nullptr;
    }
}

} // namespace qmk
