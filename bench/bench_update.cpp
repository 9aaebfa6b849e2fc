// Source update of the generated 10 MB project after 1 % of its string-table strings changed,
// against a fresh build of the same script (reported as the counter build_ratio).
#include <benchmark/benchmark.h>

#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "database/CProjectDatabase.h"
#include "database/Transaction.h"
#include "load/DatabaseBuild.h"
#include "load/DatabaseUpdate.h"
#include "project/SourceUpdate.h"
#include "resources/Feedback.h"
#include "support/ScriptGenerator.h"

namespace {

namespace fs = std::filesystem;

// Every hundredth string-table string gets a changed text.
constexpr int kChangedEvery = 100;

struct Project {
    fs::path folder;
    fs::path script;
    fs::path database;
};

void writeFile(const fs::path& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
}

std::string changedStrings(const std::string& script)
{
    std::string out = script;
    int seen = 0;
    for (std::size_t at = out.find("    IDS_STRING"); at != std::string::npos; at = out.find("    IDS_STRING", at + 1)) {
        if (++seen % kChangedEvery != 0)
            continue;
        const std::size_t quote = out.find('"', at);
        out.insert(quote + 1, "Changed ");
    }
    return out;
}

fs::path projectFolder()
{
    return fs::temp_directory_path() / ("qmk-bench-update-" + std::to_string(::getpid()));
}

const Project& project()
{
    static Project p = [] {
        Project made;
        made.folder = projectFolder();
        fs::create_directories(made.folder);
        made.script = made.folder / "big.rc";
        made.database = made.folder / "big_rc.mdb";
        const std::string text = qmk::bench::ScriptGenerator(7).generate(10u << 20);
        writeFile(made.script, text);
        qmk::SilentFeedback quiet;
        qmk::CProjectDatabase db;
        db.createNew(made.database);
        if (!qmk::BuildDatabase(made.script, db, {".DLG"}, quiet).ok())
            std::abort();
        db.finishNew();
        writeFile(made.script, changedStrings(text));
        return made;
    }();
    return p;
}

void freshBuild(benchmark::State& state)
{
    const Project& p = project();
    qmk::SilentFeedback quiet;
    for (auto _ : state) {
        const fs::path target = p.folder / "fresh_rc.mdb";
        qmk::CProjectDatabase db;
        db.createNew(target);
        if (!qmk::BuildDatabase(p.script, db, {".DLG"}, quiet).ok())
            state.SkipWithError("build failed");
        db.finishNew();
        db.close();
        state.PauseTiming();
        fs::remove(target);
        state.ResumeTiming();
    }
}

// Wall-clock and processor seconds of one piece of work.
struct Timing {
    double wall = 0;
    double cpu = 0;
};

double processorSeconds()
{
    timespec now{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

template <typename Work>
Timing timed(Work&& work)
{
    const auto wallStart = std::chrono::steady_clock::now();
    const double cpuStart = processorSeconds();
    work();
    return {std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count(),
            processorSeconds() - cpuStart};
}

// A fresh build of the changed script, the reference the update is compared with.
Timing referenceBuild(const Project& p)
{
    qmk::SilentFeedback quiet;
    const fs::path target = p.folder / "reference_rc.mdb";
    const Timing timing = timed([&] {
        qmk::CProjectDatabase db;
        db.createNew(target);
        if (!qmk::BuildDatabase(p.script, db, {".DLG"}, quiet).ok())
            std::abort();
        db.finishNew();
    });
    fs::remove(target);
    return timing;
}

// Each iteration times a fresh build and then the update, one after the other, so that both
// meet the same load on a shared machine; the ratios are taken from the fastest of each, in
// wall-clock time (what the user waits, the target) and in processor time (steadier where
// other machines share the processor).
void updateAfterChangedStrings(benchmark::State& state)
{
    const Project& p = project();
    qmk::SilentFeedback quiet;
    const fs::path copy = p.folder / "update_rc.mdb";
    Timing fastestBuild{1e9, 1e9};
    Timing fastestUpdate{1e9, 1e9};
    for (auto _ : state) {
        state.PauseTiming();
        const Timing build = referenceBuild(p);
        fastestBuild = {std::min(fastestBuild.wall, build.wall), std::min(fastestBuild.cpu, build.cpu)};
        fs::copy_file(p.database, copy, fs::copy_options::overwrite_existing);
        qmk::CProjectDatabase db;
        db.open(copy);
        state.ResumeTiming();
        const Timing update = timed([&] {
            bool cancelled = false;
            if (!qmk::UpdateTransaction(db, p.script, {".DLG"}, quiet, cancelled))
                state.SkipWithError("update failed");
        });
        fastestUpdate = {std::min(fastestUpdate.wall, update.wall), std::min(fastestUpdate.cpu, update.cpu)};
    }
    state.counters["build_seconds"] = fastestBuild.wall;
    state.counters["update_seconds"] = fastestUpdate.wall;
    state.counters["build_ratio"] = fastestUpdate.wall / fastestBuild.wall;
    state.counters["cpu_ratio"] = fastestUpdate.cpu / fastestBuild.cpu;
}

// The pass alone, in one transaction on the project as the update runs it: what the update
// costs beyond its commit.
void updatePassOnly(benchmark::State& state)
{
    const Project& p = project();
    qmk::SilentFeedback quiet;
    const fs::path copy = p.folder / "pass_rc.mdb";
    for (auto _ : state) {
        state.PauseTiming();
        fs::copy_file(p.database, copy, fs::copy_options::overwrite_existing);
        qmk::CProjectDatabase db;
        db.open(copy);
        auto whole = db.beginBulk();
        state.ResumeTiming();
        if (!qmk::UpdateDatabasePass(p.script, db, {".DLG"}, quiet).ok())
            state.SkipWithError("update failed");
    }
}

// Removes the generated project when the program ends.
struct Cleanup {
    ~Cleanup()
    {
        std::error_code ec;
        fs::remove_all(projectFolder(), ec);
    }
} cleanup;

} // namespace

BENCHMARK(freshBuild)->Unit(benchmark::kSecond)->Iterations(1);
BENCHMARK(updatePassOnly)->Unit(benchmark::kSecond)->Iterations(2);
BENCHMARK(updateAfterChangedStrings)->Unit(benchmark::kSecond)->Iterations(7);
BENCHMARK_MAIN();
