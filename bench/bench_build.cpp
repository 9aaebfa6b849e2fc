// Building a project database from generated 1 MB and 10 MB scripts, against the raw SQLite
// bulk insert of the same rows as the lower bound.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <unistd.h>

#include "database/CProjectDatabase.h"
#include "load/DatabaseBuild.h"
#include "resources/Feedback.h"
#include "support/RawInsert.h"
#include "support/ScriptGenerator.h"

namespace qmk {
namespace {

struct Workspace {
    Workspace()
    {
        folder = std::filesystem::temp_directory_path() / ("qmkbench-build-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
    }
    ~Workspace() { std::filesystem::remove_all(folder); }

    // The generated script of this size (written once).
    const std::filesystem::path& script(std::size_t megabytes)
    {
        auto [it, added] = scripts.try_emplace(megabytes, folder / ("gen" + std::to_string(megabytes) + ".rc"));
        if (added)
            std::ofstream(it->second, std::ios::binary) << bench::ScriptGenerator().generate(megabytes << 20);
        return it->second;
    }

    std::filesystem::path folder;
    std::map<std::size_t, std::filesystem::path> scripts;
};

Workspace& workspace()
{
    static Workspace w;
    return w;
}

bool build(const std::filesystem::path& script, const std::filesystem::path& target, bool keep)
{
    SilentFeedback quiet;
    CProjectDatabase db;
    db.createNew(target);
    const bool ok = BuildDatabase(script, db, {".DLG"}, quiet).ok();
    if (ok && keep)
        db.finishNew();
    else
        db.discardNew();
    return ok;
}

void BM_BuildDatabase(benchmark::State& state)
{
    const auto& script = workspace().script(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state)
        if (!build(script, workspace().folder / "built_rc.mdb", false))
            state.SkipWithError("build failed");
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(std::filesystem::file_size(script)));
}
BENCHMARK(BM_BuildDatabase)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_RawInsertOfTheSameRows(benchmark::State& state)
{
    const auto& script = workspace().script(static_cast<std::size_t>(state.range(0)));
    const auto built = workspace().folder / ("raw-source-" + std::to_string(state.range(0)) + "_rc.mdb");
    if (!std::filesystem::exists(built) && !build(script, built, true)) {
        state.SkipWithError("build failed");
        return;
    }
    bench::RawInsert rows(built);
    long count = 0;
    for (auto _ : state)
        count = rows.insertInto(workspace().folder / "raw.mdb");
    state.counters["rows"] = static_cast<double>(count);
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(std::filesystem::file_size(script)));
}
BENCHMARK(BM_RawInsertOfTheSameRows)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
} // namespace qmk

BENCHMARK_MAIN();
