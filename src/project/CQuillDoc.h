// One open translation project: a source script, the project database beside it and the
// translations kept there. Opens or builds the database, watches the script's stamp, keeps the
// display switches and the project status, writes the translated scripts.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "database/CProjectDatabase.h"
#include "database/ProjectRows.h"
#include "load/DatabaseUpdate.h"
#include "project/OperationResult.h"
#include "project/SourceUpdate.h"
#include "project/TextTableRows.h"
#include "project/TranslationEdit.h"
#include "project/WordCount.h"
#include "project/WrittenFiles.h"

namespace qmk {

class Feedback;
class ProjectObserver;
class Transaction;

// How a document opened for one unattended operation holds its project against other programs
// that use it at the same time.
enum class ProjectHold {
    None,     // the window: each write takes the project's write lock for itself
    Reading,  // one snapshot from the open to the end; nothing written under it is kept unless
              // commitHold() keeps it
    Writing,  // the write lock from the open to the end: another program can neither write in
              // between nor be overwritten, and one that holds it refuses the open
};

class CQuillDoc : private RowChangeListener {
public:
    CQuillDoc(Feedback& feedback, std::vector<std::string> includeExtensions);
    ~CQuillDoc();
    CQuillDoc(const CQuillDoc&) = delete;
    CQuillDoc& operator=(const CQuillDoc&) = delete;

    // Opens a project from its script or its database; builds the database (after asking)
    // when the script has none yet. Every failure has been reported when this returns false.
    bool OnOpenDocument(const std::filesystem::path& path);
    // Close-time bookkeeping, then the database is closed. Under a writing hold, what was done
    // is committed first: false (reported) when it could not be, and nothing of it stays.
    bool OnCloseDocument();
    // Chosen before OnOpenDocument (the window holds nothing).
    void setHold(ProjectHold hold) { hold_ = hold; }
    ProjectHold hold() const { return hold_; }
    // The script's block language the project is to translate when OnOpenDocument builds its
    // database; without one the person is asked (the language of the most texts unattended).
    void setSourceLanguage(std::optional<LanguageId> language) { sourceLanguage_ = language; }
    // What the project reads as its source, as its properties show it.
    std::string sourceLanguageDescription();
    // Keeps what was written under the hold; the hold ends. False (reported unless `report` is
    // false) when the project could not take it: nothing of it stays then.
    bool commitHold(bool report = true);

    static bool IsProjectDatabase(const std::filesystem::path& path);

    const std::filesystem::path& documentPath() const { return documentPath_; }
    const std::filesystem::path& scriptPath() const { return scriptPath_; }
    const std::filesystem::path& databasePath() const { return databasePath_; }
    const std::vector<std::string>& includeExtensions() const { return includeExtensions_; }
    // The files the script's build reads besides the script (followed includes leave no line
    // of their own behind): read from the script once, again after an update.
    const std::vector<std::filesystem::path>& includedFiles();
    bool openedFromDatabase() const { return openedFromDatabase_; }
    bool sourceChanged() const { return sourceChanged_; }
    void setSourceChanged(bool changed) { sourceChanged_ = changed; }
    bool builtNow() const { return builtNow_; }
    bool loaded() const { return loaded_; }
    int fileVersion() const { return fileVersion_; }
    CProjectDatabase& database() { return db_; }
    Feedback& feedback() { return feedback_; }

    // The title with its state marks.
    std::string SetTitle(const std::string& title) const;

    // --- Display switches ----------------------------------------------------------------
    const ProjectSwitches& switches() const { return switches_; }
    // Flips a switch and stores it at once; returns the new state.
    bool toggleSwitch(ProjectSwitch which);

