// What the dialog, menu and bitmap previews share: the project and the resource they show, the
// language they show it in (none: the source), the item selected in them, and the stores and
// excludes of the project they follow. Each preview is the whole of its project-area window.
#pragma once

#include <QWidget>
#include <optional>

#include "database/ProjectRows.h"
#include "project/PreviewTarget.h"
#include "project/ProjectObserver.h"

namespace qmk {

class CQuillDoc;

class CPreviewView : public QWidget, public ProjectObserver {
    Q_OBJECT
public:
    using Kind = PreviewKind;

    CPreviewView(CQuillDoc& doc, Kind kind, int resourceLine, QWidget* parent = nullptr);
    ~CPreviewView() override;

    CQuillDoc& document() const { return doc_; }
    Kind kind() const { return kind_; }
    int resourceLine() const { return resourceLine_; }
    const std::optional<LanguageId>& language() const { return language_; }
    // Shows the resource in a translation, or in the source texts.
    void setLanguage(std::optional<LanguageId> language);
    // The item selected in the preview (-1: none), and moving between items.
    virtual int selectedLine() const { return -1; }
    virtual bool selectLine(int /*lineIndex*/) { return false; }
    virtual bool step(bool /*forward*/) { return false; }
    virtual int itemCount() const { return 0; }
    // Status pane 3203: "Source Dialog", "German Dialog", ...
    QString languagePane() const;
    // The window title: "Dialog: %1  (%2)" with the project window's title.
    virtual QString title(const QString& projectTitle) const = 0;

signals:
    // An item was selected in the preview: the translation bar shows it.
    void itemChosen(int lineIndex);
    // "&Bookmark..." was chosen in the preview's context menu.
    void bookmarkWanted();
    // "String at Table" was chosen: the selected item in the project's Text Table.
    void showInTextTableWanted();

protected:
    virtual void showTexts() = 0;
    // The context menu of the selected item, the same in every preview.
    void execItemMenu(const QPoint& globalPosition);

    CQuillDoc& doc_;

private:
    Kind kind_;
    int resourceLine_;
    std::optional<LanguageId> language_;
};

} // namespace qmk
