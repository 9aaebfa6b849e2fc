// A copy of a project database in the temporary folder that a source update or a script import
// changes instead of the project itself: put back in one step when the work succeeded, always
// removed afterwards, so a failure or a cancel leaves the project file as it was.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace qmk {

// Creates a new, empty file "<folder>/<prefix>NNNNN.mdb" with the number from `draw` (1 to
// 99999), drawing again while a file of that name exists. Empty path when none could be made.
std::filesystem::path reserveWorkingFile(const std::filesystem::path& folder, std::string_view prefix,
                                         const std::function<int()>& draw);

class WorkingCopy {
public:
    // Copies `original` (which must not be open) to a new file "<prefix><pid>-NNNNN.mdb" in the
    // temporary folder, after removing the working files that killed runs left there.
    WorkingCopy(std::filesystem::path original, std::string_view prefix);
    ~WorkingCopy();
    WorkingCopy(const WorkingCopy&) = delete;
    WorkingCopy& operator=(const WorkingCopy&) = delete;

    // False when the copy could not be made.
    bool ok() const { return !copy_.empty(); }
    const std::filesystem::path& path() const { return copy_; }
    const std::filesystem::path& original() const { return original_; }

    // Replaces the original with the copy (which must be closed): the copy is moved (or, from
    // another file system, copied) beside the original and put on disk first, then renamed over
    // it, so that a crash leaves the original either whole or untouched.
    bool copyBack();

    // Why the copy could not be made or put back (the file system's words), or empty.
    const std::string& error() const { return error_; }

private:
    std::string error_;
    std::filesystem::path original_;
    std::filesystem::path copy_;
};

} // namespace qmk
