// The form of the "Translate" bar: the selected item's source text and its translation in the
// current language, with "O&K", "OK &Next", "Cancel Ne&xt", "Cop&y" and "&Character". It shows
// what the active project window selects and stores through that project's document.
#pragma once

#include <QPointer>
#include <functional>
#include <map>
#include <memory>
#include <QWidget>
#include <string>

#include "database/ProjectRows.h"
#include "project/ProjectObserver.h"
#include "project/TranslationForm.h"

class QKeyEvent;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QStackedWidget;

namespace qmk {

class CChildFrame;
class CQuillDoc;
class CSpellHighlighter;
class SpellChecker;

class CTranslDlgView : public QWidget, public ProjectObserver {
    Q_OBJECT
public:
    explicit CTranslDlgView(QWidget* parent = nullptr);
    ~CTranslDlgView() override;

    // Follows the selection of a project window; null shows nothing.
    void bind(CChildFrame* child);
    // Shows the project window's chosen item in the Text Table's current translation.
    void showChosen();
    void clear();

    // The commands of the form's buttons.
    bool store();
    // Typing not stored yet goes into the item the bar shows, as one step of the project's
    // history, before the bar leaves it; false when it could not be stored (said why).
    bool keepTyped();
    // Escape: the box shows again what the project holds, and the typing is dropped.
    void restoreStored();
    void storeAndNext();
    void cancelNext();
    void copySource();
    void chooseCharacter();
    // Opens "Block Header Properties" on the shown block header.
    void editBlockHeader();
    // Text typed elsewhere for the shown translation (the Text Table's row): the caret goes to
    // the end of the box, which takes the text as typed. False when the box cannot take it
    // (nothing shown, a block header, a project without translations).
    bool typeIntoTranslation(const QString& text);

    QPlainTextEdit* sourceEdit() const { return source_; }
    QPlainTextEdit* translationEdit() const { return translation_; }
    // What the quality checks found in the shown translation (hidden when nothing).
    QLabel* findingsLine() const { return findings_; }
    // Selects characters of the translation (positions in code points of the Text Table's
    // text), and replaces the selection; Replace stores with store() afterwards.
    void selectInTranslation(int position, int length);
    void replaceSelection(const QString& text);
    // Where OK Next and Cancel Next move to while a preview is active (its next item); the
    // Text Table's next untranslated row otherwise.
    void setNextHandler(std::function<bool()> next) { nextHandler_ = std::move(next); }
    int shownLine() const { return lineIndex_; }
    std::optional<LanguageId> shownLanguage() const
    {
        return lineIndex_ >= 0 ? std::optional<LanguageId>(language_) : std::nullopt;
    }
    bool isEdited() const { return item_.edited; }

    // ProjectObserver
    void translationStored(int lineIndex, LanguageId language) override;
    void itemExcluded(int lineIndex, bool excluded) override;
    // The rows were read again: the bar shows its item afresh.
    void tableReset() override;

signals:
    // A translation was stored (Undo has something to take back).
    void stored();
    // Ctrl+Z or Ctrl+Y where the project's Undo or Redo is meant (`undo` false: Redo).
    void historyWanted(bool undo);
    // The source text was double-clicked while the translation is flagged for review: the old
    // and the new source text are wanted.
    void changedSourceWanted();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void applyRules();
    void showFindings();
    bool storeTyped(bool focus);

public:
    // Puts a text into the Translation box as if typed: nothing is stored until OK.
    void proposeTranslation(const QString& text);
    void setTranslationText(const QString& text);
    void showModified(bool modified);
    void focusTranslation();
    void useDictionaryOf(LanguageId language);
    void showTranslationMenu(const QPoint& position);
    // Ctrl+Z and Ctrl+Y: the box's own while it holds typing not stored, else the project's.
    bool takeHistoryKey(QObject* watched, QKeyEvent* event);

    QPointer<CChildFrame> child_;
    CQuillDoc* doc_ = nullptr;
    QLabel* heading_;
    QPlainTextEdit* source_;
    QStackedWidget* stack_;
    QPlainTextEdit* translation_;
    QLineEdit* headerDisplay_;
    QPushButton* ok_;
    QPushButton* okNext_;
    QPushButton* cancelNext_;
    QPushButton* copy_;
    QPushButton* character_;
    QLabel* findings_;  // what the checks found in the shown translation
    ShownItemState item_;
    int lineIndex_ = -1;
    LanguageId language_{};
    std::string sourceShown_;  // display form
    std::string sourceBytes_;  // as stored
    std::string translationShown_;  // as the Text Table shows it
    std::string storedBytes_;       // the translation as the project holds it
    std::string header_;       // the translated block header being edited
    bool settingText_ = false;
    bool storingTyped_ = false;  // a store on leaving runs: the selection it moves is no leave
    bool flagged_ = false;
    std::function<bool()> nextHandler_;  // the shown translation is flagged for review
    CSpellHighlighter* spelling_;
    // The dictionaries of the languages shown so far (none where no dictionary is installed).
    std::map<std::pair<int, int>, std::unique_ptr<SpellChecker>> checkers_;
};

} // namespace qmk
