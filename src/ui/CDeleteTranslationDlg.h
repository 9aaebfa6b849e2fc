// "Delete Translation": one of the project's translations, chosen from a list.
#pragma once

#include <QDialog>
#include <optional>

#include "database/ProjectRows.h"

class QComboBox;

namespace qmk {

class CQuillDoc;

class CDeleteTranslationDlg : public QDialog {
    Q_OBJECT
public:
    // `current` is chosen at first when it is one of the project's translations.
    CDeleteTranslationDlg(CQuillDoc& doc, std::optional<LanguageId> current, QWidget* parent = nullptr);
    std::optional<LanguageId> chosen() const;

private:
    QComboBox* languages_;
    std::vector<LanguageId> ids_;
};

} // namespace qmk
