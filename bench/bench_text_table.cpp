// How long the Text Table takes to fill from a project of 100,000 texts (and the query's share
// of it), and to add the string table category back at the top.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <unistd.h>

#include "database/CProjectDatabase.h"
#include "project/TextTableRows.h"
#include "support/SyntheticProject.h"

namespace {

class Project {
public:
    Project()
        : path_(std::filesystem::temp_directory_path() / ("qmkbench-" + std::to_string(getpid()) + "_rc.mdb"))
    {
        texts_ = qmk::bench::buildSyntheticProject(path_);
        db_.open(path_);
    }
    ~Project()
    {
        db_.close();
        std::error_code ec;
        std::filesystem::remove(path_, ec);
    }
    qmk::CProjectDatabase& db() { return db_; }
    int texts() const { return texts_; }

private:
    std::filesystem::path path_;
    qmk::CProjectDatabase db_;
    int texts_ = 0;
};

Project& project()
{
    static Project p;
    return p;
}

void BM_ReloadTextTable(benchmark::State& state)
{
    qmk::CProjectDatabase& db = project().db();
    qmk::ProjectSwitches switches;
    qmk::TextTableRows rows;
    for (auto _ : state) {
        rows.reload(db, switches);
        benchmark::DoNotOptimize(rows.rowCount());
    }
    state.counters["texts"] = project().texts();
    state.counters["rows"] = rows.rowCount();
}
BENCHMARK(BM_ReloadTextTable)->Unit(benchmark::kMillisecond);

// The query alone, to tell the database's share of a reload from the rows'.
void BM_ReadTextTableRecords(benchmark::State& state)
{
    qmk::CProjectDatabase& db = project().db();
    for (auto _ : state) {
        long n = 0;
        db.texts().forEachTextTableRecord([&](const qmk::TextTableRecord& r) { n += r.text.lineIndex; });
        benchmark::DoNotOptimize(n);
    }
}
BENCHMARK(BM_ReadTextTableRecords)->Unit(benchmark::kMillisecond);

void BM_SwitchStringsBackOn(benchmark::State& state)
{
    qmk::CProjectDatabase& db = project().db();
    qmk::ProjectSwitches switches;
    qmk::TextTableRows rows;
    rows.reload(db, switches);
    for (auto _ : state) {
        state.PauseTiming();
        rows.toggleCategory(db, switches, qmk::ProjectSwitch::StringtableEdit, 0);  // off
        state.ResumeTiming();
        rows.toggleCategory(db, switches, qmk::ProjectSwitch::StringtableEdit, 0);  // on again, at the top
        benchmark::DoNotOptimize(rows.rowCount());
    }
    state.counters["rows"] = rows.rowCount();
}
BENCHMARK(BM_SwitchStringsBackOn)->Unit(benchmark::kMillisecond);

void BM_SwitchStringsOff(benchmark::State& state)
{
    qmk::CProjectDatabase& db = project().db();
    qmk::ProjectSwitches switches;
    qmk::TextTableRows rows;
    rows.reload(db, switches);
    for (auto _ : state) {
        rows.toggleCategory(db, switches, qmk::ProjectSwitch::StringtableEdit, 0);  // off
        state.PauseTiming();
        rows.toggleCategory(db, switches, qmk::ProjectSwitch::StringtableEdit, 0);  // on again
        benchmark::DoNotOptimize(rows.takeChanges());
        state.ResumeTiming();
    }
    state.counters["rows"] = rows.rowCount();
}
BENCHMARK(BM_SwitchStringsOff)->Unit(benchmark::kMillisecond);

// The display text of a visible page (40 rows, every column) the first time it is shown: each
// page is decoded once, later paints reuse it.
void BM_DisplayTextOfANewPage(benchmark::State& state)
{
    qmk::CProjectDatabase& db = project().db();
    qmk::ProjectSwitches switches;
    qmk::TextTableRows rows;
    rows.reload(db, switches);
    const int columns = rows.columns().count();
    const std::vector<int> westernPages(static_cast<std::size_t>(columns), 1252);
    constexpr int kPageRows = 40;
    int first = 0;
    for (auto _ : state) {
        if (first + kPageRows > rows.rowCount()) {
            state.PauseTiming();
            rows.setColumnCodePages(westernPages);  // every row undecoded again
            first = 0;
            state.ResumeTiming();
        }
        std::size_t bytes = 0;
        for (int r = first; r < first + kPageRows; ++r)
            for (int c = 0; c < columns; ++c)
                bytes += rows.displayText(r, c).size();
        benchmark::DoNotOptimize(bytes);
        first += kPageRows;
    }
    state.counters["columns"] = columns;
}
BENCHMARK(BM_DisplayTextOfANewPage)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