    // --- Translations --------------------------------------------------------------------
    std::vector<TranslationRow> translations() { return db_.languages().translations(); }
    bool hasTranslation(LanguageId language) { return db_.languages().hasTranslation(language); }
    // "German", "English US": the name a translation is shown by.
    static std::string languageName(LanguageId language);
    // Asked about an existing output file that is no translated script of this project (a
    // translation made by hand): true takes it as the new translation's file.
    using ExistingFileDecision = std::function<bool(const std::filesystem::path& file)>;
    // Checks and adds a translation writing to `fileName`. InputRefused: the language or the
    // name cannot be taken (reported), the dialog stays open for another choice; Failed: the
    // database refused it and the dialog closes. An existing file that is no translated script
    // of this project is refused (reported) unless `decide` takes it.
    OperationResult NewTranslation(std::optional<LanguageId> language, const std::string& fileName,
                                   const ExistingFileDecision& decide = {});
    // What stands where the translation file name `fileName` points.
    WrittenFileState translationFileState(const std::string& fileName);
    // The person agreed that `file`, which the project did not write, be replaced by the next
    // write (a copy is kept): the writes of this session do not ask again.
    void allowReplacing(const std::filesystem::path& file);
    bool replacingAllowed(const std::filesystem::path& file) const;
    // Asks first: Cancelled when the answer was no.
    OperationResult DeleteTranslation(LanguageId language);
    // The file-name checks of a translation's settings: Done when the name may be stored;
    // InputRefused (reported) or Cancelled (the translator would not overwrite a file of that
    // name) keep the settings open for another name.
    OperationResult checkTranslationFileName(LanguageId language, const std::string& fileName);
    // Stores a changed name; a change of case alone is a change (another file on Linux), but
    // never asks whether to overwrite, as the checks above do not for it.
    bool setTranslationFileName(LanguageId language, const std::string& fileName);
    // The stored name of a translation's script (may be empty); may throw DaoException.
    std::string translationFileName(LanguageId language) { return db_.languages().fileName(language); }
    // The first language the script's LANGUAGE statements name: the source texts' font is kept
    // under it. None in a script without one.
    std::optional<LanguageId> firstSourceLanguage();
    // A font chosen for a translation (or for the source text, `source` true); written back
    // to the database when the project closes.
    void setFont(LanguageId language, bool source, const std::string& faceName, int charSet);
    // The font the texts of a language are shown in while the project is open: the face the
    // translator chose, else the language's usual face (empty when it has none: the desktop's).
    FontSetting font(LanguageId language, bool source) const;
    // The face and character set a language's texts are shown in by default: the face of the
    // language's character set (empty for the default set).
    static FontSetting languageFont(LanguageId language);
    // The font the source texts are shown in: the one kept under the first source language.
    FontSetting sourceFont() const;
    // The names of the character sets of translations without an installed font.
    std::vector<std::string> missingCharacterSets(const std::function<bool(int charSet)>& fontExists);

    // --- Writing and status --------------------------------------------------------------
    // The code page of the project's texts (65001 for UTF-8 projects).
    int codePage();
    // The code page a translation's texts are stored in (65001 for UTF-8 and UTF-16 scripts).
    int translationCodePage(LanguageId language);
    // The same for a text about to be stored: none, reported, when the database cannot say,
    // so that nothing is stored in a guessed code page.
    std::optional<int> codePageForStoring(LanguageId language);
    // The encoding a translation's script is written in (a code page, 65001 or 1200).
    int translationEncoding(LanguageId language);
    // Writes the translation's script in another encoding from now on, converting its texts.
    // InputRefused, with the texts listed, when some do not fit it: nothing changes then.
    OperationResult changeEncoding(LanguageId language, int encoding);
    // (The translated scripts are written by writer/TranslatedScripts.h.)
    void UpdateProjectStatus();
    // Before closing: the fonts changed on the settings pages go back into the project.
    void saveChangedFonts();
    bool isModified() const { return modified_; }
    void setModified(bool modified) { modified_ = modified; }
    // Stores the script's stamp and the switches (unless the source changed) and the status.
    void closeTimeBookkeeping();

    // --- Source changes (CQuillDocUpdate.cpp) --------------------------------------------
    // The script differs from the stamp stored at the last build or update. An unreadable
    // stamp, a closed database or a database error counts as unchanged.
    bool IsSourceChanged() { return IsSourceChanged(scriptPath_); }
    bool IsSourceChanged(const std::filesystem::path& script);
    // Asks whether to update now (the question after opening with a changed script).
    OperationResult SourceChangedQuestion();
    // Updates the database from the project's script (for a project opened through its
    // database, the script the file-name rules find beside it) or from the given one, which
    // then becomes the project's script. On success the source is no longer marked changed,
    // the project is modified (its translated scripts are out of date) and the new stamp and
    // status are stored and the observers hear sourceUpdated and the reload of the rows.
    OperationResult UpdateDatabase() { return UpdateDatabase(scriptPath_); }
    OperationResult UpdateDatabase(const std::filesystem::path& script);
    // The old and the current source text of an item whose source changed; without an old text
    // message 62424 is shown and nothing is returned.
    struct ChangedSourceText {
        std::string oldText;
        std::string newText;
    };
    std::optional<ChangedSourceText> changedSourceText(int lineIndex);
    // The same without a word when the item has no old text or it cannot be read (a tooltip
    // asks for it while the pointer rests on a cell).
    std::optional<ChangedSourceText> sourceChange(int lineIndex);
    // Called after each line of an update pass (tests inject failures and delays here).
    void setUpdateHook(UpdateLineHook hook) { updateHook_ = std::move(hook); }
    // What the last successful source update did to the texts (the batch reports it).
    const UpdateCounts& lastUpdateCounts() const { return lastUpdateCounts_; }

