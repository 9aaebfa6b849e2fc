// The source folder prompt.
#include "setup/CSourceFolderDlg.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "resources/PrintfText.h"
#include "resources/SetupTexts.h"

namespace qmk::setup {
namespace {

QString printf(const char* format, const std::vector<std::string>& args)
{
    return QString::fromStdString(printfText(format, args));
}

} // namespace

CSourceFolderDlg::CSourceFolderDlg(const SourceFolderRequest& request, QWidget* parent)
    : QDialog(parent), folder_(new QLineEdit(QString::fromStdString(request.folder.string()), this)),
      browse_(new QPushButton(QString::fromLatin1(txt::DisketteBrowse), this))
{
    setWindowTitle(QString::fromLatin1(txt::DisketteTitle));
    auto* prompt = new QLabel(printf(txt::DiskettePrompt, {std::to_string(request.part)}), this);
    auto* file = new QLabel(printf(txt::DisketteFile, {request.file}), this);
    auto* count = new QLabel(printf(txt::DisketteCount, {std::to_string(request.part), std::to_string(request.parts)}), this);
    auto* label = new QLabel(QString::fromLatin1(txt::DisketteDirectoryLabel), this);
    label->setBuddy(folder_);
    folder_->setAccessibleName(QStringLiteral("Directory"));
    browse_->setAccessibleName(QStringLiteral("Browse"));
    prompt->setAccessibleName(prompt->text());
    file->setAccessibleName(file->text());
    count->setAccessibleName(count->text());

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QString::fromLatin1(txt::DisketteOk), QDialogButtonBox::AcceptRole);
    QPushButton* cancel = buttons->addButton(QString::fromLatin1(txt::DisketteCancel), QDialogButtonBox::RejectRole);
    ok->setAccessibleName(ok->text());
    cancel->setAccessibleName(cancel->text());
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(browse_, &QPushButton::clicked, this, [this] {
        const QString chosen = QFileDialog::getExistingDirectory(this, QString::fromLatin1(txt::SetupDirectorySelectTitle),
                                                                 folder_->text(), QFileDialog::ShowDirsOnly);
        if (!chosen.isEmpty())
            folder_->setText(chosen);
    });
    connect(folder_, &QLineEdit::textChanged, this, [ok](const QString& text) { ok->setEnabled(!text.trimmed().isEmpty()); });

    auto* layout = new QGridLayout(this);
    layout->addWidget(prompt, 0, 0, 1, 3);
    layout->addWidget(file, 1, 0, 1, 2);
    layout->addWidget(count, 1, 2, Qt::AlignRight);
    layout->addWidget(label, 2, 0);
    layout->addWidget(folder_, 2, 1);
    layout->addWidget(browse_, 2, 2);
    layout->addWidget(buttons, 3, 0, 1, 3);
    folder_->setFocus();
}

QString CSourceFolderDlg::folder() const
{
    return folder_->text().trimmed();
}

} // namespace qmk::setup
