// The block header editor.
#include "ui/CBlockHeaderDlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>

#include "project/TranslationForm.h"
#include "resources/UiTexts.h"

namespace qmk {

CBlockHeaderDlg::CBlockHeaderDlg(const std::string& header, bool editable, const QString& title, QWidget* parent)
    : QDialog(parent), languages_(new QComboBox(this)), codePages_(new QComboBox(this)), editable_(editable)
{
    QString caption = QString::fromUtf8(txt::BlockHeaderPropertiesTitle);
    if (!title.isEmpty())
        caption += QStringLiteral(" (%1) ").arg(title);
    setWindowTitle(caption);
    for (const std::string& name : blockHeaderLanguageNames())
        languages_->addItem(QString::fromStdString(name));
    for (const CodePageChoice& choice : blockHeaderCodePageChoices())
        codePages_->addItem(QString::fromStdString(choice.name), choice.codePageRow);
    languages_->setAccessibleName(QStringLiteral("Language ID"));
    codePages_->setAccessibleName(QStringLiteral("Code Page"));
    const std::optional<BlockHeader> parsed = parseBlockHeader(header);
    languages_->setCurrentIndex(parsed ? parsed->languageRow : -1);
    codePages_->setCurrentIndex(parsed ? codePageChoiceOf(parsed->codePageRow) : -1);
    languages_->setEnabled(editable);
    codePages_->setEnabled(editable);

    auto* form = new QFormLayout(this);
    form->addRow(QString::fromUtf8(txt::LabelLanguageId), languages_);
    form->addRow(QString::fromUtf8(txt::LabelCodePage), codePages_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(languages_, &QComboBox::currentIndexChanged, this, &CBlockHeaderDlg::updateOk);
    connect(codePages_, &QComboBox::currentIndexChanged, this, &CBlockHeaderDlg::updateOk);
    updateOk();
}

void CBlockHeaderDlg::updateOk()
{
    ok_->setEnabled(editable_ && languages_->currentIndex() >= 0 && codePages_->currentIndex() >= 0);
}

std::string CBlockHeaderDlg::header() const
{
    return buildBlockHeader({languages_->currentIndex(), codePages_->currentData().toInt()});
}

} // namespace qmk
