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
    // A yes/no question composed by the caller.
    virtual bool askText(const std::string& text, bool defaultAnswer) = 0;
    // A question with answers of its own (their button texts): the index of the answer chosen.
    // `defaultChoice` is the answer Return and Escape give, and the one taken where nobody can
    // answer.
    virtual int choose(const std::string& /*text*/, const std::vector<std::string>& /*answers*/, int defaultChoice)
    {
        return defaultChoice;
    }
    virtual void status(const std::string& text) = 0;
    // Polled by long operations between steps: the person asked to stop the innermost task.
    virtual bool cancelled() = 0;
    // The short sound that marks a refused or corrected step; nothing in batch mode.
    virtual void beep() {}

    // A long operation as a task with a title: begun, stepped towards its total, ended. Tasks
    // nest (writing every translation is a task, each file a child). Batch mode ignores them;
    // the window shows the innermost title and steps, with Cancel where the operation polls.
    // An operation steps as often as it likes: the window decides how often it redraws. The
    // total may grow while the work reveals itself (a script's includes); 0 means unknown.
    virtual void beginTask(const std::string& /*title*/, long /*total*/) {}
    virtual void stepTask(long /*done*/, long /*total*/) {}
    virtual void endTask() {}
};

// Begins a task for its lifetime, so that every way out of an operation ends it.
class FeedbackTask {
public:
    FeedbackTask(Feedback& feedback, const std::string& title, long total = 0) : feedback_(feedback), total_(total)
    {
        feedback_.beginTask(title, total);
    }
    ~FeedbackTask() { feedback_.endTask(); }
    FeedbackTask(const FeedbackTask&) = delete;
    FeedbackTask& operator=(const FeedbackTask&) = delete;

    void step(long done) { feedback_.stepTask(done, total_); }
    void step(long done, long total)
    {
        total_ = total;
        feedback_.stepTask(done, total_);
    }
    bool cancelled() { return feedback_.cancelled(); }

private:
    Feedback& feedback_;
    long total_;
};

// Says nothing and answers every question with its default: batch mode.
class SilentFeedback : public Feedback {
public:
    void message(int, const MessageArgs&, Icon) override {}
    void messageText(const std::string&, Icon) override {}
    bool ask(int, const MessageArgs&, bool defaultAnswer) override { return defaultAnswer; }
    bool askText(const std::string&, bool defaultAnswer) override { return defaultAnswer; }
    void status(const std::string&) override {}
    bool cancelled() override { return false; }
};

} // namespace qmk
