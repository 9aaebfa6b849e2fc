// "Conflicts": the texts an import found changed both here and on the platform since their
// export. Each is settled on its own — the platform's text or the project's — as one step Undo
// takes back; what is not settled stays as the import left it (the project's text, flagged).
#pragma once

#include <QDialog>
#include <vector>

#include "database/ProjectRows.h"
#include "exchange/ThreeWayImport.h"

class QPushButton;
class QTreeWidget;

namespace qmk {

class CQuillDoc;

class CConflictsDlg : public QDialog {
    Q_OBJECT
public:
    CConflictsDlg(CQuillDoc& doc, LanguageId language, std::vector<ImportDisagreement> conflicts,
                  QWidget* parent = nullptr);

    QTreeWidget* list() const { return list_; }
    // The chosen conflict settled with the file's text (true) or the project's.
    bool settleChosen(bool takeTheirs);

private:
    void updateButtons();

    CQuillDoc& doc_;
    LanguageId language_;
    std::vector<ImportDisagreement> conflicts_;
    QTreeWidget* list_;
    QPushButton* theirs_;
    QPushButton* ours_;
};

} // namespace qmk
