// The one channel through which the core talks to the person at the keyboard.
// The UI shows message boxes and a status bar, batch mode stays silent, tests record.
#pragma once

#include <string>
#include <vector>

namespace qmk {

enum class Icon { None, Stop, Exclamation, Question, Information };

using MessageArgs = std::vector<std::string>;

class Feedback {
public:
    virtual ~Feedback() = default;

    // A numbered message with its "%1", "%2" placeholders filled from args.
    virtual void message(int id, const MessageArgs& args, Icon icon) = 0;
    // A text composed by the caller (reports, parser errors with their location).
    virtual void messageText(const std::string& text, Icon icon) = 0;
    // A yes/no question; where nobody can answer, defaultAnswer is taken.
    virtual bool ask(int id, const MessageArgs& args, bool defaultAnswer) = 0;
    virtual void status(const std::string& text) = 0;
    virtual void progress(long done, long total) = 0;
    // Polled by long operations between steps.
    virtual bool cancelled() = 0;
    // The short sound that marks a refused or corrected step; nothing in batch mode.
    virtual void beep() {}
};

// Says nothing and answers every question with its default: batch mode.
class SilentFeedback : public Feedback {
public:
    void message(int, const MessageArgs&, Icon) override {}
    void messageText(const std::string&, Icon) override {}
    bool ask(int, const MessageArgs&, bool defaultAnswer) override { return defaultAnswer; }
    void status(const std::string&) override {}
    void progress(long, long) override {}
    bool cancelled() override { return false; }
};

} // namespace qmk
