// Test helpers: read a whole script text and keep every statement with what the
// parser recorded about it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "parser/LineCounter.h"
#include "parser/ScriptParser.h"

namespace qmk::test {

struct Statement {
    std::string text;
    int kind = 0;
    int action = 0;
    int resourceLine = 0;
    int error = 0;
    int physicalLine = 0;
    int counter = 0;
    std::string string;
    std::string secondString;
    std::string symbol;
    std::string include;
    int x = 0, y = 0, cx = 0, cy = 0;
    std::uint32_t style = 0;
    int number = 0;
    int language = 0, sublanguage = 0;
    int value1 = 0, value2 = 0;
    int stringStart = 0;
};

// Reads until the end of input, a kind-0 line or an error; at most maxSteps steps.
std::vector<Statement> parseAll(ScriptParser& parser, LineCounter& counter, int maxSteps = 100000);
std::vector<Statement> parseText(const std::string& script);
// The statements of a script that are not block lines (BEGIN/END) or the final kind 0.
std::vector<Statement> parseContent(const std::string& script);

} // namespace qmk::test
