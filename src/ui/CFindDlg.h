// "Find Text" and "Replace": where to search (the source and the translations, or only the
// translations), what, with which options; Find Next, Mark All, Replace and Replace All act on
// the active project's Text Table and translation bar while the dialog stays open.
#pragma once

#include <QDialog>
#include <functional>
#include <vector>

#include "project/TextSearch.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace qmk {

class CChildFrame;
class CTranslDlgView;
class Feedback;

class CFindDlg : public QDialog {
    Q_OBJECT
public:
    enum class Mode { Find, Replace };
    struct Context {
        CChildFrame* child;
        CTranslDlgView* bar;
        Feedback& feedback;
        SearchHistory& searches;
        SearchHistory& replacements;
        std::vector<std::string>& rememberedWhere;  // names chosen last time (this dialog kind)
        std::function<void()> historiesChanged;       // to store them
    };
    CFindDlg(Mode mode, Context context, QWidget* parent = nullptr);

    QListWidget* whereList() const { return where_; }
    QComboBox* whatBox() const { return what_; }
    QComboBox* replaceBox() const { return with_; }
    QCheckBox* matchCaseBox() const { return matchCase_; }
    QCheckBox* wholeWordBox() const { return wholeWord_; }
    QRadioButton* changedItemsButton() const { return changedItems_; }
    // The stored direction of the Find dialog (only downwards searches are run).
    void setDirectionDown(bool down);
    bool directionDown() const;

    bool findNext();
    bool markAll();
    bool replace();
    int replaceAll();

private:
    SearchOptions takeOptions();
    QGroupBox* makeDirectionBox();
    bool findMatch(bool quiet);
    // A search begins: the marks Replace All or an import left on what they changed go.
    void endReplacedMarks();
    void updateButtons();

    Mode mode_;
    Context context_;
    QListWidget* where_;
    QComboBox* what_;
    QComboBox* with_ = nullptr;
    QRadioButton* textMode_ = nullptr;
    QRadioButton* changedItems_ = nullptr;
    QRadioButton* up_ = nullptr;
    QRadioButton* down_ = nullptr;
    QCheckBox* matchCase_;
    QCheckBox* wholeWord_;
    std::vector<QPushButton*> actions_;
};

} // namespace qmk
