// Arbitrary bytes as the files the programs read at start: split at the first NUL into a
// settings file and a setup manifest. The settings file must read, take a value and give it
// back; whatever the manifest holds, every entry read from it must lie inside the installation
// folder, and the list written back must read as the same list.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/ProfileFile.h"
#include "setup/InstallFolder.h"
#include "setup/SetupManifest.h"

#include "FuzzScratch.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::size_t split = bytes.find('\0');
    const std::filesystem::path ini = qmk::fuzz::scratchFolder() / "qmk32.ini";
    std::ofstream(ini, std::ios::binary | std::ios::trunc) << bytes.substr(0, split);

    qmk::ProfileFile profile(ini);
    if (profile.writeString("FUZZ", "Key", "value") && profile.getString("FUZZ", "Key", "") != "value")
        std::abort();  // a value written must be read back

    using qmk::setup::InstallFolder;
    using qmk::setup::SetupManifest;
    const std::string text = split == std::string::npos ? std::string() : bytes.substr(split + 1);
    const std::filesystem::path folder = "/home/fuzz/qmk32";
    const SetupManifest listed = SetupManifest::parse(text, folder);
    for (const auto* entries : {&listed.files(), &listed.folders()})
        for (const std::filesystem::path& entry : *entries)
            if (!InstallFolder::plainRelative(entry.string()))
                std::abort();  // Deinstall would reach outside the folder
    const SetupManifest again = SetupManifest::parse(listed.text(), folder);
    if (again.files() != listed.files() || again.folders() != listed.folders() ||
        again.createdLevels() != listed.createdLevels() || !again.refusedLines().empty())
        std::abort();  // the list an installation writes back must be the list it read
    for (const std::filesystem::path& file : listed.files())
        if (again.stamp(file) != listed.stamp(file))
            std::abort();
    return 0;
}
