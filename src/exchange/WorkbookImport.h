// The workbook import: reads a workbook that the export wrote and a translator filled in,
// checks its header, and imports the texts of one language as the import dialog asks: pair by
// pair, all at once, or marking the differences only. Messages go through Feedback.
#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "database/ProjectRows.h"
#include "exchange/ThreeWayImport.h"
#include "exchange/WorkbookMarker.h"
#include "exchange/WorkbookPairSearch.h"
#include "exchange/WorkbookReader.h"
#include "project/CQuillDoc.h"
#include "project/TextCodec.h"

namespace qmk {

class Feedback;

class WorkbookImport {
public:
    // Sheet columns of the fixed header, counted from 0.
    static constexpr int ResourceIdentColumn = 0;
    static constexpr int ItemTypeColumn = 1;
    static constexpr int IdColumn = 2;
    static constexpr int SourceColumn = 3;
    static constexpr int FirstLanguageColumn = 4;
    static constexpr int FirstDataRow = 2;

    using Direction = WorkbookPairSearch::Direction;

    // Which "Mark taken" boxes are checked: the Text Table cell, the worksheet cell.
    struct MarkTaken {
        bool table = false;
        bool sheet = false;
    };

    // What the dialog shows of the current pair, as UTF-8.
    struct PairView {
        WorkbookPair pair;
        std::string sourceText;
        std::string translation;  // the row's current translation (empty without that translation)
        std::string sheetText;
    };

    // The Text Table's Ids and source texts are indexed by open(): open the workbook again
    // after the table was reloaded. Every text is stored, and every mark set, through the
    // document, so its views hear of each one.
    WorkbookImport(CQuillDoc& doc, Feedback& feedback);
    ~WorkbookImport();

    // Reads the workbook and checks its header, reporting a header that the export did not
    // write, a header without languages and every language name not known (its column is
    // dropped). True when at least one known language remains.
    bool open(const std::filesystem::path& path);
    const std::filesystem::path& path() const { return path_; }
    // The file was read as a workbook (its header may still have been refused).
    bool wasRead() const { return read_; }
    // The known language names of the header, in header order.
    std::vector<std::string> languageNames() const;
    // The first sheet row (from 0) whose Id is empty: the data end before it.
    int dataEnd() const { return search_ ? search_->dataEnd() : FirstDataRow; }
    int tableRowCount() const { return rows_.rowCount(); }

    // Takes the language's sheet column and searches the first pair; without one, says
    // "No resources with the same ID found." and returns false.
    bool chooseLanguage(const std::string& name);
    const std::optional<WorkbookPair>& currentPair() const { return current_; }
    std::optional<PairView> currentView() const;

    // The next pair below or above the current one (wrapping once); reports when there is none.
    bool next(Direction direction);
    // Stores the current pair's sheet text as the row's translation, marks as asked, then
    // moves to the next pair down. A text the translation's code page cannot hold is
    // reported and not stored. False when nothing was stored.
    // Refused while the document is busy with another operation.
    bool importCurrent(MarkTaken marks);
    // Imports every pair from the current one on whose sheet text differs from the row's
    // translation; stops on cancel. Progress counts the sheet rows walked; currentPair() is
    // the pair just handled, for the Text Table's bar. Returns the number stored and reports it.
    // A long operation of the document: nothing else changes the project while it runs.
    int importAll(MarkTaken marks);
    // Texts the last importAll() could not store (the database refused them; reported).
    int failedStores() const { return failedStores_; }
    // Import All judges each text against what the export of the workbook sent (its id is a
    // document property): a text changed in the workbook only is taken, one changed here only
    // is kept (counted), one changed on both sides is kept, flagged for review and listed as a
    // conflict. A workbook of no known export replaces no other translation unless the person
    // agrees once (asked, default No) or `overwrite` was set; those it did not replace are listed.
    void setOverwrite(bool overwrite) { overwrite_ = overwrite; }
    const std::string& exportId() const { return exportId_; }
    const std::vector<ImportDisagreement>& conflicts() const { return conflicts_; }
    LanguageId conflictsLanguage() const { return conflictsLanguage_; }
    const std::vector<ImportDisagreement>& keptExisting() const { return kept_; }
    int unchangedSinceExport() const { return unchangedSinceExport_; }
    // Imports nothing: marks the rows whose sheet text differs (grey sheet cell) and those
    // that do not (white sheet cell). Returns the number of differing pairs and reports it.
    int markAll();

    // Sheet cell marks collect here; they reach the workbook file only through saveMarks().
    bool hasPendingMarks() const { return !sheetMarks_.empty(); }
    bool saveMarks();

private:
    struct Language {
        std::string name;
        LanguageId id;
        int sheetColumn = 0;
    };
    enum class Stored { Yes, Refused, Failed };

    bool checkHeader();
    const Language* chosen() const;
    int tableColumn() const;
    int translationCodePageOfChoice() const;
    int importEveryPair(MarkTaken marks);
    bool requireTranslation();
    std::vector<int> walkOrder() const;
    // `encoded`: the translation already encoded into the translation's code page.
    Stored store(const CQuillDoc::LongOperation& operation, const WorkbookPair& pair, MarkTaken marks,
                 std::optional<EncodeResult> encoded = std::nullopt);
    EncodeResult encodedTranslation(const WorkbookPair& pair) const;
    int storeDiffering(const CQuillDoc::LongOperation& operation, MarkTaken marks, int& pairs);
    bool storeJudged(const CQuillDoc::LongOperation& operation, const WorkbookPair& pair, MarkTaken marks, int& imported,
                     std::optional<EncodeResult> encoded);
    // `encoded`, when given, receives the translation encoded for the comparison.
    bool differs(const WorkbookPair& pair, std::optional<EncodeResult>* encoded = nullptr) const;
    void loadSent();
    UnitVerdict judge(const WorkbookPair& pair, ImportDisagreement& disagreement) const;
    int replaceKept(MarkTaken marks);
    void reportRefused();
    void reportNotTaken();

    CQuillDoc& doc_;
    const TextTableRows& rows_;
    Feedback& feedback_;
    std::filesystem::path path_;
    bool read_ = false;
    WorkbookReader sheet_;
    std::vector<Language> languages_;
    int chosen_ = -1;
    std::unique_ptr<WorkbookPairSearch> search_;
    std::optional<WorkbookPair> current_;
    std::map<std::pair<int, int>, CellMark> sheetMarks_;  // (row, column) -> mark
    std::vector<std::string> refused_;                   // lines of the refusal report
    int failedStores_ = 0;
    std::string exportId_;
    bool overwrite_ = false;
    std::unordered_map<int, SentText> sent_;  // what the export sent of the chosen language
    std::vector<ImportDisagreement> conflicts_;
    LanguageId conflictsLanguage_{};  // the translation of the last Import All
    std::vector<ImportDisagreement> kept_;
    std::vector<WorkbookPair> keptPairs_;  // the pairs of kept_
    int unchangedSinceExport_ = 0;
    std::optional<int> walkCodePage_;  // the translation's code page while Import All walks the sheet
};

} // namespace qmk
