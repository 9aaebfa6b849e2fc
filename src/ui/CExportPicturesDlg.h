// File > Export Pictures: the pictures /SHOTS writes, from the open project: a language (or the
// source), optionally a second one drawn beside it for review, and the folder. The export runs
// with the progress dialog and its Cancel, and says what it wrote.
#pragma once

#include <QDialog>

#include <filesystem>
#include <optional>
#include <vector>

#include "database/ProjectRows.h"

class QComboBox;
class QLineEdit;

namespace qmk {

class CQuillDoc;
class PictureRenderer;

class CExportPicturesDlg : public QDialog {
    Q_OBJECT
public:
    explicit CExportPicturesDlg(CQuillDoc& doc, QWidget* parent = nullptr);

    QComboBox* languageList() const { return language_; }
    QComboBox* besideList() const { return beside_; }
    QLineEdit* folderEdit() const { return folder_; }

    // Left to right: the language beside (when one is chosen), then the language.
    std::vector<std::optional<LanguageId>> chosenLanguages() const;
    std::filesystem::path chosenFolder() const;

    void accept() override;

private:
    void browse();

    QComboBox* language_;
    QComboBox* beside_;
    QLineEdit* folder_;
};

// Asks, then writes the pictures with progress and Cancel and reports the outcome; what the
// window's File > Export Pictures runs.
void exportPictures(CQuillDoc& doc, QWidget* parent);
// The export itself, once the choice is made (for the dialog and its tests).
void exportPictures(CQuillDoc& doc, PictureRenderer& renderer, const std::vector<std::optional<LanguageId>>& languages,
                    const std::filesystem::path& folder);

} // namespace qmk
