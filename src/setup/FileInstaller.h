// Installs one file: copies it, or expands it when it is shipped gzip-compressed, under a
// temporary name beside the target that is renamed over it once complete, so the destination
// never holds half a file. The installed file keeps the modification time of the original.
// The target is named by its folder, opened without following links, and its name there; a
// link or anything but a regular file under that name is refused, never written through.
#pragma once

#include <filesystem>
#include <string>

namespace qmk::setup {

enum class CopyResult { Copied, OutOfDiskSpace, SourceUnreadable, Refused, Failed };

struct CopyOutcome {
    CopyResult result = CopyResult::Failed;
    std::string detail;  // the system's reason, for a failure
};

// `compressed`: the source holds the file gzip-compressed; its original modification time is
// taken from the gzip header when recorded there, else from the compressed file.
// `executable`: the installed file can be run (the program binary).
CopyOutcome installFile(const std::filesystem::path& source, bool compressed, int folderFd, const std::string& name,
                        bool executable);

} // namespace qmk::setup
