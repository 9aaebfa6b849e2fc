// Translation encodings.
#include "project/TranslationEncoding.h"

#include <memory>

#include "database/CProjectDatabase.h"
#include "database/Transaction.h"
#include "parser/CodePageTable.h"
#include "parser/ParserCodes.h"
#include "parser/ScriptEncoding.h"
#include "project/TextCodec.h"
#include "resources/FileNames.h"

namespace qmk {

std::optional<EncodingChoice> parseEncodingChoice(std::string_view word)
{
    if (equalsIgnoringCase(word, "ansi"))
        return EncodingChoice::Ansi;
    if (equalsIgnoringCase(word, "utf-8") || equalsIgnoringCase(word, "utf8"))
        return EncodingChoice::Utf8;
    if (equalsIgnoringCase(word, "utf-16") || equalsIgnoringCase(word, "utf16"))
        return EncodingChoice::Utf16;
    return std::nullopt;
}

int encodingOfChoice(EncodingChoice choice, LanguageId language)
{
    switch (choice) {
    case EncodingChoice::Utf8: return kCodePageUtf8;
    case EncodingChoice::Utf16: return kCodePageUtf16;
    case EncodingChoice::Ansi: break;
    }
    return codePageNumber(language.language, language.sublanguage);
}

std::string encodingName(int encoding)
{
    if (encoding == kCodePageUtf8)
        return "UTF-8";
    if (encoding == kCodePageUtf16)
        return "UTF-16";
    return "ANSI (code page " + std::to_string(encoding) + ")";
}

SourceEncodingFacts sourceEncodingFacts(CProjectDatabase& db, int projectCodePage)
{
    SourceEncodingFacts facts;
    facts.projectCodePage = projectCodePage;
    const auto stored = static_cast<ScriptEncoding>(db.sourceEncoding().value_or(0));
    facts.utf16 = isUtf16(stored);
    facts.utf8Bom = stored == ScriptEncoding::Utf8Bom;
    return facts;
}

int translationEncoding(CProjectDatabase& db, int projectCodePage, LanguageId language)
{
    if (std::optional<int> stored = db.languages().translationEncoding(language); stored && *stored > 0)
        return *stored;
    return projectCodePage == kCodePageUtf8 ? kCodePageUtf8 : codePageNumber(language.language, language.sublanguage);
}

namespace {

// Every byte the writer copies from the source can be written in `codePage`.
bool sourceFits(CProjectDatabase& db, int projectCodePage, int codePage)
{
    if (projectCodePage == codePage)
        return true;
    bool fits = true;
    auto check = [&](std::string_view bytes) {
        if (fits && hasBytesAbove127(bytes))
            fits = recodeText(bytes, projectCodePage, codePage).ok;
    };
    db.texts().forEachScriptLine([&](const LineRow& row) {
        check(row.beforeStr);
        check(row.behindStr);
    });
    db.texts().forEachTextInLineOrder([&](const TextRow& row) { check(row.sourceText); });
    return fits;
}

} // namespace

int defaultTranslationEncoding(CProjectDatabase& db, const SourceEncodingFacts& source, LanguageId language)
{
    if (source.utf16)
        return kCodePageUtf16;
    if (source.projectCodePage == kCodePageUtf8)
        return kCodePageUtf8;
    const int languageCodePage = codePageNumber(language.language, language.sublanguage);
    return sourceFits(db, source.projectCodePage, languageCodePage) ? languageCodePage : kCodePageUtf8;
}

bool hasOwnTexts(CProjectDatabase& db, LanguageId language)
{
    for (const TranslatedLine& t : db.languages().translatedTexts(language))
        if (t.lineKind != toInt(LineKind::Block))
            return true;
    return false;
}

EncodingChange changeTranslationEncoding(CProjectDatabase& db, int projectCodePage, LanguageId language,
                                         int newEncoding)
{
    EncodingChange change;
    const int from = textCodePage(translationEncoding(db, projectCodePage, language));
    const int to = textCodePage(newEncoding);
    std::vector<TranslatedLine> texts;
    if (from != to) {
        texts = db.languages().translatedTexts(language);
        for (TranslatedLine& t : texts) {
            EncodeResult recoded = recodeText(t.text, from, to);
            if (recoded.ok)
                t.text = std::move(recoded.bytes);
            else
                change.unfit.push_back("line " + std::to_string(t.line) + ": " +
                                       decodeToUtf8(t.text, from).value_or(t.text));
        }
        if (!change.unfit.empty())
            return change;
    }
    std::unique_ptr<Transaction> bulk = db.beginBulk();
    if (!texts.empty())
        db.languages().rewriteTranslations(language, texts);
    db.languages().setTranslationEncoding(language, newEncoding);
    bulk->commit();
    change.changed = true;
    return change;
}

} // namespace qmk
