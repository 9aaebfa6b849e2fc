// Writing the translated script of a project built from a generated 10 MB script.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "database/CProjectDatabase.h"
#include "project/CQuillDoc.h"
#include "resources/Feedback.h"
#include "support/ScriptGenerator.h"
#include "writer/TranslatedScripts.h"

namespace qmk {
namespace {

constexpr std::size_t kScriptBytes = 10u << 20;
constexpr LanguageId German{7, 1};

// One generated project shared by the benchmarks, in a folder removed at exit.
struct GeneratedProject {
    GeneratedProject()
    {
        folder = std::filesystem::temp_directory_path() / ("qmkbench-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
        script = folder / "big.rc";
        std::ofstream(script, std::ios::binary) << bench::ScriptGenerator().generate(kScriptBytes);
        scriptBytes = static_cast<std::int64_t>(std::filesystem::file_size(script));
    }
    ~GeneratedProject() { std::filesystem::remove_all(folder); }

    std::filesystem::path folder;
    std::filesystem::path script;
    std::int64_t scriptBytes = 0;
};

GeneratedProject& project()
{
    static GeneratedProject p;
    return p;
}

void BM_WriteTranslatedScript10MB(benchmark::State& state)
{
    SilentFeedback quiet;
    CQuillDoc doc(quiet, {".DLG"});
    if (!doc.OnOpenDocument(project().script) ||
        (!doc.hasTranslation(German) && !doc.NewTranslation(German, "big-German.rc"))) {
        state.SkipWithError("project could not be built");
        return;
    }
    const auto target = project().folder / "big-German.rc";
    for (auto _ : state)
        if (writeTranslation(doc, German, target) != 1)
            state.SkipWithError("writing failed");
    state.SetBytesProcessed(state.iterations() * project().scriptBytes);
}
BENCHMARK(BM_WriteTranslatedScript10MB)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace
} // namespace qmk

BENCHMARK_MAIN();
