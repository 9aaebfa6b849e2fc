// The report texts for the reader's error codes (and three codes of its callers that
// share them), formed with the location of the failing statement.
#pragma once

#include <string>
#include <string_view>

namespace qmk {

class Feedback;

class ParserError {
public:
    // The text of a code on its own ("Parser Error: Resource File " for -99).
    static std::string_view codeText(int code);
    // The full report: the code's text, a blank and the location (with a full stop
    // where the text asks for one).
    static std::string reportText(int code, std::string_view location);
    // Location text of a statement: "file(line): statement".
    static std::string locationText(std::string_view fileName, int line, std::string_view statement);
    // Shows the report through the feedback channel with the stop icon.
    static void report(Feedback& feedback, int code, std::string_view location);

    // Texts the project layer shows when a whole build or translation fails.
    static std::string translationFailedText(std::string_view scriptName);
};

} // namespace qmk
