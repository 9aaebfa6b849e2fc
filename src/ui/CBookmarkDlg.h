// "Bookmark": named places of the project (an item, a translation, a window), kept in its
// database. Add one for the selected item, delete them, or go to one.
#pragma once

#include <QDialog>
#include <optional>
#include <string>
#include <vector>

#include "database/ProjectRows.h"

class QLineEdit;
class QListWidget;
class QPushButton;

namespace qmk {

class CQuillDoc;
class Feedback;

class CBookmarkDlg : public QDialog {
    Q_OBJECT
public:
    struct Place {
        int lineIndex = -1;  // -1: opened without an item (nothing can be added)
        std::string window;  // "Text", "Dialog", "Menu" or "Bitmap"
        std::optional<LanguageId> language;
    };
    CBookmarkDlg(CQuillDoc& doc, Feedback& feedback, Place place, QWidget* parent = nullptr);

    QLineEdit* nameEdit() const { return name_; }
    QListWidget* list() const { return list_; }
    bool add();
    void removeSelected();
    // The bookmark to go to once the dialog closed with Go To.
    const std::optional<BookmarkRow>& target() const { return target_; }
    bool goTo();

private:
    void refresh();
    void updateButtons();

    CQuillDoc& doc_;
    Feedback& feedback_;
    Place place_;
    QListWidget* list_;
    QLineEdit* name_;
    QPushButton* add_;
    QPushButton* delete_;
    QPushButton* goTo_;
    std::optional<BookmarkRow> target_;
};

} // namespace qmk
