// The glossary: finding a text's terms among 50,000, loading 50,000 terms from the embedded
// store into the index, the Glossary panel's lookup of a text (embedded and on a server), and
// the candidate terms of a generated large project (/TERMS).
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>

#include "common/PostgresServer.h"
#include "memory/SqliteGlossary.h"
#include "memory/TermIndex.h"
#include "project/CQuillDoc.h"
#include "project/GlossaryLookup.h"
#include "project/TermCandidates.h"
#include "resources/Feedback.h"
#include "support/ScriptGenerator.h"

namespace {

namespace fs = std::filesystem;

constexpr int kTerms = 50000;

// Terms of one to three made-up words, as a product's glossary has them.
std::vector<qmk::GlossaryEntry> generatedTerms()
{
    std::mt19937 random(7);
    auto word = [&] {
        std::string w;
        const int length = 3 + static_cast<int>(random() % 7);
        for (int k = 0; k < length; ++k)
            w += static_cast<char>('a' + random() % 26);
        return w;
    };
    std::vector<qmk::GlossaryEntry> entries;
    for (int k = 0; k < kTerms; ++k) {
        qmk::GlossaryEntry e;
        const int words = 1 + static_cast<int>(random() % 3);
        for (int w = 0; w < words; ++w)
            e.term += (w ? " " : "") + word();
        e.sourceLanguage = "en-US";
        e.language = "de-DE";
        e.translation = word();
        entries.push_back(std::move(e));
    }
    return entries;
}

void BM_FindTermsOfAText(benchmark::State& state)
{
    const std::vector<qmk::GlossaryEntry> entries = generatedTerms();
    const qmk::TermIndex index(entries);
    const std::string text = "The &" + entries[10].term + " of this document is saved before " + entries[20].term +
                             " prints the selected pages of " + entries[30].term + " on the default printer.";
    std::size_t hits = 0;
    for (auto _ : state) {
        const auto found = index.find(text);
        hits = found.size();
        benchmark::DoNotOptimize(found);
    }
    state.counters["terms found"] = static_cast<double>(hits);
}
BENCHMARK(BM_FindTermsOfAText)->Unit(benchmark::kMicrosecond);

void BM_LoadGlossaryIntoIndex(benchmark::State& state)
{
    const fs::path file = fs::temp_directory_path() / ("qmk-bench-glossary-" + std::to_string(::getpid()) + ".db");
    {
        qmk::SqliteGlossary glossary(file);
        glossary.add(generatedTerms());
    }
    for (auto _ : state) {
        qmk::SqliteGlossary glossary(file);
        const qmk::TermIndex index(glossary.entries("de-DE"));
        benchmark::DoNotOptimize(index);
    }
    fs::remove(file);
    fs::remove(fs::path(file.string() + "-wal"));
    fs::remove(fs::path(file.string() + "-shm"));
}
BENCHMARK(BM_LoadGlossaryIntoIndex)->Unit(benchmark::kMillisecond)->Iterations(3);

// What the Glossary panel asks for a chosen text: the glossary's size checked (a change by
// another translator is read again), the text's words and their stems in the English
// dictionary, and its terms among 50,000.
void panelLookup(benchmark::State& state, const std::string& store)
{
    const std::vector<qmk::GlossaryEntry> entries = generatedTerms();
    std::string location = (fs::temp_directory_path() / ("qmk-bench-panel-" + std::to_string(::getpid()) + ".db")).string();
    if (store == "server") {
        std::string why;
        qmk::test::PostgresServer* server = qmk::test::PostgresServer::shared(why);
        if (!server) {
            state.SkipWithError(why.c_str());
            return;
        }
        location = server->newDatabase();
    }
    qmk::openGlossary(location)->add(entries);
    qmk::GlossaryLookup lookup(location);
    const qmk::GlossaryQuery query{"Prints the &" + entries[10].term + " and " + entries[20].term +
                                       " documents of the selected folders on the default printers",
                                   "en-US", qmk::LanguageId{9, 1}, "de-DE"};
    lookup.lookup(query);  // reads and indexes the glossary once, as the panel's first lookup does
    std::size_t found = 0;
    for (auto _ : state) {
        const std::vector<qmk::GlossaryMatch> matches = lookup.lookup(query);
        found = matches.size();
        benchmark::DoNotOptimize(matches);
    }
    state.counters["terms found"] = static_cast<double>(found);
    if (store != "server")
        for (const char* suffix : {"", "-wal", "-shm"})
            fs::remove(location + suffix);
}
BENCHMARK_CAPTURE(panelLookup, embedded, std::string("embedded"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(panelLookup, server, std::string("server"))->Unit(benchmark::kMillisecond);

void BM_CandidateTermsOfALargeProject(benchmark::State& state)
{
    const fs::path folder = fs::temp_directory_path() / ("qmk-bench-terms-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    std::ofstream(folder / "big.rc", std::ios::binary | std::ios::trunc)
        << qmk::bench::ScriptGenerator(3).generate(std::size_t{8} << 20);
    qmk::SilentFeedback quiet;
    qmk::CQuillDoc doc(quiet, {".DLG"});
    if (!doc.OnOpenDocument(folder / "big.rc") || !doc.reloadRows().done())
        std::abort();
    std::size_t candidates = 0;
    for (auto _ : state) {
        const auto list = qmk::projectTermCandidates(doc, 2);
        candidates = list.size();
        benchmark::DoNotOptimize(list);
    }
    state.counters["texts"] = static_cast<double>(doc.rows().rowCount());
    state.counters["candidates"] = static_cast<double>(candidates);
    doc.OnCloseDocument();
    fs::remove_all(folder);
}
BENCHMARK(BM_CandidateTermsOfALargeProject)->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    qmk::test::PostgresServer::stopShared();
    return 0;
}
