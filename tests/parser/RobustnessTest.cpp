#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <string>

#include "ParseHelpers.h"
#include "common/TempDir.h"

namespace qmk {
namespace {

namespace fs = std::filesystem;

// Reads a text to the end; every step must make progress, and the reader must end
// with a kind-0 line or a negative code.
void expectReadsToAnEnd(const std::string& text)
{
    LineCounter counter;
    ScriptParser parser(counter);
    parser.setText(text);
    int cap = static_cast<int>(text.size()) + 10;
    auto s = test::parseAll(parser, counter, cap);
    bool ended = s.empty() ? parser.atEnd() : (s.back().kind == 0 || s.back().error < 0 || parser.atEnd());
    ASSERT_TRUE(ended) << "reader did not finish within " << cap << " steps";
    ASSERT_LE(static_cast<int>(s.size()), cap);
    // Blanks are the only thing the reader adds; a statement never grows beyond its input.
    for (const auto& st : s)
        ASSERT_LE(st.text.size(), 2 * text.size() + 16);
}

TEST(RobustnessTest, TruncatedRealScripts)
{
    fs::path dir = test::corpusDir();
    if (dir.empty())
        GTEST_SKIP() << "no script corpus";
    int files = 0;
    for (const auto& e : fs::recursive_directory_iterator(dir)) {
        if (!e.is_regular_file() || e.path().extension() != ".rc")
            continue;
        std::string bytes = test::readFile(e.path());
        std::size_t step = std::max<std::size_t>(1, bytes.size() / 150);
        for (std::size_t n = 0; n <= bytes.size(); n += step)
            expectReadsToAnEnd(bytes.substr(0, n));
        ++files;
    }
    EXPECT_GT(files, 10);
}

TEST(RobustnessTest, RandomBytesAndRandomTokens)
{
    std::mt19937 rng(20240611);
    const std::string pieces[] = {"BEGIN", "END", "{", "}", "\"", "\"\"", "'", ",", "|", "#", "include",
                                  "pragma", "code_page(", "DIALOGEX", "CONTROL", "MENUITEM", "POPUP",
                                  "STRINGTABLE", "RCDATA", "VALUE", "BLOCK", "LANGUAGE", "TEXT(",
                                  "/*", "*/", "//", ";", "\\", "\n", " ", "0x1F", "12", "IDC_X",
                                  "$$", "ACCELERATORS", "VERSIONINFO", "MENU", "ICON", "-", "("};
    for (int round = 0; round < 300; ++round) {
        std::string text;
        int length = static_cast<int>(rng() % 600);
        bool tokens = round % 2 == 0;
        for (int i = 0; i < length; ++i) {
            if (tokens) {
                text += pieces[rng() % std::size(pieces)];
                text += ' ';
            } else {
                text += static_cast<char>(rng() % 256);
            }
        }
        expectReadsToAnEnd(text);
    }
}

} // namespace
} // namespace qmk
