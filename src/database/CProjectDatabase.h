// One open project database: every read and write the rest of the program needs, one
// operation per access need, over plain rows. Engine failures throw DaoException unless noted.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "database/ProjectRows.h"
#include "database/SqliteDatabase.h"

namespace qmk {

class DaoException;
class Feedback;
class LineStore;
class ReplacementFile;
class Transaction;

class CProjectDatabase {
public:
    CProjectDatabase();
    ~CProjectDatabase();
    CProjectDatabase(const CProjectDatabase&) = delete;
    CProjectDatabase& operator=(const CProjectDatabase&) = delete;

    // Where the operations that report their own failures say so (column add/remove/look-up).
    void setFeedback(Feedback* feedback) { feedback_ = feedback; }

    // --- Opening and creating ------------------------------------------------------------
    void open(const std::filesystem::path& path, const OpenMode& mode = {});
    void close();
    // Opens a throw-away copy for bulk work (a source update): held exclusively, without syncing
    // and without a journal on disk, since a crash can only lose the copy itself.
    void openWorkingCopy(const std::filesystem::path& path);
    bool isOpen() const { return db_.isOpen(); }
    const std::filesystem::path& path() const { return db_.path(); }

    // Starts a new project database for `target`: the empty layout is built in a temporary
    // file beside it, which finishNew() renames onto the target (and reopens) and
    // discardNew() removes. A database dropped before finishNew() leaves no file behind.
    void createNew(const std::filesystem::path& target);
    void finishNew();
    void discardNew();
    bool isBuildingNew() const { return pending_ != nullptr; }

    // The file opens as a database and has table Project with a Long FileVersion field.
    static bool isProjectDatabase(const std::filesystem::path& path);

    // Bulk work: every operation run while the guard lives joins one transaction.
    std::unique_ptr<Transaction> beginBulk();
    // Appends lines and their rows inside one transaction (build and update).
    std::unique_ptr<LineStore> lineStore();

    // --- Project row ---------------------------------------------------------------------
    std::optional<ProjectRow> projectRow();
    std::string sourceFile();
    std::optional<int> fileVersion();
    // Replaces the stamp, source file (when not empty) and FileVersion 7 and writes the switches.
    void writeProjectRow(const std::string& sourceFile, const FileStamp& stamp, const ProjectSwitches& switches);
    // Changed when the size differs or the current stamp is later; no Project row: unchanged.
    bool isSourceChanged(const FileStamp& current);
    std::optional<int> status();
    void setStatus(ProjectStatus status);
    // Absent when the field or the row is missing.
    std::optional<bool> readSwitch(ProjectSwitch which);
    // Creates a missing switch field first; failures are dropped (false).
    bool writeSwitch(ProjectSwitch which, bool on);

    // --- Lines and texts by line key -----------------------------------------------------
    int textCount();
    std::optional<TextRow> text(int lineIndex);
    std::optional<TranslatedText> translation(int lineIndex, LanguageId language);
    bool setTranslation(int lineIndex, LanguageId language, std::string_view text, bool modified);
    // The stored text becomes the old text, the new one is stored and flagged Modified.
    bool setSourceText(int lineIndex, std::string_view sourceText);
    std::string sourceTextOld(int lineIndex);
    std::optional<bool> exclude(int lineIndex);
    bool setExclude(int lineIndex, bool excluded);
    std::optional<LineValues> lineValues(int lineIndex);
    // Rewrites a line found again by a source update (marks it Added).
    bool rewriteLine(int lineIndex, int line, std::string_view beforeStr, std::string_view behindStr);
    // Lines found again by a source update at the same place with the same text around them:
    // only marked Added, all in one statement.
    void markLinesFound(const std::vector<int>& lineIndexes);
    std::optional<int> lineKind(int lineIndex);
    bool setLineKind(int lineIndex, int lineKind);
    std::vector<int> allLineIndexes();

    // Writer: every line in script order, and every text in the same order (join by lineIndex).
    void forEachScriptLine(const std::function<void(const LineRow&)>& visit);
    void forEachTextInLineOrder(const std::function<void(const TextRow&)>& visit);
    // Writer, one pass: every line in script order with its own text and one translation of
    // it. The views are valid during the call only. False when the language has no column.
    struct WriterRow {
        int lineKind = 0;
        std::string_view beforeStr, behindStr;
        bool hasText = false;
        bool exclude = false;
        std::string_view sourceText, translation;
    };
    bool forEachLineWithTranslation(LanguageId language, const std::function<void(const WriterRow&)>& visit);
    // Text Table: every text with its line kind and all translations, in script order.
    std::vector<TextRow> allTextsWithLineKind();
    // Data strings not yet written by the running update, in script order (lineKind set, no translations).
    std::vector<TextRow> dataStringTexts();
    // The same texts with their item identifiers and dialogs, read by one query in script order.
    void forEachTextTableRecord(const std::function<void(const TextTableRecord&)>& visit);

