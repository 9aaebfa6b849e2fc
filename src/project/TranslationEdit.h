// Edits as commands: each store of a translation and each exclude goes through the document
// and is remembered with what it replaced, so that it can be undone and redone (Ctrl+Z,
// Ctrl+Y in the window) in the database, the row and the flags together.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "database/ProjectRows.h"
#include "project/OperationResult.h"

namespace qmk {

class CQuillDoc;

struct TranslationEdit {
    enum class Kind { Text, Exclude };
    Kind kind = Kind::Text;
    int lineIndex = 0;
    LanguageId language;
    std::string textBefore, textAfter;
    bool flaggedBefore = false;  // the translation's review flag before the store
    bool excludedBefore = false;
    bool excludedAfter = false;

    OperationResult apply(CQuillDoc& doc) const;
    OperationResult revert(CQuillDoc& doc) const;
};

class EditHistory {
public:
    // Stores through the document and remembers the edit when it was stored.
    OperationResult store(CQuillDoc& doc, int lineIndex, LanguageId language, std::string_view text);
    OperationResult exclude(CQuillDoc& doc, int lineIndex, bool excluded);

    // Edits made between the two calls are one step for Undo and Redo (a Replace All).
    void beginGroup();
    void endGroup();

    bool canUndo() const { return !done_.empty(); }
    bool canRedo() const { return !undone_.empty(); }
    OperationResult undo(CQuillDoc& doc);
    OperationResult redo(CQuillDoc& doc);
    // After a reload, an update or a closed project the remembered edits no longer apply.
    void clear();

private:
    OperationResult record(CQuillDoc& doc, TranslationEdit edit);
    using Step = std::vector<TranslationEdit>;
    static OperationResult step(CQuillDoc& doc, std::vector<Step>& from, std::vector<Step>& to, bool apply);

    std::vector<Step> done_;
    std::vector<Step> undone_;
    bool grouping_ = false;
    bool groupStarted_ = false;
};

} // namespace qmk
