// "Quillmark Setup": asks for the folder that holds a file of the distribution that setup could
// not find (once the prompt for the next diskette).
#pragma once

#include <QDialog>

#include "setup/SetupFeedback.h"

class QLineEdit;
class QPushButton;

namespace qmk::setup {

class CSourceFolderDlg : public QDialog {
    Q_OBJECT
public:
    explicit CSourceFolderDlg(const SourceFolderRequest& request, QWidget* parent = nullptr);
    QString folder() const;
    QLineEdit* folderEdit() const { return folder_; }

private:
    QLineEdit* folder_;
    QPushButton* browse_;
};

} // namespace qmk::setup
