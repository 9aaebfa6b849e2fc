// The old and new source text one above the other, read-only, marked by a word diff. The marks
// are also told in words (the texts' accessible descriptions) for screen readers.
#include "ui/CSourceTextDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QTextEdit>

#include "project/WordDiff.h"
#include "resources/UiTexts.h"
#include "ui/DiffMarkup.h"

namespace qmk {

CSourceTextDialog::CSourceTextDialog(const QString& oldText, const QString& newText, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QString::fromUtf8(txt::SourceTextTitle));
    const std::vector<DiffSegment> diff = wordDiff(oldText.toStdString(), newText.toStdString());
    auto* form = new QFormLayout(this);
    auto addText = [&](const char* label, const QString& html, const QString& changes, const QString& name) {
        auto* edit = new QTextEdit(this);
        edit->setObjectName(name);
        edit->setReadOnly(true);
        edit->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        edit->setHtml(preservingBlanks(html));
        edit->setAccessibleName(QString::fromUtf8(label).remove(QLatin1Char(':')));
        edit->setAccessibleDescription(changes);
        edit->setToolTip(changes);
        edit->setTabChangesFocus(true);
        form->addRow(QString::fromUtf8(label), edit);
    };
    addText(txt::LabelOld, markedOldText(diff), deletionsDescription(diff), QStringLiteral("oldSourceText"));
    addText(txt::LabelNew, markedNewText(diff), insertionsDescription(diff), QStringLiteral("newSourceText"));
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* close = buttons->addButton(QString::fromUtf8(txt::ButtonClose), QDialogButtonBox::RejectRole);
    close->setDefault(true);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
    resize(520, 300);
}

} // namespace qmk
