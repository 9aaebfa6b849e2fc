// When the window's commands can run: one rule per command, a pure function of what the window
// shows (the active project, its chosen item and current translation, the preview in front), so
// that a new command is one row of the command table and, where it needs one, one rule here.
#pragma once

#include "database/ProjectRows.h"
#include "project/ChosenItem.h"

namespace qmk {

struct CommandState {
    bool project = false;            // a project (or a preview of one) is active
    ItemTexts item;                  // the chosen item in the current translation
    ItemType chosenType = ItemType::None;
    int rows = 0;                    // rows the Text Table shows
    int translations = 0;
    bool translationCurrent = false; // a translation, not the source, is the current column
    ProjectSwitches switches;
    bool canUndo = false;
    bool canRedo = false;
    bool findRepeatable = false;     // the last search had columns and a text (or changed items)
    bool projectFileSelected = false;
    bool preview = false;            // a preview is the active window
    int previewItems = 0;
    bool previewTranslated = false;  // it shows a translation, not the source
    bool previewItemSelected = false;
};

struct CommandRule {
    int id;
    bool (*enabled)(const CommandState&);
    bool (*checked)(const CommandState&) = nullptr;  // for commands that show a check mark
};

// The rule of a command; nothing for commands that can always run.
const CommandRule* commandRule(int id);

} // namespace qmk
