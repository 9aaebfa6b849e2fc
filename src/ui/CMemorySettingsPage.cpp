// The translation memory's page of Application Settings.
#include "ui/CMemorySettingsPage.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

#include "memory/TranslationMemory.h"
#include "resources/Messages.h"
#include "resources/UiTexts.h"

namespace qmk {
namespace {

QString qs(const std::string& text) { return QString::fromStdString(text); }

} // namespace

CMemorySettingsPage::CMemorySettingsPage(const MemorySettings& settings, QWidget* parent)
    : QWidget(parent), original_(settings), use_(new QCheckBox(QString::fromUtf8(txt::MemoryUseIt), this)),
      location_(new QLineEdit(qs(settings.location), this)),
      browse_(new QPushButton(QString::fromUtf8(txt::MemoryBrowse), this)), minimumScore_(new QSpinBox(this))
{
    use_->setChecked(settings.enabled);
    location_->setAccessibleName(QStringLiteral("Location"));
    location_->setPlaceholderText(qs(defaultMemoryFile().string()));
    location_->setClearButtonEnabled(true);
    location_->setMinimumWidth(location_->fontMetrics().averageCharWidth() * 50);
    browse_->setAccessibleName(QStringLiteral("Browse for the memory file"));
    minimumScore_->setRange(1, 100);
    minimumScore_->setSuffix(QStringLiteral(" %"));
    minimumScore_->setValue(settings.minimumScore);
    minimumScore_->setAccessibleName(QStringLiteral("Matches shown from"));
    auto* hint = new QLabel(this);
    hint->setWordWrap(true);
    if (settings.locationFromEnvironment)
        hint->setText(qs(fillPlaceholders(txt::MemoryLocationFromEnvironment, {settings.location})));
    else
        hint->setText(qs(fillPlaceholders(txt::MemoryLocationHint, {defaultMemoryFile().string()})));

    auto* where = new QHBoxLayout;
    where->addWidget(location_, 1);
    where->addWidget(browse_);
    auto* form = new QFormLayout(this);
    form->addRow(use_);
    form->addRow(QString::fromUtf8(txt::LabelMemoryLocation), where);
    form->addRow(QString(), hint);
    form->addRow(QString::fromUtf8(txt::LabelMemoryMinimumScore), minimumScore_);
    if (auto* label = qobject_cast<QLabel*>(form->labelForField(where)))
        label->setBuddy(location_);

    connect(use_, &QCheckBox::toggled, this, &CMemorySettingsPage::enableFields);
    connect(browse_, &QPushButton::clicked, this, &CMemorySettingsPage::browse);
    enableFields();
}

MemorySettings CMemorySettingsPage::settings() const
{
    MemorySettings settings = original_;
    settings.enabled = use_->isChecked();
    settings.minimumScore = minimumScore_->value();
    if (!original_.locationFromEnvironment)
        settings.location = location_->text().trimmed().toStdString();
    return settings;
}

void CMemorySettingsPage::browse()
{
    const QString start = location_->text().isEmpty() ? location_->placeholderText() : location_->text();
    const QString file = QFileDialog::getSaveFileName(this, QString::fromUtf8(txt::MemoryPageTitle), start,
                                                      QString::fromUtf8(txt::MemoryFileFilter), nullptr,
                                                      QFileDialog::DontConfirmOverwrite);
    if (!file.isEmpty())
        location_->setText(file);
}

void CMemorySettingsPage::enableFields()
{
    // A location QMK32_TM gives is shown, not edited: the settings file keeps its own.
    const bool editable = use_->isChecked() && !original_.locationFromEnvironment;
    location_->setEnabled(editable);
    browse_->setEnabled(editable);
    minimumScore_->setEnabled(use_->isChecked());
}

} // namespace qmk
