// Copying and expanding through the safe replacement of the target.
#include "setup/FileInstaller.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>
#include <zlib.h>

#include "setup/InstallFolder.h"

namespace qmk::setup {
namespace {

constexpr std::size_t kChunk = 64 * 1024;
constexpr int kGzipWindow = 15 + 16;  // zlib's way of saying "a gzip stream, not raw deflate"

class SourceFile {
public:
    explicit SourceFile(const std::filesystem::path& path) : fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC)) {}
    ~SourceFile()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    SourceFile(const SourceFile&) = delete;
    SourceFile& operator=(const SourceFile&) = delete;
    int fd() const { return fd_; }

private:
    int fd_;
};

bool diskFull(int error) { return error == ENOSPC || error == EDQUOT; }

CopyOutcome writeFailure(const FolderReplacement& file)
{
    if (file.refused())
        return {CopyResult::Refused, file.errorDetail()};
    return {diskFull(file.errorNumber()) ? CopyResult::OutOfDiskSpace : CopyResult::Failed, file.errorDetail()};
}

CopyOutcome readFailure(const std::filesystem::path& source, const std::string& why)
{
    return {CopyResult::SourceUnreadable, source.string() + ": " + why};
}

// Reads the whole source; `sink` takes each chunk and returns false to stop.
template <typename Sink>
bool readAll(int fd, std::string& why, Sink&& sink)
{
    std::vector<char> buffer(kChunk);
    for (;;) {
        const ssize_t n = ::read(fd, buffer.data(), buffer.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            why = std::strerror(errno);
            return false;
        }
        if (n == 0)
            return true;
        if (!sink(buffer.data(), static_cast<std::size_t>(n)))
            return false;
    }
}

// Expands every gzip member of the source into `out`; the first member's recorded modification
// time (0 when none) goes to `recordedTime`.
CopyOutcome expand(int fd, const std::filesystem::path& source, FolderReplacement& out, long& recordedTime)
{
    z_stream stream{};
    if (inflateInit2(&stream, kGzipWindow) != Z_OK)
        return {CopyResult::Failed, "cannot start expanding " + source.string()};
    gz_header header{};
    inflateGetHeader(&stream, &header);
    bool firstMember = true;
    bool ended = false;
    std::vector<unsigned char> expanded(kChunk);
    CopyOutcome failure;
    std::string why;
    const bool read = readAll(fd, why, [&](const char* data, std::size_t size) {
        stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data));
        stream.avail_in = static_cast<uInt>(size);
        while (stream.avail_in > 0) {
            if (ended) {
                // Another member follows (files joined with cat): expand it too.
                inflateReset(&stream);
                ended = false;
            }
            stream.next_out = expanded.data();
            stream.avail_out = static_cast<uInt>(expanded.size());
            const int rc = inflate(&stream, Z_NO_FLUSH);
            if (rc != Z_OK && rc != Z_STREAM_END && rc != Z_BUF_ERROR) {
                why = stream.msg ? stream.msg : "not a gzip-compressed file";
                return false;
            }
            const std::size_t produced = expanded.size() - stream.avail_out;
            if (produced > 0 && !out.write({reinterpret_cast<const char*>(expanded.data()), produced})) {
                failure = writeFailure(out);
                return false;
            }
            if (rc == Z_STREAM_END) {
                if (firstMember)
                    recordedTime = static_cast<long>(header.time);
                firstMember = false;
                ended = true;
            }
        }
        return true;
    });
    inflateEnd(&stream);
    if (!failure.detail.empty())
        return failure;
    if (!read)
        return readFailure(source, why);
    if (!ended)
        return readFailure(source, "the compressed file is cut short");
    return {CopyResult::Copied, {}};
}

CopyOutcome copyPlain(int fd, const std::filesystem::path& source, FolderReplacement& out)
{
    CopyOutcome failure;
    std::string why;
    const bool read = readAll(fd, why, [&](const char* data, std::size_t size) {
        if (out.write({data, size}))
            return true;
        failure = writeFailure(out);
        return false;
    });
    if (!failure.detail.empty())
        return failure;
    if (!read)
        return readFailure(source, why);
    return {CopyResult::Copied, {}};
}

} // namespace

CopyOutcome installFile(const std::filesystem::path& source, bool compressed, int folderFd, const std::string& name,
                        bool executable)
{
    SourceFile in(source);
    struct stat sourceStat {};
    if (in.fd() < 0)
        return readFailure(source, std::strerror(errno));
    if (::fstat(in.fd(), &sourceStat) != 0 || !S_ISREG(sourceStat.st_mode))
        return readFailure(source, "not a regular file");

    FolderReplacement out(folderFd, name);
    if (!out.create(executable ? 0777 : 0666))
        return writeFailure(out);
    long recordedTime = 0;
    CopyOutcome outcome = compressed ? expand(in.fd(), source, out, recordedTime) : copyPlain(in.fd(), source, out);
    if (outcome.result != CopyResult::Copied)
        return outcome;  // the temporary goes with `out`

    struct timespec times[2];
    times[0].tv_sec = 0;
    times[0].tv_nsec = UTIME_OMIT;
    times[1] = sourceStat.st_mtim;
    if (compressed && recordedTime > 0) {
        times[1].tv_sec = recordedTime;
        times[1].tv_nsec = 0;
    }
    if (::futimens(out.fd(), times) != 0)
        return {CopyResult::Failed, name + ": cannot keep the modification time: " + std::strerror(errno)};
    if (!out.commit())
        return writeFailure(out);
    return outcome;
}

} // namespace qmk::setup
