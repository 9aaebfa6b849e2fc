// File-name helpers shared by every layer.
#include "resources/FileNames.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>

namespace qmk {
namespace {

// ASCII letters only, whatever the locale: the windowed program runs under the user's locale,
// where the C library would also fold bytes of a single-byte code page, and the batch run does
// not; keywords, identifiers and file names must compare alike in both.
constexpr char upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
constexpr char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

} // namespace

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return upper(x) == upper(y); });
}

std::string toUpperAscii(std::string_view text)
{
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), upper);
    return out;
}

std::string toLowerAscii(std::string_view text)
{
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), lower);
    return out;
}

std::filesystem::path resolveCase(const std::filesystem::path& path)
{
    std::error_code ec;
    if (path.empty() || std::filesystem::exists(path, ec))
        return path;
    std::filesystem::path folder = path.parent_path();
    // Every folder on the way may differ in case too ("Res\\About.dlg" for "res/about.dlg").
    if (!folder.empty() && folder != path.root_path())
        folder = resolveCase(folder);
    std::filesystem::path lookIn = folder.empty() ? std::filesystem::path(".") : folder;
    const std::string wanted = path.filename().string();
    for (std::filesystem::directory_iterator it(lookIn, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (equalsIgnoringCase(name, wanted))
            return folder / name;
    }
    return path;
}

bool syncToDisk(const std::filesystem::path& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = ::fsync(fd) == 0;
    ::close(fd);
    return synced;
}

std::filesystem::path programFolder()
{
    std::error_code ec;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::path() : exe.parent_path();
}

} // namespace qmk
