// What the statement rules record about the statement being read, and the state that
// carries the reader from one statement to the next (resource type, nesting depth).
#pragma once

#include <cstdint>

#include "parser/ScriptScanner.h"

namespace qmk {

struct ParseState {
    // Carried across statements.
    int depth = 0;
    int resourceType = 0;
    int resourceLine = 0;
    int dialogWidth = 0;
    int error = 0;
    // The user-defined resource being read holds data of the resource editor (dialog
    // initialisation, layout and guide lines), never texts for translation.
    bool editorData = false;
    // The menu being read is a MENUEX: its items go on with an id, a type, a state and (for a
    // popup) a help id.
    bool menuEx = false;

    // Cleared at the start of each statement.
    int kind = 0;
    int action = 0;
    TextSpan string;
    std::string stringAsWritten;  // the literals the string was joined from, when several
    TextSpan secondString;
    TextSpan includeName;
    int x = 0, y = 0, cx = 0, cy = 0;
    std::uint32_t styleBits = 0;
    int number = 0;
    int language = 0, sublanguage = 0;
    int value1 = 0, value2 = 0;

    void clearStatement()
    {
        kind = action = 0;
        string = secondString = includeName = {};
        stringAsWritten.clear();
        x = y = cx = cy = 0;
        styleBits = 0;
        number = 0;
        language = sublanguage = 0;
        value1 = value2 = 0;
    }
};

} // namespace qmk
