// Reads the first worksheet of a workbook file (libzip + pugixml) as UTF-8 cell texts: shared
// and inline strings, numbers as written, booleans as TRUE/FALSE, formula results as cached.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "exchange/WorkbookError.h"
#include "exchange/WorkbookPackage.h"

namespace qmk {

// How a cell looks, as far as the export's header and the import's marks are concerned.
struct CellLook {
    std::optional<unsigned> fillColour;  // 0xRRGGBB of a solid fill given as an RGB colour
    bool bordered = false;                // a border on all four sides
    std::string fontName;                 // font face of the cell's style ("Arial Cyr")
};

class WorkbookReader {
public:
    // Reads the whole first worksheet into memory; the file is closed again when this returns.
    // Fails with FileNotFound, CannotOpen, NotAWorkbook, NoWorksheet, Damaged or PartTooLarge
    // and then holds no cells. Every text is held once, however many cells refer to it.
    bool open(const std::filesystem::path& path);
    // The largest unpacked part open() reads (WorkbookPackage::kDefaultPartSizeLimit).
    void setPartSizeLimit(std::uint64_t bytes) { partSizeLimit_ = bytes; }

    // Rows and columns are counted from 0 (A1 is 0, 0). The counts reach up to the last row
    // (column) that holds a non-empty text; cells that are only formatted do not count.
    int rowCount() const { return rowCount_; }
    int columnCount() const { return columnCount_; }

    // The text of a cell; empty for a cell that is missing or has no value.
    const std::string& text(int row, int column) const;
    CellLook look(int row, int column) const;
    // A text property of the document (docProps/custom.xml); empty when it has none of the name.
    std::string customProperty(const std::string& name) const;

    WorkbookError error() const { return error_; }
    const std::string& errorDetail() const { return errorDetail_; }

private:
    struct Cell {
        int row;
        int column;
        std::uint32_t text;  // index into texts_
        int style;
    };
    struct Style {
        int font = 0, fill = 0, border = 0;
    };

    bool fail(WorkbookError error, std::string detail);
    bool readSharedStrings(WorkbookPackage& package);
    bool readSheet(const std::string& part, std::string& xml, std::size_t sharedCount);
    std::uint32_t ownText(std::string text);
    void readStyles(const std::string& xml);
    void readCustomProperties(WorkbookPackage& package);
    const Cell* find(int row, int column) const;

    std::vector<Cell> cells_;  // sorted by row, then column
    // The empty text, then the shared strings in their order, then the cells' own texts. Cells
    // of a shared string refer to its one copy: a long string in many cells is not multiplied.
    std::vector<std::string> texts_{std::string()};
    std::uint64_t partSizeLimit_ = WorkbookPackage::kDefaultPartSizeLimit;
    std::vector<Style> styles_;
    std::vector<std::pair<std::string, std::string>> customProperties_;  // name, text
    std::vector<std::string> fontNames_;
    std::vector<std::optional<unsigned>> fillColours_;
    std::vector<bool> borders_;
    int rowCount_ = 0;
    int columnCount_ = 0;
    WorkbookError error_ = WorkbookError::None;
    std::string errorDetail_;
};

} // namespace qmk
