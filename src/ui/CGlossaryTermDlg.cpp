// "Add Glossary Term".
#include "ui/CGlossaryTermDlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "resources/GlossaryTexts.h"

namespace qmk {
namespace {

QString qs(const std::string& text) { return QString::fromStdString(text); }

QLineEdit* field(QWidget* parent, const std::string& text, const char* accessibleName)
{
    auto* edit = new QLineEdit(qs(text), parent);
    edit->setAccessibleName(QString::fromUtf8(accessibleName));
    return edit;
}

std::string trimmed(const QLineEdit* edit) { return edit->text().trimmed().toStdString(); }

} // namespace

CGlossaryTermDlg::CGlossaryTermDlg(GlossaryEntry proposed, QWidget* parent)
    : QDialog(parent), proposed_(std::move(proposed)), term_(field(this, proposed_.term, "Term")),
      translation_(field(this, proposed_.translation, "Translation")), note_(field(this, proposed_.note, "Note"))
{
    setObjectName(QStringLiteral("glossaryTermDialog"));
    setWindowTitle(QString::fromUtf8(txt::GlossaryAddTitle));
    auto* form = new QFormLayout(this);
    auto row = [&](const char* label, QLineEdit* edit) {
        auto* caption = new QLabel(QString::fromUtf8(label), this);
        caption->setBuddy(edit);
        form->addRow(caption, edit);
    };
    row(txt::GlossaryTermLabel, term_);
    row(txt::GlossaryTranslationLabel, translation_);
    row(txt::GlossaryNoteLabel, note_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setAccessibleName(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setAccessibleName(QStringLiteral("Cancel"));
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto enableOk = [this, buttons] { buttons->button(QDialogButtonBox::Ok)->setEnabled(!trimmed(term_).empty()); };
    connect(term_, &QLineEdit::textChanged, this, enableOk);
    enableOk();
    // With the term taken from the selection, what is left to type is its translation.
    (proposed_.term.empty() ? term_ : translation_)->setFocus();
}

GlossaryEntry CGlossaryTermDlg::entry() const
{
    GlossaryEntry entry = proposed_;
    entry.term = trimmed(term_);
    entry.translation = trimmed(translation_);
    entry.note = trimmed(note_);
    return entry;
}

} // namespace qmk
