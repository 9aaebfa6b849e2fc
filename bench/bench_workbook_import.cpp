// How long Import All of a workbook of 100,000 rows takes (German texts for every row of a
// project built from a generated script), and how much memory it takes beside the workbook's
// unpacked size: peak resident set while importing, from getrusage after the peak was reset.
//
// Release, two cores shared with other builds (load 2 to 3), 98,724 rows imported, 25 MB unpacked:
//   before: 2.25 s wall, 2.2 s CPU (0.40 s reading the workbook, 1.73 s the walk), +82 MB
//   after converting each translation once (not once to compare and again to store):
//           2.06-2.4 s wall, 1.86-1.9 s CPU (0.47-0.65 s reading, 1.35-1.56 s the walk), +82 MB
//   after reading the translation's code page once for the walk, not twice per row from the
//   database: 2.1 s wall, 1.0 s CPU (0.96 s reading, 0.78 s the walk, load 3.2), +82 MB
#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <unistd.h>
#include <zip.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "database/TranslationColumnNames.h"
#include "exchange/WorkbookImport.h"
#include "exchange/WorkbookWriter.h"
#include "project/CQuillDoc.h"
#include "project/ItemTypes.h"
#include "project/TextCodec.h"
#include "project/TextTableRows.h"
#include "resources/Feedback.h"
#include "resources/Texts.h"
#include "support/ScriptGenerator.h"

namespace {

constexpr int kDataRows = 100000;
constexpr qmk::LanguageId kGerman{7, 1};

// Answers yes to building the database and keeps the last message, for a refusal's report.
class YesFeedback : public qmk::SilentFeedback {
public:
    bool ask(int, const qmk::MessageArgs&, bool) override { return true; }
    void messageText(const std::string& text, qmk::Icon) override { last = text; }
    std::string last;
};

double megabytes(double bytes) { return bytes / (1024.0 * 1024.0); }

// Peak resident set in bytes since the last reset (Linux keeps it per process).
long peakResidentBytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss * 1024L;
}

void resetPeakResident()
{
    std::ofstream("/proc/self/clear_refs") << "5";
}

std::uint64_t unpackedSize(const std::filesystem::path& path)
{
    int code = 0;
    zip_t* archive = zip_open(path.c_str(), ZIP_RDONLY, &code);
    std::uint64_t total = 0;
    for (zip_int64_t i = 0; archive && i < zip_get_num_entries(archive, 0); ++i) {
        zip_stat_t st;
        if (zip_stat_index(archive, static_cast<zip_uint64_t>(i), 0, &st) == 0)
            total += st.size;
    }
    if (archive)
        zip_discard(archive);
    return total;
}

class Project {
public:
    Project() : dir_(std::filesystem::temp_directory_path() / ("qmkbench-import-" + std::to_string(getpid())))
    {
        std::filesystem::create_directories(dir_);
        std::ofstream(dir_ / "big.rc", std::ios::binary) << qmk::bench::ScriptGenerator(7).generate(16u << 20);
        doc_ = std::make_unique<qmk::CQuillDoc>(feedback_, std::vector<std::string>{});
        ok_ = doc_->OnOpenDocument(dir_ / "big.rc") && doc_->NewTranslation(kGerman, "de.rc") &&
              doc_->reloadRows().done() && writeWorkbook() == kDataRows;
    }
    ~Project()
    {
        doc_.reset();
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }
    bool ok() const { return ok_; }
    qmk::CQuillDoc& doc() { return *doc_; }
    YesFeedback& feedback() { return feedback_; }
    std::filesystem::path workbook() const { return dir_ / "texts.xlsx"; }

private:
    // The layout the export writes: Ids, item types, source texts, a German text for each row.
    int writeWorkbook()
    {
        qmk::WorkbookWriter writer;
        if (!writer.create(workbook()))
            return 0;
        const char* header[] = {qmk::txt::HeaderResourceIdent, qmk::txt::HeaderItemType, qmk::txt::HeaderId,
                                qmk::txt::HeaderSourceText};
        for (int c = 0; c < 4; ++c)
            writer.writeText(0, c, header[c], qmk::CellStyle::Header);
        writer.writeText(0, 4, qmk::translationColumnName(kGerman.language, kGerman.sublanguage), qmk::CellStyle::Header);
        const qmk::TextTableRows& rows = doc_->rows();
        int written = 0;
        for (int r = 0; r < rows.rowCount() && written < kDataRows; ++r) {
            const qmk::TextTableRow& row = rows.row(r);
            // The import reads down to the first row without an Id.
            if (row.item.itemType == qmk::ItemType::BlockHeader || row.cell(qmk::TextTableColumns::IdColumn).empty())
                continue;
            const int sheetRow = 2 + written++;
            writer.writeText(sheetRow, 1, qmk::itemTypeDisplayName(row.item.itemType));
            writer.writeText(sheetRow, 2, qmk::decodeToUtf8(row.cell(qmk::TextTableColumns::IdColumn), doc_->codePage()).value_or(""));
            writer.writeText(sheetRow, 3, qmk::decodeToUtf8(row.cell(qmk::TextTableColumns::SourceColumn), doc_->codePage()).value_or(""));
            writer.writeText(sheetRow, 4, "\xC3\x9C" "bersetzung " + std::to_string(written));
        }
        return writer.close() ? written : 0;
    }

    std::filesystem::path dir_;
    YesFeedback feedback_;
    std::unique_ptr<qmk::CQuillDoc> doc_;
    bool ok_ = false;
};

void BM_ImportAllFromWorkbook(benchmark::State& state)
{
    static Project project;
    if (!project.ok()) {
        state.SkipWithError("the generated project or its workbook could not be made");
        return;
    }
    const std::string german = qmk::translationColumnName(kGerman.language, kGerman.sublanguage);
    long before = 0, peak = 0;
    int imported = 0;
    double openSeconds = 0, importSeconds = 0;
    for (auto _ : state) {
        resetPeakResident();
        before = peakResidentBytes();
        const auto start = std::chrono::steady_clock::now();
        qmk::WorkbookImport import(project.doc(), project.feedback());
        if (!import.open(project.workbook()) || !import.chooseLanguage(german)) {
            state.SkipWithError(("the workbook was refused: " + project.feedback().last).c_str());
            return;
        }
        const auto opened = std::chrono::steady_clock::now();
        imported = import.importAll({});
        importSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - opened).count();
        openSeconds = std::chrono::duration<double>(opened - start).count();
        peak = peakResidentBytes();
    }
    // Reading the workbook and choosing the language, and the walk that stores the texts.
    state.counters["open_s"] = openSeconds;
    state.counters["import_s"] = importSeconds;
    const double unpacked = static_cast<double>(unpackedSize(project.workbook()));
    state.counters["imported"] = imported;
    state.counters["unpacked_MB"] = megabytes(unpacked);
    state.counters["rss_before_MB"] = megabytes(static_cast<double>(before));
    state.counters["peak_rss_MB"] = megabytes(static_cast<double>(peak));
    state.counters["growth_per_unpacked"] = static_cast<double>(peak - before) / unpacked;
}
// One import: a second would find every text already there.
BENCHMARK(BM_ImportAllFromWorkbook)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

BENCHMARK_MAIN();
