// Setting up the translation an import writes into.
#include "exchange/ImportedTranslation.h"

#include "database/CProjectDatabase.h"
#include "database/TranslationColumnNames.h"
#include "parser/CodePageTable.h"
#include "parser/LanguageTable.h"
#include "project/ProjectFileNames.h"
#include "project/TextCodec.h"
#include "project/TranslationEncoding.h"

namespace qmk {
namespace {

constexpr std::size_t kBlockNameLength = 8;  // language id and code page, four hex digits each

} // namespace

bool addImportedTranslation(CProjectDatabase& db, LanguageId language, const std::filesystem::path& projectScript,
                            int encoding)
{
    if (!db.languages().addTranslation(language))
        return false;
    db.languages().setTranslationEncoding(language, encoding);
    const std::string name = translationColumnName(language.language, language.sublanguage);
    if (!projectScript.empty())
        db.languages().setFileName(language, defaultTranslationFileName(projectScript, name));
    const std::string blockName = std::string(languageIdentifier(language.language, language.sublanguage)) +
                                  std::string(blockCodePage(language.language, language.sublanguage));
    if (blockName.size() == kBlockNameLength)
        for (int lineIndex : db.items().versionBlockHeaderLines())
            db.texts().setTranslation(lineIndex, language, blockName, false);
    return true;
}

int importedEncoding(int fromEncoding, LanguageId language)
{
    if (fromEncoding == kCodePageUtf8 || fromEncoding == kCodePageUtf16)
        return fromEncoding;
    const int languageCodePage = codePageNumber(language.language, language.sublanguage);
    return fromEncoding == languageCodePage ? languageCodePage : kCodePageUtf8;
}

std::optional<std::string> recodedText(std::string_view text, int from, int to)
{
    if (from == to || !hasBytesAbove127(text))
        return std::string(text);
    std::optional<std::string> unicode = decodeToUtf8(text, from);
    if (!unicode)
        return std::nullopt;
    EncodeResult encoded = encodeFromUtf8(*unicode, to);
    if (!encoded.ok)
        return std::nullopt;
    return std::move(encoded.bytes);
}

} // namespace qmk
