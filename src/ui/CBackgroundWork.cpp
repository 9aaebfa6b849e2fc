// Slices of background work from a zero timer, shown in the status bar.
#include "ui/CBackgroundWork.h"

#include <QEvent>
#include <QLabel>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>

#include <algorithm>

#include <malloc.h>

#include "resources/MenuTexts.h"

namespace qmk {
namespace {

constexpr int kOwnMappingFrom = 2 * 1024 * 1024;

} // namespace

CBackgroundWork::CBackgroundWork(QStatusBar* bar, QObject* parent)
    : QObject(parent), bar_(bar), label_(new QLabel(bar)), cancel_(new QToolButton(bar)), timer_(new QTimer(this))
{
    // The work's threads (the memory's writer) would each keep an allocator arena of their own
    // at its peak: they allocate from the window's. Large blocks (a project's rows, the
    // check's findings while they grow) are mapped and unmapped on their own, at a fixed size
    // rather than one that grows with the largest block freed, so that what is freed goes back
    // at once instead of staying in the heap.
    mallopt(M_ARENA_MAX, 1);
    mallopt(M_MMAP_THRESHOLD, kOwnMappingFrom);
    label_->setObjectName(QStringLiteral("backgroundWork"));
    label_->setAccessibleName(QStringLiteral("Background work"));
    cancel_->setObjectName(QStringLiteral("backgroundWorkCancel"));
    cancel_->setText(QString::fromUtf8(txt::WorkCancel));
    cancel_->setToolTip(QString::fromUtf8(txt::WorkCancelTip));
    cancel_->setAutoRaise(true);
    bar_->addPermanentWidget(label_);
    bar_->addPermanentWidget(cancel_);
    label_->hide();
    cancel_->hide();
    connect(cancel_, &QToolButton::clicked, this, &CBackgroundWork::cancelAll);
    timer_->setSingleShot(true);
    connect(timer_, &QTimer::timeout, this, &CBackgroundWork::tick);
}

CBackgroundWork::~CBackgroundWork() = default;

void CBackgroundWork::add(const QObject* owner, Kind kind)
{
    entries_.push_back({owner, std::move(kind)});
    timer_->start(0);
}

void CBackgroundWork::wake(const QObject* owner)
{
    for (Entry& entry : entries_)
        if (entry.owner == owner)
            entry.cancelled = false;
    timer_->start(0);
}

void CBackgroundWork::holdUntilPainted(const QObject* owner, QWidget* widget)
{
    holds_[owner] = widget;
    widget->installEventFilter(this);
    QTimer::singleShot(kLongestHold, this, [this, owner] { release(owner); });
}

bool CBackgroundWork::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Paint)
        for (const auto& [owner, widget] : holds_)
            if (widget == watched) {
                // Released after the paint: the timer fires once this event is done.
                release(owner);
                break;
            }
    return QObject::eventFilter(watched, event);
}

bool CBackgroundWork::held(const QObject* owner) const
{
    const auto found = holds_.find(owner);
    return found != holds_.end() && found->second && found->second->window()->isVisible();
}

void CBackgroundWork::release(const QObject* owner)
{
    const auto found = holds_.find(owner);
    if (found == holds_.end())
        return;
    if (found->second)
        found->second->removeEventFilter(this);
    holds_.erase(found);
    timer_->start(0);
}

void CBackgroundWork::remove(const QObject* owner)
{
    release(owner);
    for (Entry& entry : entries_)
        if (entry.owner == owner && entry.kind.pending())
            entry.kind.cancel();
    std::erase_if(entries_, [owner](const Entry& entry) { return entry.owner == owner; });
    timer_->start(0);  // the status bar is brought up to date
}

void CBackgroundWork::cancelAll()
{
    QStringList stopped;
    for (Entry& entry : entries_)
        if (!entry.cancelled && entry.kind.pending()) {
            entry.kind.cancel();
            entry.cancelled = true;
            stopped << entry.kind.title.section(QChar(0x2026), 0, 0);
        }
    if (!stopped.isEmpty())
        bar_->showMessage(QString::fromUtf8(txt::WorkCancelled).replace(QStringLiteral("%1"), stopped.join(QStringLiteral(", "))), 5000);
    timer_->start(0);
}

bool CBackgroundWork::running() const
{
    return std::any_of(entries_.begin(), entries_.end(),
                       [](const Entry& entry) { return !entry.cancelled && entry.kind.pending(); });
}

CBackgroundWork::Entry* CBackgroundWork::current()
{
    for (Entry& entry : entries_)
        if (!entry.cancelled && !held(entry.owner) && entry.kind.pending())
            return &entry;
    return nullptr;
}

void CBackgroundWork::giveBackMemory()
{
    if (!workedSinceIdle_)
        return;
    workedSinceIdle_ = false;
    malloc_trim(0);
}

void CBackgroundWork::tick()
{
    // One slice of the timer goes to as many jobs as it holds: a small project's work is done in
    // one go.
    const auto end = std::chrono::steady_clock::now() + kSlice;
    for (;;) {
        Entry* entry = current();
        if (!entry) {
            if (running())
                return;  // what is left waits for a paint
            label_->hide();
            cancel_->hide();
            giveBackMemory();
            emit idle();
            return;
        }
        workedSinceIdle_ = true;
        const auto left = std::chrono::duration_cast<SlicedJob::Budget>(end - std::chrono::steady_clock::now());
        const JobProgress progress = entry->kind.pending()->step(std::max(left, SlicedJob::Budget(0)));
        if (progress.done) {
            if (entry->kind.ended)
                entry->kind.ended();
            emit jobEnded();
        } else {
            show(*entry, progress);
        }
        if (progress.waiting) {
            timer_->start(kWaitingPause);
            return;
        }
        if (std::chrono::steady_clock::now() >= end)
            break;
    }
    timer_->start(0);
}

void CBackgroundWork::show(const Entry& entry, const JobProgress& progress)
{
    const QString text = QString(entry.kind.title).replace(QStringLiteral("%1"), QString::number(progress.percent()));
    if (label_->text() != text)
        label_->setText(text);
    label_->setAccessibleDescription(text);
    label_->show();
    cancel_->show();
}

} // namespace qmk
