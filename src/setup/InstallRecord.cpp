// install.ini through the private-profile class the program uses for its own settings.
#include "setup/InstallRecord.h"

#include <fstream>

#include "app/ProfileFile.h"

namespace qmk::setup {
namespace {

// True when the file holds nothing but section headers, comments and blank lines.
bool holdsNoValues(const std::filesystem::path& file)
{
    std::ifstream in(file);
    std::string line;
    while (std::getline(in, line)) {
        const std::size_t first = line.find_first_not_of(" \t\r");
        if (first == std::string::npos || line[first] == '[' || line[first] == ';')
            continue;
        return false;
    }
    return true;
}

} // namespace

std::string installedPath(const std::filesystem::path& recordFile)
{
    return ProfileFile(recordFile).getString(kProductSection, kPathKey, "");
}

bool writeInstallRecord(const std::filesystem::path& recordFile, const std::string& version,
                        const std::string& destination)
{
    ProfileFile record(recordFile);
    return record.writeStrings(kProductSection, {{kVersionKey, version}, {kPathKey, destination}});
}

bool removeInstallRecord(const std::filesystem::path& recordFile)
{
    std::error_code ec;
    if (!std::filesystem::exists(recordFile, ec))
        return true;
    ProfileFile record(recordFile);
    if (!record.removeKey(kProductSection, kVersionKey) || !record.removeKey(kProductSection, kPathKey))
        return false;
    if (holdsNoValues(recordFile)) {
        std::filesystem::remove(recordFile, ec);
        // Only an empty folder goes; this one also holds the program's settings.
        std::filesystem::remove(recordFile.parent_path(), ec);
    }
    return true;
}

} // namespace qmk::setup
