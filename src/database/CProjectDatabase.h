// One open project database: every read and write the rest of the program needs, one
// operation per access need, over plain rows. Engine failures throw DaoException unless noted.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "database/ProjectRows.h"
#include "database/ProjectBookmarks.h"
#include "database/ProjectChecks.h"
#include "database/ProjectItems.h"
#include "database/ProjectTexts.h"
#include "database/ProjectTranslations.h"
#include "database/ProjectExports.h"
#include "database/ProjectWrittenFiles.h"
#include "database/SqliteDatabase.h"
#include "database/UpdateStore.h"

namespace qmk {

class DaoException;
class Feedback;
class LineStore;
class ReplacementFile;
class Transaction;

class CProjectDatabase {
public:
    CProjectDatabase();
    ~CProjectDatabase();
    CProjectDatabase(const CProjectDatabase&) = delete;
    CProjectDatabase& operator=(const CProjectDatabase&) = delete;

    // Where the operations that report their own failures say so (column add/remove/look-up).
    void setFeedback(Feedback* feedback) { feedback_ = feedback; }

    // --- Opening and creating ------------------------------------------------------------
    void open(const std::filesystem::path& path, const OpenMode& mode = {});
    void close();
    bool isOpen() const { return db_.isOpen(); }
    const std::filesystem::path& path() const { return db_.path(); }

    // Starts a new project database for `target`: the empty layout is built in a temporary
    // file beside it, which finishNew() renames onto the target (and reopens) and
    // discardNew() removes. A database dropped before finishNew() leaves no file behind.
    void createNew(const std::filesystem::path& target);
    void finishNew();
    void discardNew();
    bool isBuildingNew() const { return pending_ != nullptr; }

    // The file opens as a database and has table Project with a Long FileVersion field.
    static bool isProjectDatabase(const std::filesystem::path& path);
    enum class FileCheck { Project, NotProject, InUse };
    // As isProjectDatabase, telling a file another program holds from one that is no project.
    static FileCheck checkProjectFile(const std::filesystem::path& path);

    // Bulk work: every operation run while the guard lives joins one transaction, which holds
    // the project's write lock from its start (waiting a few seconds for another program's
    // write to end; DaoException with inUse() when it does not, before anything is changed).
    // Inside a transaction already open it is a savepoint of that one.
    std::unique_ptr<Transaction> beginBulk();
    // One snapshot of the project for reading: what other programs commit meanwhile is not
    // seen, and they cannot commit over it while it lives. What is written under it is kept
    // only if it is committed.
    std::unique_ptr<Transaction> beginRead();
    // Appends lines and their rows inside one transaction (build and update).
    std::unique_ptr<LineStore> lineStore();

    // --- Project row ---------------------------------------------------------------------
    std::optional<ProjectRow> projectRow();
    std::string sourceFile();
    std::optional<int> fileVersion();
    // Replaces the stamp, source file (when not empty) and FileVersion 7 and writes the switches.
    void writeProjectRow(const std::string& sourceFile, const FileStamp& stamp, const ProjectSwitches& switches);
    // Changed when the size differs or the current stamp is later; no Project row: unchanged.
    bool isSourceChanged(const FileStamp& current);
    // The content hashes of the files the project was read from (see SourceFingerprint.h).
    void writeSourceFingerprint(const std::string& fingerprint);
    // Only the stamp, for a script whose time changed but whose bytes did not.
    void refreshStamp(const FileStamp& stamp);
    std::optional<int> status();
    void setStatus(ProjectStatus status);
    // Absent when the field or the row is missing.
    std::optional<bool> readSwitch(ProjectSwitch which);
    // Creates a missing switch field first; failures are dropped (false).
    bool writeSwitch(ProjectSwitch which, bool on);

    // --- Exchange between project files (CProjectDatabaseExchange.cpp) -------------------
    // Fills this database, just started with createNew(), with the whole project held in
    // `source`: every line, text and item row, the Project row, the bookmarks, and of the
    // translations only those listed in `keep` (others, and languages the source lacks, are
    // left out). One transaction; the source file is only read.
    void copyProjectFrom(const std::filesystem::path& source, const std::vector<LanguageId>& keep);

    // --- The source script's encoding (CProjectDatabaseEncodings.cpp) -----------------------
    // How the source script was encoded (a ScriptEncoding value); absent in older projects.
    std::optional<int> sourceEncoding();
    void setSourceEncoding(int encoding);
    // The project has a line of this kind (for example a code-page pragma).
    bool hasLineOfKind(int lineKind);
    // Which of the script's languages the project translates, as the reader stored it
    // (SourceLanguageRule::stored()); absent in projects built before it was stored.
    std::optional<int> sourceLanguageChoice();
    // Stored in the Project row (a row is begun when the build has not written it yet).
    void setSourceLanguageChoice(int stored);

    // --- The parts, each the only owner of its queries -----------------------------------
    ProjectTexts& texts() { return texts_; }
    ProjectItems& items() { return items_; }
    UpdateStore& update() { return update_; }
    ProjectTranslations& languages() { return languages_; }
    ProjectBookmarks& bookmarks() { return bookmarks_; }
    ProjectChecks& checks() { return checks_; }
    ProjectWrittenFiles& writtenFiles() { return writtenFiles_; }
    ProjectExports& exports() { return exports_; }

    // A failure an operation reports itself (through the feedback set with setFeedback).
    void report(const DaoException& error);

private:
    Statement query(std::string_view name);
    bool ensureProjectField(ProjectSwitch which);

    void copyAttachedProject(const std::vector<LanguageId>& keep);  // exchange

    SqliteDatabase db_;
    Feedback* feedback_ = nullptr;
    std::unique_ptr<ReplacementFile> pending_;  // the new database until it is finished
    ProjectTexts texts_{*this, db_};
    ProjectItems items_{*this, db_};
    UpdateStore update_{*this, db_};
    ProjectTranslations languages_{*this, db_};
    ProjectBookmarks bookmarks_{*this, db_};
    ProjectChecks checks_{*this, db_};
    ProjectWrittenFiles writtenFiles_{*this, db_};
    ProjectExports exports_{*this, db_};
};

} // namespace qmk
