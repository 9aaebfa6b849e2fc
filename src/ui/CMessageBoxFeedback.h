// Feedback of the windowed program: message boxes, the status bar and a progress dialog.
#pragma once

#include "resources/Feedback.h"

class QWidget;

namespace qmk {

class CMessageBoxFeedback : public Feedback {
public:
    explicit CMessageBoxFeedback(QWidget* parent = nullptr) : parent_(parent) {}

    void message(int id, const MessageArgs& args, Icon icon) override;
    void messageText(const std::string& text, Icon icon) override;
    bool ask(int id, const MessageArgs& args, bool defaultAnswer) override;
    void status(const std::string&) override {}
    bool cancelled() override { return false; }

private:
    QWidget* parent_;
};

} // namespace qmk
