// The scratch folder a fuzz target writes its input files to: one per process, made on first use.
#pragma once

#include <stdlib.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace qmk::fuzz {

inline const std::filesystem::path& scratchFolder()
{
    static const std::filesystem::path folder = [] {
        std::string name = (std::filesystem::temp_directory_path() / "qmk-fuzz-XXXXXX").string();
        if (!::mkdtemp(name.data())) {
            std::perror("qmk-fuzz: no scratch folder");
            std::abort();
        }
        return std::filesystem::path(name);
    }();
    return folder;
}

} // namespace qmk::fuzz
