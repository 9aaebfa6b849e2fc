// Test helpers for reading scripts into statement records.
#include "ParseHelpers.h"

#include "parser/ParsedLine.h"

namespace qmk::test {

std::vector<Statement> parseAll(ScriptParser& parser, LineCounter& counter, int maxSteps)
{
    std::vector<Statement> out;
    parser.reset();
    for (int step = 0; step < maxSteps; ++step) {
        if (parser.atEnd() || parser.error() < 0)
            break;
        ParsedLine line(parser);
        Statement s;
        s.text = line.text;
        s.kind = line.kind;
        s.action = line.action;
        s.resourceLine = line.resourceLine;
        s.error = line.error;
        s.physicalLine = parser.physicalLine();
        s.counter = counter.value;
        s.string = std::string(parser.stringText());
        s.stringStart = parser.stringSpan().start;
        s.secondString = std::string(parser.secondStringText());
        s.symbol = std::string(parser.symbolText());
        s.include = std::string(parser.includeName());
        s.x = parser.x();
        s.y = parser.y();
        s.cx = parser.cx();
        s.cy = parser.cy();
        s.style = parser.styleBits();
        s.number = parser.number();
        s.language = parser.language();
        s.sublanguage = parser.sublanguage();
        s.value1 = parser.value1();
        s.value2 = parser.value2();
        out.push_back(s);
        if (line.kind == 0 || line.error < 0)
            break;
    }
    return out;
}

std::vector<Statement> parseText(const std::string& script)
{
    LineCounter counter;
    ScriptParser parser(counter);
    parser.setText(script);
    return parseAll(parser, counter);
}

std::vector<Statement> parseContent(const std::string& script)
{
    std::vector<Statement> all = parseText(script);
    std::vector<Statement> content;
    for (const Statement& s : all)
        if (s.kind != 6 && s.kind != 7 && !(s.kind == 0 && s.text.empty()))
            content.push_back(s);
    return content;
}

} // namespace qmk::test
