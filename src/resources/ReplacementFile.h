// A new version of a file, written under a temporary name in the same folder and then renamed
// over the file in one step, so that a failed write never leaves a damaged or half file behind.
// Every file this program replaces goes through it: translated scripts, project databases, the
// working copy of an update, the settings file, workbooks.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace qmk {

struct ReplacementOptions {
    // The temporary is "<name>.<tag>-<pid>-<n>", or ".<name>.<tag>-<pid>-<n>" when hidden.
    std::string_view tag = "tmp";
    bool hidden = false;
    // Put the file on disk before it takes the target's name. A file that can always be
    // written again (a translated script) may skip it.
    bool sync = true;
};

class ReplacementFile {
public:
    // `target` is the file to create or replace; a symbolic link is followed, so the link stays.
    // Anything but a regular file (a device, a pipe, a folder) is never replaced.
    explicit ReplacementFile(const std::filesystem::path& target, ReplacementOptions options = {});
    ~ReplacementFile();  // discards the temporary file unless committed
    ReplacementFile(const ReplacementFile&) = delete;
    ReplacementFile& operator=(const ReplacementFile&) = delete;

    // Creates an empty temporary file beside the target under a name no other process or
    // attempt holds (created exclusively, never probed), after removing the temporaries that
    // dead processes left. False when the folder does not allow it.
    bool create();
    const std::filesystem::path& temporaryPath() const { return temporary_; }
    const std::filesystem::path& targetPath() const { return target_; }

    // Appends to the temporary file.
    bool write(std::string_view bytes);
    // Flushes the temporary file (when syncing), gives it the target's permissions (or those of
    // a new file) and renames it over the target.
    bool commit();
    // Removes the temporary file; the target stays as it was.
    void discard();

    const std::string& errorDetail() const { return errorDetail_; }
    // The system's error number of the last failure (0 when none was given).
    int errorNumber() const { return errorNumber_; }

private:
    bool fail(const std::string& what, const std::filesystem::path& path);
    bool targetReplaceable();
    void closeFile();

    std::filesystem::path target_;
    ReplacementOptions options_;
    std::filesystem::path temporary_;
    int fd_ = -1;
    unsigned newFileMode_ = 0644;
    std::string errorDetail_;
    int errorNumber_ = 0;
};

} // namespace qmk
