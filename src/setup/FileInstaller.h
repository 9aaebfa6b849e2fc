// Installs one file: copies it, or expands it when it is shipped gzip-compressed, under a
// temporary name beside the target that is renamed over it once complete, so the destination
// never holds half a file. The installed file keeps the modification time of the original.
#pragma once

#include <filesystem>
#include <string>

namespace qmk::setup {

enum class CopyResult { Copied, OutOfDiskSpace, SourceUnreadable, Failed };

struct CopyOutcome {
    CopyResult result = CopyResult::Failed;
    std::string detail;  // the system's reason, for a failure
};

// `compressed`: the source holds the file gzip-compressed; its original modification time is
// taken from the gzip header when recorded there, else from the compressed file.
// `executable`: the installed file can be run (the program binary).
CopyOutcome installFile(const std::filesystem::path& source, bool compressed, const std::filesystem::path& target,
                        bool executable);

} // namespace qmk::setup
