// The layers of the program depend one way: a file that includes a header of a layer above its
// own, or Qt below the window, fails here, so the layering is kept by more than good intentions.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace qmk {
namespace {

namespace fs = std::filesystem;

// Lower numbers lie lower; a folder may include its own layer and those below. Layers of one
// number are peers and do not include each other.
const std::map<std::string, int> kRank = {
    {"resources", 0}, {"parser", 1}, {"database", 2}, {"memory", 2}, {"load", 3}, {"project", 4}, {"checks", 5},
    {"writer", 6},    {"exchange", 6}, {"app", 7},    {"ui", 8},      {"setup", 9},   {"main", 9},
};

// Plain value types and the one error type the core hands up: every layer above may name them.
const std::set<std::string> kSharedHeaders = {"database/ProjectRows.h", "database/DaoException.h"};

// The translation memory's embedded store runs on the project files' engine layer, not on
// their tables.
const std::set<std::string> kEngineHeaders = {"database/SqliteDatabase.h", "database/Statement.h",
                                              "database/Transaction.h", "database/DaoException.h"};

// The window sees the project only through the document: of the database it names the plain
// row types and the translation columns' names, never its error type or its connections.
const std::set<std::string> kWindowDatabaseHeaders = {"database/ProjectRows.h", "database/TranslationColumnNames.h"};

bool allowed(const std::string& from, const std::string& header)
{
    const std::string to = header.substr(0, header.find('/'));
    if (!kRank.count(to) || from == to)
        return true;
    if (from == "ui" && to == "database")
        return kWindowDatabaseHeaders.count(header) > 0;
    if (kSharedHeaders.count(header) && kRank.at(from) > kRank.at("database"))
        return true;
    if (from == "memory" && to == "database")
        return kEngineHeaders.count(header) > 0;
    return kRank.at(to) < kRank.at(from);
}

TEST(LayerOrder, NoFileIncludesAboveItsLayerAndNoQtLivesBelowTheWindow)
{
    const fs::path source = fs::path(QMK_SOURCE_DIR) / "src";
    const std::regex include(R"re(^\s*#\s*include\s*([<"])([^">]+)[">])re");
    std::vector<std::string> wrong;
    int files = 0;
    for (const auto& entry : fs::recursive_directory_iterator(source)) {
        const fs::path& path = entry.path();
        if (!entry.is_regular_file() || (path.extension() != ".cpp" && path.extension() != ".h"))
            continue;
        const std::string layer = fs::relative(path, source).begin()->string();
        if (!kRank.count(layer))
            continue;
        ++files;
        std::ifstream in(path);
        std::string line;
        for (int number = 1; std::getline(in, line); ++number) {
            std::smatch match;
            if (!std::regex_search(line, match, include))
                continue;
            const std::string header = match[2];
            const bool qt = match[1] == "<" && header.size() > 1 && header[0] == 'Q' && std::isupper(header[1]);
            const bool windowSide = layer == "ui" || layer == "setup" || layer == "main";
            if ((qt && !windowSide) || (match[1] == "\"" && !allowed(layer, header)))
                wrong.push_back(fs::relative(path, source).string() + ":" + std::to_string(number) + ": " + header);
        }
    }
    EXPECT_GT(files, 300);
    std::string list;
    for (const std::string& line : wrong)
        list += line + "\n";
    EXPECT_TRUE(wrong.empty()) << list;
}

} // namespace
} // namespace qmk
