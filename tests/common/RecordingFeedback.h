// A feedback channel for tests: remembers everything the core said and asked.
#pragma once

#include <string>
#include <vector>

#include "resources/Feedback.h"

namespace qmk::test {

class RecordingFeedback : public Feedback {
public:
    struct Said {
        int id;  // 0 for composed texts
        std::string text;
        Icon icon;
    };

    void message(int id, const MessageArgs& args, Icon icon) override;
    void messageText(const std::string& text, Icon icon) override;
    bool ask(int id, const MessageArgs& args, bool defaultAnswer) override;
    bool askText(const std::string& text, bool) override
    {
        askedTexts.push_back(text);
        return answer;
    }
    void status(const std::string& text) override { statusTexts.push_back(text); }
    bool cancelled() override { return cancelAfterPolls >= 0 && ++polls > cancelAfterPolls; }
    void beep() override { ++beeps; }
    void beginTask(const std::string& title, long) override { tasks.push_back(std::string(depth++ * 2, ' ') + title); }
    void stepTask(long done, long total) override
    {
        lastProgress = {done, total};
        ++progressCalls;
    }
    void endTask() override { --depth; }

    bool saidMessage(int id) const;

    std::vector<Said> said;
    std::vector<int> asked;
    std::vector<std::string> askedTexts;
    std::vector<std::string> statusTexts;
    std::pair<long, long> lastProgress{0, 0};
    int progressCalls = 0;
    int beeps = 0;
    // Every task begun, indented two blanks per enclosing task.
    std::vector<std::string> tasks;
    int depth = 0;
    bool answer = true;          // what every question is answered with
    int cancelAfterPolls = -1;   // -1: never cancel
    int polls = 0;
};

} // namespace qmk::test
