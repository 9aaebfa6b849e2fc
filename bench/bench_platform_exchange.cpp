// XLIFF and PO for translation platforms on a project of about 150,000 texts built from a
// generated script with a German translation: the export (with what it sent recorded), the
// import of the file coming back (every unit changed on the platform, judged against what the
// export sent), and the memory each takes.
//
// Measured on 144,748 units (RelWithDebInfo, two cores shared with other builds; wall time per
// run, peak memory growth of the operation):
//                        before                   after
//   XLIFF export         4.5 s, 173 MB            1.3 s, 64 MB
//   XLIFF import         7.1 s                    2.7 s, 213 MB
//   PO export            3.7 s                    1.3 s, 59 MB
//   PO import            6.0 s                    2.2 s, 183 MB
// "Before" held the whole file as a DOM, a string stream and an escaped copy, and queried every
// dialog control's width one by one; its memory was counted only above the project's build,
// so its imports showed little or none. The exports now write as they go; the imports hold the
// file's units and the project's units side by side, and XLIFF the parsed file with them.
//
// The XLIFF import then read the file one unit at a time instead of as one tree (the tree of
// the whole file was 131 MB of the 213), and the project's units it compares with are made
// without the previous sources and widths only a file carries (same machine, other builds
// running beside it):
//                        before                   after
//   XLIFF import         3.2 s, 213 MB            3.1 s, 158 MB
//   PO import            2.9 s, 183 MB            2.9-3.7 s, 183 MB
// (times of runs with a load of 2 to 4.5 on the two cores: they vary by a second between runs.)
// The imports then judged each unit as it was read, against light project texts (ids and texts
// kept once in one store of characters) instead of full units, and read the file a block at a
// time (XLIFF: its skeleton first, then each unit where it lies; PO: its header first, then line
// by line), storing everything taken in one transaction. The project grew to 154,267 units
// (Release, two cores with a load of 2.6 to 5.5 from other builds: wall time, process CPU time,
// peak memory growth):
//                        before (144,748 units)        after (154,267 units)
//   XLIFF export         1.6 s wall, 1.2 s CPU, 58 MB   2.0 s wall, 1.3 s CPU, 87 MB
//   XLIFF import         4.1 s wall, 3.2 s CPU, 158 MB  3.0 s wall, 1.6 s CPU, 53 MB
//   PO export            2.1 s wall, 1.6 s CPU, 52 MB   2.1 s wall, 1.3 s CPU, 85 MB
//   PO import            2.7 s wall, 2.1 s CPU, 183 MB  2.3 s wall, 1.4 s CPU, 64 MB
//   TMX export           -                              0.5-0.9 s wall, 0.4 s CPU, 87-102 MB
//   (unmapped memory)    -                              0.4 s wall, 0.3 s CPU, 9 MB
// Wall time on the loaded machine is about twice the CPU time; alone, each runs in about its CPU
// time. The exports' growth is the whole document they write from (every unit with its strings,
// since the units carry a picture too); the TMX export's is almost all the memory's file, which
// the memory maps for its look-ups and the walk over every unit touches (pages of the file, given
// back when memory is short): read through a small cache, the export itself holds 9 MB.
#include <benchmark/benchmark.h>

#include <malloc.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "exchange/PlatformExchange.h"
#include "memory/SqliteMemory.h"
#include "memory/TmxFile.h"
#include "project/CQuillDoc.h"
#include "resources/Feedback.h"
#include "support/ScriptGenerator.h"

namespace {

constexpr qmk::LanguageId German{7, 1};

class YesFeedback : public qmk::SilentFeedback {
public:
    bool ask(int, const qmk::MessageArgs&, bool) override { return true; }
};

double statusMegabytes(const char* field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(field, 0) == 0)
            return std::stod(line.substr(std::string(field).size())) / 1024.0;
    return 0;
}

// The growth of the process's peak resident memory over what it held when the meter started:
// the peak is set back to the present (Linux clear_refs), so that each benchmark counts its own
// operation and not the building of the project before it. Where the peak cannot be set back,
// the figure holds the earlier peak too.
class PeakMeter {
public:
    PeakMeter()
    {
        malloc_trim(0);  // memory freed before is given back, not counted as room the operation reuses
        std::ofstream("/proc/self/clear_refs") << "5";
        start_ = statusMegabytes("VmRSS:");
    }
    double growth() const { return statusMegabytes("VmHWM:") - start_; }

private:
    double start_ = 0;
};

class Project {
public:
    Project() : dir_(std::filesystem::temp_directory_path() / ("qmkbench-platform-" + std::to_string(getpid())))
    {
        std::filesystem::create_directories(dir_);
        std::ofstream(dir_ / "big.rc", std::ios::binary) << qmk::bench::ScriptGenerator(11).generate(16u << 20);
        doc_ = std::make_unique<qmk::CQuillDoc>(feedback_, std::vector<std::string>{});
        ok_ = doc_->OnOpenDocument(dir_ / "big.rc") && doc_->NewTranslation(German, "de.rc") &&
              doc_->reloadRows().done();
        // Every text translated, as a project sent to a platform for review is.
        std::vector<qmk::ExchangeUnit> units = qmk::exchangeUnits(*doc_, German);
        for (qmk::ExchangeUnit& unit : units)
            unit.target = "de " + unit.source;
        ok_ = ok_ && qmk::importExchangeUnits(*doc_, German, units, {"", true}).ok;
        units_ = units.size();
    }
    ~Project()
    {
        doc_.reset();
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }
    bool ok() const { return ok_; }
    qmk::CQuillDoc& doc() { return *doc_; }
    std::filesystem::path file(const char* extension) const { return dir_ / (std::string("de.") + extension); }
    std::size_t units() const { return units_; }

private:
    std::filesystem::path dir_;
    YesFeedback feedback_;
    std::unique_ptr<qmk::CQuillDoc> doc_;
    bool ok_ = false;
    std::size_t units_ = 0;
};

