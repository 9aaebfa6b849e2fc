// The project's translations: adding, deleting, file names, fonts, writing their scripts.
#include "project/CQuillDoc.h"

#include <algorithm>

#include "database/DaoException.h"
#include "database/Transaction.h"
#include "database/TranslationColumnNames.h"
#include "parser/CharsetTable.h"
#include "parser/CodePageTable.h"
#include "parser/LanguageTable.h"
#include "parser/LineSink.h"
#include "parser/LoadLoop.h"
#include "project/ProjectCodePage.h"
#include "project/ProjectFileNames.h"
#include "project/ProjectObserver.h"
#include "project/ReportedFailure.h"
#include "project/TextCodec.h"
#include "project/TranslationEncoding.h"
#include "project/TranslationTarget.h"
#include "resources/Feedback.h"
#include "resources/FileNames.h"
#include "resources/MessageIds.h"
#include "resources/Messages.h"
#include "resources/Texts.h"

namespace qmk {
namespace {

std::string displayName(LanguageId id) { return CQuillDoc::languageName(id); }

// The file-name part of a stored translation file name, for comparisons.
std::string fileNamePart(const std::string& name)
{
    std::size_t sep = name.find_last_of("/\\");
    return sep == std::string::npos ? name : name.substr(sep + 1);
}

} // namespace

std::string CQuillDoc::languageName(LanguageId id)
{
    std::string name(languageDisplayText(id.language, id.sublanguage));
    return name.empty() ? translationColumnName(id.language, id.sublanguage) : name;
}

bool CQuillDoc::fileNameUsedByAnotherTranslation(LanguageId language, const std::string& fileName)
{
    for (const TranslationFileName& other : db_.languages().translationFileNames())
        if (!(other.id == language) && equalsIgnoringCase(fileNamePart(other.fileName), fileNamePart(fileName)))
            return true;
    return false;
}

OperationResult CQuillDoc::NewTranslation(std::optional<LanguageId> language, const std::string& givenName,
                                          const ExistingFileDecision& decide)
{
    const std::string fileName = storedTranslationFileName(documentPath_, givenName);
    LongOperation operation(*this);
    if (!operation.acquired())
        return OperationResult::Refused;
    if (!language) {
        feedback_.message(msg::NoTranslationLanguage, {}, Icon::Exclamation);
        return OperationResult::InputRefused;
    }
    if (fileNameUsedByAnotherTranslation(*language, fileName)) {
        feedback_.message(msg::TranslationFileNameInUse, {fileName}, Icon::Stop);
        return OperationResult::InputRefused;
    }
    if (fileName.empty()) {
        feedback_.message(msg::InvalidTranslationFileName, {fileName}, Icon::Stop);
        return OperationResult::InputRefused;
    }
    if (db_.languages().hasTranslation(*language)) {
        feedback_.message(msg::LanguageAlreadyExists, {displayName(*language)}, Icon::None);
        return OperationResult::InputRefused;
    }
    // A translation made by hand, or any file that is no translated script of this project, is
    // not quietly made the output that the next Save replaces.
    if (translationFileState(fileName) == WrittenFileState::Foreign) {
        const std::filesystem::path file = translationFilePath(documentPath_, fileName);
        if (!decide) {
            feedback_.messageText(fillPlaceholders(txt::NewTranslationFileForeign, {file.string()}), Icon::Stop);
            return OperationResult::InputRefused;
        }
        if (!decide(file))
            return OperationResult::InputRefused;
    }
    try {
        // The language is added whole or not at all: a damaged project keeps no column of it.
        std::unique_ptr<Transaction> whole = db_.beginBulk();
        if (!db_.languages().addTranslation(*language)) {
            feedback_.message(msg::CantAddLanguage, {databasePath_.string()}, Icon::Stop);
            return OperationResult::Failed;
        }
        db_.languages().setFileName(*language, fileName);
        db_.languages().setTranslationEncoding(*language,
                                   defaultTranslationEncoding(db_, sourceEncodingFacts(db_, codePage()), *language));
        pretranslateBlockHeaders(*language);
        closeTimeBookkeeping();
        whole->commit();
        translationFonts_.push_back({*language, "", 1});
    } catch (const DaoException& e) {
        feedback_.message(msg::CantAddLanguage, {databasePath_.string()}, Icon::Stop);
        reportDatabaseError(e.report());
        return OperationResult::Failed;
    }
    modified_ = true;
    clearHistory();
    afterTranslationsChanged();
    return OperationResult::Done;
}

WrittenFileState CQuillDoc::translationFileState(const std::string& givenName)
{
    const std::string fileName = storedTranslationFileName(documentPath_, givenName);
    if (fileName.empty())
        return WrittenFileState::Absent;
    return writtenFileState(db_, scriptPath_, translationFilePath(documentPath_, fileName));
}

void CQuillDoc::allowReplacing(const std::filesystem::path& file)
{
    if (!replacingAllowed(file))
        replacementsAllowed_.push_back(file);
}

bool CQuillDoc::replacingAllowed(const std::filesystem::path& file) const
{
    return std::any_of(replacementsAllowed_.begin(), replacementsAllowed_.end(),
                       [&](const std::filesystem::path& allowed) { return sameFile(allowed, file); });
}

void CQuillDoc::pretranslateBlockHeaders(LanguageId language)
{
    // A version block of the translation is named by its language id and code page: 040704E4.
    const std::string blockName = std::string(languageIdentifier(language.language, language.sublanguage)) +
                                  std::string(blockCodePage(language.language, language.sublanguage));
    if (blockName.size() != 8)
        return;
    for (int lineIndex : db_.items().versionBlockHeaderLines())
        db_.texts().setTranslation(lineIndex, language, blockName, false);
}

OperationResult CQuillDoc::DeleteTranslation(LanguageId language)
{
    LongOperation operation(*this);
    if (!operation.acquired())
        return OperationResult::Refused;
    if (db_.languages().translationIds().empty()) {
        feedback_.message(msg::NoTranslationToDelete, {}, Icon::None);
        return OperationResult::InputRefused;
    }
    if (!feedback_.ask(msg::ConfirmDeleteTranslation, {displayName(language)}, true))
        return OperationResult::Cancelled;
    try {
        if (!db_.languages().hasTranslation(language) || !db_.languages().removeTranslation(language))
            return OperationResult::Failed;
        std::erase_if(translationFonts_, [&](const FontSetting& f) { return f.id == language; });
        closeTimeBookkeeping();
    } catch (const DaoException& e) {
        reportDatabaseError(e.report());
        return OperationResult::Failed;
    }
    clearHistory();
    afterTranslationsChanged();
    return OperationResult::Done;
}

OperationResult CQuillDoc::checkTranslationFileName(LanguageId language, const std::string& givenName)
{
    const std::string fileName = storedTranslationFileName(documentPath_, givenName);
    if (fileName.empty()) {
        feedback_.message(msg::InvalidTranslationFileName, {fileName}, Icon::Stop);
        return OperationResult::InputRefused;
    }
    if (equalsIgnoringCase(fileNamePart(fileName), scriptPath_.filename().string())) {
        feedback_.message(msg::TranslationFileIsSourceFile, {}, Icon::Stop);
        return OperationResult::InputRefused;
    }
    if (fileNameUsedByAnotherTranslation(language, fileName)) {
        feedback_.message(msg::TranslationFileNameInUse, {fileName}, Icon::Stop);
        return OperationResult::InputRefused;
    }
    const bool renamed = !equalsIgnoringCase(db_.languages().fileName(language), fileName);
    std::error_code ec;
    if (renamed && std::filesystem::exists(translationFilePath(documentPath_, fileName), ec))
        return feedback_.ask(msg::TranslationFileExists, {fileName}, false) ? OperationResult::Done
                                                                             : OperationResult::Cancelled;
    return OperationResult::Done;
}

bool CQuillDoc::setTranslationFileName(LanguageId language, const std::string& givenName)
{
    const std::string fileName = storedTranslationFileName(documentPath_, givenName);
    if (db_.languages().fileName(language) == fileName)
        return false;
    db_.languages().setFileName(language, fileName);
    modified_ = true;
    return true;
}

void CQuillDoc::setFont(LanguageId language, bool source, const std::string& faceName, int charSet)
{
    auto& fonts = source ? sourceFonts_ : translationFonts_;
    for (FontSetting& f : fonts)
        if (f.id == language) {
            if (f.fontName == faceName && f.charSet == charSet)
                return;
            f.fontName = faceName;
            f.charSet = charSet;
            fontsChanged_ = true;
            notify([&](ProjectObserver& o) { o.fontChanged(language, source); });
            return;
        }
    fonts.push_back({language, faceName, charSet});
    fontsChanged_ = true;
    notify([&](ProjectObserver& o) { o.fontChanged(language, source); });
}

FontSetting CQuillDoc::font(LanguageId language, bool source) const
{
    for (const FontSetting& f : source ? sourceFonts_ : translationFonts_)
        if (f.id == language && !f.fontName.empty())
            return f;
    return languageFont(language);
}

FontSetting CQuillDoc::languageFont(LanguageId language)
{
    return {language, std::string(defaultFont(language.language, language.sublanguage)),
            languageCharset(language.language, language.sublanguage)};
}

FontSetting CQuillDoc::sourceFont() const
{
    return sourceFonts_.empty() ? FontSetting{} : font(sourceFonts_.front().id, true);
}

std::vector<std::string> CQuillDoc::missingCharacterSets(const std::function<bool(int charSet)>& fontExists)
{
    std::vector<std::string> missing;
    for (const TranslationRow& t : db_.languages().translations())
        if (!fontExists(t.charSet))
            missing.emplace_back(charsetName(t.charSet));
    return missing;
}

std::optional<LanguageId> CQuillDoc::firstSourceLanguage()
{
    const std::vector<SourceLanguageRow> sources = db_.languages().sourceLanguages();
    return sources.empty() ? std::nullopt : std::optional<LanguageId>(sources.front().id);
}

const TranslationWordCounts& CQuillDoc::wordCounts(LanguageId language)
{
    if (!wordCounts_ || wordCounts_->language != language || wordCounts_->revision != rows_.figuresRevision())
        wordCounts_ = CachedWordCounts{language, rows_.figuresRevision(), translationWordCounts(rows_, language)};
    return wordCounts_->counts;
}

GaugeFigures CQuillDoc::dialogGauge(int dialogLine, LanguageId language)
{
    return gaugeOf(db_.languages().dialogStatistics(dialogLine, language));
}

GaugeFigures CQuillDoc::menuGauge(int menuLine, LanguageId language)
{
    return gaugeOf(db_.languages().menuStatistics(menuLine, language));
}

int CQuillDoc::translationCodePage(LanguageId language)
{
    return textCodePage(translationEncoding(language));
}

std::optional<int> CQuillDoc::codePageForStoring(LanguageId language)
{
    return reportFailure(feedback_, [&] { return std::optional<int>(translationCodePage(language)); },
                         std::optional<int>{});
}

int CQuillDoc::translationEncoding(LanguageId language)
{
    return qmk::translationEncoding(db_, codePage(), language);
}

OperationResult CQuillDoc::changeEncoding(LanguageId language, int encoding)
{
    LongOperation operation(*this);
    if (!operation.acquired())
        return OperationResult::Refused;
    if (encoding == translationEncoding(language))
        return OperationResult::Done;
    const std::optional<EncodingChange> converted = reportFailure(feedback_, [&] {
        return std::optional<EncodingChange>(changeTranslationEncoding(db_, codePage(), language, encoding));
    }, std::optional<EncodingChange>{}, databasePath_.string());
    if (!converted)
        return OperationResult::Failed;
    const EncodingChange& change = *converted;
    if (!change.changed) {
        std::string lines;
        for (const std::string& where : change.unfit)
            lines += where + "\n";
        feedback_.messageText(fillPlaceholders(txt::EncodingUnfit, {displayName(language), encodingName(encoding), lines}),
                              Icon::Exclamation);
        return OperationResult::InputRefused;
    }
    modified_ = true;
    clearHistory();  // the remembered texts are bytes of the old encoding
    afterTranslationsChanged();
    return OperationResult::Done;
}

int CQuillDoc::codePage()
{
    if (codePage_ == 0 && db_.isOpen())
        codePage_ = projectCodePageOf(db_, scriptPath_);
    return codePage_;
}

namespace {

class IgnoringSink : public LineSink {
public:
    void store(const ParsedLine&, const ScriptParser&, int) override {}
};

} // namespace

const std::vector<std::filesystem::path>& CQuillDoc::includedFiles()
{
    if (!includedFiles_) {
        IgnoringSink ignore;
        SilentFeedback quiet;
        LoadLoop loop(ignore, includeExtensions_, quiet);
        loop.run(scriptPath_);
        includedFiles_ = loop.includedFiles();
    }
    return *includedFiles_;
}

} // namespace qmk
