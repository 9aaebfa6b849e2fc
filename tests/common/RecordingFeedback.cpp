#include "common/RecordingFeedback.h"

#include <algorithm>

#include "resources/Messages.h"

namespace qmk::test {

void RecordingFeedback::message(int id, const MessageArgs& args, Icon icon)
{
    said.push_back({id, formatMessage(id, args), icon});
}

void RecordingFeedback::messageText(const std::string& text, Icon icon)
{
    said.push_back({0, text, icon});
}

bool RecordingFeedback::ask(int id, const MessageArgs& args, bool)
{
    asked.push_back(id);
    said.push_back({id, formatMessage(id, args), Icon::Question});
    return answer;
}

bool RecordingFeedback::saidMessage(int id) const
{
    return std::any_of(said.begin(), said.end(), [id](const Said& s) { return s.id == id; });
}

} // namespace qmk::test
