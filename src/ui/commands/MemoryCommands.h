// The translation memory's commands: pre-translate a translation from it, and exchange it with
// TMX files.
#pragma once

namespace qmk {

class CommandContext;

void preTranslate(CommandContext& ctx);
void importTmxIntoMemory(CommandContext& ctx);
void exportMemoryAsTmx(CommandContext& ctx);

} // namespace qmk
