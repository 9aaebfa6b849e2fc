// The application's include-file setting.
#include "ui/CAppSettingsSheet.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/IncludeExtensions.h"
#include "app/Settings.h"
#include "resources/Feedback.h"
#include "resources/MenuTexts.h"
#include "resources/Messages.h"
#include "resources/UiTexts.h"
#include "ui/CMemorySettingsPage.h"

namespace qmk {

CAppSettingsSheet::CAppSettingsSheet(Settings& settings, Feedback& feedback, const std::vector<std::string>& inForce,
                                     std::function<void()> apply, QWidget* parent)
    : QDialog(parent), settings_(settings), feedback_(feedback), apply_(std::move(apply)),
      includeFiles_(new QLineEdit(this)), memoryPage_(new CMemorySettingsPage(settings.memorySettings(), this))
{
    setWindowTitle(QString::fromUtf8(txt::ApplicationSettingsTitle));
    // Shown without their leading dots, as they are typed.
    QStringList shown;
    for (const std::string& extension : inForce)
        shown << QString::fromStdString(extension.substr(1));
    includeFiles_->setText(shown.join(QStringLiteral(", ")));
    includeFiles_->setAccessibleName(QStringLiteral("Include Files"));
    auto* fileType = new QComboBox(this);
    fileType->addItem(QString::fromUtf8(txt::FileTypeResourceScript));
    fileType->setAccessibleName(QStringLiteral("File Type"));
    auto* page = new QWidget(this);
    auto* form = new QFormLayout(page);
    form->addRow(QString::fromUtf8(txt::LabelFileType), fileType);
    form->addRow(QString::fromUtf8(txt::LabelIncludeFiles), includeFiles_);
    auto* tabs = new QTabWidget(this);
    tabs->addTab(page, QStringLiteral("Resource Files"));
    tabs->addTab(memoryPage_, QString::fromUtf8(txt::MemoryPageTitle));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CAppSettingsSheet::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    layout->addWidget(buttons);
}

void CAppSettingsSheet::accept()
{
    const std::string text = includeFiles_->text().toStdString();
    if (const std::string problem = includeExtensionTextProblem(text); !problem.empty()) {
        feedback_.messageText(problem, Icon::Exclamation);
        includeFiles_->setFocus();
        return;
    }
    // The list in force follows what is stored: a setting that cannot be stored changes nothing.
    if (!settings_.setIncludeExtensionSetting(text) || !settings_.setMemorySettings(memoryPage_->settings())) {
        feedback_.messageText(fillPlaceholders(txt::SettingsNotWritten, {settings_.profile().path().string()}), Icon::Stop);
        return;
    }
    if (apply_)
        apply_();
    QDialog::accept();
}

} // namespace qmk
