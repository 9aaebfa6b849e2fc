// The window of one open project: the resource tree on the left (a third of the width less
// three pixels) and the Text Table on the right. It owns the project's document.
#pragma once

#include <QSplitter>
#include <QWidget>
#include <functional>
#include <memory>

#include "project/ItemTypes.h"
#include "project/ProjectObserver.h"
#include "project/TextSearch.h"

class QLabel;
class QLineEdit;

namespace qmk {

class CQuillDoc;
class CResTreeView;
class TranslationFindings;
class CTextListView;

class CChildFrame : public QWidget, public ProjectObserver {
    Q_OBJECT
public:
    CChildFrame(std::unique_ptr<CQuillDoc> doc, std::function<QAction*(int)> action, QWidget* parent = nullptr);
    ~CChildFrame() override;

    CQuillDoc& document() { return *doc_; }
    CTextListView* textList() const { return table_; }
    CResTreeView* resourceTree() const { return tree_; }
    // The quality checks' findings over the current translation.
    TranslationFindings& findings() { return *findings_; }
    // The filter box above the Text Table: it narrows the rows shown, never the project.
    QLineEdit* filterBox() const { return filter_; }
    // The item last chosen in the Text Table, the tree, a preview, by a bookmark or a search:
    // what the bar shows and stores into and what the commands act on, whatever the filter
    // and the display switches hide.
    struct ChosenItem {
        ItemType type = ItemType::None;
        int lineIndex = -1;
    };
    ChosenItem chosenItem() const { return chosen_; }
    // Chooses an item chosen outside the Text Table; the table selects its row where it shows
    // it. `type` None: the type of its text.
    void chooseItem(int lineIndex, ItemType type = ItemType::None);
    // The last search of this project and where it stands (Find Next repeats it; Replace goes
    // on from the current match).
    struct SearchState {
        SearchOptions options;
        CellHit hit;
        int matchLength = 0;
        // The marks shown are those Replace All or an import left on what they changed: they
        // go when the next search begins.
        bool marksUntilSearch = false;
    };
    SearchState& search() { return search_; }
    // Renews the window title from the document's state marks.
    void updateTitle();
    // Told apart from another open project of the same file name (its folder, say).
    void setTitleSuffix(const QString& suffix);
    // Flips a display switch: the table adds or removes its rows, the tree is rebuilt.
    void toggleCategory(ProjectSwitch category);
    // The close question and the close-time bookkeeping; false keeps the window open.
    bool queryClose();

    // ProjectObserver
    void translationStored(int, LanguageId) override { updateTitle(); }
    void itemExcluded(int, bool) override { updateTitle(); }
    void sourceUpdated() override { updateTitle(); }

signals:
    // The window is asked to close: typing not stored yet goes in before the save question.
    void aboutToClose();
    // Another item was chosen: the bar shows it.
    void itemChosen(int lineIndex);
    // Something the status panes show changed: selection, current column, a stored text.
    void stateChanged();
    void closed(CChildFrame* frame);
    // The findings of the current translation changed.
    void findingsChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Tab walks the resource tree, the filter and the Text Table, then leaves the project's
    // window; Shift+Tab walks them back. No control of it is a trap for keyboard users.
    bool focusNextPrevChild(bool next) override;
    // Focus coming in by Tab goes to the first control, by Shift+Tab to the table, else to
    // the table.
    void focusInEvent(QFocusEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void showMatchCount();
    bool inOtherWindow(const QWidget* widget) const;

    std::unique_ptr<CQuillDoc> doc_;
    QSplitter* splitter_;
    CResTreeView* tree_;
    CTextListView* table_;
    QLineEdit* filter_;
    QLabel* matches_;
    QString titleSuffix_;
    std::unique_ptr<TranslationFindings> findings_;
    ChosenItem chosen_;
    SearchState search_;
    bool sized_ = false;
    bool closing_ = false;
};

} // namespace qmk
