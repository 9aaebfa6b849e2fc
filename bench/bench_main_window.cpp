// The window on a generated 10 MB script (about 100,000 texts): opening the built project in
// the main window up to the first paint of the Text Table, and on to the point from which the
// window answers (every event it handles timed), typing while the work after the opening runs,
// painting after a page of scrolling,
// filtering and moving to the next untranslated row, and the memory the open project takes
// against the script's size.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <malloc.h>
#include <unistd.h>

#include "app/Settings.h"
#include "database/CProjectDatabase.h"
#include "database/Transaction.h"
#include "project/CQuillDoc.h"
#include "support/ScriptGenerator.h"
#include "checks/TranslationFindings.h"
#include "ui/CChildFrame.h"
#include "ui/CMainFrame.h"
#include "ui/CMessageBoxFeedback.h"
#include "exchange/PlatformExchange.h"
#include "project/ReplaceAll.h"
#include "project/TextSearch.h"
#include "project/TranslationEdit.h"
#include "ui/CDynDlgView.h"
#include "ui/CTextListView.h"
#include "ui/CTranslDlgView.h"

namespace {

class QuietFeedback : public qmk::CMessageBoxFeedback {
public:
    void message(int, const qmk::MessageArgs&, qmk::Icon) override {}
    void messageText(const std::string&, qmk::Icon) override {}
    bool ask(int, const qmk::MessageArgs&, bool) override { return true; }
};

long statusKilobytes(const std::string& field)
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

long residentKilobytes() { return statusKilobytes("VmRSS:"); }

// The peak resident size counts from here on (what building the benchmark's project took is
// forgotten, the memory it freed given back first).
void resetPeakResident()
{
    malloc_trim(0);
    std::ofstream("/proc/self/clear_refs") << "5";
}

class Project {
public:
    Project() : dir_(std::filesystem::temp_directory_path() / ("qmkbench-window-" + std::to_string(getpid())))
    {
        std::filesystem::create_directories(dir_);
        script_ = dir_ / "big.rc";
        std::ofstream(script_, std::ios::binary) << qmk::bench::ScriptGenerator(7).generate(10u << 20);
        QuietFeedback feedback;
        qmk::CQuillDoc doc(feedback, {});
        doc.OnOpenDocument(script_);
        doc.NewTranslation(qmk::LanguageId{7, 1}, "de.rc");
        doc.OnCloseDocument();
        // The benchmark's own translation memory, never the user's.
        std::ofstream(settings()) << "[TranslationMemory]\nLocation=" << memory().string() << "\n";
    }
    ~Project()
    {
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }
    const std::filesystem::path& script() const { return script_; }
    std::filesystem::path settings() const { return dir_ / "qmk32.ini"; }
    std::filesystem::path memory() const { return dir_ / "memory.db"; }

