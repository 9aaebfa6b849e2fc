// The work after a project opens (its first check, the word counts, the memory's feed) runs in
// the background: the window answers meanwhile, closing the project or Escape stops it cleanly,
// and a text stored while the first check runs keeps its own findings.
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QStatusBar>
#include <QTest>

#include <chrono>
#include <fstream>

#include "WindowFixture.h"
#include "checks/TranslationFindings.h"
#include "database/CProjectDatabase.h"
#include "database/Transaction.h"
#include "memory/SqliteMemory.h"
#include "ui/CBackgroundWork.h"
#include "ui/CTextListView.h"
#include "ui/CTextTableModel.h"

namespace qmk::test {
namespace {

// Enough translated strings that the work after the opening takes many slices.
constexpr int kStrings = 4000;

class BackgroundWorkTest : public WindowFixture {
protected:
    void SetUp() override
    {
        WindowFixture::SetUp();
        std::string text = "STRINGTABLE\nBEGIN\n";
        for (int i = 0; i < kStrings; ++i)
            text += "    IDS_S" + std::to_string(i) + " \"Save file number " + std::to_string(i) + ".\"\n";
        text += "END\n";
        big = dir.write("big.rc", text);
        CQuillDoc doc(feedback, {});
        ASSERT_TRUE(doc.OnOpenDocument(big));
        ASSERT_TRUE(doc.NewTranslation(German, "big-de.rc").done());
        ASSERT_TRUE(doc.reloadRows().done());
        auto bulk = doc.database().beginBulk();
        for (int row = 0; row < doc.rows().rowCount(); ++row)
            ASSERT_TRUE(doc.storeTranslation(doc.rows().item(row).lineIndex, German,
                                             "Datei Nummer " + std::to_string(row) + " speichern.")
                            .done());
        bulk->commit();
        doc.setModified(false);
        doc.OnCloseDocument();
    }
    CChildFrame* openBig()
    {
        CChildFrame* child = frame->openDocument(big);
        if (child)
            child->textList()->setCurrentLanguage(German);
        return child;
    }
    // One slice of the timer after another until nothing runs.
    void runBackgroundToEnd()
    {
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (frame->backgroundWorkRunning() && std::chrono::steady_clock::now() < end)
            QApplication::processEvents();
        QApplication::processEvents();
    }
    QLabel* workLabel() { return frame->statusBar()->findChild<QLabel*>(QStringLiteral("backgroundWork")); }
    std::int64_t rememberedUnits()
    {
        SqliteMemory memory(dir / "memory.db");
        return memory.size();
    }

    std::filesystem::path big;
};

} // namespace

TEST_F(BackgroundWorkTest, TheWorkRunsAfterTheFirstPaintShowsItsProgressAndEnds)
{
    CChildFrame* child = openBig();
    ASSERT_TRUE(child);
    EXPECT_TRUE(frame->backgroundWorkRunning());  // nothing of it ran inside the opening
    EXPECT_TRUE(child->findings().all().empty());
    QApplication::processEvents();
    ASSERT_TRUE(workLabel());
    // The first slice's progress reaches the status bar by a timer: on a busy machine after a few.
    EXPECT_TRUE(QTest::qWaitFor([&] {
        return workLabel()->isVisibleTo(frame.get()) && workLabel()->text().contains(QLatin1Char('%'));
    }, 5000)) << workLabel()->text().toStdString();
    runBackgroundToEnd();
    EXPECT_FALSE(frame->backgroundWorkRunning());
    EXPECT_FALSE(workLabel()->isVisibleTo(frame.get()));
    EXPECT_TRUE(child->document().rows().sourceWordsCounted());
    EXPECT_EQ(rememberedUnits(), kStrings);
}

namespace {

// Keeps paint events from a widget, as a machine too busy to paint yet would.
class NoPaint : public QObject {
protected:
    bool eventFilter(QObject*, QEvent* event) override { return event->type() == QEvent::Paint; }
};

} // namespace

TEST_F(BackgroundWorkTest, NothingOfTheWorkRunsBeforeTheTableHasPaintedWhateverEventsTheOpeningLetsThrough)
{
    frame->show();
    CChildFrame* child = openBig();
    ASSERT_TRUE(child);
    QWidget* table = child->textList()->viewport();
    NoPaint noPaint;
    table->installEventFilter(&noPaint);
    // As a progress dialog does while a long opening goes on.
    QElapsedTimer opening;
    opening.start();
    while (opening.elapsed() < 300)
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 10);
    EXPECT_FALSE(child->document().rows().sourceWordsCounted());
    EXPECT_FALSE(workLabel()->isVisibleTo(frame.get()));
    ASSERT_TRUE(frame->backgroundWorkRunning());
    table->removeEventFilter(&noPaint);
    table->update();
    runBackgroundToEnd();
    EXPECT_TRUE(child->document().rows().sourceWordsCounted());
    EXPECT_EQ(rememberedUnits(), kStrings);
}