    // --- Changes through the document, heard by its observers (CQuillDocEdits.cpp) --------
    // Observers are told of every change after it succeeded; they never write the database.
    void addObserver(ProjectObserver* observer);
    void removeObserver(ProjectObserver* observer);
    // The rows of the Text Table under the display switches, kept in step with every change
    // once they have been loaded.
    const TextTableRows& rows() const { return rows_; }
    OperationResult reloadRows();
    // Stores a translation: database, its _Modified flag cleared, the row's cell, the modified
    // flag of the project and the gauge figures; one step of the edit history. `flagged`: the
    // translation is stored for review (a suggestion taken from the translation memory).
    OperationResult storeTranslation(int lineIndex, LanguageId language, std::string_view text, bool flagged = false);
    // The translation still says what the changed source says: clears its review flag and keeps
    // its text; told and recomputed as a store is, one step of the history. Cancelled, with
    // nothing changed and no step, when the translation is not flagged.
    OperationResult acceptSourceChange(int lineIndex, LanguageId language);
    // Excludes the line's text from translation or includes it again; one step of the history.
    OperationResult setExcluded(int lineIndex, bool excluded);
    // Flips a display switch and adds or removes its rows; `rowToSelect` gets the row to
    // select afterwards (the selected row's line again where it is still shown).
    OperationResult toggleCategory(ProjectSwitch category, int selectedRow, int* rowToSelect = nullptr);
    // The status gauge of a translation over the shown rows, cached until the next change.
    GaugeFigures gauge(LanguageId language) { return rows_.gauge(db_, switches_, language); }
    // A translation's texts and source words by state over the rows, for the status bar;
    // counted again only after a change of the figures.
    const TranslationWordCounts& wordCounts(LanguageId language);
    // The project's bookmarks, named places to go back to (ID in lineIndex, name in nameId).
    // A database error is reported here: the list is then empty, the bookmark none, and an
    // add or a removal answers false with the bookmarks as they were.
    std::vector<IdentRow> bookmarks();
    std::optional<BookmarkRow> bookmark(int id);
    bool addBookmark(const BookmarkRow& row);
    bool removeBookmark(int id);

    // The gauge of one dialog's or menu's texts, for its preview.
    GaugeFigures dialogGauge(int dialogLine, LanguageId language);
    GaugeFigures menuGauge(int menuLine, LanguageId language);
    // A long operation runs: the document refuses other changes until it ends.
    bool isBusy() const { return busy_; }

    // --- Quality checks (CQuillDocChecks.cpp) ---------------------------------------------
    // Lets a check's finding on an item's translation stand (or lists it again); one step of
    // the history. Cancelled when it already was so.
    OperationResult setFindingIgnored(const IgnoredFinding& finding, bool ignored);
    // Switches a check on or off for the project (kept in the project, not in the history).
    OperationResult setCheckEnabled(std::string_view check, bool enabled);

    // --- The edit history (CQuillDocHistory.cpp) ------------------------------------------
    const EditHistory& history() const { return history_; }
    // What Undo or Redo did: the step's name and the item it changed first (to show it).
    struct HistoryMove {
        OperationResult result = OperationResult::Refused;
        std::string label;
        int lineIndex = -1;
        std::optional<LanguageId> language;  // none for an exclude
    };
    HistoryMove undo();
    HistoryMove redo();
    // Every change between the two calls is one step named `label` (a Replace All).
    void beginEditStep(const std::string& label);
    void endEditStep();
    // A step of several changes is being made, undone or redone; observers hear its end.
    bool inEditStep() const { return history_.grouping() || replayingStep_; }
    // An import, held for its lifetime: what it stored (by whatever way: through the document
    // or straight into the database) becomes one step of the history named after the file.
    class RecordedImport {
    public:
        RecordedImport(CQuillDoc& doc, const std::string& fileName);
        ~RecordedImport();
        RecordedImport(const RecordedImport&) = delete;
        RecordedImport& operator=(const RecordedImport&) = delete;

    private:
        CQuillDoc& doc_;
        std::string label_;
        std::vector<LanguageId> languages_;
        std::vector<int> encodings_;  // of each language: a change makes older steps' bytes wrong
        std::vector<TextRow> before_;
        bool taken_ = false;
    };

    // A long operation of the document, held for its lifetime: the document is busy and its
    // observers know it. Not acquired when another one runs; the operation is then refused.
    // Changes made while holding one (an import storing text after text) go through the
    // overloads that take it.
    class LongOperation {
    public:
        explicit LongOperation(CQuillDoc& doc);
        ~LongOperation();
        LongOperation(const LongOperation&) = delete;
        LongOperation& operator=(const LongOperation&) = delete;
        bool acquired() const { return acquired_; }

