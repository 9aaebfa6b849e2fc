// Choosing the face and character set a language's texts are shown in: the installed faces
// that can show the chosen set, the sets the character-set table names, and a sample.
#pragma once

#include <QDialog>
#include <string>

class QComboBox;
class QFontComboBox;
class QLabel;

namespace qmk {

class CFontChoiceDlg : public QDialog {
    Q_OBJECT
public:
    CFontChoiceDlg(const QFont& start, int charSet, QWidget* parent = nullptr);
    std::string faceName() const;
    int charSet() const;
    QFontComboBox* faceList() const { return faces_; }
    QComboBox* charsetList() const { return charsets_; }

private:
    void charsetChosen();

    QFontComboBox* faces_;
    QComboBox* charsets_;
    QLabel* sample_;
};

} // namespace qmk
