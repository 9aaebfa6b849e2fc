// "Add Glossary Term": a term taken from the source text, its translation and a note, filled in
// beforehand from what the translator selected, so that Enter alone stores it.
#pragma once

#include <QDialog>

#include "memory/Glossary.h"

class QLineEdit;

namespace qmk {

class CGlossaryTermDlg : public QDialog {
    Q_OBJECT
public:
    // `proposed` fills the fields and gives the languages and origin the entry keeps.
    explicit CGlossaryTermDlg(GlossaryEntry proposed, QWidget* parent = nullptr);
    // The entry as the fields now say.
    GlossaryEntry entry() const;

    QLineEdit* termEdit() const { return term_; }
    QLineEdit* translationEdit() const { return translation_; }

private:
    GlossaryEntry proposed_;
    QLineEdit* term_;
    QLineEdit* translation_;
    QLineEdit* note_;
};

} // namespace qmk
