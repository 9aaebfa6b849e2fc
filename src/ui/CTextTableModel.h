// The Text Table's rows for a QTableView: a thin model over the document's rows. It follows the
// document's row-change reports with the matching insert and remove calls, so a category switch
// keeps the selection and the scroll position, and it hands out text decoded once per row.
#pragma once

#include <QAbstractTableModel>
#include <QFont>
#include <optional>
#include <vector>

#include "project/ProjectObserver.h"

namespace qmk {

class CQuillDoc;
class TranslationFindings;

class CTextTableModel : public QAbstractTableModel, public ProjectObserver {
    Q_OBJECT
public:
    // Roles the delegate draws from.
    enum Role { ExcludedRole = Qt::UserRole + 1, GroupStartRole, MarkRole, ModifiedRole, FindingsRole };

    explicit CTextTableModel(CQuillDoc& doc, QObject* parent = nullptr);
    ~CTextTableModel() override;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    CQuillDoc& document() { return doc_; }
    // The font of each column, from the fonts the project gives its languages.
    void refreshFonts();
    // The checks' findings the current translation's cells are marked with (none: no marks).
    void setFindings(const TranslationFindings* findings)
    {
        findings_ = findings;
        findingsColumn_ = findingsColumn();
    }
    // The marks follow the findings.
    void findingsChanged();
    // The height of a row that shows every column's font whole, `viewFont` for the others.
    int rowHeight(const QFont& viewFont) const;

    // ProjectObserver: the document reports before and after rows come and go, so the model
    // announces them in Qt's order.
    void rowsAboutToChange(const RowChange& change) override;
    void rowsChanged(const RowChange& change) override;
    void tableReset() override;
    void fontChanged(LanguageId language, bool source) override;
    void busyChanged(bool busy) override;

signals:
    void busyStateChanged(bool busy);
    void fontsChanged();

private:
    QString toolTip(const QModelIndex& index) const;
    QString cellToolTip(const QModelIndex& index) const;

    // The column the findings are of, or -1.
    int findingsColumn() const;

    CQuillDoc& doc_;
    const TranslationFindings* findings_ = nullptr;
    int findingsColumn_ = -1;  // the column the findings are of, or -1
    std::vector<std::optional<QFont>> columnFonts_;  // none: the view's own font
    int columns_ = 0;
    bool resetting_ = false;  // between the document's two reports of a reset
};

} // namespace qmk