    // The same script with every German text translated: what the memory is fed on opening.
    const std::filesystem::path& translatedScript()
    {
        if (translated_.empty()) {
            translated_ = dir_ / "translated" / "big.rc";
            std::filesystem::create_directories(translated_.parent_path());
            std::filesystem::copy_file(script_, translated_);
            QuietFeedback feedback;
            qmk::CQuillDoc doc(feedback, {});
            doc.OnOpenDocument(translated_);
            doc.NewTranslation(qmk::LanguageId{7, 1}, "de.rc");
            doc.reloadRows();
            auto bulk = doc.database().beginBulk();
            for (int row = 0; row < doc.rows().rowCount(); ++row)
                doc.storeTranslation(doc.rows().item(row).lineIndex, qmk::LanguageId{7, 1},
                                     "Text " + std::to_string(row));
            bulk->commit();
            doc.setModified(false);
            doc.OnCloseDocument();
        }
        return translated_;
    }

private:
    std::filesystem::path dir_;
    std::filesystem::path script_;
    std::filesystem::path translated_;
};

Project& project()
{
    static Project p;
    return p;
}

void BM_OpenProjectToFirstPaint(benchmark::State& state)
{
    qmk::Settings settings(project().settings());
    QuietFeedback feedback;
    long before = 0, after = 0, peak = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto frame = std::make_unique<qmk::CMainFrame>(settings, feedback, std::vector<std::string>{});
        frame->resize(1280, 800);
        frame->show();
        QApplication::processEvents();
        // Memory is counted on the first open: later ones reuse what the allocator kept.
        if (before == 0) {
            before = residentKilobytes();
            resetPeakResident();
        }
        state.ResumeTiming();
        qmk::CChildFrame* child = frame->openDocument(project().script());
        QImage painted = child->textList()->viewport()->grab().toImage();
        benchmark::DoNotOptimize(painted.bits());
        state.PauseTiming();
        if (after == 0) {
            after = residentKilobytes();
            peak = statusKilobytes("VmHWM:");
        }
        state.counters["rows"] = child->document().rows().rowCount();
        child->document().setModified(false);
        frame.reset();
        state.ResumeTiming();
    }
    const double scriptKb = static_cast<double>(std::filesystem::file_size(project().script())) / 1024.0;
    state.counters["project_MB"] = static_cast<double>(after - before) / 1024.0;
    state.counters["x_script"] = static_cast<double>(after - before) / scriptKb;
    state.counters["peak_MB"] = static_cast<double>(peak) / 1024.0;
}
BENCHMARK(BM_OpenProjectToFirstPaint)->Unit(benchmark::kMillisecond)->Iterations(3);

// Runs the window's events until the work after an opening has ended.
void finishBackgroundWork(const qmk::CMainFrame& frame)
{
    while (frame.backgroundWorkRunning())
        QApplication::processEvents(QEventLoop::AllEvents, 5);
}

// Every event the window's thread handles, timed: the longest one and when the last one that
// took longer than a frame ended.
class EventClock {
public:
    static EventClock& instance()
    {
        static EventClock clock;
        return clock;
    }
    void start()
    {
        since_.start();
        longest_ = 0;
        lastLongEnd_ = 0;
        lastUnansweredEnd_ = 0;
        running_ = true;
    }
    void stop() { running_ = false; }
    // The longest block counts from here on.
    void forgetLongest() { longest_ = 0; }
    void entered()
    {
        if (depth_++ == 0)
            begun_ = since_.nsecsElapsed();
    }
    void left()
    {
        if (--depth_ != 0 || !running_)
            return;
        const qint64 end = since_.nsecsElapsed();
        longest_ = std::max(longest_, end - begun_);
        if (end - begun_ > kFrameNs)
            lastLongEnd_ = end;
        if (end - begun_ > kAnswerNs)
            lastUnansweredEnd_ = end;
    }
    double longestMs() const { return static_cast<double>(longest_) / 1e6; }
    double lastLongEndMs() const { return static_cast<double>(lastLongEnd_) / 1e6; }
    double lastUnansweredEndMs() const { return static_cast<double>(lastUnansweredEnd_) / 1e6; }
    double nowMs() const { return static_cast<double>(since_.nsecsElapsed()) / 1e6; }

    static constexpr qint64 kFrameNs = 16'000'000;
    // What a key may wait at most.
    static constexpr qint64 kAnswerNs = 50'000'000;

private:
    QElapsedTimer since_;
    qint64 begun_ = 0;
    qint64 longest_ = 0;
    qint64 lastLongEnd_ = 0;
    qint64 lastUnansweredEnd_ = 0;
    int depth_ = 0;
    bool running_ = false;
};

class TimedApplication : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject* receiver, QEvent* event) override
    {
        EventClock::instance().entered();
        const bool handled = QApplication::notify(receiver, event);
        EventClock::instance().left();
        return handled;
    }
};

// Runs the window's events until it has handled none longer than a frame for half a second, or
// until `limitMs`.
void runUntilQuiet(double limitMs)
{
    EventClock& clock = EventClock::instance();
    while (clock.nowMs() < limitMs && clock.nowMs() - clock.lastLongEndMs() < 500.0)
        QApplication::processEvents(QEventLoop::AllEvents, 5);
}