TEST_F(BackgroundWorkTest, ClosingTheProjectDuringTheWorkStopsItCleanly)
{
    CChildFrame* child = openBig();
    ASSERT_TRUE(child);
    QApplication::processEvents();
    ASSERT_TRUE(frame->backgroundWorkRunning());
    feedback.answer = false;  // nothing to save
    child->parentWidget()->close();
    QApplication::processEvents();
    EXPECT_TRUE(frame->children().empty());
    EXPECT_FALSE(frame->backgroundWorkRunning());
    // Opened again, the project is checked and fed whole.
    child = openBig();
    ASSERT_TRUE(child);
    runBackgroundToEnd();
    EXPECT_EQ(rememberedUnits(), kStrings);
}

TEST_F(BackgroundWorkTest, EscapeStopsTheWorkAndTheStatusBarSaysSo)
{
    CChildFrame* child = openBig();
    ASSERT_TRUE(child);
    QApplication::processEvents();
    ASSERT_TRUE(frame->backgroundWorkRunning());
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(frame.get(), &escape);
    QApplication::processEvents();
    EXPECT_FALSE(frame->backgroundWorkRunning());
    EXPECT_FALSE(workLabel()->isVisibleTo(frame.get()));
    EXPECT_TRUE(frame->statusBar()->currentMessage().startsWith(QStringLiteral("Stopped:")))
        << frame->statusBar()->currentMessage().toStdString();
    EXPECT_EQ(child->findings().pendingRun(), nullptr);
}

TEST_F(BackgroundWorkTest, ATextStoredDuringTheFirstCheckKeepsItsFindings)
{
    frame->show();  // the work waits for the table's first paint
    CChildFrame* child = openBig();
    ASSERT_TRUE(child);
    // The first check starts by a timer after the first paint; it must still be running then.
    QApplication::processEvents();
    if (!child->findings().pendingRun()) {
        // A busy machine can finish the first run while the opening still lets events through:
        // start another, so that the store below lands inside a run.
        child->findings().setLanguage(std::nullopt);
        child->findings().setLanguage(German);
    }
    ASSERT_NE(child->findings().pendingRun(), nullptr) << "a check run ended in one slice";
    CQuillDoc& doc = child->document();
    const int row = doc.rows().rowCount() / 2;
    const int line = doc.rows().item(row).lineIndex;
    ASSERT_TRUE(doc.storeTranslation(line, German, "Datei speichern ").done());  // a blank the source lacks
    runBackgroundToEnd();
    ASSERT_FALSE(child->findings().of(line).empty()) << "the stale run overwrote the store's findings";
    const auto findings = child->findings().of(line);
    EXPECT_TRUE(std::any_of(findings.begin(), findings.end(), [](const CheckFinding& f) { return f.check == "whitespace"; }));
    const QModelIndex cell =
        child->textList()->tableModel()->index(row, doc.rows().columns().columnOfLanguage(German));
    EXPECT_GE(cell.data(CTextTableModel::FindingsRole).toInt(), 1);
}

} // namespace qmk::test
