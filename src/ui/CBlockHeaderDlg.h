// "Block Header Properties": a version block header as language and code page, chosen from
// the two lists; read-only for the source's header.
#pragma once

#include <QDialog>
#include <string>

class QComboBox;
class QPushButton;

namespace qmk {

class CBlockHeaderDlg : public QDialog {
    Q_OBJECT
public:
    // `title` (a language name), when given, follows the caption in brackets.
    CBlockHeaderDlg(const std::string& header, bool editable, const QString& title = {}, QWidget* parent = nullptr);
    // The header built from the two choices (eight characters).
    std::string header() const;

private:
    void updateOk();

    QComboBox* languages_;
    QComboBox* codePages_;
    QPushButton* ok_ = nullptr;
    bool editable_;
};

} // namespace qmk
