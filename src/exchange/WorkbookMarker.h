// Marks cells of a workbook file's first worksheet (fill colour and border) and saves the file
// again. Only the worksheet and style parts are rewritten; every other part is copied unchanged,
// and the new file replaces the old one in one step, so a failed save leaves it as it was.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include <pugixml.hpp>

#include "exchange/WorkbookError.h"
#include "exchange/WorkbookPackage.h"

namespace qmk {

enum class CellMark {
    Taken,     // grey (0xC0C0C0) solid fill and a thin border on all four sides
    NotTaken,  // white (0xFFFFFF) solid fill; the border stays as it was
};

inline constexpr unsigned kTakenFillColour = 0xC0C0C0;
inline constexpr unsigned kNotTakenFillColour = 0xFFFFFF;

class WorkbookMarker {
public:
    // Opens the workbook and reads its worksheet and styles. Fails like WorkbookReader::open,
    // and with Damaged when the workbook has no style part to add the marks to.
    bool open(const std::filesystem::path& path);

    // Gives a cell (rows and columns from 0) the mark, keeping its font and number format.
    // A cell that does not exist is created empty. Nothing reaches the file before save().
    bool mark(int row, int column, CellMark mark = CellMark::Taken);
    bool hasChanges() const { return changed_; }

    // Writes the marked workbook beside the original and renames it over the original.
    // On failure (CannotCreate, WriteFailed) the original file is unchanged; the marks stay
    // pending, so save() may be tried again.
    bool save();

    WorkbookError error() const { return error_; }
    const std::string& errorDetail() const { return errorDetail_; }

private:
    bool fail(WorkbookError error, std::string detail);
    bool indexRows();
    pugi::xml_node rowNode(int row);
    pugi::xml_node cellNode(pugi::xml_node row, int rowIndex, int column);
    void extendDimension(int row, int column);
    pugi::xml_node styleContainer(const char* name);
    pugi::xml_node newStyleElement(pugi::xml_node parent, const char* name);
    int fillIndex(unsigned colour);
    int thinBorderIndex();
    int markedStyle(int style, CellMark mark);
    static void updateCount(pugi::xml_node container, const char* child);
    struct Part {
        pugi::xml_document document;
        std::string prolog;    // the bytes before the root element, kept as they were
        std::string epilogue;  // the bytes after it
    };
    bool readPart(const std::string& name, Part& part);
    static std::string serialise(const Part& part);

    WorkbookPackage package_;
    Part sheet_;
    Part styles_;
    pugi::xml_node sheetData_;
    std::map<int, pugi::xml_node> rows_;                  // row index -> <row>
    std::map<std::pair<int, CellMark>, int> marked_;      // (style, mark) -> style with the mark
    bool changed_ = false;
    WorkbookError error_ = WorkbookError::None;
    std::string errorDetail_;
};

} // namespace qmk
