// Feedback written to a stream.
#include "app/StreamFeedback.h"

#include <ostream>

#include "resources/Messages.h"

namespace qmk {

void StreamFeedback::message(int id, const MessageArgs& args, Icon)
{
    out_ << formatMessage(id, args) << '\n';
}

void StreamFeedback::messageText(const std::string& text, Icon)
{
    out_ << text << '\n';
}

} // namespace qmk
