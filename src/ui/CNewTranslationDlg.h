// "New Translation": a language from the language table and the name of its translated script,
// proposed from the project's name until the translator types one. OK runs the document's
// checks; a refused choice keeps the dialog open. A name that stands for a file the project did
// not write (a translation made by hand) asks first: import that file as this translation,
// choose another name, or replace the file when saved (a copy is kept).
#pragma once

#include <QDialog>

#include <filesystem>
#include <optional>

class QComboBox;
class QLineEdit;

namespace qmk {

class CQuillDoc;

class CNewTranslationDlg : public QDialog {
    Q_OBJECT
public:
    explicit CNewTranslationDlg(CQuillDoc& doc, QWidget* parent = nullptr);
    QComboBox* languageList() const { return languages_; }
    QLineEdit* fileNameEdit() const { return fileName_; }

    void accept() override;

private:
    void proposeFileName();
    // Asks what to do with an existing file that is no translated script of the project; true
    // takes it as the translation's file, to be imported first when `importFrom` is set.
    bool takeExistingFile(const std::filesystem::path& file, std::optional<std::filesystem::path>& importFrom);

    CQuillDoc& doc_;
    QComboBox* languages_;
    QLineEdit* fileName_;
    bool typed_ = false;  // the translator typed a name: it is not replaced
};

} // namespace qmk
