// The work a project window does after it is shown (its first check, the word counts, feeding
// the translation memory), run in slices of about 10 ms from a zero timer so that keys and
// paints go through between them. The current work and its progress stand in the status bar
// with a Cancel button; Escape in the window cancels too, and closing a project drops its work.
#pragma once

#include <QObject>
#include <QString>

#include <functional>
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
    // Drops the owner's work (cancelling what runs) before it goes.
    void remove(const QObject* owner);
    void cancelAll();
    bool running() const;

    static constexpr SlicedJob::Budget kSlice = std::chrono::milliseconds(10);
    // Between asks of a job that waits for another thread.
    static constexpr int kWaitingPause = 15;

signals:
    // The last job ended (or was cancelled): nothing runs now.
    void idle();
    void jobEnded();

private:
    struct Entry {
        const QObject* owner;
        Kind kind;
        bool cancelled = false;
    };
    Entry* current();
    void tick();
    void show(const Entry& entry, const JobProgress& progress);

    QStatusBar* bar_;
    QLabel* label_;
    QToolButton* cancel_;
    QTimer* timer_;
    std::vector<Entry> entries_;
};

} // namespace qmk
