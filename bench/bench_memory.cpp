// The translation memory at size: TMX import, lookup latency (p50/p95 over a thousand alike
// texts) and memory growth during lookups, for the embedded and the shared store, and
// pre-translation of a project. The default run uses 50,000 units; the figures for a memory of
// 1,000,000 units come from the LARGE_ cases, run with --benchmark_filter=LARGE_. Setting
// QMK_BENCH_KEEP to a folder keeps the generated TMX files there for the next run.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "common/PostgresServer.h"
#include "memory/PostgresMemory.h"
#include "memory/SqliteMemory.h"
#include "memory/TmxFile.h"
#include "project/CQuillDoc.h"
#include "project/MemoryFeed.h"
#include "project/PreTranslate.h"
#include "resources/Feedback.h"

namespace {

namespace fs = std::filesystem;
using namespace qmk;

constexpr int kLookups = 1000;

std::uint64_t mix(std::uint64_t x)
{
    x ^= x >> 33;
    x *= 0xff51afd7ed558ccdULL;
    x ^= x >> 33;
    x *= 0xc4ceb9fe1a85ec53ULL;
    return x ^ (x >> 33);
}

// Made-up words of 2 to 10 letters drawn with English letter frequencies, from a vocabulary of
// 20,000 used with a Zipf-like skew (a few words very often, most rarely), so that the texts'
// trigrams spread as in a program's real texts.
std::string word(std::uint64_t n)
{
    static const char letters[] = "eeeeeeeeeeeetttttttttaaaaaaaaooooooooiiiiiiinnnnnnnsssssshhhhhhrrrrrrddddllllcccuuummwwffggyyppbbvkjxqz";
    std::uint64_t h = mix(n * 7919 + 13);
    const int length = 2 + static_cast<int>(h % 9);
    std::string w;
    for (int i = 0; i < length; ++i) {
        h = mix(h);
        w += letters[h % (sizeof letters - 1)];
    }
    return w;
}

std::uint64_t zipfWord(std::uint64_t h)
{
    const double u = static_cast<double>(h % 1000000) / 1000000.0;
    return static_cast<std::uint64_t>(std::pow(20000.0, u)) - 1;
}

std::string sentence(std::uint64_t i)
{
    std::uint64_t h = mix(i + 1);
    const int words = 3 + static_cast<int>(h % 10);
    std::string s;
    for (int k = 0; k < words; ++k) {
        h = mix(h);
        if (!s.empty())
            s += ' ';
        s += word(zipfWord(h));
    }
    s[0] = static_cast<char>(s[0] - 'a' + 'A');
    return s + " " + std::to_string(i % 97) + ".";  // keeps texts apart
}

std::string translationOf(std::uint64_t i) { return "DE " + sentence(i); }

// A text like sentence(i) with one word changed: what a lookup for a reworded text looks for.
std::string reworded(std::uint64_t i)
{
    std::string s = sentence(i);
    const std::size_t blank = s.find(' ');
    return s.substr(0, blank) + " zorbex" + s.substr(blank);
}

fs::path benchFolder()
{
    static const fs::path folder = [] {
        const char* keep = std::getenv("QMK_BENCH_KEEP");
        fs::path f = keep ? fs::path(keep) : fs::temp_directory_path() / ("qmk-bench-memory-" + std::to_string(::getpid()));
        fs::create_directories(f);
        return f;
    }();
    return folder;
}

MemoryUnit unitOf(std::uint64_t i)
{
    return {sentence(i), translationOf(i), "en-US", "de-DE", "bench.rc", "Stringtable String",
            "IDS_" + std::to_string(i), 1767225600 + static_cast<std::int64_t>(i), i % 10 == 0};
}

fs::path tmxOf(int units)
{
    const fs::path file = benchFolder() / ("units-" + std::to_string(units) + ".tmx");
    if (fs::exists(file))
        return file;
    SqliteMemory staging(benchFolder() / "staging.db");
    std::vector<MemoryUnit> batch;
    // The TMX is written by the program's own export from a memory filled directly.
    for (int i = 0; i < units; ++i) {
        batch.push_back(unitOf(static_cast<std::uint64_t>(i)));
        if (batch.size() == 50000 || i + 1 == units) {
            staging.add(batch);
            batch.clear();
        }
    }
    exportTmx(staging, file, std::nullopt);
    std::error_code ec;
    for (const char* suffix : {"", "-wal", "-shm"})
        fs::remove(benchFolder() / (std::string("staging.db") + suffix), ec);
    return file;
}

long residentKb()
{
    std::ifstream statm("/proc/self/statm");
    long size = 0, resident = 0;
    statm >> size >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// Imported once per store and size; the lookups run against it.
std::map<std::string, std::unique_ptr<TranslationMemory>>& memories()
{
    static std::map<std::string, std::unique_ptr<TranslationMemory>> open;
    return open;
}

std::unique_ptr<TranslationMemory> makeStore(const std::string& store, int units, std::string& why)
{
    if (store == "embedded") {
        const fs::path file = benchFolder() / ("memory-" + std::to_string(units) + ".db");
        std::error_code ec;
        for (const char* suffix : {"", "-wal", "-shm"})
            fs::remove(fs::path(file.string() + suffix), ec);
        return std::make_unique<SqliteMemory>(file);
    }
    qmk::test::PostgresServer* server = qmk::test::PostgresServer::shared(why);
    if (!server)
        return nullptr;
    return std::make_unique<PostgresMemory>(server->newDatabase());
}

void tmxImport(benchmark::State& state, const std::string& store)
{
    const int units = static_cast<int>(state.range(0));
    const fs::path tmx = tmxOf(units);
    for (auto _ : state) {
        std::string why;
        std::unique_ptr<TranslationMemory> memory = makeStore(store, units, why);
        if (!memory) {
            state.SkipWithError(why.c_str());
            return;
        }
        const TmxImportResult result = importTmx(*memory, tmx);
        if (!result.ok || result.units != units) {
            state.SkipWithError(("import failed: " + result.problem).c_str());
            return;
        }
        memories()[store + std::to_string(units)] = std::move(memory);
    }
    state.counters["units"] = units;
}

void lookup(benchmark::State& state, const std::string& store)
{
    const int units = static_cast<int>(state.range(0));
    auto found = memories().find(store + std::to_string(units));
    if (found == memories().end()) {
        state.SkipWithError("run the import case of this store and size first");
        return;
    }
    TranslationMemory& memory = *found->second;
    std::vector<double> times;
    long before = 0;
    long after = 0;
    int hits = 0;
    for (auto _ : state) {
        times.clear();
        memory.lookup(reworded(1), "en-US", "de-DE", 5, 70);  // warm
        before = residentKb();
        for (int q = 0; q < kLookups; ++q) {
            const std::uint64_t i = mix(static_cast<std::uint64_t>(q) + 7) % static_cast<std::uint64_t>(units);
            const auto start = std::chrono::steady_clock::now();
            const auto matches = memory.lookup(reworded(i), "en-US", "de-DE", 5, 70);
            times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
            hits += !matches.empty() && matches[0].unit.source == sentence(i);
        }
        after = residentKb();
    }
    std::sort(times.begin(), times.end());
    state.counters["p50_ms"] = times[times.size() / 2];
    state.counters["p95_ms"] = times[times.size() * 95 / 100];
    state.counters["max_ms"] = times.back();
    state.counters["found_pct"] = 100.0 * hits / (kLookups * static_cast<double>(state.iterations()));
    state.counters["rss_growth_kb"] = static_cast<double>(after - before);
}

// Pre-translation of a project whose texts the memory holds (as its first units), with the
// memory fed from the project as the window does, so what is filled goes back into it.
void preTranslateProject(benchmark::State& state)
{
    const int units = static_cast<int>(state.range(0));
    const int texts = static_cast<int>(state.range(1));
    auto found = memories().find("embedded" + std::to_string(units));
    if (found == memories().end()) {
        state.SkipWithError("run the import case of this size first");
        return;
    }
    const fs::path script = benchFolder() / ("pre-" + std::to_string(texts) + ".rc");
    {
        std::ofstream out(script, std::ios::binary);
        out << "LANGUAGE LANG_ENGLISH, SUBLANG_ENGLISH_US\nSTRINGTABLE\nBEGIN\n";
        for (int i = 0; i < texts; ++i)
            out << "    " << (i + 1) << " \"" << sentence(static_cast<std::uint64_t>(i)) << "\"\n";
        out << "END\n";
    }
    SilentFeedback feedback;
    int stored = 0;
    for (auto _ : state) {
        state.PauseTiming();
        fs::remove(benchFolder() / ("pre-" + std::to_string(texts) + "_rc.mdb"));
        CQuillDoc doc(feedback, {});
        doc.OnOpenDocument(script);
        doc.NewTranslation(LanguageId{7, 1}, "pre-de.rc");
        doc.reloadRows();
        MemoryFeeder feeder(doc, *found->second);
        state.ResumeTiming();
        const PreTranslateResult result = preTranslate(doc, *found->second, LanguageId{7, 1}, 100);
        stored = result.exact + result.fuzzy;
    }
    state.counters["texts"] = texts;
    state.counters["filled"] = stored;
}

void registerCases(const std::string& prefix, int units, int texts)
{
    for (const std::string store : {"embedded", "shared"}) {
        benchmark::RegisterBenchmark((prefix + "TmxImport/" + store).c_str(), tmxImport, store)
            ->Arg(units)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();
        benchmark::RegisterBenchmark((prefix + "Lookup/" + store).c_str(), lookup, store)
            ->Arg(units)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
    }
    benchmark::RegisterBenchmark((prefix + "PreTranslate/embedded").c_str(), preTranslateProject)
        ->Args({units, texts})->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();
}

} // namespace

int main(int argc, char** argv)
{
    registerCases("", 50000, 10000);
    registerCases("LARGE_", 1000000, 100000);
    std::vector<char*> args(argv, argv + argc);
    bool filtered = false;
    for (int i = 1; i < argc; ++i)
        filtered = filtered || std::string(argv[i]).rfind("--benchmark_filter", 0) == 0;
    std::string skipLarge = "--benchmark_filter=-LARGE_";
    if (!filtered)
        args.push_back(skipLarge.data());
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    memories().clear();
    qmk::test::PostgresServer::stopShared();
    std::error_code ec;
    if (!std::getenv("QMK_BENCH_KEEP"))
        fs::remove_all(benchFolder(), ec);
    return 0;
}
