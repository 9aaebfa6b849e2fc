// The commands that change the translations: undo and redo, the Translation box, excluding an
// item, marks, the version block header, a changed source accepted, translations added and
// deleted.
#pragma once

namespace qmk {

class CommandContext;

void undoOrRedo(CommandContext& ctx, bool undo);
// The "Translate" bar forward with the caret in its Translation box.
void showTranslationBar(CommandContext& ctx);
void toggleExclude(CommandContext& ctx);
void removeMarks(CommandContext& ctx);
void editVersionBlockHeader(CommandContext& ctx);
// The chosen item's translation still says what its changed source says: the flag goes.
void acceptSourceChange(CommandContext& ctx);
void newTranslation(CommandContext& ctx);
void deleteTranslation(CommandContext& ctx);

} // namespace qmk
