// The commands that move through a project: item by item, to the next untranslated or flagged
// text, find and replace, the filter, bookmarks and the previews of the chosen item.
#pragma once

#include "project/ItemNavigation.h"

namespace qmk {

class CommandContext;
class CPreviewView;

void stepItem(CommandContext& ctx, bool forward);
// The next or previous untranslated or flagged text of the current translation.
void goToItem(CommandContext& ctx, bool forward, WantedItem wanted);
void openFindDialog(CommandContext& ctx, bool replace);
void repeatFind(CommandContext& ctx);
void focusFilter(CommandContext& ctx);
void bookmark(CommandContext& ctx);
// The chosen text bookmarked at once under its identifier.
void setBookmark(CommandContext& ctx);
// The next or previous bookmark of the Text Table in table order.
void stepBookmark(CommandContext& ctx, bool forward);
// The preview of the chosen item of the project in front (command 32950, 32951 or 32958).
void previewChosenItem(CommandContext& ctx, int command);
// The preview in front shows the source texts, or the translation the language list names.
void showPreviewIn(CommandContext& ctx, bool translated);
// "String at Table": the preview's item chosen in its project, whose window comes forward.
void showInTextTable(CommandContext& ctx, CPreviewView* preview);

} // namespace qmk
