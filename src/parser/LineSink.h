// Where the load loop puts each parsed line: the build stores it as new, the source update
// matches it with what the project already holds.
#pragma once

#include <string_view>

namespace qmk {

class ScriptParser;
struct ParsedLine;

// A line's text cut at its translatable string (or include name): before + text + behind
// gives the rebuilt statement back. Lines without text keep everything in `before`.
struct LineSplit {
    std::string_view before;
    std::string_view text;
    std::string_view behind;
    // The literals the text was joined from, as the script wrote them; empty for one literal.
    std::string_view asWritten;
    bool hasText = false;
};

LineSplit splitParsedLine(const ParsedLine& line, const ScriptParser& parser);

class LineSink {
public:
    virtual ~LineSink() = default;
    // Called for every line to be stored, with the parser still positioned on it.
    virtual void store(const ParsedLine& line, const ScriptParser& parser, int lineNumber) = 0;
};

} // namespace qmk
