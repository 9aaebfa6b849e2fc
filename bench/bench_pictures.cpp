// The pictures of every dialog and menu of the generated 10 MB script (about 100,000 texts),
// drawn offscreen as /SHOTS draws them: the source alone, and the pseudo-translated German
// beside it for review; the time, the pictures and texts placed, and the peak memory.
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <malloc.h>
#include <unistd.h>

#include "app/BatchPictures.h"
#include "checks/PseudoTranslation.h"
#include "project/CQuillDoc.h"
#include "resources/Feedback.h"
#include "support/ScriptGenerator.h"
#include "ui/CPreviewPictures.h"

namespace {

namespace fs = std::filesystem;

constexpr qmk::LanguageId kGerman{7, 1};

long statusKilobytes(const char* field)
{
    std::ifstream status("/proc/self/status");
    std::string key;
    long value = 0;
    while (status >> key) {
        if (key == field) {
            status >> value;
            return value;
        }
        status.ignore(1 << 12, '\n');
    }
    return 0;
}

// The peak resident size counts from here on, not what building the project took.
void resetPeakResident()
{
    malloc_trim(0);
    std::ofstream("/proc/self/clear_refs") << "5";
}

class Project {
public:
    Project() : dir_(fs::temp_directory_path() / ("qmkbench-pictures-" + std::to_string(getpid())))
    {
        fs::create_directories(dir_);
        std::ofstream(dir_ / "big.rc", std::ios::binary) << qmk::bench::ScriptGenerator(7).generate(10u << 20);
        doc_ = std::make_unique<qmk::CQuillDoc>(quiet_, std::vector<std::string>{});
        ok_ = doc_->OnOpenDocument(dir_ / "big.rc") && doc_->NewTranslation(kGerman, "de.rc").done() &&
              doc_->reloadRows().done() && qmk::pseudoTranslate(*doc_, kGerman).outcome.done() &&
              doc_->reloadRows().done();
        texts_ = ok_ ? doc_->database().texts().textCount() : 0;
    }
    ~Project()
    {
        doc_.reset();
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }
    bool ok() const { return ok_; }
    int texts() const { return texts_; }
    qmk::CQuillDoc& doc() { return *doc_; }
    fs::path folder(const std::string& name) const { return dir_ / name; }

private:
    fs::path dir_;
    qmk::SilentFeedback quiet_;
    std::unique_ptr<qmk::CQuillDoc> doc_;
    bool ok_ = false;
    int texts_ = 0;
};

Project& project()
{
    static Project made;
    return made;
}

void drawAll(benchmark::State& state, const std::vector<std::optional<qmk::LanguageId>>& languages, const char* name)
{
    qmk::PictureRenderer& renderer = qmk::headlessPictureRenderer();
    Project& p = project();
    if (!p.ok()) {
        state.SkipWithError("the generated project could not be built");
        return;
    }
    resetPeakResident();
    qmk::PicturesWritten written;
    double seconds = 0;
    for (auto _ : state) {
        fs::remove_all(p.folder(name));
        const auto start = std::chrono::steady_clock::now();
        written = qmk::writeProjectPictures(p.doc(), renderer, languages, p.folder(name));
        seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (!written.outcome.done())
            state.SkipWithError(written.problem.c_str());
    }
    std::uintmax_t bytes = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(p.folder(name)))
        bytes += entry.file_size();
    state.counters["project_texts"] = p.texts();
    state.counters["pictures"] = static_cast<double>(written.pictures);
    state.counters["texts_placed"] = static_cast<double>(written.units);
    state.counters["seconds"] = seconds;
    state.counters["MB_written"] = static_cast<double>(bytes) / (1 << 20);
    state.counters["peak_MB"] = static_cast<double>(statusKilobytes("VmHWM:")) / 1024.0;
}

void BM_PicturesOfEveryDialogAndMenu(benchmark::State& state)
{
    drawAll(state, {std::nullopt}, "source");
}
BENCHMARK(BM_PicturesOfEveryDialogAndMenu)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_ReviewPicturesSourceBesideGerman(benchmark::State& state)
{
    drawAll(state, {std::nullopt, kGerman}, "review");
}
BENCHMARK(BM_ReviewPicturesSourceBesideGerman)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

BENCHMARK_MAIN();
