// Arbitrary bytes as the files the programs read at start: split at the first NUL into a
// settings file and a setup manifest. The settings file must read, take a value and give it
// back; the manifest must be read without a crash whatever it holds.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/ProfileFile.h"
#include "setup/SetupManifest.h"

namespace {

const std::filesystem::path& scratch()
{
    static const std::filesystem::path folder = [] {
        std::string name = (std::filesystem::temp_directory_path() / "qmk-fuzz-ini-XXXXXX").string();
        return std::filesystem::path(::mkdtemp(name.data()));
    }();
    return folder;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::size_t split = bytes.find('\0');
    const std::filesystem::path ini = scratch() / "qmk32.ini";
    const std::filesystem::path manifest = scratch() / ".qmk32-setup-manifest";
    std::ofstream(ini, std::ios::binary | std::ios::trunc) << bytes.substr(0, split);
    std::ofstream(manifest, std::ios::binary | std::ios::trunc)
        << (split == std::string::npos ? "" : bytes.substr(split + 1));

    qmk::ProfileFile profile(ini);
    if (profile.writeString("FUZZ", "Key", "value") && profile.getString("FUZZ", "Key", "") != "value")
        std::abort();  // a value written must be read back
    const qmk::setup::SetupManifest listed(manifest);
    (void)listed.empty();  // read whole, whatever it holds
    return 0;
}
