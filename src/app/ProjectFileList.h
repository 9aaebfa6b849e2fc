// The project file list: the thirty most recently opened projects, kept in the settings file.
#pragma once

#include <string>
#include <vector>

namespace qmk {

class ProfileFile;

inline constexpr int kProjectFileSlots = 30;

std::vector<std::string> ReadProjectFiles(const ProfileFile& profile);
bool WriteProjectFiles(ProfileFile& profile, const std::vector<std::string>& list);
// Stores the path in the slot that already holds it (compared ignoring case) or in the first
// empty slot; false when all thirty slots hold other files. The path keeps its real case.
bool AddProjectFile(ProfileFile& profile, const std::string& path);
// Adds each path that is not listed yet (compared ignoring case) to an empty slot, in one write;
// every entry already there keeps its slot. Paths that find no empty slot are left out.
bool AddProjectFiles(ProfileFile& profile, const std::vector<std::string>& paths);
// Empties the slot that holds the path (compared ignoring case); the others keep their places.
bool RemoveProjectFile(ProfileFile& profile, const std::string& path);

} // namespace qmk
