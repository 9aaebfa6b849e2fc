// The "Glossary" panel: the glossary's terms standing in the chosen item's source text, each
// with its translation into the current translation's language. Ctrl+Shift+1 to Ctrl+Shift+5
// (or a double click) put a term's translation into the Translation box at its cursor, as
// typing that Undo takes back; "Add Term" stores a term selected in the source text.
#pragma once

#include <QPointer>
#include <QWidget>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "project/GlossaryLookup.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTreeWidget;

namespace qmk {

class CChildFrame;
class CGlossaryLookup;
class CGlossaryTermDlg;

class CGlossaryView : public QWidget {
    Q_OBJECT
public:
    // `memoryLocation` as the window's settings name the memory: the glossary beside it is used.
    explicit CGlossaryView(const std::string& memoryLocation, QWidget* parent = nullptr,
                           std::filesystem::path dictionaries = "/usr/share/hunspell");
    ~CGlossaryView() override;
    void bind(CChildFrame* child);
    // Looks the chosen item up again.
    void refresh();
    // After the memory's settings changed: the glossary beside the memory they now name.
    void restart(const std::string& memoryLocation);

    // Emits termWanted for term `index` (0 for the first) when there is one.
    void takeTerm(int index);
    // Opens "Add Glossary Term" filled in from the selections of the source and translation
    // boxes; its OK stores the term. Null (and the reason shown) without a chosen translation.
    CGlossaryTermDlg* addTerm(const QString& sourceSelection, const QString& translationSelection);
    // Ctrl+Shift+1 to Ctrl+Shift+5 in `window` take the terms.
    void addShortcuts(QWidget* window);

    QTreeWidget* list() const { return list_; }
    QLabel* stateLine() const { return state_; }
    const std::vector<GlossaryMatch>& matches() const { return matches_; }

signals:
    // A term's translation is wanted in the Translation box.
    void termWanted(const QString& translation);
    // The Add Term button: the window answers with addTerm() and the boxes' selections.
    void addTermWanted();
    // A lookup's matches are shown (tests and the status wait for it).
    void matchesShown();

private:
    void showMatches(const std::vector<GlossaryMatch>& matches);
    void showState(const QString& text);
    void makeLookup();

    std::string glossaryLocation_;
    std::filesystem::path dictionaries_;
    QPointer<CChildFrame> child_;
    QTreeWidget* list_;
    QLabel* state_;
    QPushButton* add_;
    std::vector<GlossaryMatch> matches_;
    std::optional<GlossaryQuery> query_;  // of the item shown
    CGlossaryLookup* lookup_ = nullptr;
};

// Puts `translation` into the box at its cursor (over its selection) as typing: the box's own
// Undo takes it back, and it is stored with the rest of the typing. Nothing in a read-only box.
bool insertGlossaryTerm(QPlainTextEdit& box, const QString& translation);

} // namespace qmk
