// A large project database made up for benchmarks: dialogs, menus, string tables, bitmaps and
// version values in a realistic mix, with two translations of which one is half done.
#pragma once

#include <filesystem>

namespace qmk::bench {

struct SyntheticProjectSize {
    int texts = 100000;
};

// Builds the database at path (replacing a file there) and returns the number of texts stored.
int buildSyntheticProject(const std::filesystem::path& path, const SyntheticProjectSize& size = {});

} // namespace qmk::bench
