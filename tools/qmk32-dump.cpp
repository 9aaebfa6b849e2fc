// Developer tool: prints every statement the script reader makes of a script, one per
// row, to see what the reader does with a real file. Not installed.
#include <cstdio>
#include <iostream>
#include <string>

#include "parser/LineCounter.h"
#include "parser/ParsedLine.h"
#include "parser/ParserError.h"
#include "parser/ScriptParser.h"

namespace {

// Strings are shown in brackets so that empty and blank ones stay visible.
std::string bracketed(std::string_view s) { return "[" + std::string(s) + "]"; }

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: qmk32-dump <script.rc>\n";
        return 2;
    }
    std::string fileName = argv[1];
    qmk::LineCounter counter;
    qmk::ScriptParser parser(counter);
    if (int rc = parser.loadFile(fileName); rc != 0) {
        std::cerr << qmk::ParserError::reportText(rc, parser.errorLocation(fileName)) << '\n';
        return 1;
    }
    parser.reset();
    std::cout << "line\tphys\tkind\taction\tresline\tsymbol\tstring\ttext\n";
    while (!parser.atEnd()) {
        qmk::ParsedLine line(parser);
        if (line.error < 0) {
            std::cerr << qmk::ParserError::reportText(line.error, parser.errorLocation(fileName)) << '\n';
            return 1;
        }
        std::cout << counter.value << '\t' << parser.physicalLine() << '\t' << line.kind << '\t'
                  << line.action << '\t' << line.resourceLine << '\t' << bracketed(parser.symbolText())
                  << '\t'
                  << bracketed(line.kind == 9 || line.kind == 10 ? parser.includeName() : parser.stringText())
                  << '\t' << line.text << '\n';
        if (line.kind == 0)
            break;
    }
    return 0;
}
