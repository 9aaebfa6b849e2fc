#include "common/TempDir.h"

#include <algorithm>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace qmk::test {

TempDir::TempDir()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "qmktest-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a temporary folder");
    path_ = pattern;
}

TempDir::~TempDir()
{
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

std::filesystem::path TempDir::write(const std::string& name, const std::string& bytes) const
{
    std::filesystem::path p = path_ / name;
    std::filesystem::create_directories(p.parent_path());
    std::ofstream out(p, std::ios::binary);
    out << bytes;
    return p;
}

std::string readFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

namespace {

std::filesystem::path existingDir(const std::filesystem::path& dir)
{
    std::error_code ec;
    return std::filesystem::is_directory(dir, ec) ? dir : std::filesystem::path();
}

} // namespace

std::filesystem::path corpusDir() { return existingDir(QMK_CORPUS_DIR); }

std::filesystem::path msvcCorpusDir() { return existingDir(QMK_MSVC_CORPUS_DIR); }

std::vector<std::filesystem::path> corpusScripts()
{
    std::vector<std::filesystem::path> out;
    for (const std::filesystem::path& dir : {corpusDir(), msvcCorpusDir()}) {
        if (dir.empty())
            continue;
        for (const auto& e : std::filesystem::recursive_directory_iterator(dir))
            if (e.is_regular_file() && e.path().extension() == ".rc")
                out.push_back(e.path());
    }
    std::sort(out.begin(), out.end());
    return out;
}

} // namespace qmk::test