    // --- Item rows by line key -----------------------------------------------------------
    std::optional<DialogRow> dialog(int lineIndex);
    std::optional<CaptionRow> caption(int lineIndex);
    bool setCaptionDialog(int lineIndex, int dlgLine);
    std::optional<ControlRow> control(int lineIndex);
    bool rewriteControl(const ControlRow& row);
    // Found controls or menu items whose rows are otherwise unchanged: only linked to their new
    // dialog or menu line, all in one statement.
    void relinkControls(const std::vector<int>& lineIndexes, int dlgLine);
    void relinkMenuItems(const std::vector<int>& lineIndexes, int menuLine);
    std::optional<int> dialogOfControl(int lineIndex);
    std::optional<int> dialogOfCaption(int lineIndex);
    std::optional<std::string> menuIdent(int lineIndex);
    std::optional<int> menuOfItem(int lineIndex);
    std::optional<MenuItemRow> menuItem(int lineIndex);
    bool rewriteMenuItem(const MenuItemRow& row);
    std::optional<std::string> menuItemIdent(int lineIndex);
    std::optional<std::string> stringIdent(int lineIndex);
    std::optional<std::string> bitmapIdent(int lineIndex);
    std::optional<VersionBlockHeaderRow> versionBlockHeader(int lineIndex);
    bool rewriteVersionBlockHeader(const VersionBlockHeaderRow& row);
    std::optional<VersionValueRow> versionValue(int lineIndex);
    bool rewriteVersionValue(const VersionValueRow& row);
    std::optional<std::string> versionOfBlockHeader(int lineIndex);
    std::optional<IdentRow> versionOfValue(int lineIndex);

    // --- Items by identifier (only lines a running update has not written yet) ---------------
    std::vector<TextMatch> dialogCaptions(std::string_view dlgIdent);
    std::vector<ControlMatch> dialogControls(std::string_view dlgIdent, std::string_view itemIdent, int lineKind);
    // Controls of every dialog that shares the identifier of the given dialog.
    std::vector<ControlMatch> dialogControlsOfDialog(int dlgLineIndex, std::string_view itemIdent);
    std::vector<TextMatch> sharedDialogCaptions(int dlgLineIndex);
    std::optional<TextMatch> unchangedDialogCaption(int dlgLineIndex);
    std::vector<TextMatch> menuItemsByIdent(std::string_view menuIdent, std::string_view itemIdent);
    std::vector<TextMatch> menuItemsOfKind(std::string_view menuIdent, int lineKind);
    std::vector<TextMatch> stringsByIdent(std::string_view nameId);
    std::vector<TextMatch> stringSourceTexts(std::string_view itemIdent);
    std::vector<TextMatch> bitmapsByIdent(std::string_view nameId);
    std::vector<TextMatch> bitmapSourceTexts(std::string_view itemIdent);
    std::vector<TextMatch> versionValuesByIdent(std::string_view versIdent, std::string_view valueIdent);
    std::vector<TextMatch> versionValuesOfVersion(int versionLineIndex, std::string_view itemIdent);
    std::vector<TextMatch> versionBlockHeadersOfVersion(int versionLineIndex);
    // Every value of the version resources sharing the given one's identifier, in script order.
    std::vector<VersionValueMatch> allVersionValuesOfVersion(int versionLineIndex);
    // Include line of a file name, compared ignoring case.
    std::optional<int> includeLine(std::string_view fileName);
    int includeLineCount();
    std::vector<TextMatch> includeLines();
    // Every item of one table not yet written by the running update, in script order
    // (CProjectDatabaseStoredItems.cpp).
    std::vector<StoredItem> storedItems(StoredItemTable table);

    // --- Whole resources (tree, previews) ------------------------------------------------
    std::vector<TextRow> dialogControlTexts(int dlgLineIndex);
    std::vector<TextRow> dialogCaptionTexts(int dlgLineIndex);
    std::vector<TextRow> menuTexts(int menuLineIndex);
    std::vector<int> versionBlockHeaderLines();
    std::vector<IdentRow> resources(ResourceList which);
    std::vector<DialogItemRow> dialogTextItems(int dlgLineIndex);
    std::vector<ControlRow> dialogControlsForPreview(int dlgLineIndex);
    std::vector<MenuItemRow> menuItems(int menuLineIndex);
    std::vector<int> versionBlockHeadersOf(int versionLineIndex);
    std::vector<IdentRow> versionValuesOf(int blockHeaderLineIndex);  // nameId holds Value

