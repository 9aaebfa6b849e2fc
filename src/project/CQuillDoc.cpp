// Opening, building and closing a project, its switches, title and status.
#include "project/CQuillDoc.h"

#include "database/DaoException.h"
#include "database/Schema.h"
#include "database/Transaction.h"
#include "load/DatabaseBuild.h"
#include "parser/SourceFingerprint.h"
#include "project/FileStamp.h"
#include "project/ProjectFileNames.h"
#include "project/ReportedFailure.h"
#include "resources/Feedback.h"
#include "resources/MessageIds.h"
#include "resources/Messages.h"
#include "resources/PrintfText.h"
#include "resources/Texts.h"

namespace qmk {
namespace {

constexpr int kOldestFileVersion = schema::OldestFileVersion;
constexpr int kCurrentFileVersion = schema::CurrentFileVersion;

constexpr ProjectSwitch kAllSwitches[] = {ProjectSwitch::BitmapEdit, ProjectSwitch::VersionEdit,
                                          ProjectSwitch::IncludeEdit, ProjectSwitch::ExcludeEdit,
                                          ProjectSwitch::DialogEdit, ProjectSwitch::MenuEdit,
                                          ProjectSwitch::StringtableEdit};

bool fileExists(const std::filesystem::path& p)
{
    std::error_code ec;
    return std::filesystem::exists(p, ec);
}

} // namespace

CQuillDoc::CQuillDoc(Feedback& feedback, std::vector<std::string> includeExtensions)
    : feedback_(feedback), includeExtensions_(std::move(includeExtensions))
{
    db_.setFeedback(&feedback_);
    rows_.setListener(this);
}

CQuillDoc::~CQuillDoc() = default;

bool CQuillDoc::IsProjectDatabase(const std::filesystem::path& path)
{
    return CProjectDatabase::isProjectDatabase(path);
}

bool CQuillDoc::OnOpenDocument(const std::filesystem::path& given)
{
    std::error_code ec;
    const std::filesystem::path path = std::filesystem::absolute(given, ec).lexically_normal();
    if (!fileExists(path)) {
        feedback_.message(msg::FileDoesNotExist, {path.string()}, Icon::Stop);
        return false;
    }
    documentPath_ = path;
    openedFromDatabase_ = isDatabasePath(path);
    if (openedFromDatabase_) {
        if (!IsProjectDatabase(path)) {
            feedback_.message(msg::NotAProjectDatabase, {path.string()}, Icon::None);
            return false;
        }
        databasePath_ = path;
    } else {
        scriptPath_ = path;
        databasePath_ = databaseForScript(path);
    }
    if (!fileExists(databasePath_) &&
        !feedback_.ask(msg::BuildDatabaseFirst, {scriptPath_.string(), databasePath_.string()}, true))
        return false;

    try {
        if (!openOrBuild())
            return false;
        if (openedFromDatabase_)
            scriptPath_ = scriptForDatabase(databasePath_, db_.sourceFile());
        if (!builtNow_) {
            if (!checkFileVersion())
                return false;
            checkSourceAtOpen();
        }
        renameOutdatedTranslationColumns();
        loadSwitches();
        loadFonts();
        makeTranslationNamesRelative();
    } catch (const DaoException& e) {
        if (e.inUse())
            reportInUse();
        else
            reportDatabaseError(e.report());
        closeDatabase();
        return false;
    }
    loaded_ = true;
    return true;
}

void CQuillDoc::reportInUse()
{
    // The window asks the translator to close the project elsewhere; a batch run reports it
    // among its other errors.
    feedback_.messageText(printfText(hold_ == ProjectHold::None ? txt::ProjectInUse : txt::BatchProjectInUse,
                                     {databasePath_.string()}),
                          Icon::Stop);
}

void CQuillDoc::takeHold()
{
    // Taken before the first read, so that everything the operation reads is what it writes over.
    if (hold_ == ProjectHold::Writing)
        held_ = db_.beginBulk();
    else if (hold_ == ProjectHold::Reading)
        held_ = db_.beginRead();
}

void CQuillDoc::closeDatabase()
{
    held_.reset();  // a hold not committed leaves nothing behind
    db_.close();
}

bool CQuillDoc::commitHold(bool report)
{
    if (!held_)
        return true;
    std::unique_ptr<Transaction> held = std::move(held_);
    try {
        held->commit();
        return true;
    } catch (const DaoException& e) {
        // Readers of the project kept it longer than the engine waits: nothing is kept.
        if (!report)
            return false;
        if (e.inUse())
            reportInUse();
        else
            reportDatabaseError(e.report());
        return false;
    }
}

void CQuillDoc::checkSourceAtOpen()
{
    const SourceCheck check = checkSource(db_, scriptPath_);
    sourceChanged_ = check.changed;
    if (!check.refreshedStamp)
        return;
    try {
        db_.refreshStamp(*check.refreshedStamp);
    } catch (const DaoException&) {
        // A project that cannot be written still opens; it checks the hashes again next time.
    }
}

void CQuillDoc::makeTranslationNamesRelative()
{
    // Older versions stored absolute names inside the project's folder: such a project could
    // not be copied or moved. A project that cannot be written keeps them (it still opens).
    try {
        for (const TranslationFileName& translation : db_.languages().translationFileNames()) {
            const std::string stored = storedTranslationFileName(documentPath_, translation.fileName);
            if (stored != translation.fileName)
                db_.languages().setFileName(translation.id, stored);
        }
    } catch (const DaoException&) {
    }
}

void CQuillDoc::renameOutdatedTranslationColumns()
{
    // Before each language of a region had a column of its own, such a translation shared the
    // column name of its language. A project that cannot be written keeps the old names; its
    // texts of those translations are found again once it can be written.
    try {
        db_.languages().renameOutdatedColumns();
    } catch (const DaoException&) {
    }
}

bool CQuillDoc::openOrBuild()
{
    if (fileExists(databasePath_)) {
        // A database opened by its own name was checked whole a moment ago.
        db_.open(databasePath_, OpenMode{false, false, !openedFromDatabase_});
        takeHold();
        return true;
    }
    if (!buildDatabase())
        return false;
    takeHold();
    return true;
}

bool CQuillDoc::buildDatabase()
{
    const std::string title = formatMessage(msg::BuildDatabaseStatus, {databasePath_.string()});
    FeedbackTask task(feedback_, title);
    feedback_.status(title);
    try {
        db_.createNew(databasePath_);
        BuildResult result = BuildDatabase(scriptPath_, db_, includeExtensions_, feedback_, sourceLanguage_);
        if (!result.ok()) {
            db_.discardNew();
            feedback_.status({});
            return false;
        }
        const FileStamp stamp = readFileStamp(scriptPath_).value_or(FileStamp{});
        db_.writeProjectRow(scriptPath_.string(), stamp, ProjectSwitches{});
        db_.writeSourceFingerprint(sourceFingerprint(scriptPath_, result.namedIncludes));
        db_.setSourceEncoding(static_cast<int>(result.sourceEncoding));
        db_.finishNew();
    } catch (const DaoException&) {
        if (db_.isBuildingNew())
            db_.discardNew();
        feedback_.status({});
        throw;
    }
    feedback_.status({});
    builtNow_ = true;
    fileVersion_ = kCurrentFileVersion;
    return true;
}

std::string CQuillDoc::sourceLanguageDescription()
{
    return sourceRuleDescription(db_.sourceLanguageChoice());
}

bool CQuillDoc::checkFileVersion()
{
    std::optional<int> version = db_.fileVersion();
    if (!version || *version < kOldestFileVersion) {
        feedback_.message(msg::DatabaseVersionTooOld, {databasePath_.string()}, Icon::Stop);
        closeDatabase();
        return false;
    }
    if (*version > kCurrentFileVersion) {
        feedback_.message(msg::DatabaseVersionTooNew, {databasePath_.string()}, Icon::Stop);
        closeDatabase();
        return false;
    }
    fileVersion_ = *version;
    return true;
}

void CQuillDoc::loadSwitches()
{
    for (ProjectSwitch which : kAllSwitches) {
        if (std::optional<bool> stored = db_.readSwitch(which))
            switches_.set(which, *stored);
        else
            db_.writeSwitch(which, switches_.get(which));
    }
}

void CQuillDoc::loadFonts()
{
    sourceFonts_.clear();
    translationFonts_.clear();
    for (const SourceLanguageRow& row : db_.languages().sourceLanguages())
        sourceFonts_.push_back({row.id, row.fontName, row.charSet});
    for (const TranslationRow& row : db_.languages().translations())
        translationFonts_.push_back({row.id, row.fontName, row.charSet});
    fontsChanged_ = false;
}

void CQuillDoc::reportDatabaseError(const std::string& report)
{
    feedback_.messageText(databasePath_.string() + "\n" + report, Icon::Stop);
}

std::string CQuillDoc::SetTitle(const std::string& title) const
{
    return projectTitle(title, sourceChanged_, openedFromDatabase_, scriptPath_);
}

bool CQuillDoc::toggleSwitch(ProjectSwitch which)
{
    const bool on = !switches_.get(which);
    switches_.set(which, on);
    db_.writeSwitch(which, on);
    return on;
}

void CQuillDoc::UpdateProjectStatus()
{
    if (db_.isOpen())
        db_.setStatus(db_.languages().computeStatus());
}

void CQuillDoc::closeTimeBookkeeping()
{
    if (!db_.isOpen())
        return;
    if (!sourceChanged_ && fileExists(scriptPath_))
        if (auto stamp = readFileStamp(scriptPath_)) {
            // Projects built before content hashes were kept get them now, from the files that
            // were found unchanged; the hashes of other projects change only with an update.
            const bool hashesMissing = db_.projectRow().value_or(ProjectRow{}).sourceFingerprint.empty();
            db_.writeProjectRow(scriptPath_.string(), *stamp, switches_);
            if (hashesMissing)
                db_.writeSourceFingerprint(sourceFingerprint(scriptPath_, includedFiles()));
        }
    UpdateProjectStatus();
}

void CQuillDoc::saveChangedFonts()
{
    if (fontsChanged_ && db_.isOpen()) {
        db_.languages().saveFonts(sourceFonts_, translationFonts_);
        fontsChanged_ = false;
    }
}

bool CQuillDoc::OnCloseDocument()
{
    // A reading operation leaves the project as it found it: no stamp, no status.
    const bool reading = hold_ == ProjectHold::Reading;
    if (loaded_ && !sourceChanged_ && !reading) {
        reportFailure(feedback_, [&] {
            closeTimeBookkeeping();
            return true;
        }, false, databasePath_.string());
    }
    const bool kept = reading || commitHold();
    closeDatabase();
    loaded_ = false;
    return kept;
}

} // namespace qmk
