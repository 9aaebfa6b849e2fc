// Feedback of the windowed program: message boxes, the status bar and a progress dialog with
// Cancel for long operations.
#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <QProgressDialog>
#include <functional>
#include <string>
#include <vector>

#include "resources/Feedback.h"

class QWidget;

namespace qmk {

class CMessageBoxFeedback : public Feedback {
public:
    explicit CMessageBoxFeedback(QWidget* parent = nullptr) : parent_(parent) {}
    ~CMessageBoxFeedback() override;

    void setParent(QWidget* parent) { parent_ = parent; }
    // Where status texts go (the main window's message pane).
    void setStatusSink(std::function<void(const QString&)> sink) { statusSink_ = std::move(sink); }

    void message(int id, const MessageArgs& args, Icon icon) override;
    void messageText(const std::string& text, Icon icon) override;
    bool ask(int id, const MessageArgs& args, bool defaultAnswer) override;
    bool askText(const std::string& text, bool defaultAnswer) override;
    int choose(const std::string& text, const std::vector<std::string>& answers, int defaultChoice) override;
    void status(const std::string& text) override;
    bool cancelled() override;
    void beep() override;
    void beginTask(const std::string& title, long total) override;
    void stepTask(long done, long total) override;
    void endTask() override;

private:
    void showProgress();

    QWidget* parent_;
    std::function<void(const QString&)> statusSink_;
    std::vector<std::string> titles_;  // the open tasks, innermost last
    QPointer<QProgressDialog> progress_;
    QElapsedTimer sinceBegin_;
    QElapsedTimer sinceRedraw_;
    QElapsedTimer sincePoll_;
    bool cancelRequested_ = false;
};

} // namespace qmk
