// The Text Table: every translatable text of the project as a row, one column per translation.
// It shows the document's rows and asks the document for every change (exclude, next item);
// the current column decides which translation the bar, the previews and the gauge follow.
#pragma once

#include <QTableView>
#include <functional>
#include <map>
#include <string>
#include <optional>

#include "database/ProjectRows.h"
#include "project/ItemNavigation.h"
#include "project/TextSearch.h"

namespace qmk {

class CQuillDoc;
class CTextTableModel;
class CRowFilterModel;

class CTextListView : public QTableView {
    Q_OBJECT
public:
    // `action` gives the window's action of a command id, for the context menu.
    CTextListView(CQuillDoc& doc, std::function<QAction*(int)> action, QWidget* parent = nullptr);

    CQuillDoc& document() { return doc_; }
    CTextTableModel* tableModel() const { return model_; }

    // -1 when no row is selected (also while the chosen item's row is hidden).
    int selectedRow() const;
    // Selects, focuses and shows the row as if the translator had; -1 when the index is outside
    // the table or the filter hides the row.
    int selectRow(int row);
    int selectRowOfLine(int lineIndex);
    // Follows an item chosen elsewhere (tree, preview, bookmark) without announcing it: its row
    // is selected where the table shows it, and nothing is selected where it does not. The
    // table keeps showing it through filters, reloads and switches.
    int showLine(int lineIndex);
    int shownLine() const { return selectedLine_; }

    // The translation column the bar and the gauge follow (-1: none); the source-column flag
    // says the Id or source column was chosen last.
    int currentColumn() const { return currentColumn_; }
    bool sourceColumnChosen() const { return sourceChosen_; }
    // Whether the selected row draws this column's cell as selected: where OK stores.
    bool isCurrentCell(int column) const;
    // A click in a column: a translation's makes it current, the Id or source column the source.
    void chooseColumn(int column);
    void setCurrentLanguage(LanguageId language);
    std::optional<LanguageId> currentLanguage() const;

    // The next shown row after the chosen item's without a translation in the current column
    // (wrapping), else the next shown row.
    // The next or previous untranslated or flagged text of the current translation among the
    // shown rows; false when there is none.
    bool goToItem(bool forward, WantedItem wanted);
    void nextItem();
    // Switches a category; the chosen item's row stays selected where it is still shown.
    void toggleCategory(ProjectSwitch category);
    // Shows only the rows whose source or current translation holds the text (empty: all).
    void setFilter(const std::string& text);
    const std::string& filter() const { return filter_; }
    int shownRowCount() const;
    // Whether the filter lets the table's row be seen.
    bool isRowShown(int row) const;
    // The table's row of a view index (the view may hide rows).
    int rowOf(const QModelIndex& index) const;

    // No type-ahead while a translation is current: a letter meant for the Translation box
    // would jump to another row. The letters are handed on to be typed there instead.
    void keyboardSearch(const QString& search) override;

signals:
    // A double click on a row (its table row).
    void rowActivated(int row);

    // The translator selected a row (mouse, keyboard, next item, find), after the selection
    // changed.
    void rowSelected(int row);
    void currentColumnChanged(int column);
    // Letters typed in the table while a translation is current: they belong to the chosen
    // text's translation.
    void typedIntoTranslation(const QString& text);

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void resetColumns();
    // Rows as high as the tallest font a column shows, so no translation is cut.
    void fitRowHeight();
    // Selects the shown line's row again (or nothing) after the rows or the filter changed.
    void reselect();

    CQuillDoc& doc_;
    std::function<QAction*(int)> action_;
    void applyFilter();

    CTextTableModel* model_;
    CRowFilterModel* shown_;
    std::string filter_;
    RowFilter rowFilter_;
    int currentColumn_ = -1;
    int selectedLine_ = -1;  // the chosen item's line: found again after a reload
    bool sourceChosen_ = false;
    bool following_ = false;  // the selection follows an item chosen elsewhere: not announced
    // The widths the translator gave the columns, by header; the column stretched to the edge.
    std::map<std::string, int> widths_;
    std::string stretched_;
    bool sizingColumns_ = false;
};

} // namespace qmk
