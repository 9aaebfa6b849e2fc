// The work a project window does after it is shown (its first check, the word counts, feeding
// the translation memory), run in slices of about 10 ms from a zero timer so that keys and
// paints go through between them. The current work and its progress stand in the status bar
// with a Cancel button; Escape in the window cancels too, and closing a project drops its work.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>
#include <map>
#include <vector>

#include "project/SlicedJob.h"

class QLabel;
class QStatusBar;
class QTimer;
class QToolButton;

namespace qmk {

class CBackgroundWork : public QObject {
    Q_OBJECT
public:
    explicit CBackgroundWork(QStatusBar* bar, QObject* parent = nullptr);
    ~CBackgroundWork() override;

    struct Kind {
        // What the status bar says, with "%1" for the percent done.
        QString title;
        // The job to step now; null when this kind has nothing to do.
        std::function<SlicedJob*()> pending;
        // Gives the pending job up.
        std::function<void()> cancel;
        // After the job's last step.
        std::function<void()> ended;
    };
    // A kind of work of a project window; kinds run one after the other in the order added.
    void add(const QObject* owner, Kind kind);
    // The owner's work may have begun (again): its cancelled kinds are asked again.
    void wake(const QObject* owner);
    // The owner's work starts once `widget` has painted (what the window shows first comes
    // first, however the opening lets events through), or at once while its window is hidden;
    // after kLongestHold without a paint it starts anyway.
    void holdUntilPainted(const QObject* owner, QWidget* widget);
    // Drops the owner's work (cancelling what runs) before it goes.
    void remove(const QObject* owner);
    void cancelAll();
    bool running() const;

    static constexpr SlicedJob::Budget kSlice = std::chrono::milliseconds(10);
    // Between asks of a job that waits for another thread.
    static constexpr int kWaitingPause = 15;
    static constexpr int kLongestHold = 2000;

signals:
    // The last job ended (or was cancelled): nothing runs now.
    void idle();
    void jobEnded();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Entry {
        const QObject* owner;
        Kind kind;
        bool cancelled = false;
    };
    Entry* current();
    bool held(const QObject* owner) const;
    void release(const QObject* owner);
    // What the work left behind goes back to the system once it is all done.
    void giveBackMemory();
    void tick();
    void show(const Entry& entry, const JobProgress& progress);

    QStatusBar* bar_;
    QLabel* label_;
    QToolButton* cancel_;
    QTimer* timer_;
    std::vector<Entry> entries_;
    // Owners whose work waits for the first paint of the widget.
    std::map<const QObject*, QPointer<QWidget>> holds_;
    bool workedSinceIdle_ = false;
};

} // namespace qmk
