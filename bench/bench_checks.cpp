// The quality checks, the pseudo-translation and the statistics over a generated project of
// 100,000 texts or more, its translation pseudo-translated (every text translated, so every
// rule runs on every text). Counters: texts checked and findings.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>

#include "checks/CheckEngine.h"
#include "checks/PseudoTranslation.h"
#include "project/CQuillDoc.h"
#include "project/ScriptLocations.h"
#include "project/WordCount.h"
#include "resources/Feedback.h"
#include "support/ScriptGenerator.h"

namespace {

namespace fs = std::filesystem;

constexpr qmk::LanguageId kGerman{7, 1};
constexpr int kTexts = 100000;

struct Project {
    fs::path folder;
    qmk::SilentFeedback quiet;
    std::unique_ptr<qmk::CQuillDoc> doc;
    int texts = 0;
    ~Project() { fs::remove_all(folder); }
};

Project& project()
{
    static Project* p = [] {
        auto* held = new Project;  // lives until the program ends; the document holds its feedback
        Project& made = *held;
        made.folder = fs::temp_directory_path() / ("qmk-bench-checks-" + std::to_string(::getpid()));
        fs::create_directories(made.folder);
        // Large enough for the texts wanted: the generator makes about one text per 70 bytes.
        for (std::size_t megabytes = 8;; megabytes += 2) {
            std::ofstream(made.folder / "big.rc", std::ios::binary | std::ios::trunc)
                << qmk::bench::ScriptGenerator(3).generate(megabytes << 20);
            made.doc = std::make_unique<qmk::CQuillDoc>(made.quiet, std::vector<std::string>{".DLG"});
            fs::remove(made.folder / "big_rc.mdb");
            if (!made.doc->OnOpenDocument(made.folder / "big.rc"))
                std::abort();
            made.texts = made.doc->database().texts().textCount();
            if (made.texts >= kTexts)
                break;
            made.doc->OnCloseDocument();
        }
        if (!made.doc->NewTranslation(kGerman, "big-de.rc").done() || !made.doc->reloadRows().done() ||
            !qmk::pseudoTranslate(*made.doc, kGerman).outcome.done())
            std::abort();
        return held;
    }();
    return *p;
}

void BM_CheckTranslation(benchmark::State& state)
{
    Project& p = project();
    std::size_t findings = 0;
    for (auto _ : state) {
        qmk::TranslationChecks checks(*p.doc, kGerman);  // reads the script's places anew each time
        findings = checks.run().size();
        benchmark::DoNotOptimize(findings);
    }
    state.counters["texts"] = p.texts;
    state.counters["findings"] = static_cast<double>(findings);
}
BENCHMARK(BM_CheckTranslation)->Unit(benchmark::kMillisecond)->Iterations(3);

// The part of a check run that reads the script again for the places of its findings.
void BM_ScriptPlaces(benchmark::State& state)
{
    Project& p = project();
    for (auto _ : state)
        benchmark::DoNotOptimize(qmk::ScriptLocations(p.doc->scriptPath(), p.doc->includeExtensions()));
}
BENCHMARK(BM_ScriptPlaces)->Unit(benchmark::kMillisecond)->Iterations(3);

// The part that reads the texts with their items.
void BM_ReadCheckTexts(benchmark::State& state)
{
    Project& p = project();
    for (auto _ : state) {
        int rows = 0;
        p.doc->database().checks().forEachText(kGerman, [&rows](const qmk::CheckTextRow&) { ++rows; });
        benchmark::DoNotOptimize(rows);
    }
}
BENCHMARK(BM_ReadCheckTexts)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_Statistics(benchmark::State& state)
{
    Project& p = project();
    for (auto _ : state) {
        if (!p.doc->reloadRows().done())
            std::abort();
        const qmk::TranslationWordCounts counts = p.doc->wordCounts(kGerman);
        benchmark::DoNotOptimize(counts);
    }
    state.counters["texts"] = p.texts;
}
BENCHMARK(BM_Statistics)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_PseudoTranslate(benchmark::State& state)
{
    Project& p = project();
    constexpr qmk::LanguageId kFrench{12, 1};
    if (!p.doc->NewTranslation(kFrench, "big-fr.rc").done())
        std::abort();
    for (auto _ : state) {
        const qmk::PseudoResult result = qmk::pseudoTranslate(*p.doc, kFrench);
        benchmark::DoNotOptimize(result);
        state.PauseTiming();
        p.doc->undo();  // every text untranslated again
        state.ResumeTiming();
    }
    state.counters["texts"] = p.texts;
}
BENCHMARK(BM_PseudoTranslate)->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace

BENCHMARK_MAIN();
