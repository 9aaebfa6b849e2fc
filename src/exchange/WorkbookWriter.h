// Writes a new workbook file with one worksheet of text cells, over libxlsxwriter. The file
// appears at its name only when close() succeeds; an abandoned or failed workbook leaves nothing.
#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "exchange/WorkbookError.h"

struct lxw_workbook;
struct lxw_worksheet;
struct lxw_format;

namespace qmk {

class ReplacementFile;

// The look of a written cell. Header: bold, grey (0xC0C0C0) solid fill, thin border on all
// four sides.
enum class CellStyle { Plain, Header };

inline constexpr unsigned kHeaderFillColour = 0xC0C0C0;

class WorkbookWriter {
public:
    WorkbookWriter();
    ~WorkbookWriter();  // abandons a workbook that was not closed
    WorkbookWriter(const WorkbookWriter&) = delete;
    WorkbookWriter& operator=(const WorkbookWriter&) = delete;

    // Starts a workbook that close() will store at `target` (replacing a file of that name).
    // Fails with CannotCreate when nothing can be written in the target's folder, InvalidText
    // for a sheet name a workbook cannot hold (more than 31 characters, any of []:*?/\).
    bool create(const std::filesystem::path& target, const std::string& sheetName = "Sheet1");

    // Sets the font face of a column ("Arial Cyr"): every cell written in the column afterwards,
    // and the column's empty cells, use it. Columns are counted from 0.
    bool setColumnFont(int column, const std::string& fontName);
    // Column width in characters of the default font.
    bool setColumnWidth(int column, double width);
    // A text property of the document (docProps/custom.xml) that spreadsheet applications keep
    // when they save the workbook again; name and value non-empty UTF-8.
    bool setCustomProperty(const std::string& name, const std::string& value);
    // Keeps the top `rows` rows in view while the sheet scrolls.
    bool freezeRows(int rows);
    // Gives the rectangle from the first to the last cell (both included) a filter button in
    // each cell of its first row.
    bool setAutofilter(int firstRow, int firstColumn, int lastRow, int lastColumn);

    // Writes UTF-8 text into the cell at `row`, `column` (both from 0: A1 is 0, 0). Empty text
    // writes no value (but the Header style still shows). Fails with InvalidText for text that
    // is not UTF-8 or longer than a cell holds (32,767 characters), OutOfRange beyond the sheet.
    bool writeText(int row, int column, std::string_view utf8, CellStyle style = CellStyle::Plain);

    // Writes the workbook to a temporary file beside the target and renames it over the target.
    // On failure (WriteFailed, CannotCreate) the target is as it was before and no file is left.
    bool close();
    // Drops the workbook: nothing is written, the target is untouched.
    void abandon();

    bool isOpen() const { return workbook_ != nullptr; }
    WorkbookError error() const { return error_; }
    const std::string& errorDetail() const { return errorDetail_; }

private:
    bool fail(WorkbookError error, std::string detail);
    bool checkCell(int row, int column);
    lxw_format* formatFor(CellStyle style, const std::string& fontName);

    lxw_workbook* workbook_ = nullptr;
    lxw_worksheet* sheet_ = nullptr;
    std::unique_ptr<ReplacementFile> file_;
    std::map<int, std::string> columnFonts_;
    std::map<std::pair<CellStyle, std::string>, lxw_format*> formats_;
    WorkbookError error_ = WorkbookError::None;
    std::string errorDetail_;
};

} // namespace qmk
