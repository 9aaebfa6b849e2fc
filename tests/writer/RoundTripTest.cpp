// Whole road on real scripts: build the project, add German, write the German script, and
// check that it holds the same statements and, where a resource compiler is installed, that it
// compiles to the same resources as the source.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "ResourceCompiler.h"
#include "app/BatchRunner.h"
#include "app/CBatchCommandLineInfo.h"
#include "common/TempDir.h"
#include "parser/LineSink.h"
#include "parser/LoadLoop.h"
#include "parser/ParsedLine.h"
#include "parser/ScriptParser.h"
#include "exchange/ScriptCodePageProbe.h"
#include "parser/ScriptEncoding.h"
#include "project/TranslationEncoding.h"
#include "project/TextCodec.h"
#include "resources/Feedback.h"

namespace qmk {
namespace {

struct Statement {
    int kind;
    std::string text;
    bool operator==(const Statement&) const = default;
};

// ' BLOCK"040904E4"' (as rebuilt) or 'BLOCK "040904E4"' (as the compiler dumps it).
bool isLanguageBlock(std::string_view text)
{
    std::size_t open = text.find('"');
    if (text.find("BLOCK") == std::string_view::npos || open == std::string_view::npos || text.size() < open + 10)
        return false;
    for (std::size_t i = open + 1; i < open + 9; ++i)
        if (!std::isxdigit(static_cast<unsigned char>(text[i])))
            return false;
    return text[open + 9] == '"';
}

class RecordingSink : public LineSink {
public:
    void store(const ParsedLine& line, const ScriptParser&, int) override { lines.push_back({line.kind, line.text}); }
    std::vector<Statement> lines;
};

std::vector<Statement> statementsOf(const std::filesystem::path& script)
{
    RecordingSink sink;
    SilentFeedback quiet;
    LoadLoop loop(sink, {".DLG"}, quiet);
    EXPECT_EQ(loop.run(script), 0) << script;
    // LANGUAGE and code-page lines are rewritten for the target on purpose, and a new
    // translation names its version blocks after its own language.
    std::erase_if(sink.lines, [](const Statement& s) { return s.kind == 94 || s.kind == 106; });
    // Compared as text: a translation may be written in another encoding than its source.
    const int codePage = textCodePage(ScriptCodePageProbe::codePageOf(script, {".DLG"}));
    for (Statement& s : sink.lines) {
        if (s.kind == 85 && isLanguageBlock(s.text))
            s.text = "BLOCK <language>";
        s.text = decodeToUtf8(s.text, codePage).value_or(s.text);
    }
    return sink.lines;
}

void expectSameStatements(const std::vector<Statement>& written, const std::vector<Statement>& source,
                          const std::filesystem::path& original)
{
    const std::size_t common = std::min(written.size(), source.size());
    for (std::size_t i = 0; i < common; ++i)
        if (!(written[i] == source[i])) {
            ADD_FAILURE() << original << ": statement " << i + 1 << " differs\n  source:  " << source[i].kind << " ["
                          << source[i].text << "]\n  written: " << written[i].kind << " [" << written[i].text << "]";
            return;
        }
    EXPECT_EQ(written.size(), source.size()) << original;
}

struct RoundTrip {
    std::filesystem::path source;
    std::filesystem::path translated;
};

// The batch road: -C, -A German, -RC German, in a copy of the script's folder.
RoundTrip writeGerman(const std::filesystem::path& original, const test::TempDir& work)
{
    std::filesystem::copy(original.parent_path(), work.path(),
                          std::filesystem::copy_options::recursive | std::filesystem::copy_options::overwrite_existing);
    for (const auto& e : std::filesystem::recursive_directory_iterator(work.path()))
        std::filesystem::permissions(e.path(), std::filesystem::perms::owner_write, std::filesystem::perm_options::add);
    RoundTrip trip{work / original.filename().string(), work / ("German-" + original.filename().string())};
    const std::string db = (work / (original.stem().string() + "_" + original.extension().string().substr(1) + ".mdb")).string();
    CBatchCommandLineInfo cmd;
    cmd.parseArguments({"-C", trip.source.string(), "-A", db, "German", trip.translated.string(), "-RC", db,
                        "German", trip.translated.string()});
    std::ostringstream out, err;
    BatchReport report(out, err, "");
    EXPECT_EQ(BatchRunner({".DLG"}).run(cmd, report), BatchStatus::Success) << original << "\n" << err.str();
    EXPECT_TRUE(err.str().empty()) << err.str();
    return trip;
}

int compiledComparisons = 0;
int utf16Trips = 0;

void checkRoundTrip(const std::filesystem::path& original)
{
    test::TempDir work;
    RoundTrip trip = writeGerman(original, work);
    ASSERT_TRUE(std::filesystem::exists(trip.translated)) << original;
    expectSameStatements(statementsOf(trip.translated), statementsOf(trip.source), original);

    // A UTF-16 script comes back as UTF-16.
    const ScriptEncoding sourceEncoding = detectScriptEncoding(test::readFile(trip.source));
    if (isUtf16(sourceEncoding)) {
        EXPECT_EQ(test::readFile(trip.translated).substr(0, 2), "\xFF\xFE") << original;
        ++utf16Trips;
    }
    if (!test::resourceCompilerAvailable())
        return;
    test::prepareScratchFolder(trip.source.parent_path());
    if (std::getenv("QMK_SHOW_COMPILER"))
        std::fprintf(stderr, "== %s\n", original.c_str());
    auto sourceDump = test::compiledDump(trip.source);
    if (!sourceDump)
        return;  // the source itself does not compile here (missing headers or resource files)
    auto translatedDump = test::compiledDump(trip.translated);
    ASSERT_TRUE(translatedDump) << "the translation of " << original << " does not compile";
    EXPECT_EQ(*translatedDump, *sourceDump) << original;
    ++compiledComparisons;
    std::printf("  compiled to the same resources: %s\n", original.lexically_relative(QMK_SOURCE_DIR "/..").c_str());
}

} // namespace

TEST(RoundTripTest, DemoProjectWritesAnEquivalentScript)
{
    checkRoundTrip(std::filesystem::path(QMK_SOURCE_DIR) / "demo" / "demo.rc");
}

TEST(RoundTripTest, EveryCorpusScriptWritesAnEquivalentScript)
{
    const auto scripts = test::corpusScripts();
    if (scripts.empty())
        GTEST_SKIP() << "no corpus";
    int checked = 0;
    for (const std::filesystem::path& script : scripts) {
        checkRoundTrip(script);
        ++checked;
    }
    EXPECT_GT(checked, 40);
    if (!test::msvcCorpusDir().empty()) {
        EXPECT_GE(utf16Trips, 3);
    }
    std::printf("%d corpus scripts written (%d UTF-16); %d of them compiled and compared\n", checked, utf16Trips,
                compiledComparisons);
}

} // namespace qmk
