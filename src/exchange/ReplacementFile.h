// A new version of a file, written under a temporary name in the same folder and then renamed
// over the file in one step, so that a failed write never leaves a damaged or half file behind.
#pragma once

#include <filesystem>
#include <string>

namespace qmk {

class ReplacementFile {
public:
    // `target` is the file to create or replace; a symbolic link is followed, so the link stays.
    explicit ReplacementFile(const std::filesystem::path& target);
    ~ReplacementFile();  // discards the temporary file unless committed
    ReplacementFile(const ReplacementFile&) = delete;
    ReplacementFile& operator=(const ReplacementFile&) = delete;

    // Creates an empty temporary file beside the target. False when the folder does not allow it.
    bool create();
    const std::filesystem::path& temporaryPath() const { return temporary_; }
    const std::filesystem::path& targetPath() const { return target_; }

    // Flushes the temporary file to disk, gives it the target's permissions (or those of a new
    // file) and renames it over the target.
    bool commit();
    // Removes the temporary file; the target stays as it was.
    void discard();

    const std::string& errorDetail() const { return errorDetail_; }

private:
    std::filesystem::path target_;
    std::filesystem::path temporary_;
    unsigned newFileMode_ = 0644;
    std::string errorDetail_;
};

} // namespace qmk
