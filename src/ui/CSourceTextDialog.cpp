// The old and new source text side by side, read-only.
#include "ui/CSourceTextDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPlainTextEdit>
#include <QPushButton>

#include "resources/UiTexts.h"

namespace qmk {

CSourceTextDialog::CSourceTextDialog(const QString& oldText, const QString& newText, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QString::fromUtf8(txt::SourceTextTitle));
    auto* form = new QFormLayout(this);
    auto addText = [&](const char* label, const QString& text) {
        auto* edit = new QPlainTextEdit(text, this);
        edit->setReadOnly(true);
        edit->setAccessibleName(QString::fromUtf8(label).remove(QLatin1Char(':')));
        edit->setTabChangesFocus(true);
        form->addRow(QString::fromUtf8(label), edit);
    };
    addText(txt::LabelOld, oldText);
    addText(txt::LabelNew, newText);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* close = buttons->addButton(QString::fromUtf8(txt::ButtonClose), QDialogButtonBox::RejectRole);
    close->setDefault(true);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
    resize(520, 300);
}

} // namespace qmk
