// Where each stored line stands in the files the project was read from: the file (the script or
// a followed include) and its physical line, found by reading the script again as the build
// does. The project keeps only the order of its lines; compiler-style reports need the place.
#pragma once

#include <filesystem>
#include <string>
#include <unordered_map>
#include <vector>

namespace qmk {

struct ScriptLocation {
    std::filesystem::path file;
    int line = 0;
};

// By the line number the build stored (ResFileLine.Line). Empty when the script cannot be read.
std::unordered_map<int, ScriptLocation> scriptLocations(const std::filesystem::path& script,
                                                       const std::vector<std::string>& includeExtensions);

} // namespace qmk
