// How long the Text Table takes to fill from a project of 100,000 texts (and the query's share
// of it), to add the string table category back at the top, to filter its rows as the
// translator types and to find the next untranslated row.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <unistd.h>

#include "database/CProjectDatabase.h"
#include "project/TextSearch.h"
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

// The rows of the synthetic project as the window holds them: decoded for display.
struct ShownRows {
    ShownRows()
    {
        rows.reload(project().db(), switches);
        rows.setColumnCodePages(std::vector<int>(static_cast<std::size_t>(rows.columns().count()), 1252));
        german = rows.columns().columnOfLanguage(qmk::LanguageId{7, 1});
    }
    qmk::ProjectSwitches switches;
    qmk::TextTableRows rows;
    int german = -1;
};

// One more character typed into the filter box ("control text 1" to "control text 12"), and
// a filter typed afresh or widened (a character deleted), which looks at every row again.
void BM_FilterKeystroke(benchmark::State& state)
{
    ShownRows shown;
    qmk::RowFilter filter;
    std::size_t count = 0;
    for (auto _ : state) {
        state.PauseTiming();
        filter.apply(shown.rows, "control text 1", shown.german);
        state.ResumeTiming();
        const std::vector<bool>& rows = filter.apply(shown.rows, "control text 12", shown.german);
        count = static_cast<std::size_t>(std::count(rows.begin(), rows.end(), true));
    }
    state.counters["shown"] = static_cast<double>(count);
}
BENCHMARK(BM_FilterKeystroke)->Unit(benchmark::kMillisecond);

void BM_FilterFromScratch(benchmark::State& state)
{
    ShownRows shown;
    qmk::RowFilter filter;
    std::size_t count = 0;
    for (auto _ : state) {
        state.PauseTiming();
        filter.apply(shown.rows, "", shown.german);
        state.ResumeTiming();
        const std::vector<bool>& rows = filter.apply(shown.rows, "control text 1", shown.german);
        count = static_cast<std::size_t>(std::count(rows.begin(), rows.end(), true));
    }
    state.counters["shown"] = static_cast<double>(count);
}
BENCHMARK(BM_FilterFromScratch)->Unit(benchmark::kMillisecond);

// The next untranslated row where only the last row of the column is left, under a filter
// that shows every row: the whole table is looked at.
void BM_NextUntranslated(benchmark::State& state)
{
    ShownRows shown;
    qmk::TextTableRows& rows = shown.rows;
    for (int row = 0; row + 1 < rows.rowCount(); ++row)
        rows.setCell("Text", qmk::LanguageId{7, 1}, rows.item(row).lineIndex);
    rows.setCell("", qmk::LanguageId{7, 1}, rows.item(rows.rowCount() - 1).lineIndex);
    rows.takeChanges();
    const std::vector<bool> all(static_cast<std::size_t>(rows.rowCount()), true);
    int found = -1;
    for (auto _ : state)
        found = rows.nextItem(0, shown.german, &all);
    state.counters["row"] = found;
}
BENCHMARK(BM_NextUntranslated)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
