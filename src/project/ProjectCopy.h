// A project whose folder the user cannot write (the installed demonstration projects, a read-only
// share) cannot keep a single translation. Before such a project opens in the window, the user is
// offered a copy of its folder in their own projects folder, and later the copy made before.
#pragma once

#include <filesystem>
#include <functional>

namespace qmk {

class Feedback;

// The project to open: `path` itself when its folder can be written or the user declines, else
// the copy (made now, with every file of the folder, or found from an earlier time).
using FolderWritable = std::function<bool(const std::filesystem::path&)>;
bool folderWritable(const std::filesystem::path& folder);

std::filesystem::path writableProject(const std::filesystem::path& path, const std::filesystem::path& userFolder,
                                      Feedback& feedback, const FolderWritable& writable = folderWritable);

} // namespace qmk
