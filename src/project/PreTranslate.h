// Pre-translation from the translation memory: every untranslated text of a translation that
// the memory knows gets the best translation found, as translated when its source was the same
// text, flagged for review when it was only alike. One step of the edit history.
#pragma once

#include <string>

#include "database/ProjectRows.h"
#include "memory/TranslationMemory.h"

namespace qmk {

class CQuillDoc;

struct PreTranslateResult {
    bool ok = false;
    int exact = 0;         // stored as translated
    int fuzzy = 0;         // stored flagged for review
    int disagreeing = 0;   // matches whose placeholders, mnemonic or tabs do not fit the source
    int unfit = 0;         // matches the translation's code page cannot hold
    int withoutMatch = 0;  // untranslated texts the memory has nothing for
    bool cancelled = false;  // stopped on request; what was stored stays, one step of the history
    std::string problem;   // why nothing (or not everything) was done
};

// `minimumScore` 100 takes only identical source texts; below, alike ones down to that score.
// A task of the document's feedback, which may cancel it (a server answers each text slowly).
PreTranslateResult preTranslate(CQuillDoc& doc, TranslationMemory& memory, LanguageId language, int minimumScore);

} // namespace qmk
