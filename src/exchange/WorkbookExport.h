// Writes the rows the Text Table shows into a new workbook file: a grey, bold header row that
// stays in view and carries filter buttons, an empty row, then one row per shown text with the
// chosen columns, the layout the workbook import reads.
#pragma once

#include <filesystem>
#include <string>
#include <unordered_map>
#include <vector>

#include "project/OperationResult.h"

namespace qmk {

class CQuillDoc;
class Feedback;
class TextTableRows;

// One entry of the column choice: its text and the Text Table column it stands for.
struct ExportColumnEntry {
    std::string text;
    int column = 0;
};

struct WorkbookExportResult {
    // Done: the workbook is at its place. InputRefused: no valid column was chosen. Cancelled
    // between rows, Failed (reported), Refused while the document is busy: no file was
    // written, and a file of that name is unchanged, unless the person asked to keep the
    // rows written before the cancel (keptPartial).
    OperationResult outcome = OperationResult::InputRefused;
    bool keptPartial = false;
    int rowsWritten = 0;       // data rows, without header and empty row
    int undecodableCells = 0;  // texts not valid in their code page, written empty (reported)
};

class WorkbookExport {
public:
    // The header and data rows begin here (rows counted from 0: row 2 is the sheet's row 3).
    static constexpr int HeaderRow = 0;
    static constexpr int FirstDataRow = 2;
    // The document property (docProps/custom.xml) that names the export a workbook came from:
    // the import judges each text against what the export sent. A custom property, because
    // spreadsheet applications keep it untouched when they save, while the core properties
    // (title, keywords, identifier) are the person's to fill in and show in every file dialog.
    static constexpr char ExportIdProperty[] = "QuillmarkExportId";

    WorkbookExport(CQuillDoc& doc, Feedback& feedback);

    // "Id's", "Source", then each translation's language name, in Text Table column order.
    std::vector<ExportColumnEntry> entries() const;

    // Writes the workbook to `target` (replacing a file of that name only on success). The
    // columns are Text Table column numbers; they are written in column order whatever order
    // they come in, duplicates and numbers without a column are dropped. Progress runs over the
    // Text Table rows; a cancel seen after any row abandons the workbook.
    WorkbookExportResult run(const std::filesystem::path& target, std::vector<int> columns);

    // Adds a "Picture" column naming the picture of each text listed (by its line), after one
    // empty column: the import reads the languages up to the first empty heading, so the
    // workbook still comes back as it would without it.
    void setPictures(std::unordered_map<int, std::string> pictureByLine) { pictures_ = std::move(pictureByLine); }

    // The sheet's width for a choice: the chosen columns, plus "Resource Ident" and "Item Type"
    // when the Id column is chosen.
    static int sheetWidth(const std::vector<int>& columns);

private:
    struct SheetColumn;
    std::vector<int> validColumns(std::vector<int> columns) const;
    std::vector<SheetColumn> sheetColumns(const std::vector<int>& columns);
    void recordSent(const std::string& exportId, const std::vector<SheetColumn>& sheet);

    CQuillDoc& doc_;
    const TextTableRows& rows_;
    Feedback& feedback_;
    std::unordered_map<int, std::string> pictures_;
};

} // namespace qmk
