// Stores each parsed line of a fresh build: its line row, its text row and the row of its item
// table, linking controls, captions, menu items and version rows to the resource they belong to.
#pragma once

#include "database/LineIndexAllocator.h"
#include "parser/LineSink.h"

namespace qmk {

class LineStore;

class BuildLineStore : public LineSink {
public:
    explicit BuildLineStore(LineStore& store);

    void store(const ParsedLine& line, const ScriptParser& parser, int lineNumber) override;

private:
    void storeItemRow(int kind, int lineIndex, const ParsedLine& line, const ScriptParser& parser);

    LineStore& rows_;
    LineIndexAllocator lineIndexes_;
    int currentDialog_ = 0;
    int currentMenu_ = 0;
    int currentVersion_ = 0;
    int currentBlock_ = 0;
};

} // namespace qmk
