// A fresh folder for one test, removed with everything in it afterwards.
#pragma once

#include <filesystem>
#include <vector>
#include <string>

namespace qmk::test {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }
    // Writes a file (binary, exactly these bytes) and returns its path.
    std::filesystem::path write(const std::string& name, const std::string& bytes) const;

private:
    std::filesystem::path path_;
};

std::string readFile(const std::filesystem::path& path);

// The folder of the shared script corpus, or an empty path when it is not there.
std::filesystem::path corpusDir();
// The folder of the Visual Studio style scripts, or an empty path.
std::filesystem::path msvcCorpusDir();
// Every .rc file of both corpora, sorted (empty when neither is there).
std::vector<std::filesystem::path> corpusScripts();

} // namespace qmk::test
