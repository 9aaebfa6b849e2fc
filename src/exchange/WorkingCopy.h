// A copy of a project database in the temporary folder that an import changes instead of the
// project itself: put back in one step when the import succeeds, always removed afterwards.
#pragma once

#include <filesystem>

namespace qmk {

class WorkingCopy {
public:
    // Copies `original` (which must not be open) to a fresh file in the temporary folder.
    explicit WorkingCopy(std::filesystem::path original);
    ~WorkingCopy();
    WorkingCopy(const WorkingCopy&) = delete;
    WorkingCopy& operator=(const WorkingCopy&) = delete;

    // False when the copy could not be made.
    bool ok() const { return !copy_.empty(); }
    const std::filesystem::path& path() const { return copy_; }
    const std::filesystem::path& original() const { return original_; }

    // Replaces the original with the copy (which must be closed): written beside the original
    // and synced first, then renamed over it, so the original is either whole or untouched.
    bool copyBack();

private:
    std::filesystem::path original_;
    std::filesystem::path copy_;
};

} // namespace qmk
