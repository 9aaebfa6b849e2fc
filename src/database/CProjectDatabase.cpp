// One open project database: opening, building a new file safely, the Project row
// with its stamp, version, status and display switches.
#include "database/CProjectDatabase.h"

#include <sqlite3.h>

#include <system_error>

#include "database/DaoException.h"
#include "database/LineStore.h"
#include "database/QueryCatalogue.h"
#include "database/Schema.h"
#include "database/Transaction.h"
#include "resources/Feedback.h"
#include "resources/FileNames.h"
#include "resources/ReplacementFile.h"
#include "database/QueryNames.h"

namespace qmk {

namespace {

// A new database is built beside its target and takes its name when finished.
constexpr ReplacementOptions kNewDatabase{.tag = "building"};

} // namespace

CProjectDatabase::CProjectDatabase() = default;

CProjectDatabase::~CProjectDatabase()
{
    if (isBuildingNew())
        discardNew();
}

Statement CProjectDatabase::query(std::string_view name)
{
    return db_.prepare(queries::sql(name));
}

void CProjectDatabase::report(const DaoException& error)
{
    if (feedback_)
        feedback_->messageText(error.report(), Icon::Stop);
}

void CProjectDatabase::open(const std::filesystem::path& path, const OpenMode& mode)
{
    if (isBuildingNew())
        discardNew();
    db_.open(path, mode);
    // Bulk work (an update of a large script) runs in place in one transaction: its changed
    // pages stay in memory until the commit (up to 16,384 pages) instead of spilling early,
    // while pages that are only read (all of them, when a project opens) share a small cache.
    if (!mode.readOnly)
        db_.execute("PRAGMA cache_size = -4096; PRAGMA cache_spill = 16384");
}

void CProjectDatabase::close()
{
    if (isBuildingNew())
        discardNew();
    db_.close();
}

void CProjectDatabase::createNew(const std::filesystem::path& target)
{
    close();
    auto pending = std::make_unique<ReplacementFile>(target, kNewDatabase);
    if (!pending->create())
        throw DaoException(SQLITE_CANTOPEN, "cannot create the database " + target.string() + ": " + pending->errorDetail());
    const std::filesystem::path temp = pending->temporaryPath();
    try {
        db_.open(temp, OpenMode{false, false, false});
        // The file becomes the project only when finished: until then a crash can at worst
        // leave a stray temporary file, so the build need not journal or sync each commit.
        db_.execute("PRAGMA journal_mode = MEMORY; PRAGMA synchronous = OFF; PRAGMA cache_size = -65536");
        schema::create(db_);
    } catch (const DaoException& e) {
        db_.close();
        removeDatabaseFile(temp);
        throw DaoException(e.code(), "cannot create the database " + target.string() + ": " + e.description());
    }
    pending_ = std::move(pending);
}

void CProjectDatabase::finishNew()
{
    if (!isBuildingNew())
        return;
    std::unique_ptr<ReplacementFile> pending = std::move(pending_);
    db_.close();
    // The build ran without syncing: the file is put on disk before it takes the project's name.
    if (!pending->commit()) {
        removeDatabaseFile(pending->temporaryPath());
        throw DaoException(SQLITE_CANTOPEN,
                           "cannot write the database " + pending->targetPath().string() + ": " + pending->errorDetail());
    }
    db_.open(pending->targetPath(), OpenMode{false, false, false});
}

void CProjectDatabase::discardNew()
{
    std::unique_ptr<ReplacementFile> pending = std::move(pending_);
    db_.close();
    removeDatabaseFile(pending->temporaryPath());
}

bool CProjectDatabase::isProjectDatabase(const std::filesystem::path& path)
{
    return checkProjectFile(path) == FileCheck::Project;
}

CProjectDatabase::FileCheck CProjectDatabase::checkProjectFile(const std::filesystem::path& path)
{
    try {
        SqliteDatabase db;
        db.open(path, OpenMode{false, true, true});
        const bool project = db.tableExists("Project") && db.fieldType("Project", "FileVersion") == "INTEGER";
        return project ? FileCheck::Project : FileCheck::NotProject;
    } catch (const DaoException& e) {
        return e.inUse() ? FileCheck::InUse : FileCheck::NotProject;
    }
}

std::unique_ptr<Transaction> CProjectDatabase::beginBulk()
{
    return std::make_unique<Transaction>(db_, true);
}

std::unique_ptr<Transaction> CProjectDatabase::beginRead()
{
    auto snapshot = std::make_unique<Transaction>(db_);
    // A deferred transaction takes its snapshot at its first read.
    db_.execute("SELECT count(*) FROM sqlite_master");
    return snapshot;
}

std::unique_ptr<LineStore> CProjectDatabase::lineStore()
{
    return std::make_unique<LineStore>(db_);
}

std::optional<ProjectRow> CProjectDatabase::projectRow()
{
    Statement row = query(qn::Project_Row);
    if (!row.step())
        return std::nullopt;
    ProjectRow project;
    project.sourceFile = row.text("SourceFile");
    project.stamp.size = row.integer("FileSize");
    project.stamp.date = static_cast<std::uint16_t>(row.integer("FileDate"));
    project.stamp.time = static_cast<std::uint16_t>(row.integer("FileTime"));
    if (row.hasField("SourceHash"))
        project.sourceFingerprint = row.text("SourceHash");
    project.fileVersion = row.intField("FileVersion");
    project.status = row.intField("Status");
    return project;
}

std::string CProjectDatabase::sourceFile()
{
    Statement row = query(queries::ProjectSourceFile);
    return row.step() ? row.text(0) : std::string();
}

std::optional<int> CProjectDatabase::fileVersion()
{
    Statement row = query(qn::FileVersion);
    if (!row.step() || row.isNull(0))
        return std::nullopt;
    return static_cast<int>(row.integer(0));
}

void CProjectDatabase::writeProjectRow(const std::string& sourceFile, const FileStamp& stamp,
                                       const ProjectSwitches& switches)
{
    Transaction transaction(db_);
    bool hasRow = false;
    {
        Statement count = query(qn::Count_Project);
        hasRow = count.step() && count.integer(0) > 0;
    }
    // A rewrite keeps the stored Status; only a fresh row starts without one.
    Statement write = query(hasRow ? qn::Rewrite_Project : qn::Add_Project);
    write.bindTextOrNull("SourceFile", sourceFile)
        .bind("FileSize", stamp.size)
        .bind("FileTime", stamp.time)
        .bind("FileDate", stamp.date)
        .bind("FileVersion", schema::CurrentFileVersion)
        .execute();
    for (int i = 0; i < ProjectSwitchCount; ++i) {
        auto which = static_cast<ProjectSwitch>(i);
        ensureProjectField(which);
        Statement set = db_.prepare(queries::withColumn(queries::sql(qn::Set_Project_Field), switchFieldName(which)));
        set.bind("Value", switches.get(which) ? 1 : 0).execute();
    }
    transaction.commit();
}

bool CProjectDatabase::isSourceChanged(const FileStamp& current)
{
    std::optional<ProjectRow> row = projectRow();
    if (!row)
        return false;
    if (row->stamp.size != current.size)
        return true;
    if (row->stamp.date < current.date)
        return true;
    return row->stamp.date == current.date && row->stamp.time < current.time;
}

void CProjectDatabase::writeSourceFingerprint(const std::string& fingerprint)
{
    if (!db_.fieldExists("Project", "SourceHash"))
        db_.addColumn("Project", "SourceHash", ColumnType::Text);
    db_.prepare(queries::withColumn(queries::sql(qn::Set_Project_Field), "SourceHash"))
        .bindTextOrNull("Value", fingerprint)
        .execute();
}

void CProjectDatabase::refreshStamp(const FileStamp& stamp)
{
    query(qn::Set_Project_Stamp).bind("FileSize", stamp.size).bind("FileTime", stamp.time).bind("FileDate", stamp.date).execute();
}

std::optional<int> CProjectDatabase::status()
{
    std::optional<ProjectRow> row = projectRow();
    if (!row)
        return std::nullopt;
    return row->status;
}

void CProjectDatabase::setStatus(ProjectStatus status)
{
    query(qn::Set_Status).bind("Status", static_cast<int>(status)).execute();
}

std::optional<bool> CProjectDatabase::readSwitch(ProjectSwitch which)
{
    Statement row = query(qn::Project_Row);
    if (!row.step())
        return std::nullopt;
    int column = row.column(switchFieldName(which));
    if (column < 0)
        return std::nullopt;
    return row.integer(column) != 0;
}

bool CProjectDatabase::ensureProjectField(ProjectSwitch which)
{
    if (db_.fieldExists("Project", switchFieldName(which)))
        return false;
    db_.addColumn("Project", switchFieldName(which), ColumnType::Byte);
    return true;
}

bool CProjectDatabase::writeSwitch(ProjectSwitch which, bool on)
{
    try {
        ensureProjectField(which);
        Statement set = db_.prepare(queries::withColumn(queries::sql(qn::Set_Project_Field), switchFieldName(which)));
        set.bind("Value", on ? 1 : 0).execute();
        return db_.changes() > 0;
    } catch (const DaoException&) {
        return false;
    }
}

} // namespace qmk
