// "New Translation": a language from the language table and the name of its translated script,
// proposed from the project's name until the translator types one. OK runs the document's
// checks; a refused choice keeps the dialog open.
#pragma once

#include <QDialog>

class QComboBox;
class QLineEdit;

namespace qmk {

class CQuillDoc;

class CNewTranslationDlg : public QDialog {
    Q_OBJECT
public:
    explicit CNewTranslationDlg(CQuillDoc& doc, QWidget* parent = nullptr);
    QComboBox* languageList() const { return languages_; }
    QLineEdit* fileNameEdit() const { return fileName_; }

    void accept() override;

private:
    void proposeFileName();

    CQuillDoc& doc_;
    QComboBox* languages_;
    QLineEdit* fileName_;
    bool typed_ = false;  // the translator typed a name: it is not replaced
};

} // namespace qmk
