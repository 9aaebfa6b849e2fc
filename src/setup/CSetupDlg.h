// "Setup": the one window of the setup program. It takes the destination and the file groups,
// shows the current step and the progress, and runs Install and Deinstall through the engine.
#pragma once

#include <QDialog>

#include "setup/SetupEngine.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace qmk::setup {

class CSetupDlg : public QDialog, private SetupFeedback {
    Q_OBJECT
public:
    explicit CSetupDlg(SetupOptions options, QWidget* parent = nullptr);

    QLineEdit* destinationEdit() const { return destination_; }
    QCheckBox* programCheck() const { return program_; }
    QCheckBox* demoCheck() const { return demo_; }
    QPushButton* installButton() const { return install_; }
    QPushButton* deinstallButton() const { return deinstall_; }
    QLabel* statusLine() const { return status_; }

    // A running installation stops at the next file instead of the window closing under it.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void updateButtons();
    void runInstall();
    void runDeinstall();
    void setBusy(bool busy);

    // SetupFeedback
    void message(const std::string& text, Icon icon) override;
    bool askYesNo(const std::string& text) override;
    bool askKeepChangedDemo(const std::string& question) override;
    void status(const std::string& text) override;
    void progress(int done, int total) override;
    std::optional<std::filesystem::path> askSourceFolder(const SourceFolderRequest& request) override;
    bool cancelled() override { return cancelRequested_; }
    void beep() override;

    SetupOptions options_;
    QLineEdit* destination_;
    QPushButton* browse_;
    QCheckBox* program_;
    QCheckBox* demo_;
    QLabel* status_;
    QProgressBar* progress_;
    QPushButton* install_;
    QPushButton* deinstall_;
    QPushButton* cancel_;
    bool busy_ = false;
    bool cancelRequested_ = false;
    bool centred_ = false;
};

} // namespace qmk::setup
