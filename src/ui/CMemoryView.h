// The "Translation Memory" panel: the best matches the memory holds for the chosen item in the
// current translation, with score, origin and an exact mark; the chosen match's source with its
// differences from this item's source marked. Ctrl+1 to Ctrl+5 (or a double click) put a match
// into the bar's Translation box; nothing is stored until OK.
#pragma once

#include <QPointer>
#include <QWidget>
#include <vector>

#include "project/MemorySuggestions.h"

class QLabel;
class QTreeWidget;

namespace qmk {

class CChildFrame;
class CMemoryLookup;
class MemoryFeeds;

class CMemoryView : public QWidget {
    Q_OBJECT
public:
    CMemoryView(MemoryFeeds& feeds, int minimumScore, QWidget* parent = nullptr);
    void bind(CChildFrame* child);
    // Looks the chosen item up again.
    void refresh();
    // After the memory's settings changed: a lookup under way is dropped and the chosen item
    // looked up again in the memory the settings now name.
    void restart(int minimumScore);
    QTreeWidget* list() const { return list_; }
    const std::vector<MemorySuggestion>& suggestions() const { return suggestions_; }

signals:
    // Match `index` (0 for the best) is wanted in the Translation box.
    void matchWanted(const QString& translation);

public:
    // Emits matchWanted for match `index` when there is one.
    void takeMatch(int index);

private:
    void showSuggestions(const std::vector<MemorySuggestion>& suggestions);
    void showProblem(const QString& why);
    void showDifferences();

    MemoryFeeds& feeds_;
    int minimumScore_;
    QPointer<CChildFrame> child_;
    QTreeWidget* list_;
    QLabel* differences_;
    std::vector<MemorySuggestion> suggestions_;
    CMemoryLookup* lookup_ = nullptr;  // for a shared memory, made on first use
};

} // namespace qmk
