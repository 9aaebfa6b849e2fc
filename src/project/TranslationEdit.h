// The project's edit history: every change a translator makes (a store, an exclude, a Replace
// All, an import) is one step, remembered with what it replaced, so that Undo and Redo take it
// back and bring it again in the database, the row and the flags together.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "database/ProjectRows.h"

namespace qmk {

// A marked cell of the Text Table: the item's line and the column.
using TableMark = std::pair<int, int>;

struct TranslationEdit {
    enum class Kind { Text, Exclude, Marks, IgnoreFinding };
    Kind kind = Kind::Text;
    int lineIndex = 0;
    LanguageId language;
    std::string textBefore, textAfter;
    bool flaggedBefore = false;  // the translation's review flag before the change
    bool flaggedAfter = false;
    bool excludedBefore = false;
    bool excludedAfter = false;
    std::vector<TableMark> marksBefore, marksAfter;  // every mark of the table (Kind::Marks)
    std::string check;  // the check whose finding is let stand or restored (Kind::IgnoreFinding)
    bool ignoredBefore = false;
    bool ignoredAfter = false;
};

// One step of the history: what Undo takes back at once, with the words the window shows
// ("store 'Datei' (German)").
struct EditStep {
    std::string label;
    std::vector<TranslationEdit> edits;
};

class EditHistory {
public:
    // The oldest steps are forgotten beyond this many (an import's step can hold every text).
    static constexpr std::size_t MostSteps = 200;

    // A change done: a step of its own, or part of the open group.
    void record(TranslationEdit edit, const std::string& label);
    // Changes recorded between the two calls are one step named `label` (a Replace All, an
    // import); a group without changes leaves no step. Groups do not nest: the outer one holds.
    void beginGroup(const std::string& label);
    void endGroup();
    bool grouping() const { return groupDepth_ > 0; }

    bool canUndo() const { return !done_.empty(); }
    bool canRedo() const { return !undone_.empty(); }
    // The step Undo or Redo would take next; null when there is none.
    const EditStep* nextUndo() const { return done_.empty() ? nullptr : &done_.back(); }
    const EditStep* nextRedo() const { return undone_.empty() ? nullptr : &undone_.back(); }
    // Moves the newest step over to the other list once the document has reverted or applied it.
    void undone();
    void redone();
    // After a reload, an update or a translation added or deleted the remembered edits no
    // longer apply.
    void clear();

private:
    std::vector<EditStep> done_;
    std::vector<EditStep> undone_;
    std::string groupLabel_;
    int groupDepth_ = 0;
    bool groupHasStep_ = false;
};

} // namespace qmk
