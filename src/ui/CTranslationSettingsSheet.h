// The settings of the source text or of one translation: the File page (the source's path, or
// the translated script's name and the encoding it is written in) and the "Font and
// Characterset" page. OK runs the document's checks; a refused name keeps the sheet open.
#pragma once

#include <QDialog>
#include <QFont>
#include <optional>
#include <string>

#include "database/ProjectRows.h"

class QComboBox;
class QLineEdit;

namespace qmk {

class CQuillDoc;

class CTranslationSettingsSheet : public QDialog {
    Q_OBJECT
public:
    // `language` empty: the source text's settings. `tableFont` is shown for a language that
    // has no font of its own.
    CTranslationSettingsSheet(CQuillDoc& doc, std::optional<LanguageId> language, const QFont& tableFont,
                              QWidget* parent = nullptr);
    QLineEdit* fileNameEdit() const { return fileName_; }
    QComboBox* encodingList() const { return encodings_; }
    QLineEdit* faceNameField() const { return faceName_; }
    QLineEdit* charsetField() const { return charset_; }

    void accept() override;

private:
    QWidget* filePage();
    QWidget* fontPage(const QFont& tableFont);
    void showFont();

    CQuillDoc& doc_;
    std::optional<LanguageId> language_;
    LanguageId fontLanguage_{};
    QLineEdit* fileName_ = nullptr;
    QComboBox* encodings_ = nullptr;
    QLineEdit* faceName_ = nullptr;
    QLineEdit* charset_ = nullptr;
    std::string face_;
    int charSet_ = 1;
    bool fontChosen_ = false;  // Select or Set Default was used
};

} // namespace qmk
