// Marks cells of a workbook file's first worksheet and saves the file again. The XML is parsed
// without resolving entities or line ends and written back the same way, so the text of every
// part we rewrite stays as the writing application left it; only what printing in that form
// would break (a '"' the file quoted with ') is escaped.
#include "exchange/WorkbookMarker.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <zip.h>

#include "exchange/CellAddress.h"
#include "exchange/VerbatimXml.h"
#include "resources/ReplacementFile.h"
#include "exchange/XmlNames.h"

namespace qmk {

namespace {

constexpr unsigned kVerbatimParse = pugi::parse_cdata | pugi::parse_comments | pugi::parse_pi |
                                    pugi::parse_declaration | pugi::parse_doctype | pugi::parse_ws_pcdata;
constexpr unsigned kVerbatimFormat = pugi::format_raw | pugi::format_no_escapes | pugi::format_no_declaration;

// The order the style sheet's containers must keep.
constexpr std::array kStyleOrder = {"numFmts", "fonts", "fills", "borders", "cellStyleXfs", "cellXfs",
                                    "cellStyles", "dxfs", "tableStyles", "colors", "extLst"};
// Fills 0 and 1 are taken by the format's two predefined patterns, whatever the file says.
constexpr int kPredefinedFills = 2;

struct StringWriter : pugi::xml_writer {
    std::string text;
    void write(const void* data, size_t size) override { text.append(static_cast<const char*>(data), size); }
};

std::string printNode(const pugi::xml_node& node)
{
    StringWriter w;
    node.print(w, "", kVerbatimFormat);
    return w.text;
}

std::vector<pugi::xml_node> elementsNamed(const pugi::xml_node& parent, std::string_view local)
{
    std::vector<pugi::xml_node> nodes;
    for (pugi::xml_node n = parent.first_child(); n; n = n.next_sibling())
        if (xml::isNamed(n, local))
            nodes.push_back(n);
    return nodes;
}

std::string argb(unsigned colour)
{
    char text[9];
    std::snprintf(text, sizeof text, "FF%06X", colour & 0xFFFFFF);
    return text;
}

} // namespace

bool WorkbookMarker::fail(WorkbookError error, std::string detail)
{
    error_ = error;
    errorDetail_ = std::move(detail);
    return false;
}

bool WorkbookMarker::open(const std::filesystem::path& path)
{
    sheet_.document.reset();
    styles_.document.reset();
    rows_.clear();
    marked_.clear();
    changed_ = false;
    error_ = WorkbookError::None;
    errorDetail_.clear();
    if (!package_.open(path))
        return fail(package_.error(), package_.errorDetail());
    if (package_.stylesPart().empty())
        return fail(WorkbookError::Damaged, path.string() + " has no style part to hold cell marks");
    if (!readPart(package_.worksheetPart(), sheet_) || !readPart(package_.stylesPart(), styles_))
        return false;
    if (!xml::child(styles_.document, "styleSheet"))
        return fail(WorkbookError::Damaged, package_.stylesPart() + " is not a style sheet");
    sheetData_ = xml::child(xml::child(sheet_.document, "worksheet"), "sheetData");
    if (!sheetData_)
        return fail(WorkbookError::Damaged, package_.worksheetPart() + " has no sheet data");
    return indexRows();
}

// Gives every row and cell its position explicitly, so that rows and cells inserted later
// cannot shift the ones that only followed their predecessor.
bool WorkbookMarker::indexRows()
{
    long row = -1;
    for (pugi::xml_node r : elementsNamed(sheetData_, "row")) {
        if (pugi::xml_attribute number = r.attribute("r")) {
            row = std::strtol(number.value(), nullptr, 10) - 1;
            if (row < 0 || row >= kSheetMaxRows)
                return fail(WorkbookError::Damaged, "bad row number \"" + std::string(number.value()) + "\"");
        } else {
            if (++row >= kSheetMaxRows)
                return fail(WorkbookError::Damaged, "too many rows");
            r.prepend_attribute("r").set_value(std::to_string(row + 1).c_str());
        }
        rows_[static_cast<int>(row)] = r;
        long column = -1;
        for (pugi::xml_node c : elementsNamed(r, "c")) {
            if (pugi::xml_attribute ref = c.attribute("r")) {
                auto address = parseCellAddress(ref.value());
                if (!address)
                    return fail(WorkbookError::Damaged, "bad cell reference \"" + std::string(ref.value()) + "\"");
                column = address->column;
            } else {
                if (++column >= kSheetMaxColumns)
                    return fail(WorkbookError::Damaged, "too many cells in row " + std::to_string(row + 1));
                c.prepend_attribute("r").set_value(formatCellAddress(static_cast<int>(row), static_cast<int>(column)).c_str());
            }
        }
    }
    return true;
}

pugi::xml_node WorkbookMarker::rowNode(int row)
{
    if (auto it = rows_.find(row); it != rows_.end())
        return it->second;
    std::string name = std::string(xml::prefixOf(sheetData_)) + "row";
    auto next = rows_.upper_bound(row);
    pugi::xml_node node = next == rows_.end() ? sheetData_.append_child(name.c_str())
                                              : sheetData_.insert_child_before(name.c_str(), next->second);
    node.append_attribute("r").set_value(std::to_string(row + 1).c_str());
    rows_[row] = node;
    return node;
}

pugi::xml_node WorkbookMarker::cellNode(pugi::xml_node row, int rowIndex, int column)
{
    pugi::xml_node before;
    for (pugi::xml_node c : elementsNamed(row, "c")) {
        auto address = parseCellAddress(c.attribute("r").value());
        if (address && address->column == column)
            return c;
        if (address && address->column > column) {
            before = c;
            break;
        }
    }
    std::string name = std::string(xml::prefixOf(sheetData_)) + "c";
    pugi::xml_node cell = before ? row.insert_child_before(name.c_str(), before) : row.append_child(name.c_str());
    cell.append_attribute("r").set_value(formatCellAddress(rowIndex, column).c_str());
    // A row's "spans" only hints at its cell range; a stale hint is worse than none.
    row.remove_attribute("spans");
    return cell;
}

void WorkbookMarker::extendDimension(int row, int column)
{
    pugi::xml_attribute ref = xml::child(xml::child(sheet_.document, "worksheet"), "dimension").attribute("ref");
    if (!ref)
        return;
    std::string_view text = ref.value();
    size_t colon = text.find(':');
    auto first = parseCellAddress(text.substr(0, colon));
    auto last = colon == std::string_view::npos ? first : parseCellAddress(text.substr(colon + 1));
    if (!first || !last)
        return;
    CellAddress from{std::min(first->row, row), std::min(first->column, column)};
    CellAddress to{std::max(last->row, row), std::max(last->column, column)};
    if (from == *first && to == *last)
        return;
    ref.set_value((formatCellAddress(from) + ":" + formatCellAddress(to)).c_str());
}

pugi::xml_node WorkbookMarker::styleContainer(const char* name)
{
    pugi::xml_node root = xml::child(styles_.document, "styleSheet");
    if (pugi::xml_node existing = xml::child(root, name))
        return existing;
    auto position = std::find_if(kStyleOrder.begin(), kStyleOrder.end(),
                                 [name](const char* n) { return std::strcmp(n, name) == 0; });
    pugi::xml_node next;
    for (auto later = position + 1; later < kStyleOrder.end() && !next; ++later)
        next = xml::child(root, *later);
    std::string full = std::string(xml::prefixOf(root)) + name;
    pugi::xml_node container = next ? root.insert_child_before(full.c_str(), next) : root.append_child(full.c_str());
    container.append_attribute("count").set_value("0");
    return container;
}

pugi::xml_node WorkbookMarker::newStyleElement(pugi::xml_node parent, const char* name)
{
    std::string full = std::string(xml::prefixOf(xml::child(styles_.document, "styleSheet"))) + name;
    return parent.append_child(full.c_str());
}

void WorkbookMarker::updateCount(pugi::xml_node container, const char* child)
{
    std::string count = std::to_string(elementsNamed(container, child).size());
    pugi::xml_attribute attribute = container.attribute("count");
    (attribute ? attribute : container.append_attribute("count")).set_value(count.c_str());
}

int WorkbookMarker::fillIndex(unsigned colour)
{
    pugi::xml_node fills = styleContainer("fills");
    std::vector<pugi::xml_node> existing = elementsNamed(fills, "fill");
    std::string wanted = argb(colour);
    for (size_t i = kPredefinedFills; i < existing.size(); ++i) {
        pugi::xml_node pattern = xml::child(existing[i], "patternFill");
        if (std::string_view(pattern.attribute("patternType").value()) == "solid" &&
            wanted == xml::child(pattern, "fgColor").attribute("rgb").value())
            return static_cast<int>(i);
    }
    for (size_t i = existing.size(); i < kPredefinedFills; ++i) {
        pugi::xml_node filler = newStyleElement(newStyleElement(fills, "fill"), "patternFill");
        filler.append_attribute("patternType").set_value(i == 0 ? "none" : "gray125");
    }
    pugi::xml_node pattern = newStyleElement(newStyleElement(fills, "fill"), "patternFill");
    pattern.append_attribute("patternType").set_value("solid");
    newStyleElement(pattern, "fgColor").append_attribute("rgb").set_value(wanted.c_str());
    newStyleElement(pattern, "bgColor").append_attribute("indexed").set_value("64");
    updateCount(fills, "fill");
    return static_cast<int>(elementsNamed(fills, "fill").size()) - 1;
}

int WorkbookMarker::thinBorderIndex()
{
    static const char* const sides[] = {"left", "right", "top", "bottom"};
    pugi::xml_node borders = styleContainer("borders");
    std::vector<pugi::xml_node> existing = elementsNamed(borders, "border");
    for (size_t i = 0; i < existing.size(); ++i) {
        bool allThin = std::all_of(std::begin(sides), std::end(sides), [&](const char* side) {
            return std::string_view(xml::child(existing[i], side).attribute("style").value()) == "thin";
        });
        if (allThin && !xml::child(existing[i], "diagonal").attribute("style"))
            return static_cast<int>(i);
    }
    if (existing.empty())
        newStyleElement(borders, "border");  // border 0 is every unstyled cell's border
    pugi::xml_node border = newStyleElement(borders, "border");
    for (const char* side : sides) {
        pugi::xml_node edge = newStyleElement(border, side);
        edge.append_attribute("style").set_value("thin");
        newStyleElement(edge, "color").append_attribute("indexed").set_value("64");
    }
    newStyleElement(border, "diagonal");
    updateCount(borders, "border");
    return static_cast<int>(elementsNamed(borders, "border").size()) - 1;
}

// The cell style that is `style` with the mark's fill (and border): an existing identical one
// when there is one, else a new one appended to the cell formats.
int WorkbookMarker::markedStyle(int style, CellMark mark)
{
    if (auto it = marked_.find({style, mark}); it != marked_.end())
        return it->second;
    int fill = fillIndex(mark == CellMark::Taken ? kTakenFillColour : kNotTakenFillColour);
    int border = mark == CellMark::Taken ? thinBorderIndex() : -1;

    pugi::xml_node xfs = styleContainer("cellXfs");
    auto plainStyle = [&] {
        pugi::xml_node xf = newStyleElement(xfs, "xf");
        for (const char* a : {"numFmtId", "fontId", "fillId", "borderId", "xfId"})
            xf.append_attribute(a).set_value("0");
        return xf;
    };
    // Style 0 is every unstyled cell's; it must not become the marked one.
    if (elementsNamed(xfs, "xf").empty())
        plainStyle();
    std::vector<pugi::xml_node> existing = elementsNamed(xfs, "xf");
    pugi::xml_node candidate = style >= 0 && static_cast<size_t>(style) < existing.size()
                                   ? xfs.append_copy(existing[static_cast<size_t>(style)])
                                   : plainStyle();
    auto set = [&](const char* name, const std::string& value) {
        pugi::xml_attribute a = candidate.attribute(name);
        (a ? a : candidate.append_attribute(name)).set_value(value.c_str());
    };
    set("fillId", std::to_string(fill));
    set("applyFill", "1");
    if (border >= 0) {
        set("borderId", std::to_string(border));
        set("applyBorder", "1");
    }
    std::string printed = printNode(candidate);
    int index = static_cast<int>(existing.size());
    for (size_t i = 0; i < existing.size(); ++i) {
        if (printNode(existing[i]) == printed) {
            xfs.remove_child(candidate);
            index = static_cast<int>(i);
            break;
        }
    }
    updateCount(xfs, "xf");
    marked_[{style, mark}] = index;
    return index;
}

bool WorkbookMarker::mark(int row, int column, CellMark mark)
{
    if (!sheetData_)
        return fail(WorkbookError::NotOpen, "no workbook open");
    if (row < 0 || row >= kSheetMaxRows || column < 0 || column >= kSheetMaxColumns)
        return fail(WorkbookError::OutOfRange, "row " + std::to_string(row) + ", column " + std::to_string(column));
    pugi::xml_node cell = cellNode(rowNode(row), row, column);
    pugi::xml_attribute s = cell.attribute("s");
    int style = s ? s.as_int() : 0;
    int markedIndex = markedStyle(style, mark);
    if (!s || markedIndex != style) {
        (s ? s : cell.append_attribute("s")).set_value(std::to_string(markedIndex).c_str());
    }
    extendDimension(row, column);
    changed_ = true;
    return true;
}

// pugixml keeps no text outside the root element, so the bytes around it are kept aside.
bool WorkbookMarker::readPart(const std::string& name, Part& part)
{
    auto bytes = package_.readPart(name);
    if (!bytes)
        return fail(package_.error(), package_.errorDetail());
    if (bytes->size() >= 2 && ((*bytes)[0] == '\xFF' || (*bytes)[0] == '\xFE'))
        return fail(WorkbookError::Damaged, name + " is not stored as UTF-8 and cannot be marked");
    pugi::xml_parse_result result = part.document.load_buffer(bytes->data(), bytes->size(), kVerbatimParse);
    pugi::xml_node root = part.document.document_element();
    if (!result || !root)
        return fail(WorkbookError::Damaged, name + ": " + result.description() + " at offset " +
                                                std::to_string(result.offset));
    size_t start = 0;
    for (;;) {
        start = bytes->find('<', start);
        if (start == std::string::npos || start + 1 >= bytes->size())
            return fail(WorkbookError::Damaged, name + " has no root element");
        char next = (*bytes)[start + 1];
        if (next != '?' && next != '!')
            break;
        size_t end = bytes->compare(start, 4, "<!--") == 0 ? bytes->find("-->", start) : bytes->find('>', start);
        if (end == std::string::npos)
            return fail(WorkbookError::Damaged, name + " has no root element");
        start = end + 1;
    }
    xml::escapeVerbatimTree(part.document);
    part.prolog = bytes->substr(0, start);
    size_t close = bytes->rfind(std::string("</") + root.name());
    size_t end = bytes->find('>', close == std::string::npos ? start : close);
    if (close == std::string::npos)
        end = bytes->rfind('>');
    part.epilogue = end == std::string::npos ? std::string() : bytes->substr(end + 1);
    return true;
}

std::string WorkbookMarker::serialise(const Part& part)
{
    return part.prolog + printNode(part.document.document_element()) + part.epilogue;
}

bool WorkbookMarker::save()
{
    if (!sheetData_)
        return fail(WorkbookError::NotOpen, "no workbook open");
    const std::string sheet = serialise(sheet_);
    const std::string styles = serialise(styles_);
    const long long sheetIndex = package_.indexOf(package_.worksheetPart());
    const long long stylesIndex = package_.indexOf(package_.stylesPart());

    ReplacementFile file(package_.path(), ReplacementOptions{.tag = "tmp", .hidden = true});
    if (!file.create())
        return fail(WorkbookError::CannotCreate, file.errorDetail());
    int code = 0;
    zip_t* out = zip_open(file.temporaryPath().c_str(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (!out)
        return fail(WorkbookError::CannotCreate, file.temporaryPath().string() + ": cannot start the archive");

    zip_t* in = package_.archive();
    zip_int64_t entries = zip_get_num_entries(in, 0);
    for (zip_int64_t i = 0; i < entries; ++i) {
        const char* name = zip_get_name(in, static_cast<zip_uint64_t>(i), 0);
        zip_source_t* source = nullptr;
        if (i == sheetIndex || i == stylesIndex) {
            const std::string& bytes = i == sheetIndex ? sheet : styles;
            source = zip_source_buffer(out, bytes.data(), bytes.size(), 0);
        } else {
            // Copies the entry's compressed data as it is.
            source = zip_source_zip(out, in, static_cast<zip_uint64_t>(i), 0, 0, -1);
        }
        if (!source || !name || zip_file_add(out, name, source, ZIP_FL_ENC_UTF_8) < 0) {
            std::string detail = std::string(name ? name : "?") + ": " + zip_strerror(out);
            if (source)
                zip_source_free(source);
            zip_discard(out);
            return fail(WorkbookError::WriteFailed, detail);
        }
    }
    if (zip_close(out) != 0) {
        std::string detail = file.temporaryPath().string() + ": " + zip_strerror(out);
        zip_discard(out);
        return fail(WorkbookError::WriteFailed, detail);
    }
    if (!file.commit())
        return fail(WorkbookError::WriteFailed, file.errorDetail());
    changed_ = false;
    return true;
}

} // namespace qmk
