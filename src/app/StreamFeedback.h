// Feedback for a run without a window: messages become lines on a stream, questions take
// their default answer, progress and status stay silent.
#pragma once

#include <iosfwd>

#include "resources/Feedback.h"

namespace qmk {

class StreamFeedback : public SilentFeedback {
public:
    explicit StreamFeedback(std::ostream& out) : out_(out) {}
    void message(int id, const MessageArgs& args, Icon icon) override;
    void messageText(const std::string& text, Icon icon) override;

private:
    std::ostream& out_;
};

} // namespace qmk