Project& project()
{
    static Project shared;
    return shared;
}

void exportFile(benchmark::State& state, const char* extension)
{
    Project& p = project();
    if (!p.ok()) {
        state.SkipWithError("the generated project could not be built");
        return;
    }
    const PeakMeter meter;
    for (auto _ : state) {
        qmk::ExchangeDocument document = qmk::exchangeDocument(p.doc(), German);
        document.header.exportId = qmk::newExportId();
        std::string problem;
        if (!qmk::writeExchangeFile(p.file(extension), qmk::exchangeFormatOf(p.file(extension))->kind, document, problem)) {
            state.SkipWithError(problem.c_str());
            return;
        }
        qmk::recordExport(p.doc(), German, document);
    }
    state.counters["units"] = static_cast<double>(p.units());
    state.counters["MB_file"] = static_cast<double>(std::filesystem::file_size(p.file(extension))) / 1e6;
    state.counters["MB_peak_growth"] = meter.growth();
}

// The file comes back with every unit changed on the platform: each is judged against what
// the export sent and stored.
void importFile(benchmark::State& state, const char* extension)
{
    Project& p = project();
    if (!p.ok() || !std::filesystem::exists(p.file(extension))) {
        state.SkipWithError("run the export first");
        return;
    }
    std::string problem;
    std::optional<qmk::ExchangeDocument> document =
        qmk::readExchangeFile(p.file(extension), qmk::exchangeFormatOf(p.file(extension))->kind, problem);
    if (!document) {
        state.SkipWithError(problem.c_str());
        return;
    }
    int round = 0;
    double growth = 0;
    int imported = 0;
    for (auto _ : state) {
        state.PauseTiming();
        for (qmk::ExchangeUnit& unit : document->units)
            unit.target = "r" + std::to_string(round) + " " + unit.source;
        const std::filesystem::path changed = p.file(extension).parent_path() / (std::string("back.") + extension);
        qmk::writeExchangeFile(changed, qmk::exchangeFormatOf(changed)->kind, *document, problem);
        ++round;
        const PeakMeter meter;  // the import alone, not the file's making nor the undoing below
        state.ResumeTiming();
        const qmk::PlatformImport run = qmk::importPlatformFile(p.doc(), German, changed);
        imported = run.result.imported;
        growth = std::max(growth, meter.growth());
        state.PauseTiming();
        // Back to what the export sent, so that every round finds the platform's changes only.
        std::vector<qmk::ExchangeUnit> sent = qmk::exchangeUnits(p.doc(), German);
        for (qmk::ExchangeUnit& unit : sent)
            unit.target = "de " + unit.source;
        qmk::importExchangeUnits(p.doc(), German, sent, {"", true});
        state.ResumeTiming();
    }
    state.counters["imported"] = imported;
    state.counters["MB_peak_growth"] = growth;
}

// The project's texts as a memory (each text made distinct, so that the memory keeps every one),
// exported to TMX the way /TMX-EXPORT does: the memory opened as the program opens it (mapped for
// look-ups) or, `unmapped`, read through a small cache, which shows what the export itself holds.
void exportTmx(benchmark::State& state, bool unmapped)
{
    Project& p = project();
    if (!p.ok()) {
        state.SkipWithError("the generated project could not be built");
        return;
    }
    const std::filesystem::path store = p.file("db");
    {
        qmk::SqliteMemory memory(store, qmk::SqliteMemory::Use::Adding);
        std::vector<qmk::MemoryUnit> batch;
        std::size_t n = 0;
        for (const qmk::ExchangeUnit& unit : qmk::exchangeUnits(p.doc(), German)) {
            const std::string number = " " + std::to_string(++n);
            batch.push_back({unit.source + number, unit.target + number, "en-US", "de-DE", "big.rc", unit.itemType,
                             unit.ident, 1767225600, false});
            if (batch.size() == 50000) {
                memory.add(batch);
                batch.clear();
            }
        }
        memory.add(batch);
    }
    std::unique_ptr<qmk::TranslationMemory> memory =
        unmapped ? std::make_unique<qmk::SqliteMemory>(store, qmk::SqliteMemory::Use::Adding)
                 : qmk::openTranslationMemory(store.string());
    const PeakMeter meter;
    qmk::TmxExportResult result;
    for (auto _ : state)
        result = qmk::exportTmx(*memory, p.file("tmx"), std::nullopt);
    if (!result.ok)
        state.SkipWithError(result.problem.c_str());
    state.counters["units"] = static_cast<double>(result.units);
    state.counters["MB_file"] = static_cast<double>(std::filesystem::file_size(p.file("tmx"))) / 1e6;
    state.counters["MB_peak_growth"] = meter.growth();
}

void BM_ExportTmx(benchmark::State& state) { exportTmx(state, false); }
void BM_ExportTmxUnmapped(benchmark::State& state) { exportTmx(state, true); }
void BM_ExportXliff(benchmark::State& state) { exportFile(state, "xlf"); }
void BM_ImportXliffThreeWay(benchmark::State& state) { importFile(state, "xlf"); }
void BM_ExportPo(benchmark::State& state) { exportFile(state, "po"); }
void BM_ImportPoThreeWay(benchmark::State& state) { importFile(state, "po"); }
BENCHMARK(BM_ExportXliff)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_ImportXliffThreeWay)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_ExportPo)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_ImportPoThreeWay)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_ExportTmx)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_ExportTmxUnmapped)->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace

BENCHMARK_MAIN();
