// One statement as the reader hands it to its caller: the rebuilt text with its action,
// kind, resource line and error. The parser's positions stay valid until its next step.
#pragma once

#include <string>

#include "parser/ParserCodes.h"

namespace qmk {

class ScriptParser;

struct ParsedLine {
    // Reads the next statement from the parser.
    explicit ParsedLine(ScriptParser& parser);

    LineKind lineKind() const { return static_cast<LineKind>(kind); }

    std::string text;
    int action = 0;
    int kind = 0;
    int resourceLine = 0;
    int error = 0;
};

} // namespace qmk
