// The worksheet import dialog.
#include "ui/CWorkbookImportDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "exchange/WorkbookImport.h"
#include "resources/MenuTexts.h"
#include "resources/UiTexts.h"

namespace qmk {
namespace {

QString qs(const char* text) { return QString::fromUtf8(text); }
QString qs(const std::string& text) { return QString::fromStdString(text); }

QLineEdit* shownText(const QString& name, QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setReadOnly(true);
    edit->setAccessibleName(name);
    edit->setMinimumWidth(360);
    return edit;
}

QString lineText(int row) { return row < 0 ? QString() : QStringLiteral("Line: %1").arg(row + 1); }

} // namespace

CWorkbookImportDlg::CWorkbookImportDlg(WorkbookImport& import, std::function<void(int)> showRow, QWidget* parent)
    : QDialog(parent), import_(import), showRow_(std::move(showRow)), language_(new QComboBox(this)),
      source_(shownText(QStringLiteral("Source text"), this)),
      translation_(shownText(QStringLiteral("Current translation"), this)), tableLine_(new QLabel(this)),
      sheetText_(shownText(QStringLiteral("Import text"), this)), sheetLine_(new QLabel(this)),
      sheetProgress_(new QProgressBar(this)), tableProgress_(new QProgressBar(this)),
      markTable_(new QCheckBox(qs(txt::LabelMarkTaken), this)), markSheet_(new QCheckBox(qs(txt::LabelMarkTaken), this)),
      nextDown_(new QPushButton(qs(txt::ButtonNextDown), this)), nextUp_(new QPushButton(qs(txt::ButtonNextUp), this)),
      importOne_(new QPushButton(qs(txt::ButtonImport), this)), importAll_(new QPushButton(qs(txt::ButtonImportAll), this)),
      markAll_(new QPushButton(qs(txt::ButtonMarkAllText), this))
{
    setWindowTitle(qs(txt::ImportTextTitle));
    for (const std::string& name : import_.languageNames())
        language_->addItem(qs(name));
    language_->setAccessibleName(QStringLiteral("Language"));
    markTable_->setAccessibleName(QStringLiteral("Mark taken in the Text Table"));
    markSheet_->setAccessibleName(QStringLiteral("Mark taken in the worksheet"));
    markTable_->setChecked(true);
    markSheet_->setChecked(true);
    sheetProgress_->setAccessibleName(QStringLiteral("Worksheet position"));
    tableProgress_->setAccessibleName(QStringLiteral("Text Table position"));
    for (QProgressBar* bar : {sheetProgress_, tableProgress_}) {
        bar->setTextVisible(false);
        bar->setMaximumHeight(12);
    }

    auto* languageRow = new QFormLayout;
    auto* languageLabel = new QLabel(qs(txt::LabelLanguage), this);
    languageLabel->setBuddy(language_);
    languageRow->addRow(languageLabel, language_);

    auto* current = new QGroupBox(QStringLiteral("Text Table"), this);
    auto* currentGrid = new QGridLayout(current);
    currentGrid->addWidget(new QLabel(qs(txt::LabelSourceText), current), 0, 0);
    currentGrid->addWidget(source_, 0, 1);
    currentGrid->addWidget(new QLabel(qs(txt::LabelTranslText), current), 1, 0);
    currentGrid->addWidget(translation_, 1, 1);
    currentGrid->addWidget(tableLine_, 2, 1);
    currentGrid->addWidget(tableProgress_, 3, 0, 1, 2);
    currentGrid->addWidget(markTable_, 4, 1);

    auto* sheet = new QGroupBox(QStringLiteral("Worksheet"), this);
    auto* sheetGrid = new QGridLayout(sheet);
    sheetGrid->addWidget(new QLabel(QStringLiteral("Import:"), sheet), 0, 0);
    sheetGrid->addWidget(sheetText_, 0, 1);
    sheetGrid->addWidget(sheetLine_, 1, 1);
    sheetGrid->addWidget(sheetProgress_, 2, 0, 1, 2);
    sheetGrid->addWidget(markSheet_, 3, 1);

    auto* left = new QVBoxLayout;
    left->addLayout(languageRow);
    left->addWidget(current);
    left->addWidget(sheet);
    left->addStretch();

    auto* cancel = new QPushButton(qs(txt::ButtonCancel), this);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* button : {nextDown_, nextUp_, importOne_, importAll_, markAll_, cancel}) {
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    importOne_->setDefault(true);
    buttons->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(buttons);

    connect(language_, &QComboBox::activated, this, [this](int index) { chooseLanguage(language_->itemText(index)); });
    connect(nextDown_, &QPushButton::clicked, this, &CWorkbookImportDlg::nextDown);
    connect(nextUp_, &QPushButton::clicked, this, &CWorkbookImportDlg::nextUp);
    connect(importOne_, &QPushButton::clicked, this, &CWorkbookImportDlg::importCurrent);
    connect(importAll_, &QPushButton::clicked, this, &CWorkbookImportDlg::importAll);
    connect(markAll_, &QPushButton::clicked, this, &CWorkbookImportDlg::markAll);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    showPair();
    if (language_->count() > 0)
        chooseLanguage(language_->itemText(0));
}

bool CWorkbookImportDlg::chooseLanguage(const QString& name)
{
    language_->setCurrentText(name);
    const bool found = import_.chooseLanguage(name.toStdString());
    showPair();
    return found;
}

bool CWorkbookImportDlg::nextDown()
{
    const bool found = import_.next(WorkbookImport::Direction::Down);
    showPair();
    return found;
}

bool CWorkbookImportDlg::nextUp()
{
    const bool found = import_.next(WorkbookImport::Direction::Up);
    showPair();
    return found;
}

bool CWorkbookImportDlg::importCurrent()
{
    const bool stored = import_.importCurrent({markTable_->isChecked(), markSheet_->isChecked()});
    changed_ = changed_ || stored;
    showPair();
    return stored;
}

int CWorkbookImportDlg::importAll()
{
    const int imported = import_.importAll({markTable_->isChecked(), markSheet_->isChecked()});
    changed_ = changed_ || imported > 0;
    showPair();
    return imported;
}

int CWorkbookImportDlg::markAll()
{
    const int marked = import_.markAll();
    changed_ = changed_ || import_.hasPendingMarks();
    showPair();
    return marked;
}

void CWorkbookImportDlg::showPair()
{
    const std::optional<WorkbookImport::PairView> view = import_.currentView();
    source_->setText(view ? qs(view->sourceText) : QString());
    translation_->setText(view ? qs(view->translation) : QString());
    sheetText_->setText(view ? qs(view->sheetText) : QString());
    tableLine_->setText(lineText(view ? view->pair.tableRow : -1));
    sheetLine_->setText(lineText(view ? view->pair.sheetRow : -1));
    sheetProgress_->setRange(0, std::max(0, import_.dataEnd() - 1));
    sheetProgress_->setValue(view ? view->pair.sheetRow : 0);
    tableProgress_->setRange(0, std::max(0, import_.tableRowCount() - 1));
    tableProgress_->setValue(view ? view->pair.tableRow : 0);
    for (QWidget* button : {static_cast<QWidget*>(nextDown_), static_cast<QWidget*>(nextUp_),
                            static_cast<QWidget*>(importOne_)})
        button->setEnabled(view.has_value());
    importAll_->setEnabled(language_->count() > 0);
    markAll_->setEnabled(language_->count() > 0);
    if (view && showRow_)
        showRow_(view->pair.tableRow);
}

} // namespace qmk
