// The setup window and its answers to the engine: message boxes, the status line, the
// progress bar and the source folder prompt.
#include "setup/CSetupDlg.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>

#include "resources/SetupTexts.h"
#include "setup/CSourceFolderDlg.h"
#include "setup/SetupFiles.h"
#include "setup/SetupStrings.h"
#include "ui/MessageBoxIcon.h"

namespace qmk::setup {
namespace {

QString text(const char* latin1)
{
    return QString::fromLatin1(latin1);
}

// The label without its mnemonic marker, colon and padding, as a screen reader should say it.
QString spoken(const char* label)
{
    return text(label).remove(QLatin1Char('&')).remove(QLatin1Char(':')).trimmed();
}

} // namespace

CSetupDlg::CSetupDlg(SetupOptions options, QWidget* parent)
    : QDialog(parent), options_(std::move(options)),
      destination_(new QLineEdit(QString::fromStdString(defaultDestination()), this)),
      browse_(new QPushButton(text(txt::SetupBrowseDirectory), this)),
      program_(new QCheckBox(text(strings::ProgramCheckBox), this)),
      demo_(new QCheckBox(text(txt::SetupDemoFiles), this)), status_(new QLabel(this)),
      progress_(new QProgressBar(this)), install_(new QPushButton(text(txt::SetupInstall), this)),
      deinstall_(new QPushButton(text(txt::SetupDeinstall), this)),
      cancel_(new QPushButton(text(txt::SetupCancel), this))
{
    setWindowTitle(text(txt::SetupTitle));
    auto* label = new QLabel(text(txt::SetupDestinationLabel), this);
    label->setBuddy(destination_);
    destination_->setAccessibleName(spoken(txt::SetupDestinationLabel));
    browse_->setAccessibleName(text(txt::SetupDirectorySelectTitle));
    program_->setAccessibleName(spoken(strings::ProgramCheckBox));
    demo_->setAccessibleName(spoken(txt::SetupDemoFiles));
    status_->setAccessibleName(QStringLiteral("Status"));
    progress_->setAccessibleName(QStringLiteral("Progress"));
    install_->setAccessibleName(spoken(txt::SetupInstall));
    deinstall_->setAccessibleName(spoken(txt::SetupDeinstall));
    cancel_->setAccessibleName(spoken(txt::SetupCancel));

    program_->setChecked(true);
    demo_->setChecked(true);
    status_->setMinimumWidth(420);
    status_->setWordWrap(true);
    progress_->setRange(0, static_cast<int>(setupFiles().size()));
    progress_->setValue(0);
    install_->setDefault(true);

    connect(destination_, &QLineEdit::textChanged, this, &CSetupDlg::updateButtons);
    connect(program_, &QCheckBox::toggled, this, &CSetupDlg::updateButtons);
    connect(demo_, &QCheckBox::toggled, this, &CSetupDlg::updateButtons);
    connect(install_, &QPushButton::clicked, this, &CSetupDlg::runInstall);
    connect(deinstall_, &QPushButton::clicked, this, &CSetupDlg::runDeinstall);
    connect(cancel_, &QPushButton::clicked, this, &CSetupDlg::reject);
    connect(browse_, &QPushButton::clicked, this, [this] {
        const QString chosen = QFileDialog::getExistingDirectory(this, text(txt::SetupDirectorySelectTitle),
                                                                 destination_->text(), QFileDialog::ShowDirsOnly);
        if (!chosen.isEmpty())
            destination_->setText(chosen);
    });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(install_);
    buttons->addWidget(deinstall_);
    buttons->addWidget(cancel_);
    auto* layout = new QGridLayout(this);
    layout->addWidget(label, 0, 0, 1, 2);
    layout->addWidget(destination_, 1, 0);
    layout->addWidget(browse_, 1, 1);
    layout->addWidget(program_, 2, 0, 1, 2);
    layout->addWidget(demo_, 3, 0, 1, 2);
    layout->addWidget(status_, 4, 0, 1, 2);
    layout->addWidget(progress_, 5, 0, 1, 2);
    layout->addLayout(buttons, 6, 0, 1, 2);
    QWidget* const order[] = {destination_, browse_, program_, demo_, install_, deinstall_, cancel_};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
    destination_->setFocus();
    updateButtons();
}

void CSetupDlg::updateButtons()
{
    install_->setEnabled(!busy_ && installEnabled(destination_->text().toStdString(), program_->isChecked(),
                                                  demo_->isChecked()));
    deinstall_->setEnabled(!busy_ && deinstallEnabled(options_.installRecord));
}

void CSetupDlg::setBusy(bool busy)
{
    busy_ = busy;
    cancelRequested_ = false;
    for (QWidget* control : {static_cast<QWidget*>(destination_), static_cast<QWidget*>(browse_),
                             static_cast<QWidget*>(program_), static_cast<QWidget*>(demo_)})
        control->setEnabled(!busy);
    updateButtons();
}

void CSetupDlg::runInstall()
{
    setBusy(true);
    SetupEngine engine(options_, *this);
    const InstallResult result =
        engine.install(destination_->text().toStdString(), program_->isChecked(), demo_->isChecked());
    setBusy(false);
    if (result.closeProgram)
        accept();
}

void CSetupDlg::runDeinstall()
{
    setBusy(true);
    SetupEngine engine(options_, *this);
    engine.deinstall();
    setBusy(false);
}

void CSetupDlg::reject()
{
    if (busy_) {
        cancelRequested_ = true;
        return;
    }
    QDialog::reject();
}

void CSetupDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (centred_)
        return;
    centred_ = true;
    if (QScreen* screen = this->screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

void CSetupDlg::message(const std::string& text, Icon icon)
{
    QMessageBox box(messageBoxIcon(icon), QString::fromLatin1(strings::MessageCaption), QString::fromStdString(text),
                    QMessageBox::Ok, this);
    box.exec();
}

bool CSetupDlg::askYesNo(const std::string& text)
{
    QMessageBox box(QMessageBox::Question, QString::fromLatin1(strings::MessageCaption), QString::fromStdString(text),
                    QMessageBox::Yes | QMessageBox::No, this);
    return box.exec() == QMessageBox::Yes;
}

bool CSetupDlg::askKeepChangedDemo(const std::string& question)
{
    QMessageBox box(QMessageBox::Question, QString::fromLatin1(strings::MessageCaption),
                    QString::fromStdString(question), QMessageBox::NoButton, this);
    QPushButton* keep = box.addButton(text(strings::KeepDemoButton), QMessageBox::AcceptRole);
    QPushButton* overwrite = box.addButton(text(strings::OverwriteDemoButton), QMessageBox::DestructiveRole);
    keep->setAccessibleName(spoken(strings::KeepDemoButton));
    overwrite->setAccessibleName(spoken(strings::OverwriteDemoButton));
    // Keeping is what Enter and Escape choose: the person's work is never lost by a reflex.
    box.setDefaultButton(keep);
    box.setEscapeButton(keep);
    box.exec();
    return box.clickedButton() != overwrite;
}

void CSetupDlg::status(const std::string& text)
{
    status_->setText(QString::fromStdString(text));
    // Draws the step and lets a click on Cancel through between two files.
    QApplication::processEvents();
}

void CSetupDlg::progress(int done, int total)
{
    progress_->setRange(0, total);
    progress_->setValue(done);
}

std::optional<std::filesystem::path> CSetupDlg::askSourceFolder(const SourceFolderRequest& request)
{
    CSourceFolderDlg prompt(request, this);
    if (prompt.exec() != QDialog::Accepted)
        return std::nullopt;
    return std::filesystem::path(prompt.folder().toStdString());
}

void CSetupDlg::beep()
{
    QApplication::beep();
}

} // namespace qmk::setup