    private:
        CQuillDoc& doc_;
        bool acquired_;
    };
    // `flagged`: the translation is to be reviewed (an import of an unreviewed suggestion).
    OperationResult storeTranslation(const LongOperation& operation, int lineIndex, LanguageId language,
                                     std::string_view text, bool flagged = false);
    // Marks a cell of the Text Table (what an import took or found different), or clears the
    // marks of a column; the marks are the table's own and never reach the database.
    void setMark(int row, int column);
    void removeMarks(int column);
    // Removes every mark (Remove Marks): one step of the history.
    void removeMarks();
    // Replaces every mark by these cells (row, column), told as one change of the rows; one
    // step of the history (Mark All).
    void markCells(const std::vector<std::pair<int, int>>& cells);
    // Shows these cells marked in place of every other mark, outside the history: the marks an
    // import leaves on what it changed (its step takes back the texts), and none when a search
    // ends such marks.
    void showCellMarks(const std::vector<std::pair<int, int>>& cells);
    // After an engine wrote translations straight into the database under the operation
    // (script and database imports): the project is modified when anything was stored, the
    // rows are read again and the observers hear translationsChanged (an import may have added
    // the translation).
    void translationsImported(const LongOperation& operation, bool anyStored);

private:
    bool openOrBuild();
    void takeHold();
    void closeDatabase();
    // The report of a project another program holds, in the words of the window or the batch.
    void reportInUse();
    void checkSourceAtOpen();
    void makeTranslationNamesRelative();
    void renameOutdatedTranslationColumns();
    bool buildDatabase();
    bool checkFileVersion();
    void loadSwitches();
    void loadFonts();
    void reportDatabaseError(const std::string& report);
    bool fileNameUsedByAnotherTranslation(LanguageId language, const std::string& fileName);
    void notifyRowChanges();
    // RowChangeListener: insertions, removals and resets reach the observers in Qt's order.
    void rowsAboutToChange(const RowChange& change) override;
    void rowsChangedNow(const RowChange& change) override;
    OperationResult writeTranslationText(int lineIndex, LanguageId language, std::string_view text, bool flagged);
    OperationResult writeExclude(int lineIndex, bool excluded);
    OperationResult writeIgnored(const IgnoredFinding& finding, bool ignored);
    // Reverts (forward false) or applies a remembered edit.
    OperationResult applyEdit(const TranslationEdit& edit, bool forward);
    HistoryMove moveInHistory(bool forward);
    // The history no longer fits the database (a translation added or deleted, texts converted
    // or updated): it starts anew, and the window says so when something was lost.
    void clearHistory();
    std::string storeLabel(std::string_view text, LanguageId language);
    std::string acceptLabel(std::string_view text, LanguageId language);
    std::string excludeLabel(int lineIndex, bool excluded);
    std::vector<TableMark> currentMarks() const;
    // Replaces every mark by these and tells the rows' observers once.
    void showMarks(const std::vector<TableMark>& marks);
    void recordMarks(std::vector<TableMark> before, const std::string& label);
    // Reads the rows again, with the code page of each column for display, and reports it.
    bool loadRows();
    void afterTranslationsChanged();
    void notify(const std::function<void(ProjectObserver&)>& call);
    void pretranslateBlockHeaders(LanguageId language);

    Feedback& feedback_;
    std::vector<std::string> includeExtensions_;
    CProjectDatabase db_;
    std::filesystem::path documentPath_;
    std::filesystem::path scriptPath_;
    std::filesystem::path databasePath_;
    bool openedFromDatabase_ = false;
    bool sourceChanged_ = false;
    bool builtNow_ = false;
    bool loaded_ = false;
    bool modified_ = false;
    int fileVersion_ = 0;
    int codePage_ = 0;
    ProjectSwitches switches_;
    std::vector<FontSetting> sourceFonts_;
    std::vector<FontSetting> translationFonts_;
    bool fontsChanged_ = false;
    UpdateLineHook updateHook_;
    UpdateCounts lastUpdateCounts_;
    TextTableRows rows_;
    struct CachedWordCounts {
        LanguageId language;
        std::uint64_t revision = 0;
        TranslationWordCounts counts;
    };
    std::optional<CachedWordCounts> wordCounts_;
    bool rowsLoaded_ = false;
    bool busy_ = false;
    bool replayingStep_ = false;  // Undo or Redo of a step of several changes under way
    std::vector<std::filesystem::path> replacementsAllowed_;
    EditHistory history_;
    bool importRecorded_ = false;  // a RecordedImport is open
    std::vector<ProjectObserver*> observers_;
    std::optional<std::vector<std::filesystem::path>> includedFiles_;
    ProjectHold hold_ = ProjectHold::None;
    std::optional<LanguageId> sourceLanguage_;
    std::unique_ptr<Transaction> held_;  // after db_: ends before the connection closes
};

} // namespace qmk