    // --- Workbook export (CProjectDatabaseWorkbook.cpp) -------------------------------------
    // The Name_ID of the resource that owns each dialog caption and control (its dialog), menu
    // item and popup (its menu) and version value (its version resource), by the item's
    // LineIndex, read by one query so that an export costs no look-up per row.
    std::unordered_map<int, std::string> owningResourceIdents();
    // --- End of workbook export ------------------------------------------------------------

    // --- Translations --------------------------------------------------------------------
    std::vector<LanguageId> translationIds();
    std::vector<TranslationRow> translations();
    std::vector<SourceLanguageRow> sourceLanguages();
    bool hasTranslation(LanguageId language);
    // Inserts the Translations row and creates the two columns unless they exist already.
    // False when the language has no name, is already a translation, or its columns belong
    // to another translation of the same name.
    bool addTranslation(LanguageId language);
    // Drops the two columns and the Translations and TranslationInfoTable rows; reports failures.
    bool removeTranslation(LanguageId language);
    // ResourceText has the language's text column; failures are reported and give false.
    bool translationColumnExists(LanguageId language);
    std::string fileName(LanguageId language);
    void setFileName(LanguageId language, std::string_view fileName);
    std::vector<TranslationFileName> translationFileNames();
    // Resets every font to the default, then writes the given settings; failures dropped.
    bool saveFonts(const std::vector<FontSetting>& sourceFonts, const std::vector<FontSetting>& translationFonts);

    // --- Encodings (CProjectDatabaseEncodings.cpp) ------------------------------------------
    // A translation's encoding as a code page (1200 UTF-16, 65001 UTF-8, else single- or
    // double-byte); absent in projects written before encodings were stored.
    std::optional<int> translationEncoding(LanguageId language);
    void setTranslationEncoding(LanguageId language, int encoding);
    // How the source script was encoded (a ScriptEncoding value); absent in older projects.
    std::optional<int> sourceEncoding();
    void setSourceEncoding(int encoding);
    // The project has a line of this kind (for example a code-page pragma).
    bool hasLineOfKind(int lineKind);
    // Every non-empty translation of one language with its line kind, in script order.
    std::vector<TranslatedLine> translatedTexts(LanguageId language);
    // Replaces translations without touching their flags, in one transaction.
    void rewriteTranslations(LanguageId language, const std::vector<TranslatedLine>& texts);

    // --- Bookmarks -----------------------------------------------------------------------
    int addBookmark(const BookmarkRow& row);
    std::vector<IdentRow> bookmarks();  // lineIndex holds ID, nameId the name
    std::optional<BookmarkRow> bookmark(int id);
    bool deleteBookmark(int id);

    // --- After a source update, statistics -----------------------------------------------
    // Deletes the rows of every line the update did not write, passes changed texts on to the
    // translations' flags and clears Modified and Added, all in one transaction. Only valid
    // right after an update pass has written every line it met.
    void removeObsoleteRows();
    TranslationStatistics translationStatistics(LanguageId language, const CountedKinds& kinds = {});
    ResourceStatistics dialogStatistics(int dlgLineIndex, LanguageId language);
    ResourceStatistics menuStatistics(int menuLineIndex, LanguageId language);
    // 1 without translations, 2 when one has fewer translated texts than texts, else 3.
    ProjectStatus computeStatus();

    // --- Exchange between project files (CProjectDatabaseExchange.cpp) -------------------
    // Fills this database, just started with createNew(), with the whole project held in
    // `source`: every line, text and item row, the Project row, the bookmarks, and of the
    // translations only those listed in `keep` (others, and languages the source lacks, are
    // left out). One transaction; the source file is only read.
    void copyProjectFrom(const std::filesystem::path& source, const std::vector<LanguageId>& keep);

private:
    Statement query(std::string_view name);
    bool ensureFontColumns(std::string_view table);
    bool ensureProjectField(ProjectSwitch which);
    void report(const DaoException& error);
    std::vector<TextMatch> textMatches(Statement& statement);
    std::vector<TextRow> textRows(Statement& statement, bool withKind);
    ResourceStatistics resourceStatistics(std::initializer_list<std::string_view> queryNames, const char* parameter,
                                          int lineIndex, LanguageId language);

    void copyAttachedProject(const std::vector<LanguageId>& keep);  // exchange

    SqliteDatabase db_;
    Feedback* feedback_ = nullptr;
    std::unique_ptr<ReplacementFile> pending_;  // the new database until it is finished
};

} // namespace qmk
