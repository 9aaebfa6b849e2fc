// The include-extension setting: which included files are translated with the script.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qmk {

class Feedback;

// "dlg, .Rc2" -> {".DLG", ".RC2"}: entries separated by blanks and commas, each upper-cased,
// given a leading dot and cut to three characters.
std::vector<std::string> splitIncludeExtensions(std::string_view setting);

// The entries that are extensions of other kinds of files (".H", ".CPP", ...), in the order
// of the reserved list.
std::vector<std::string> reservedIncludeExtensions(const std::vector<std::string>& entries);

// What is wrong with an include-extension text as typed in "Application Settings": a character
// other than letters, digits, "_", blanks and commas, or an extension longer than three
// characters or reserved; the message to show, or empty when the text may be stored.
std::string includeExtensionTextProblem(std::string_view text);
// Checks the entries; when some are reserved, reports message 570 and returns false.
bool checkIncludeExtensions(const std::vector<std::string>& entries, Feedback& feedback);

} // namespace qmk