// Launch of the window with the translated project and the memory on (a new memory, so that all
// its translations are fed) until the window answers: the first paint, the longest single event
// on the window's thread after it, open to idle (from the start of the opening to the end of the
// last event that kept a key waiting longer than 50 ms), the end of the last event longer than a
// frame, when the work after the opening ended, and the peak memory.
void BM_OpenToIdleWithMemory(benchmark::State& state)
{
    const std::filesystem::path script = project().translatedScript();
    qmk::Settings settings(project().settings());
    QuietFeedback feedback;
    double firstPaint = 0, longest = 0, idle = 0, backgroundDone = 0, frameOverrun = 0;
    long peak = 0;
    for (auto _ : state) {
        state.PauseTiming();
        std::filesystem::remove(project().memory());
        resetPeakResident();
        EventClock& clock = EventClock::instance();
        clock.start();
        auto frame = std::make_unique<qmk::CMainFrame>(settings, feedback, std::vector<std::string>{});
        frame->resize(1280, 800);
        frame->show();
        state.ResumeTiming();
        clock.entered();  // the opening is one block of the window's thread, as from a menu
        qmk::CChildFrame* child = frame->openDocument(script);
        QImage painted = child->textList()->viewport()->grab().toImage();
        clock.left();
        benchmark::DoNotOptimize(painted.bits());
        firstPaint = clock.nowMs();
        clock.forgetLongest();  // what counts is how the window answers once it is shown
        runUntilQuiet(60'000.0);
        finishBackgroundWork(*frame);
        backgroundDone = clock.nowMs();
        idle = std::max(clock.lastUnansweredEndMs(), firstPaint);
        frameOverrun = clock.lastLongEndMs();
        longest = clock.longestMs();
        clock.stop();
        state.PauseTiming();
        peak = statusKilobytes("VmHWM:");
        child->document().setModified(false);
        frame.reset();
        state.ResumeTiming();
    }
    state.counters["first_paint_ms"] = firstPaint;
    state.counters["longest_block_ms"] = longest;
    state.counters["open_to_idle_ms"] = idle;
    state.counters["background_done_ms"] = backgroundDone;
    state.counters["last_frame_overrun_ms"] = frameOverrun;
    state.counters["peak_MB"] = static_cast<double>(peak) / 1024.0;
}
BENCHMARK(BM_OpenToIdleWithMemory)->Unit(benchmark::kMillisecond)->Iterations(2);

// Typing into the Translation box right after the translated project opened (the memory on, a
// new one), while the work after the opening runs: per key, the time until the key is handled
// and the box painted; the slowest key is what the translator feels.
void BM_TypingWhileBackgroundWorkRuns(benchmark::State& state)
{
    const std::filesystem::path script = project().translatedScript();
    qmk::Settings settings(project().settings());
    QuietFeedback feedback;
    double slowest = 0;
    int keys = 0;
    for (auto _ : state) {
        state.PauseTiming();
        std::filesystem::remove(project().memory());
        auto frame = std::make_unique<qmk::CMainFrame>(settings, feedback, std::vector<std::string>{});
        frame->resize(1280, 800);
        frame->show();
        qmk::CChildFrame* child = frame->openDocument(script);
        QPlainTextEdit* box = frame->translateForm()->translationEdit();
        box->setFocus();
        state.ResumeTiming();
        QElapsedTimer sinceOpen;
        sinceOpen.start();
        // Each key is posted behind whatever the window has queued, as a typist's key arrives;
        // it counts until the box has taken it and painted.
        while (sinceOpen.elapsed() < 3000) {
            const int before = box->toPlainText().size();
            QElapsedTimer key;
            key.start();
            QApplication::postEvent(box, new QKeyEvent(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a")));
            while (box->toPlainText().size() == before && key.elapsed() < 10'000)
                QApplication::processEvents(QEventLoop::AllEvents, 5);
            QImage painted = box->viewport()->grab().toImage();
            benchmark::DoNotOptimize(painted.bits());
            slowest = std::max(slowest, static_cast<double>(key.nsecsElapsed()) / 1e6);
            ++keys;
            QElapsedTimer pause;
            pause.start();
            while (pause.elapsed() < 60)
                QApplication::processEvents(QEventLoop::AllEvents, 5);
        }
        state.PauseTiming();
        child->document().setModified(false);
        frame.reset();
        state.ResumeTiming();
    }
    state.counters["keys"] = keys;
    state.counters["slowest_key_ms"] = slowest;
}
BENCHMARK(BM_TypingWhileBackgroundWorkRuns)->Unit(benchmark::kMillisecond)->Iterations(1);

// The main window at a desktop size with the big project open and its work after the opening
// done; the project is left unsaved.
struct ShownProject {
    ShownProject()
    {
        frame.resize(1280, 800);
        frame.show();
        child = frame.openDocument(project().script());
        finishBackgroundWork(frame);
    }
    ~ShownProject() { child->document().setModified(false); }

    qmk::Settings settings{project().settings()};
    QuietFeedback feedback;
    qmk::CMainFrame frame{settings, feedback, {}};
    qmk::CChildFrame* child = nullptr;
};

void BM_PaintAfterScrollingAPage(benchmark::State& state)
{
    ShownProject shown;
    qmk::CChildFrame* child = shown.child;
    qmk::CTextListView* table = child->textList();
    QScrollBar* bar = table->verticalScrollBar();
    for (auto _ : state) {
        bar->setValue(bar->value() + bar->pageStep() > bar->maximum() ? 0 : bar->value() + bar->pageStep());
        QImage painted = table->viewport()->grab().toImage();
        benchmark::DoNotOptimize(painted.bits());
    }
}
BENCHMARK(BM_PaintAfterScrollingAPage)->Unit(benchmark::kMicrosecond);

// The same with the quality checks run over German: every translation cell asks for its marks.
void BM_PaintAfterScrollingAPageWithCheckMarks(benchmark::State& state)
{
    ShownProject shown;
    qmk::CChildFrame* child = shown.child;
    child->textList()->setCurrentLanguage(qmk::LanguageId{7, 1});
    child->findings().setLanguage(qmk::LanguageId{7, 1});
    finishBackgroundWork(shown.frame);
    qmk::CTextListView* table = child->textList();
    QScrollBar* bar = table->verticalScrollBar();
    for (auto _ : state) {
        bar->setValue(bar->value() + bar->pageStep() > bar->maximum() ? 0 : bar->value() + bar->pageStep());
        QImage painted = table->viewport()->grab().toImage();
        benchmark::DoNotOptimize(painted.bits());
    }
    state.counters["findings"] = static_cast<double>(child->findings().all().size());
}
BENCHMARK(BM_PaintAfterScrollingAPageWithCheckMarks)->Unit(benchmark::kMicrosecond);

// What the translation bar does for OK Next on the big project: store through the document (the
// database, the row, the flags, the gauge, every observer) and select the next untranslated row.
void BM_StoreTranslationAndMoveOn(benchmark::State& state)
{
    ShownProject shown;
    qmk::CChildFrame* child = shown.child;
    qmk::CTextListView* table = child->textList();
    qmk::CTranslDlgView* form = shown.frame.translateForm();
    table->selectRow(child->document().rows().rowCount() / 2);
    long n = 0;
    for (auto _ : state) {
        form->translationEdit()->setPlainText(QStringLiteral("Übersetzung %1").arg(++n));
        form->storeAndNext();
    }
}
BENCHMARK(BM_StoreTranslationAndMoveOn)->Unit(benchmark::kMillisecond);

// Typing "save file" into the filter box one character at a time over the whole table, each
// keystroke until the table is painted again (the box is emptied between rounds); and the
// first character typed after the project opened.
void BM_FilterKeystrokeInWindow(benchmark::State& state)
{
    ShownProject shown;
    qmk::CChildFrame* child = shown.child;
    qmk::CTextListView* table = child->textList();
    const QString typed = QStringLiteral("save file");
    child->filterBox()->setText(typed);  // the first filter of a project decodes its rows
    child->filterBox()->clear();
    QApplication::processEvents();
    int length = 0;
    for (auto _ : state) {
        if (length == typed.size()) {
            state.PauseTiming();
            child->filterBox()->clear();
            QApplication::processEvents();
            length = 0;
            state.ResumeTiming();
        }
        child->filterBox()->setText(typed.left(++length));
        QImage painted = table->viewport()->grab().toImage();
        benchmark::DoNotOptimize(painted.bits());
    }
    state.counters["shown"] = table->shownRowCount();
}
BENCHMARK(BM_FilterKeystrokeInWindow)->Unit(benchmark::kMillisecond)->Iterations(18);

void BM_FirstFilterKeystrokeInWindow(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        auto shown = std::make_unique<ShownProject>();
        QApplication::processEvents();
        state.ResumeTiming();
        shown->child->filterBox()->setText(QStringLiteral("s"));
        QImage painted = shown->child->textList()->viewport()->grab().toImage();
        benchmark::DoNotOptimize(painted.bits());
        state.PauseTiming();
        shown.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_FirstFilterKeystrokeInWindow)->Unit(benchmark::kMillisecond)->Iterations(2);

// Next Item with a filter on: the next shown row without a translation is selected.
void BM_NextUntranslatedInWindow(benchmark::State& state)
{
    ShownProject shown;
    qmk::CTextListView* table = shown.child->textList();
    shown.child->filterBox()->setText(QStringLiteral("save"));
    QApplication::processEvents();
    table->selectRow(0);
    for (auto _ : state)
        table->nextItem();
    state.counters["shown"] = table->shownRowCount();
}
BENCHMARK(BM_NextUntranslatedInWindow)->Unit(benchmark::kMillisecond)->Iterations(20);

// Opening the preview of a dialog of 60 controls: the layout read from the project and every
// widget made, texts and fit included.
void BM_OpenDialogPreviewOf60Controls(benchmark::State& state)
{
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("qmkbench-dialog-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    std::string script = "IDD_BIG DIALOG 0, 0, 400, 300\nCAPTION \"Sixty controls\"\nBEGIN\n";
    for (int i = 0; i < 60; ++i) {
        const int x = 5 + (i % 4) * 95, y = 5 + (i / 4) * 18;
        const char* kinds[] = {"LTEXT \"Label %d\", IDC_L%d", "PUSHBUTTON \"Button %d\", IDC_B%d",
                               "CHECKBOX \"Option %d\", IDC_C%d", "EDITTEXT IDC_E%d%d"};
        char line[128];
        std::snprintf(line, sizeof line, kinds[i % 4], i, i);
        script += "    " + std::string(line) + ", " + std::to_string(x) + ", " + std::to_string(y) + ", 90, 14\n";
    }
    script += "END\n";
    std::ofstream(dir / "big.rc") << script;
    QuietFeedback feedback;
    qmk::CQuillDoc doc(feedback, {});
    doc.OnOpenDocument(dir / "big.rc");
    doc.NewTranslation(qmk::LanguageId{7, 1}, "de.rc");
    const int dialog = doc.database().items().resources(qmk::ResourceList::Dialogs).front().lineIndex;
    for (auto _ : state) {
        qmk::CDynDlgView preview(doc, dialog);
        preview.setLanguage(qmk::LanguageId{7, 1});
        benchmark::DoNotOptimize(preview.itemCount());
    }
    doc.setModified(false);
    doc.OnCloseDocument();
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
}
BENCHMARK(BM_OpenDialogPreviewOf60Controls)->Unit(benchmark::kMillisecond);

// Searching the big project: the next match from the first row to the last, every match marked,
// and 10,000 occurrences replaced as one undoable step.
class SearchProject {
public:
    SearchProject() : doc_(feedback_, {})
    {
        doc_.OnOpenDocument(project().script());
        doc_.reloadRows();
        german_ = doc_.rows().columns().columnOfLanguage(qmk::LanguageId{7, 1});
        auto bulk = doc_.database().beginBulk();
        const int rows = doc_.rows().rowCount();
        for (int row = 0; row < rows && row < 10000; ++row)
            doc_.storeTranslation(doc_.rows().item(row).lineIndex, qmk::LanguageId{7, 1}, "Wort");
        doc_.storeTranslation(doc_.rows().item(rows - 1).lineIndex, qmk::LanguageId{7, 1}, "Einzigartig");
        bulk->commit();
    }
    ~SearchProject()
    {
        doc_.setModified(false);
        doc_.OnCloseDocument();
    }
    qmk::CQuillDoc& doc() { return doc_; }
    int german() const { return german_; }

private:
    QuietFeedback feedback_;
    qmk::CQuillDoc doc_;
    int german_ = -1;
};

SearchProject& searchProject()
{
    static SearchProject p;
    return p;
}

void BM_FindNextFromTheFirstRowToTheLast(benchmark::State& state)
{
    qmk::SearchOptions options;
    options.pattern = "einzigartig";
    options.matchCase = false;
    options.columns = {qmk::TextTableColumns::SourceColumn, searchProject().german()};
    int found = -1;
    for (auto _ : state)
        found = qmk::findNextCell(searchProject().doc().rows(), options, 0, -1)->row;
    state.counters["row"] = found;
}
BENCHMARK(BM_FindNextFromTheFirstRowToTheLast)->Unit(benchmark::kMillisecond);

void BM_MarkAll(benchmark::State& state)
{
    qmk::SearchOptions options;
    options.pattern = "wort";
    options.matchCase = false;
    options.columns = {qmk::TextTableColumns::SourceColumn, searchProject().german()};
    std::size_t marked = 0;
    for (auto _ : state) {
        std::vector<std::pair<int, int>> cells;
        for (const qmk::CellHit& hit : qmk::findAllCells(searchProject().doc().rows(), options))
            cells.emplace_back(hit.row, hit.column);
        searchProject().doc().markCells(cells);
        marked = cells.size();
    }
    state.counters["marked"] = static_cast<double>(marked);
}
BENCHMARK(BM_MarkAll)->Unit(benchmark::kMillisecond);

void BM_ReplaceAll10000Occurrences(benchmark::State& state)
{
    qmk::SearchOptions there;
    there.columns = {searchProject().german()};
    bool forth = true;
    int replaced = 0;
    for (auto _ : state) {
        there.pattern = forth ? "Wort" : "Satz";
        replaced = qmk::replaceAll(searchProject().doc(), there, forth ? "Satz" : "Wort").replaced;
        forth = !forth;
    }
    state.counters["replaced"] = replaced;
}
BENCHMARK(BM_ReplaceAll10000Occurrences)->Unit(benchmark::kMillisecond)->Iterations(4);

// The status gauge's figures after a store: what the window shows after every OK.
void BM_GaugeAfterStore(benchmark::State& state)
{
    qmk::CQuillDoc& doc = searchProject().doc();
    const int line = doc.rows().item(doc.rows().rowCount() / 2).lineIndex;
    long n = 0;
    qmk::GaugeFigures figures;
    for (auto _ : state) {
        state.PauseTiming();
        doc.storeTranslation(line, qmk::LanguageId{7, 1}, ++n % 2 ? "Eins" : "");
        state.ResumeTiming();
        figures = doc.gauge(qmk::LanguageId{7, 1});
    }
    state.counters["translated_pct"] = figures.translatedPercent;
}
BENCHMARK(BM_GaugeAfterStore)->Unit(benchmark::kMillisecond);

// The status bar's texts and words by state after a store (the source words counted before).
void BM_StatisticsAfterStore(benchmark::State& state)
{
    qmk::CQuillDoc& doc = searchProject().doc();
    const int line = doc.rows().item(doc.rows().rowCount() / 3).lineIndex;
    doc.wordCounts(qmk::LanguageId{7, 1});
    long n = 0;
    long long words = 0;
    for (auto _ : state) {
        state.PauseTiming();
        doc.storeTranslation(line, qmk::LanguageId{7, 1}, ++n % 2 ? "Zwei" : "");
        state.ResumeTiming();
        words = doc.wordCounts(qmk::LanguageId{7, 1}).translated.words;
    }
    state.counters["translated_words"] = static_cast<double>(words);
}
BENCHMARK(BM_StatisticsAfterStore)->Unit(benchmark::kMillisecond);

// 100,000 units of a translation written as XLIFF and read back into the project.
void BM_XliffExportOf100000Units(benchmark::State& state)
{
    const std::filesystem::path file = std::filesystem::temp_directory_path() / ("qmkbench-" + std::to_string(getpid()) + ".xlf");
    std::size_t units = 0;
    for (auto _ : state) {
        const qmk::ExchangeDocument document = qmk::exchangeDocument(searchProject().doc(), qmk::LanguageId{7, 1});
        std::string problem;
        qmk::writeExchangeFile(file, qmk::ExchangeKind::Xliff, document, problem);
        units = document.units.size();
    }
    state.counters["units"] = static_cast<double>(units);
}
BENCHMARK(BM_XliffExportOf100000Units)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_XliffImportOf100000Units(benchmark::State& state)
{
    const std::filesystem::path file = std::filesystem::temp_directory_path() / ("qmkbench-" + std::to_string(getpid()) + ".xlf");
    std::vector<qmk::ExchangeUnit> all = qmk::exchangeUnits(searchProject().doc(), qmk::LanguageId{7, 1});
    int n = 0;
    for (auto _ : state) {
        state.PauseTiming();
        ++n;
        for (qmk::ExchangeUnit& unit : all)
            unit.target = "Text " + std::to_string(n);  // every unit brings a new translation
        std::string problem;
        qmk::writeExchangeFile(file, qmk::ExchangeKind::Xliff, qmk::ExchangeDocument{{"en-US", "de-DE", "bench.rc", false}, all}, problem);
        state.ResumeTiming();
        const auto read = qmk::readExchangeFile(file, qmk::ExchangeKind::Xliff, problem);
        const qmk::ExchangeImportResult result = qmk::importExchangeUnits(searchProject().doc(), qmk::LanguageId{7, 1}, read->units);
        state.counters["imported"] = result.imported;
    }
    std::error_code ec;
    std::filesystem::remove(file, ec);
}
BENCHMARK(BM_XliffImportOf100000Units)->Unit(benchmark::kMillisecond)->Iterations(3);

// The same import recorded as one step of the edit history (the translations compared before
// and after), and that step undone.
void BM_RecordedXliffImportAndItsUndo(benchmark::State& state)
{
    const std::filesystem::path file = std::filesystem::temp_directory_path() / ("qmkbench-" + std::to_string(getpid()) + "-u.xlf");
    qmk::CQuillDoc& doc = searchProject().doc();
    std::vector<qmk::ExchangeUnit> all = qmk::exchangeUnits(doc, qmk::LanguageId{7, 1});
    int n = 0;
    std::size_t edits = 0;
    for (auto _ : state) {
        state.PauseTiming();
        ++n;
        for (qmk::ExchangeUnit& unit : all)
            unit.target = "Undo " + std::to_string(n);
        std::string problem;
        qmk::writeExchangeFile(file, qmk::ExchangeKind::Xliff, qmk::ExchangeDocument{{"en-US", "de-DE", "bench.rc", false}, all}, problem);
        state.ResumeTiming();
        {
            qmk::CQuillDoc::RecordedImport recorded(doc, file.filename().string());
            const auto read = qmk::readExchangeFile(file, qmk::ExchangeKind::Xliff, problem);
            qmk::importExchangeUnits(doc, qmk::LanguageId{7, 1}, read->units);
        }
        edits = doc.history().nextUndo() ? doc.history().nextUndo()->edits.size() : 0;
        if (!doc.undo().result.done())
            state.SkipWithError("the import could not be undone");
    }
    state.counters["edits"] = static_cast<double>(edits);
    std::error_code ec;
    std::filesystem::remove(file, ec);
}
BENCHMARK(BM_RecordedXliffImportAndItsUndo)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    TimedApplication app(qtArgc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
