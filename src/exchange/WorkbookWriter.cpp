// Writes a new workbook file with one worksheet of text cells, over libxlsxwriter.
// libxlsxwriter builds the sheet in memory and writes the zip only in workbook_close().
#include "exchange/WorkbookWriter.h"

#include <xlsxwriter.h>

#include "exchange/CellAddress.h"
#include "exchange/OoxmlText.h"
#include "resources/ReplacementFile.h"
#include "resources/Utf8Length.h"
#include "project/TextCodec.h"

namespace qmk {

namespace {

constexpr size_t kMaxCellCharacters = 32767;

} // namespace

WorkbookWriter::WorkbookWriter() = default;

WorkbookWriter::~WorkbookWriter()
{
    abandon();
}

bool WorkbookWriter::fail(WorkbookError error, std::string detail)
{
    error_ = error;
    errorDetail_ = std::move(detail);
    return false;
}

bool WorkbookWriter::create(const std::filesystem::path& target, const std::string& sheetName)
{
    abandon();
    error_ = WorkbookError::None;
    errorDetail_.clear();
    file_ = std::make_unique<ReplacementFile>(target, ReplacementOptions{.tag = "tmp", .hidden = true});
    if (!file_->create()) {
        std::string detail = file_->errorDetail();
        file_.reset();
        return fail(WorkbookError::CannotCreate, detail);
    }
    workbook_ = workbook_new(file_->temporaryPath().c_str());
    if (workbook_)
        sheet_ = workbook_add_worksheet(workbook_, sheetName.c_str());
    if (!workbook_) {
        abandon();
        return fail(WorkbookError::CannotCreate, "cannot start a workbook");
    }
    if (!sheet_) {
        abandon();
        return fail(WorkbookError::InvalidText, "a sheet cannot be named \"" + sheetName + "\"");
    }
    return true;
}

lxw_format* WorkbookWriter::formatFor(CellStyle style, const std::string& fontName)
{
    if (style == CellStyle::Plain && fontName.empty())
        return nullptr;
    auto key = std::make_pair(style, fontName);
    if (auto it = formats_.find(key); it != formats_.end())
        return it->second;
    lxw_format* format = workbook_add_format(workbook_);
    if (!fontName.empty())
        format_set_font_name(format, fontName.c_str());
    if (style == CellStyle::Header) {
        format_set_bold(format);
        format_set_pattern(format, LXW_PATTERN_SOLID);
        format_set_bg_color(format, kHeaderFillColour);
        format_set_border(format, LXW_BORDER_THIN);
    }
    formats_[key] = format;
    return format;
}

bool WorkbookWriter::checkCell(int row, int column)
{
    if (!workbook_)
        return fail(WorkbookError::NotOpen, "no workbook created");
    if (row < 0 || row >= kSheetMaxRows || column < 0 || column >= kSheetMaxColumns)
        return fail(WorkbookError::OutOfRange,
                    "row " + std::to_string(row) + ", column " + std::to_string(column));
    return true;
}

bool WorkbookWriter::setColumnFont(int column, const std::string& fontName)
{
    if (!checkCell(0, column))
        return false;
    columnFonts_[column] = fontName;
    lxw_error rc = worksheet_set_column(sheet_, static_cast<lxw_col_t>(column), static_cast<lxw_col_t>(column),
                                        LXW_DEF_COL_WIDTH, formatFor(CellStyle::Plain, fontName));
    return rc == LXW_NO_ERROR || fail(WorkbookError::OutOfRange, lxw_strerror(rc));
}

bool WorkbookWriter::setColumnWidth(int column, double width)
{
    if (!checkCell(0, column))
        return false;
    auto font = columnFonts_.find(column);
    lxw_format* format = font == columnFonts_.end() ? nullptr : formatFor(CellStyle::Plain, font->second);
    lxw_error rc = worksheet_set_column(sheet_, static_cast<lxw_col_t>(column), static_cast<lxw_col_t>(column),
                                        width, format);
    return rc == LXW_NO_ERROR || fail(WorkbookError::OutOfRange, lxw_strerror(rc));
}

bool WorkbookWriter::setCustomProperty(const std::string& name, const std::string& value)
{
    if (!workbook_)
        return fail(WorkbookError::NotOpen, "no workbook created");
    if (!isValidUtf8(name) || !isValidUtf8(value) || name.empty() || value.empty())
        return fail(WorkbookError::InvalidText, "custom property " + name);
    const lxw_error rc = workbook_set_custom_property_string(workbook_, name.c_str(), value.c_str());
    return rc == LXW_NO_ERROR || fail(WorkbookError::InvalidText, lxw_strerror(rc));
}

bool WorkbookWriter::freezeRows(int rows)
{
    if (!checkCell(rows, 0))
        return false;
    worksheet_freeze_panes(sheet_, static_cast<lxw_row_t>(rows), 0);
    return true;
}

bool WorkbookWriter::setAutofilter(int firstRow, int firstColumn, int lastRow, int lastColumn)
{
    if (!checkCell(firstRow, firstColumn) || !checkCell(lastRow, lastColumn))
        return false;
    lxw_error rc = worksheet_autofilter(sheet_, static_cast<lxw_row_t>(firstRow), static_cast<lxw_col_t>(firstColumn),
                                        static_cast<lxw_row_t>(lastRow), static_cast<lxw_col_t>(lastColumn));
    return rc == LXW_NO_ERROR || fail(WorkbookError::OutOfRange, lxw_strerror(rc));
}

bool WorkbookWriter::writeText(int row, int column, std::string_view utf8, CellStyle style)
{
    if (!checkCell(row, column))
        return false;
    if (!isValidUtf8(utf8) || utf8.find('\0') != std::string_view::npos)
        return fail(WorkbookError::InvalidText, "text of cell " + formatCellAddress(row, column) + " is not UTF-8");
    if (utf8Length(utf8) > kMaxCellCharacters)
        return fail(WorkbookError::InvalidText,
                    "text of cell " + formatCellAddress(row, column) + " is longer than a cell holds");
    auto font = columnFonts_.find(column);
    lxw_format* format = formatFor(style, font == columnFonts_.end() ? std::string() : font->second);
    // libxlsxwriter escapes control characters as "_xHHHH_" itself, but leaves text that
    // merely looks like such an escape alone; a reader would turn it into a character.
    std::string text = protectOoxmlEscapes(utf8);
    lxw_error rc = worksheet_write_string(sheet_, static_cast<lxw_row_t>(row), static_cast<lxw_col_t>(column),
                                          text.c_str(), format);
    if (rc != LXW_NO_ERROR)
        return fail(WorkbookError::InvalidText, lxw_strerror(rc));
    return true;
}

bool WorkbookWriter::close()
{
    if (!workbook_)
        return fail(WorkbookError::NotOpen, "no workbook created");
    lxw_error rc = workbook_close(workbook_);  // frees the workbook in every case
    workbook_ = nullptr;
    sheet_ = nullptr;
    formats_.clear();
    columnFonts_.clear();
    if (rc != LXW_NO_ERROR) {
        file_.reset();
        return fail(rc == LXW_ERROR_CREATING_XLSX_FILE ? WorkbookError::CannotCreate : WorkbookError::WriteFailed,
                    lxw_strerror(rc));
    }
    bool committed = file_->commit();
    std::string detail = file_->errorDetail();
    file_.reset();
    return committed || fail(WorkbookError::WriteFailed, detail);
}

void WorkbookWriter::abandon()
{
    if (workbook_)
        lxw_workbook_free(workbook_);
    workbook_ = nullptr;
    sheet_ = nullptr;
    formats_.clear();
    columnFonts_.clear();
    file_.reset();
}

} // namespace qmk
