// The commands that change the translations: undo and redo, the Translation box, excluding an
// item, marks, the version block header, a changed source accepted, translations added and
// deleted.
#pragma once

class QMenu;
class QString;

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
// Translation > Settings: "Source Text" first, then one entry per translation in the project's
// order, each opening that translation's settings.
void fillTranslationSettingsMenu(CommandContext& ctx, QMenu& menu);
// The translation chosen in the "Language" toolbar's list becomes the current one, in the Text
// Table and in the preview in front.
void chooseListedLanguage(CommandContext& ctx, const QString& name);

} // namespace qmk
