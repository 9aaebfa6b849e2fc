// The copy-update-replace sequence of a source update, and the Refresh Status check.
#include "project/SourceUpdate.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <random>

#include "database/CProjectDatabase.h"
#include "database/DaoException.h"
#include "project/CQuillDoc.h"
#include "project/FileStamp.h"
#include "resources/Feedback.h"
#include "resources/MessageIds.h"
#include "resources/Messages.h"

namespace qmk {
namespace {

constexpr int kLargestWorkingNumber = 99999;
// The project is reopened without the integrity check: it is the file this process closed a
// moment ago, or the copy the engine itself has just written and closed cleanly.
constexpr OpenMode kReopen{false, false, false};
// Gives up when this many drawn names were all taken.
constexpr int kWorkingFileAttempts = 1000;

int drawWorkingNumber()
{
    static std::mt19937 random{std::random_device{}()};
    return std::uniform_int_distribution<int>(1, kLargestWorkingNumber)(random);
}

bool syncFile(const std::filesystem::path& file, bool directory)
{
    const int fd = ::open(file.c_str(), directory ? O_RDONLY | O_DIRECTORY : O_RDONLY);
    if (fd < 0)
        return false;
    const bool synced = ::fsync(fd) == 0;
    ::close(fd);
    return synced;
}

void removeQuietly(const std::filesystem::path& file)
{
    std::error_code ec;
    std::filesystem::remove(file, ec);
}

// Removes the working file whatever way the update ends.
class WorkingFile {
public:
    explicit WorkingFile(std::filesystem::path path) : path_(std::move(path)) {}
    ~WorkingFile() { removeQuietly(path_); }
    WorkingFile(const WorkingFile&) = delete;
    WorkingFile& operator=(const WorkingFile&) = delete;
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

// Puts `source` in place of `target` so that a crash leaves either the old or the new file:
// the source is moved (or, from another file system, copied) beside the target, put on disk,
// then renamed over it.
bool replaceAtomically(const std::filesystem::path& source, const std::filesystem::path& target)
{
    std::filesystem::path temp = target;
    temp += ".update";
    std::error_code ec;
    std::filesystem::rename(source, temp, ec);
    if (ec) {
        ec.clear();
        std::filesystem::copy_file(source, temp, std::filesystem::copy_options::overwrite_existing, ec);
    }
    if (ec || !syncFile(temp, false)) {
        removeQuietly(temp);
        return false;
    }
    std::filesystem::rename(temp, target, ec);
    if (ec) {
        removeQuietly(temp);
        return false;
    }
    syncFile(target.parent_path().empty() ? "." : target.parent_path(), true);
    return true;
}

} // namespace

std::filesystem::path reserveWorkingFile(const std::filesystem::path& folder, const std::function<int()>& draw)
{
    for (int attempt = 0; attempt < kWorkingFileAttempts; ++attempt) {
        char name[16];
        std::snprintf(name, sizeof name, "%05d.mdb", draw());
        const std::filesystem::path candidate = folder / name;
        // Created exclusively, so that a name taken meanwhile by another program is drawn again.
        const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
        if (fd >= 0) {
            ::close(fd);
            return candidate;
        }
        if (errno != EEXIST)
            return {};
    }
    return {};
}

bool UpdateTransaction(CProjectDatabase& db, const std::filesystem::path& script,
                       const std::vector<std::string>& includeExtensions, Feedback& feedback, bool& cancelled,
                       const UpdateLineHook& afterLine)
{
    cancelled = false;
    if (!db.isOpen())
        return false;
    const std::filesystem::path database = db.path();
    std::error_code ec;
    const std::filesystem::path temporaryFolder = std::filesystem::temp_directory_path(ec);
    const std::filesystem::path reserved = ec ? std::filesystem::path() : reserveWorkingFile(temporaryFolder, drawWorkingNumber);
    if (reserved.empty())
        return false;
    WorkingFile working(reserved);

    db.close();
    std::filesystem::copy_file(database, working.path(), std::filesystem::copy_options::overwrite_existing, ec);
    if (ec) {
        db.open(database, kReopen);
        return false;
    }

    feedback.status(formatMessage(msg::UpdateProgressTitle, {script.string()}));
    bool passed = false;
    try {
        CProjectDatabase copy;
        copy.openWorkingCopy(working.path());
        const UpdatePassResult result = UpdateDatabasePass(script, copy, includeExtensions, feedback, afterLine);
        cancelled = result.cancelled();
        passed = result.ok();
        copy.close();
    } catch (const DaoException& e) {
        feedback.messageText(e.report(), Icon::Stop);
    }
    feedback.status({});

    const bool replaced = passed && replaceAtomically(working.path(), database);
    db.open(database, kReopen);
    if (replaced)
        feedback.message(msg::UpdateSuccessful, {script.string()}, Icon::Information);
    return replaced;
}

std::vector<CQuillDoc*> refreshSourceStatus(const std::vector<CQuillDoc*>& documents, Feedback& feedback)
{
    std::vector<CQuillDoc*> changed;
    std::string paths;
    for (CQuillDoc* doc : documents) {
        if (doc->sourceChanged() || !doc->IsSourceChanged())
            continue;
        doc->setSourceChanged(true);
        changed.push_back(doc);
        if (!paths.empty())
            paths += '\n';
        paths += doc->documentPath().string();
    }
    if (!changed.empty())
        feedback.message(msg::SourceFilesChanged, {paths}, Icon::Information);
    return changed;
}

} // namespace qmk
