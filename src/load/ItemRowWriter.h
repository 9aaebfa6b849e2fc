// The rows of a newly stored line, shared by the build and the source update: its line and text
// rows, which item table its kind goes to and which dialog, menu or version resource that row
// links to.
#pragma once

#include "database/ProjectRows.h"
#include "parser/LineSink.h"

namespace qmk {

class LineStore;
class ScriptParser;
struct ParsedLine;

// Line keys of the resource lines that the rows of the following lines link to.
struct ResourceContext {
    int dialog = 0;
    int menu = 0;
    int version = 0;
    int block = 0;  // the last version BLOCK, whether or not it has a row
};

// Adds the item row of a new line under `lineIndex` (nothing for kinds without one) and makes a
// dialog, menu, version or block line the current one for the lines after it.
void addItemRow(LineStore& rows, ResourceContext& context, int lineIndex, const ParsedLine& line,
                const ScriptParser& parser);

// Stores a line as new under `lineIndex`: its line row (with `added`), its text when it has
// one, and its item row.
void addNewLine(LineStore& rows, ResourceContext& context, int lineIndex, int added, int lineNumber,
                const ParsedLine& line, const ScriptParser& parser, const LineSplit& split);

// A control row of the line as the parser read it (no line key, no dialog).
ControlRow controlRowOf(const ParsedLine& line, const ScriptParser& parser);

} // namespace qmk
