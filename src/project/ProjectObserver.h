// What a view, bar or preview hears about its project. The document is the only one that
// changes a project; after each change succeeded it tells every registered observer, which
// then redraws what it shows and never writes the database itself.
#pragma once

#include "database/ProjectRows.h"
#include "project/TextTableRows.h"

namespace qmk {

class ProjectObserver {
public:
    virtual ~ProjectObserver() = default;

    // A translation was stored (or restored by an undo) for the line's text.
    virtual void translationStored(int /*lineIndex*/, LanguageId /*language*/) {}
    // The line's text was excluded from translation, or included again.
    virtual void itemExcluded(int /*lineIndex*/, bool /*excluded*/) {}
    // A translation was added or deleted: columns, menus and selectors change.
    virtual void translationsChanged() {}
    // Rows of the Text Table are about to be inserted or removed, or all read again (Reset);
    // told before the rows change, so that a table model can announce it first.
    virtual void rowsAboutToChange(const RowChange& /*change*/) {}
    // Rows of the Text Table were inserted, removed or changed, in this order.
    virtual void rowsChanged(const RowChange& /*change*/) {}
    // Every row was read again (after rowsAboutToChange with a Reset).
    virtual void tableReset() {}
    // The font a language's texts are shown in was changed (`source`: the source text's).
    virtual void fontChanged(LanguageId /*language*/, bool /*source*/) {}
    // The project was updated from its changed script.
    virtual void sourceUpdated() {}
    // A finding of a quality check was let stand or restored, or checks were switched on or off.
    virtual void checksChanged() {}
    // A long operation started or ended; while busy the document refuses other changes.
    virtual void busyChanged(bool /*busy*/) {}
    // A step of several changes (a Replace All, a pre-translation, or the Undo or Redo of one)
    // is complete: what an observer put off during it can be done now.
    virtual void editStepEnded() {}
};

} // namespace qmk
