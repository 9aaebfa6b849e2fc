// File-name helpers shared by every layer.
#include "resources/FileNames.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

#include <algorithm>
#include <array>
#include <fstream>
#include <iterator>

namespace qmk {
namespace {

// Links that name links are followed this far; a longer chain is a loop.
constexpr int kMaxLinkDepth = 40;

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

std::string inputFileProblem(const std::filesystem::path& path)
{
    std::error_code ec;
    const std::filesystem::file_status status = std::filesystem::status(path, ec);
    if (ec || status.type() == std::filesystem::file_type::not_found)
        return {};
    if (status.type() == std::filesystem::file_type::directory)
        return "it is a folder";
    if (status.type() != std::filesystem::file_type::regular)
        return "it is not a regular file (a pipe, a socket or a device)";
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (!ec && size > kMaxInputFileBytes)
        return "it is larger than " + std::to_string(kMaxInputFileBytes >> 20) + " MB";
    return {};
}

std::optional<std::string> readInputFile(const std::filesystem::path& path, std::string& problem, bool* notOpened)
{
    problem = inputFileProblem(path);
    if (!problem.empty())
        return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        problem = "the file cannot be opened";
        if (notOpened)
            *notOpened = true;
        return std::nullopt;
    }
    std::string text;
    try {
        // In blocks: a 10 MB script read a character at a time costs a noticeable part of opening it.
        std::array<char, 1 << 16> block;
        while (text.size() <= kMaxInputFileBytes && (in.read(block.data(), block.size()), in.gcount() > 0))
            text.append(block.data(), static_cast<std::size_t>(in.gcount()));
    } catch (const std::ios_base::failure&) {
        problem = "the file cannot be read";
        return std::nullopt;
    }
    if (in.bad() || text.size() > kMaxInputFileBytes) {
        problem = in.bad() ? "the file cannot be read" : "it is larger than 256 MB";
        return std::nullopt;
    }
    return text;
}

std::filesystem::path resolvedWriteTarget(const std::filesystem::path& path)
{
    std::filesystem::path p = std::filesystem::absolute(path).lexically_normal();
    std::error_code ec;
    for (int depth = 0; depth < kMaxLinkDepth && std::filesystem::is_symlink(p, ec); ++depth) {
        const std::filesystem::path target = std::filesystem::read_symlink(p, ec);
        if (ec)
            break;
        p = (target.is_absolute() ? target : p.parent_path() / target).lexically_normal();
    }
    // Links among the folders are resolved too, where the folders exist.
    return std::filesystem::weakly_canonical(p, ec).empty() ? p : std::filesystem::weakly_canonical(p, ec);
}

bool sameFile(const std::filesystem::path& a, const std::filesystem::path& b)
{
    std::error_code ec;
    if (std::filesystem::exists(a, ec) && std::filesystem::exists(b, ec))
        return std::filesystem::equivalent(a, b, ec) && !ec;
    return resolvedWriteTarget(a) == resolvedWriteTarget(b);
}

std::filesystem::path temporaryBeside(const std::filesystem::path& target, std::string_view tag, unsigned n)
{
    // Appended piece by piece: GCC 12 warns falsely (-Wrestrict) about the chained form.
    std::string suffix(1, '.');
    suffix.append(tag);
    suffix += '-';
    suffix += std::to_string(::getpid());
    suffix += '-';
    suffix += std::to_string(n);
    std::filesystem::path p = target;
    p += suffix;
    return p;
}

void removeFilesOfDeadProcesses(const std::filesystem::path& folder,
                                const std::function<long(const std::string& name)>& processOf)
{
    std::error_code ec;
    std::vector<std::filesystem::path> stale;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const long pid = processOf(it->path().filename().string());
        // Signal 0 only asks whether the process exists; EPERM means it does, as another user's.
        if (pid > 0 && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH)
            stale.push_back(it->path());
    }
    for (const std::filesystem::path& p : stale)
        std::filesystem::remove(p, ec);
}

void removeStaleTemporaries(const std::filesystem::path& target, std::string_view tag)
{
    const std::string prefix = target.filename().string() + "." + std::string(tag) + "-";
    const std::filesystem::path folder = target.parent_path();
    removeFilesOfDeadProcesses(folder.empty() ? std::filesystem::path(".") : folder, [&](const std::string& name) {
        return name.compare(0, prefix.size(), prefix) == 0 ? std::strtol(name.c_str() + prefix.size(), nullptr, 10)
                                                           : 0L;
    });
}

} // namespace qmk
