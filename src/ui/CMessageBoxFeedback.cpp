// Message boxes for the core's messages and questions, and the progress of long operations.
#include "ui/CMessageBoxFeedback.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include <algorithm>

#include "resources/Messages.h"
#include "ui/MessageBoxIcon.h"

namespace qmk {
namespace {

// A task shorter than this shows no dialog at all; a longer one redraws at most this often.
constexpr int kShowAfterMs = 400;
constexpr int kRedrawEveryMs = 50;

} // namespace

CMessageBoxFeedback::~CMessageBoxFeedback()
{
    delete progress_;
}

void CMessageBoxFeedback::message(int id, const MessageArgs& args, Icon icon)
{
    messageText(formatMessage(id, args), icon);
}

void CMessageBoxFeedback::messageText(const std::string& text, Icon icon)
{
    QMessageBox box(messageBoxIcon(icon), QApplication::applicationName(), QString::fromStdString(text), QMessageBox::Ok,
                    parent_);
    box.exec();
}

bool CMessageBoxFeedback::ask(int id, const MessageArgs& args, bool defaultAnswer)
{
    return askText(formatMessage(id, args), defaultAnswer);
}

bool CMessageBoxFeedback::askText(const std::string& text, bool defaultAnswer)
{
    QMessageBox box(QMessageBox::Question, QApplication::applicationName(), QString::fromStdString(text),
                    QMessageBox::Yes | QMessageBox::No, parent_);
    box.setDefaultButton(defaultAnswer ? QMessageBox::Yes : QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

int CMessageBoxFeedback::choose(const std::string& text, const std::vector<std::string>& answers, int defaultChoice)
{
    QMessageBox box(QMessageBox::Question, QApplication::applicationName(), QString::fromStdString(text),
                    QMessageBox::NoButton, parent_);
    std::vector<QPushButton*> buttons;
    for (const std::string& answer : answers)
        buttons.push_back(box.addButton(QString::fromStdString(answer), QMessageBox::AcceptRole));
    if (defaultChoice >= 0 && defaultChoice < static_cast<int>(buttons.size())) {
        box.setDefaultButton(buttons[static_cast<std::size_t>(defaultChoice)]);
        box.setEscapeButton(buttons[static_cast<std::size_t>(defaultChoice)]);
    }
    box.exec();
    const auto chosen = std::find(buttons.begin(), buttons.end(), box.clickedButton());
    return chosen == buttons.end() ? defaultChoice : static_cast<int>(chosen - buttons.begin());
}

void CMessageBoxFeedback::status(const std::string& text)
{
    if (statusSink_)
        statusSink_(QString::fromStdString(text));
}

void CMessageBoxFeedback::beep()
{
    QApplication::beep();
}

void CMessageBoxFeedback::beginTask(const std::string& title, long total)
{
    if (titles_.empty()) {
        cancelRequested_ = false;
        sinceBegin_.start();
        sinceRedraw_.start();
        sincePoll_.start();
        QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    titles_.push_back(title);
    if (progress_) {
        progress_->setLabelText(QString::fromStdString(title));
        progress_->setRange(0, static_cast<int>(std::max(0L, std::min(total, 1L << 30))));
    }
}

void CMessageBoxFeedback::showProgress()
{
    progress_ = new QProgressDialog(QString::fromStdString(titles_.back()), QObject::tr("&Cancel"), 0, 0, parent_);
    progress_->setWindowTitle(QApplication::applicationName());
    progress_->setAccessibleName(QStringLiteral("Progress"));
    progress_->setWindowModality(Qt::WindowModal);
    progress_->setMinimumDuration(0);
    progress_->setAutoClose(false);
    progress_->setAutoReset(false);
    QObject::connect(progress_, &QProgressDialog::canceled, [this] { cancelRequested_ = true; });
    progress_->show();
}

void CMessageBoxFeedback::stepTask(long done, long total)
{
    if (titles_.empty() || sinceRedraw_.elapsed() < kRedrawEveryMs)
        return;
    sinceRedraw_.restart();
    if (!progress_ && sinceBegin_.elapsed() >= kShowAfterMs)
        showProgress();
    if (progress_) {
        // Large totals are scaled so that the bar's int range holds them.
        const int scale = total > (1L << 30) ? static_cast<int>(total >> 30) + 1 : 1;
        progress_->setMaximum(static_cast<int>(std::max(0L, total) / scale));
        progress_->setValue(static_cast<int>(std::min(done, total) / scale));
    }
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

bool CMessageBoxFeedback::cancelled()
{
    // Polled after every line of a script: the dialog's Cancel is looked at now and then, not
    // on every poll. It is the only input that reaches the window while a task runs.
    if (progress_ && sincePoll_.elapsed() >= kRedrawEveryMs) {
        sincePoll_.restart();
        QApplication::processEvents();
    }
    return cancelRequested_;
}

void CMessageBoxFeedback::endTask()
{
    if (titles_.empty())
        return;
    titles_.pop_back();
    if (!titles_.empty()) {
        if (progress_)
            progress_->setLabelText(QString::fromStdString(titles_.back()));
        return;
    }
    delete progress_;
    QApplication::restoreOverrideCursor();
}

} // namespace qmk
