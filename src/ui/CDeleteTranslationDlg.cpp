// Choosing the translation to delete.
#include "ui/CDeleteTranslationDlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>

#include "project/CQuillDoc.h"
#include "resources/UiTexts.h"

namespace qmk {

CDeleteTranslationDlg::CDeleteTranslationDlg(CQuillDoc& doc, std::optional<LanguageId> current, QWidget* parent)
    : QDialog(parent), languages_(new QComboBox(this))
{
    setWindowTitle(QString::fromUtf8(txt::DeleteTranslationTitle));
    languages_->setAccessibleName(QStringLiteral("Language"));
    const TextTableColumns& columns = doc.rows().columns();
    for (LanguageId id : columns.translations()) {
        ids_.push_back(id);
        languages_->addItem(QString::fromStdString(columns.header(columns.columnOfLanguage(id))));
        if (current && *current == id)
            languages_->setCurrentIndex(languages_->count() - 1);
    }
    auto* form = new QFormLayout(this);
    form->addRow(QString::fromUtf8(txt::LabelLanguage), languages_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

std::optional<LanguageId> CDeleteTranslationDlg::chosen() const
{
    const int index = languages_->currentIndex();
    if (index < 0 || index >= static_cast<int>(ids_.size()))
        return std::nullopt;
    return ids_[static_cast<std::size_t>(index)];
}

} // namespace qmk
