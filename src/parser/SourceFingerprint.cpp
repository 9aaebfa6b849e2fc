// Hashing the files a project was read from, and comparing them with what the project stored.
#include "parser/SourceFingerprint.h"

#include <xxhash.h>

#include <array>
#include <cstdio>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace qmk {
namespace {

// Recorded for an include that could not be read, so that its appearance counts as a change.
constexpr std::string_view kMissing = "----------------";

struct StateDeleter {
    void operator()(XXH3_state_t* state) const { XXH3_freeState(state); }
};

std::string hexWord(std::uint64_t value)
{
    std::array<char, 17> text{};
    std::snprintf(text.data(), text.size(), "%016llx", static_cast<unsigned long long>(value));
    return std::string(text.data(), 16);
}

std::string hashText(const std::filesystem::path& path)
{
    const std::optional<std::uint64_t> hash = fileContentHash(path);
    return hash ? hexWord(*hash) : std::string(kMissing);
}

std::filesystem::path storedName(const std::filesystem::path& file, const std::filesystem::path& folder)
{
    std::filesystem::path relative = file.lexically_relative(folder);
    if (relative.empty() || *relative.begin() == "..")
        return file.lexically_normal();
    return relative;
}

} // namespace

std::optional<std::uint64_t> fileContentHash(const std::filesystem::path& path)
{
    // O_NONBLOCK: a FIFO put where a script was expected must not stop the program.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return std::nullopt;
    struct stat st {};
    std::unique_ptr<XXH3_state_t, StateDeleter> state(XXH3_createState());
    bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && state && XXH3_64bits_reset(state.get()) == XXH_OK;
    std::array<char, 1 << 16> buffer;
    while (ok) {
        const ssize_t got = ::read(fd, buffer.data(), buffer.size());
        if (got == 0)
            break;
        ok = got > 0 && XXH3_64bits_update(state.get(), buffer.data(), static_cast<std::size_t>(got)) == XXH_OK;
    }
    ::close(fd);
    if (!ok)
        return std::nullopt;
    return XXH3_64bits_digest(state.get());
}

std::string sourceFingerprint(const std::filesystem::path& script, const std::vector<std::filesystem::path>& includes)
{
    const std::optional<std::uint64_t> scriptHash = fileContentHash(script);
    if (!scriptHash)
        return {};
    const std::filesystem::path folder = script.parent_path();
    std::string text = hexWord(*scriptHash) + ' ' + script.filename().string() + '\n';
    for (const std::filesystem::path& include : includes)
        text += hashText(include) + ' ' + storedName(include, folder).string() + '\n';
    return text;
}

bool fingerprintMatches(std::string_view stored, const std::filesystem::path& script)
{
    const std::filesystem::path folder = script.parent_path();
    bool first = true;
    while (!stored.empty()) {
        const std::size_t end = stored.find('\n');
        const std::string_view line = stored.substr(0, end);
        stored = end == std::string_view::npos ? std::string_view() : stored.substr(end + 1);
        if (line.size() < 18 || line[16] != ' ')
            return false;
        const std::filesystem::path name(std::string(line.substr(17)));
        const std::filesystem::path file = first ? script : name.is_absolute() ? name : folder / name;
        if (hashText(file) != line.substr(0, 16))
            return false;
        first = false;
    }
    return !first;
}

} // namespace qmk
