// Whole road on real scripts: build the project, add German, write the German script, and
// check that it holds the same statements and, where a resource compiler is installed, that it
// compiles to the same resources as the source.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "app/BatchRunner.h"
#include "app/CBatchCommandLineInfo.h"
#include "common/TempDir.h"
#include "parser/LineSink.h"
#include "parser/LoadLoop.h"
#include "parser/ParsedLine.h"
#include "parser/ScriptParser.h"
#include "project/TextCodec.h"
#include "resources/Feedback.h"

namespace qmk {
namespace {

const char* kWindres = "x86_64-w64-mingw32-windres";

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
    for (Statement& s : sink.lines)
        if (s.kind == 85 && isLanguageBlock(s.text))
            s.text = "BLOCK <language>";
    return sink.lines;
}

int run(const std::string& command, std::string* output = nullptr)
{
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (!pipe)
        return -1;
    char buffer[4096];
    std::string out;
    while (std::size_t n = fread(buffer, 1, sizeof buffer, pipe))
        out.append(buffer, n);
    if (output)
        *output = out;
    return pclose(pipe);
}

bool windresAvailable()
{
    static const bool available = run(std::string("command -v ") + kWindres + " >/dev/null") == 0;
    return available;
}

// Compiles the script in the context a language file has (Windows headers and the program's
// resource header), and returns the compiler's normalised dump without LANGUAGE lines.
std::optional<std::string> compiledDump(const std::filesystem::path& script, bool utf8)
{
    const std::filesystem::path folder = script.parent_path();
    const std::filesystem::path wrapper = folder / ("wrap-" + script.filename().string());
    {
        std::ofstream out(wrapper);
        out << "#include <windows.h>\n";
        if (std::filesystem::exists(folder / "resource.h"))
            out << "#include \"resource.h\"\n";
        out << "#include \"" << script.filename().string() << "\"\n";
    }
    const std::string res = wrapper.string() + ".res";
    const std::string dump = wrapper.string() + ".dump";
    const std::string codePage = utf8 ? " -c 65001" : "";
    if (run(std::string(kWindres) + codePage + " -I '" + folder.string() + "' -O res -o '" + res + "' '" +
            wrapper.string() + "'") != 0)
        return std::nullopt;
    if (run(std::string(kWindres) + " -i '" + res + "' -O rc -o '" + dump + "'") != 0)
        return std::nullopt;
    std::istringstream lines(test::readFile(dump));
    std::string kept, line;
    while (std::getline(lines, line))
        if (line.rfind("LANGUAGE", 0) != 0 && !isLanguageBlock(line))
            kept += line + "\n";
    return kept;
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

void checkRoundTrip(const std::filesystem::path& original)
{
    test::TempDir work;
    RoundTrip trip = writeGerman(original, work);
    ASSERT_TRUE(std::filesystem::exists(trip.translated)) << original;
    expectSameStatements(statementsOf(trip.translated), statementsOf(trip.source), original);

    if (!windresAvailable())
        return;
    const std::string bytes = test::readFile(trip.source);
    const bool utf8 = hasBytesAbove127(bytes) && isValidUtf8(bytes);
    auto sourceDump = compiledDump(trip.source, utf8);
    if (!sourceDump)
        return;  // the source itself does not compile here (missing headers or resource files)
    auto translatedDump = compiledDump(trip.translated, utf8);
    ASSERT_TRUE(translatedDump) << "the translation of " << original << " does not compile";
    EXPECT_EQ(*translatedDump, *sourceDump) << original;
    ++compiledComparisons;
}

} // namespace

TEST(RoundTripTest, DemoProjectWritesAnEquivalentScript)
{
    checkRoundTrip(std::filesystem::path(QMK_SOURCE_DIR) / "demo" / "demo.rc");
}

TEST(RoundTripTest, EveryCorpusScriptWritesAnEquivalentScript)
{
    const auto corpus = test::corpusDir();
    if (corpus.empty())
        GTEST_SKIP() << "no corpus";
    int checked = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(corpus)) {
        if (entry.path().extension() != ".rc")
            continue;
        const std::string head = test::readFile(entry.path()).substr(0, 2);
        if (head == "\xFF\xFE" || head == "\xFE\xFF")
            continue;  // UTF-16 scripts are not read yet
        checkRoundTrip(entry.path());
        ++checked;
    }
    EXPECT_GT(checked, 40);
    std::printf("%d corpus scripts written; %d of them compiled and compared\n", checked, compiledComparisons);
}

} // namespace qmk
