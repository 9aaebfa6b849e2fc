// "Import Text" from a workbook: walks the pairs of worksheet row and Text Table row for one
// language of the sheet, shows the row's source and translation beside the sheet's text, and
// imports pair by pair, all at once, or only marks the texts that differ.
#pragma once

#include <QDialog>
#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace qmk {

class WorkbookImport;

class CWorkbookImportDlg : public QDialog {
    Q_OBJECT
public:
    // `showRow` selects a Text Table row in the project window.
    CWorkbookImportDlg(WorkbookImport& import, std::function<void(int)> showRow, QWidget* parent = nullptr);

    QComboBox* languageBox() const { return language_; }
    QCheckBox* markTableBox() const { return markTable_; }
    QCheckBox* markSheetBox() const { return markSheet_; }
    QLineEdit* sheetTextEdit() const { return sheetText_; }

    bool chooseLanguage(const QString& name);
    bool nextDown();
    bool nextUp();
    bool importCurrent();
    int importAll();
    int markAll();
    // At least one text was stored or marked while the dialog was open.
    bool changedAnything() const { return changed_; }

private:
    void showPair();

    WorkbookImport& import_;
    std::function<void(int)> showRow_;
    bool changed_ = false;
    QComboBox* language_;
    QLineEdit* source_;
    QLineEdit* translation_;
    QLabel* tableLine_;
    QLineEdit* sheetText_;
    QLabel* sheetLine_;
    QProgressBar* sheetProgress_;
    QProgressBar* tableProgress_;
    QCheckBox* markTable_;
    QCheckBox* markSheet_;
    QPushButton* nextDown_;
    QPushButton* nextUp_;
    QPushButton* importOne_;
    QPushButton* importAll_;
    QPushButton* markAll_;
};

} // namespace qmk
