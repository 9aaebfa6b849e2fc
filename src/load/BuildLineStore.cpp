// The per-line store of a fresh build.
#include "load/BuildLineStore.h"

namespace qmk {

BuildLineStore::BuildLineStore(LineStore& store) : rows_(store) {}

void BuildLineStore::store(const ParsedLine& line, const ScriptParser& parser, int lineNumber)
{
    addNewLine(rows_, context_, lineIndexes_.take(), 0, lineNumber, line, parser, splitParsedLine(line, parser));
}

} // namespace qmk
