// The setup test world.
#include "SetupFixture.h"

#include <algorithm>
#include <chrono>
#include <fstream>
#include <zlib.h>

namespace qmk::setup::test {

std::string gzipped(const std::string& content, long modified)
{
    z_stream stream{};
    deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, 15 + 16, 8, Z_DEFAULT_STRATEGY);
    gz_header header{};
    header.time = static_cast<uLong>(modified);
    header.os = 3;
    deflateSetHeader(&stream, &header);
    std::string out(deflateBound(&stream, content.size()) + 64, '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(content.data()));
    stream.avail_in = static_cast<uInt>(content.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    return out;
}

fs::file_time_type fileTime(long secondsSinceEpoch)
{
    return std::chrono::file_clock::from_sys(std::chrono::sys_seconds(std::chrono::seconds(secondsSinceEpoch)));
}

SetupFixture::SetupFixture()
{
    fs::create_directories(root / "home");
    writeDistribution(source);
    options = SetupOptions::fromEnvironment();
    options.sourceFolder = source;
}

void SetupFixture::writeDistribution(const fs::path& folder) const
{
    for (const SetupFile& file : setupFiles()) {
        const fs::path path = folder / file.name;
        fs::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << standInContent(file.name);
    }
}

std::vector<std::string> SetupFixture::filesBelow(const fs::path& folder)
{
    std::vector<std::string> files;
    std::error_code ec;
    for (fs::recursive_directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        if (!it->is_directory())
            files.push_back(it->path().lexically_relative(folder).string());
    std::sort(files.begin(), files.end());
    return files;
}

SetupManifest SetupFixture::manifest() const
{
    return SetupManifest::parse(qmk::test::readFile(SetupManifest::pathIn(destination)), destination);
}

} // namespace qmk::setup::test
