// Stores each parsed line of a fresh build: its line row, its text row and the row of its item
// table, linking controls, captions, menu items and version rows to the resource they belong to.
#pragma once

#include "database/LineIndexAllocator.h"
#include "load/ItemRowWriter.h"
#include "parser/LineSink.h"

namespace qmk {

class LineStore;

class BuildLineStore : public LineSink {
public:
    explicit BuildLineStore(LineStore& store);

    void store(const ParsedLine& line, const ScriptParser& parser, int lineNumber) override;

private:
    LineStore& rows_;
    LineIndexAllocator lineIndexes_;
    ResourceContext context_;
};

} // namespace qmk
