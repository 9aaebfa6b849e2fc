// Where each stored line stands in the files the project was read from: the file (the script or
// a followed include) and its physical line, found by reading the script again as the build
// does. The project keeps only the order of its lines; compiler-style reports need the place.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace qmk {

struct ScriptLocation {
    const std::filesystem::path* file = nullptr;  // null when the line is unknown
    int line = 0;
};

class ScriptLocations {
public:
    // Reads the script; no places when it cannot be read.
    ScriptLocations(const std::filesystem::path& script, const std::vector<std::string>& includeExtensions);
    // By the line number the build stored (ResFileLine.Line).
    ScriptLocation find(int storedLine) const;
    void add(int storedLine, const std::filesystem::path& file, int line);

private:
    std::vector<std::filesystem::path> files_;
    std::vector<std::pair<int, int>> places_;  // by stored line: index into files_ (-1 unknown), line
    int current_ = -1;                          // the file of the line added last
};

} // namespace qmk
