// Numbered texts of the program: every message, caption and report text it shows,
// looked up by number and filled with "%1", "%2" arguments.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "resources/Feedback.h"
#include "resources/MessageIds.h"

namespace qmk {

// The text of a numbered message, or an empty view when the number is unknown.
std::string_view messageText(int id);

// Replaces %1 .. %9 in a template with the arguments (missing ones become empty).
std::string fillPlaceholders(std::string_view text, const MessageArgs& args);

// messageText(id) with its placeholders filled.
std::string formatMessage(int id, const MessageArgs& args = {});

// The entries of a message's list (files, lines, texts), one per line.
std::string joinedLines(const std::vector<std::string>& lines);

} // namespace qmk
