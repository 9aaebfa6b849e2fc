// Project > Statistics: every translation's texts and source words, translated, flagged for
// review and still untranslated, counted as the status bar counts them.
#pragma once

#include <QDialog>

class QTableWidget;

namespace qmk {

class CQuillDoc;

class CStatisticsDlg : public QDialog {
    Q_OBJECT
public:
    CStatisticsDlg(CQuillDoc& doc, QWidget* parent = nullptr);
    QTableWidget* table() const { return table_; }

private:
    QTableWidget* table_;
};

} // namespace qmk
