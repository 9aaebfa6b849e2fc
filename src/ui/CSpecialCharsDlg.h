// "Special Characters": the 95 characters of codes 161 to 255 in the translation's code page as
// buttons, twelve to a row; a click chooses one. The dialog opens where it was last closed.
#pragma once

#include <QDialog>
#include <string>
#include <vector>

namespace qmk {

class CSpecialCharsDlg : public QDialog {
    Q_OBJECT
public:
    CSpecialCharsDlg(const std::vector<std::string>& characters, QWidget* parent = nullptr);
    ~CSpecialCharsDlg() override;
    QString chosen() const { return chosen_; }
    int buttonCount() const { return buttons_; }

protected:
    // Return and Enter choose the character whose button has the focus.
    void keyPressEvent(QKeyEvent* event) override;

private:
    QString chosen_;
    int buttons_ = 0;
};

} // namespace qmk
