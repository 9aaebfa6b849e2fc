// How long the workbook export takes for the rows of a project built from a generated 10 MB
// script with two translations: every column, identifiers and item types included.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>

#include "exchange/WorkbookExport.h"
#include "project/CQuillDoc.h"
#include "project/TextTableRows.h"
#include "resources/Feedback.h"
#include "support/ScriptGenerator.h"

namespace {

// Answers yes to building the database; otherwise silent.
class YesFeedback : public qmk::SilentFeedback {
public:
    bool ask(int, const qmk::MessageArgs&, bool) override { return true; }
};

class Project {
public:
    Project() : dir_(std::filesystem::temp_directory_path() / ("qmkbench-export-" + std::to_string(getpid())))
    {
        std::filesystem::create_directories(dir_);
        std::ofstream(dir_ / "big.rc", std::ios::binary) << qmk::bench::ScriptGenerator(7).generate(10u << 20);
        doc_ = std::make_unique<qmk::CQuillDoc>(feedback_, std::vector<std::string>{});
        ok_ = doc_->OnOpenDocument(dir_ / "big.rc") && doc_->NewTranslation(qmk::LanguageId{7, 1}, "de.rc") &&
              doc_->NewTranslation(qmk::LanguageId{25, 1}, "ru.rc");
        ok_ = ok_ && doc_->reloadRows().done();
    }
    ~Project()
    {
        doc_.reset();
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }
    bool ok() const { return ok_; }
    qmk::CQuillDoc& doc() { return *doc_; }
    std::filesystem::path target() const { return dir_ / "texts.xlsx"; }
    qmk::Feedback& feedback() { return feedback_; }

private:
    std::filesystem::path dir_;
    YesFeedback feedback_;
    std::unique_ptr<qmk::CQuillDoc> doc_;
    bool ok_ = false;
};

void BM_ExportWorkbook(benchmark::State& state)
{
    static Project project;
    if (!project.ok()) {
        state.SkipWithError("the generated project could not be built");
        return;
    }
    qmk::WorkbookExport exporter(project.doc(), project.feedback());
    int written = 0;
    for (auto _ : state) {
        auto result = exporter.run(project.target(), {0, 1, 2, 3});
        written = result.rowsWritten;
    }
    state.counters["rows"] = written;
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(project.target()));
}
BENCHMARK(BM_ExportWorkbook)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
