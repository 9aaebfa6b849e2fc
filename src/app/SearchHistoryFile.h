// The search and replacement histories kept in the settings file from one run to the next.
#pragma once

#include <string>

#include "project/TextSearch.h"

namespace qmk {

class ProfileFile;

// Keys "<prefix>0" to "<prefix>9" of section "FIND"; empty keys are skipped on load and the
// keys after the last entry emptied on save.
void loadSearchHistory(SearchHistory& history, const ProfileFile& profile, const std::string& prefix);
bool saveSearchHistory(const SearchHistory& history, ProfileFile& profile, const std::string& prefix);

} // namespace qmk
