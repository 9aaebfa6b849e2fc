// The per-line store of a fresh build.
#include "parser/BuildLineStore.h"

#include <string>

#include "database/LineStore.h"
#include "parser/LineKindGroups.h"
#include "parser/ParsedLine.h"

namespace qmk {

BuildLineStore::BuildLineStore(LineStore& store) : rows_(store) {}

void BuildLineStore::store(const ParsedLine& line, const ScriptParser& parser, int lineNumber)
{
    const int lineIndex = lineIndexes_.take();
    const LineSplit split = splitParsedLine(line, parser);

    LineRow row;
    row.lineIndex = lineIndex;
    row.line = lineNumber;
    row.lineKind = line.kind;
    row.added = 0;
    row.beforeStr = std::string(split.before);
    row.behindStr = std::string(split.behind);
    rows_.addLine(row);

    if (split.hasText)
        rows_.addText(lineIndex, split.text, isExcludedByDefault(line.kind));
    addItemRow(rows_, context_, lineIndex, line, parser);
}

} // namespace qmk
