// Reads the first worksheet of a workbook file as UTF-8 cell texts, with the cell styles
// resolved far enough to tell fills, borders and font faces.
#include "exchange/WorkbookReader.h"

#include <algorithm>
#include <cstdlib>

#include <pugixml.hpp>

#include "exchange/CellAddress.h"
#include "exchange/OoxmlText.h"
#include "exchange/WorkbookPackage.h"
#include "exchange/XmlNames.h"

namespace qmk {

namespace {

// Whitespace-only text ("<t> </t>") is a cell's text too.
constexpr unsigned kParseFlags = pugi::parse_default | pugi::parse_ws_pcdata;

std::string textOf(const pugi::xml_node& t)
{
    std::string text;
    for (pugi::xml_node n = t.first_child(); n; n = n.next_sibling())
        if (n.type() == pugi::node_pcdata || n.type() == pugi::node_cdata)
            text += n.value();
    return text;
}

// The text of a shared string item or inline string: its plain text, or its rich-text runs
// joined. Phonetic guides (<rPh>) are readings shown above the text, not part of it.
std::string stringItemText(const pugi::xml_node& item)
{
    std::string text;
    for (pugi::xml_node n = item.first_child(); n; n = n.next_sibling()) {
        if (xml::isNamed(n, "t"))
            text += textOf(n);
        else if (xml::isNamed(n, "r"))
            text += textOf(xml::child(n, "t"));
    }
    return decodeOoxmlEscapes(text);
}

bool parseIndex(const char* text, long limit, long& value)
{
    char* end = nullptr;
    value = std::strtol(text, &end, 10);
    return *text && end && *end == '\0' && value >= 0 && value < limit;
}

std::optional<unsigned> solidFillColour(const pugi::xml_node& fill)
{
    pugi::xml_node pattern = xml::child(fill, "patternFill");
    if (std::string_view(pattern.attribute("patternType").value()) != "solid")
        return std::nullopt;
    const char* rgb = xml::child(pattern, "fgColor").attribute("rgb").value();
    if (!*rgb)
        return std::nullopt;
    return static_cast<unsigned>(std::strtoul(rgb, nullptr, 16) & 0xFFFFFF);  // ARGB
}

bool hasFourBorders(const pugi::xml_node& border)
{
    for (const char* side : {"left", "right", "top", "bottom"}) {
        std::string_view style = xml::child(border, side).attribute("style").value();
        if (style.empty() || style == "none")
            return false;
    }
    return true;
}

} // namespace

bool WorkbookReader::fail(WorkbookError error, std::string detail)
{
    cells_.clear();
    texts_.assign(1, std::string());
    rowCount_ = columnCount_ = 0;
    error_ = error;
    errorDetail_ = std::move(detail);
    return false;
}

bool WorkbookReader::open(const std::filesystem::path& path)
{
    cells_.clear();
    texts_.assign(1, std::string());
    styles_.clear();
    customProperties_.clear();
    fontNames_.clear();
    fillColours_.clear();
    borders_.clear();
    rowCount_ = columnCount_ = 0;
    error_ = WorkbookError::None;
    errorDetail_.clear();

    WorkbookPackage package;
    package.setPartSizeLimit(partSizeLimit_);
    if (!package.open(path))
        return fail(package.error(), package.errorDetail());
    if (!readSharedStrings(package))
        return false;
    const std::size_t sharedCount = texts_.size() - 1;
    if (!package.stylesPart().empty()) {
        // Styles only colour the cells; a workbook with broken styles still gives its texts.
        if (auto xml = package.readPart(package.stylesPart()))
            readStyles(*xml);
    }
    readCustomProperties(package);
    auto sheet = package.readPart(package.worksheetPart());
    if (!sheet)
        return fail(package.error(), package.errorDetail());
    return readSheet(package.worksheetPart(), *sheet, sharedCount);
}

// Properties only name the export the workbook came from; a workbook whose properties cannot be
// read still gives its texts (and is judged as one of no known export).
void WorkbookReader::readCustomProperties(WorkbookPackage& package)
{
    if (package.customPropertiesPart().empty() || package.indexOf(package.customPropertiesPart()) < 0)
        return;
    pugi::xml_document doc;
    if (!package.parsePart(package.customPropertiesPart(), doc, pugi::parse_default))
        return;
    for (pugi::xml_node property : xml::child(doc, "Properties").children())
        if (xml::isNamed(property, "property"))
            customProperties_.emplace_back(xml::attribute(property, "name").value(),
                                           property.first_child().text().get());
}

std::string WorkbookReader::customProperty(const std::string& name) const
{
    for (const auto& [key, value] : customProperties_)
        if (key == name)
            return value;
    return {};
}

// The shared strings follow the empty text in texts_, in the order cells refer to them.
bool WorkbookReader::readSharedStrings(WorkbookPackage& package)
{
    if (package.sharedStringsPart().empty())
        return true;
    auto bytes = package.readPart(package.sharedStringsPart());
    if (!bytes)
        return fail(package.error(), package.errorDetail());
    pugi::xml_document doc;
    pugi::xml_parse_result parsed = doc.load_buffer_inplace(bytes->data(), bytes->size(), kParseFlags);
    if (!parsed)
        return fail(WorkbookError::Damaged, package.sharedStringsPart() + ": " + parsed.description() +
                                                " at offset " + std::to_string(parsed.offset));
    for (pugi::xml_node si : xml::child(doc, "sst").children())
        if (xml::isNamed(si, "si"))
            texts_.push_back(stringItemText(si));
    return true;
}

std::uint32_t WorkbookReader::ownText(std::string text)
{
    if (text.empty())
        return 0;
    texts_.push_back(std::move(text));
    return static_cast<std::uint32_t>(texts_.size() - 1);
}

void WorkbookReader::readStyles(const std::string& bytes)
{
    pugi::xml_document doc;
    if (!doc.load_buffer(bytes.data(), bytes.size(), kParseFlags))
        return;
    pugi::xml_node root = xml::child(doc, "styleSheet");
    for (pugi::xml_node n : xml::child(root, "fonts").children())
        if (xml::isNamed(n, "font"))
            fontNames_.push_back(xml::child(n, "name").attribute("val").value());
    for (pugi::xml_node n : xml::child(root, "fills").children())
        if (xml::isNamed(n, "fill"))
            fillColours_.push_back(solidFillColour(n));
    for (pugi::xml_node n : xml::child(root, "borders").children())
        if (xml::isNamed(n, "border"))
            borders_.push_back(hasFourBorders(n));
    for (pugi::xml_node n : xml::child(root, "cellXfs").children())
        if (xml::isNamed(n, "xf"))
            styles_.push_back({n.attribute("fontId").as_int(), n.attribute("fillId").as_int(),
                               n.attribute("borderId").as_int()});
}

bool WorkbookReader::readSheet(const std::string& part, std::string& bytes, std::size_t sharedCount)
{
    // Parsed in place: the sheet's bytes are not held twice.
    pugi::xml_document doc;
    pugi::xml_parse_result parsed = doc.load_buffer_inplace(bytes.data(), bytes.size(), kParseFlags);
    if (!parsed)
        return fail(WorkbookError::Damaged,
                    part + ": " + parsed.description() + " at offset " + std::to_string(parsed.offset));
    pugi::xml_node sheetData = xml::child(xml::child(doc, "worksheet"), "sheetData");
    if (!sheetData)
        return fail(WorkbookError::Damaged, part + " has no sheet data");

    long row = -1;
    for (pugi::xml_node r = sheetData.first_child(); r; r = r.next_sibling()) {
        if (!xml::isNamed(r, "row"))
            continue;
        // Rows and cells may leave out their position; they then follow the previous one.
        if (pugi::xml_attribute number = r.attribute("r")) {
            if (!parseIndex(number.value(), kSheetMaxRows + 1L, row) || row == 0)
                return fail(WorkbookError::Damaged, part + ": bad row number \"" + number.value() + "\"");
            --row;
        } else if (++row >= kSheetMaxRows) {
            return fail(WorkbookError::Damaged, part + ": too many rows");
        }
        long column = -1;
        for (pugi::xml_node c = r.first_child(); c; c = c.next_sibling()) {
            if (!xml::isNamed(c, "c"))
                continue;
            Cell cell{static_cast<int>(row), 0, 0, 0};
            if (pugi::xml_attribute ref = c.attribute("r")) {
                auto address = parseCellAddress(ref.value());
                if (!address)
                    return fail(WorkbookError::Damaged, part + ": bad cell reference \"" + ref.value() + "\"");
                cell.row = address->row;
                column = address->column;
            } else if (++column >= kSheetMaxColumns) {
                return fail(WorkbookError::Damaged, part + ": too many cells in row " + std::to_string(row + 1));
            }
            cell.column = static_cast<int>(column);
            cell.style = c.attribute("s").as_int();

            std::string_view type = c.attribute("t").value();
            pugi::xml_node value = xml::child(c, "v");
            if (type == "inlineStr" || (type.empty() && xml::child(c, "is"))) {
                cell.text = ownText(stringItemText(xml::child(c, "is")));
            } else if (type == "s") {
                long index = 0;
                if (!parseIndex(textOf(value).c_str(), static_cast<long>(sharedCount), index))
                    return fail(WorkbookError::Damaged, part + ": cell " + formatCellAddress(cell.row, cell.column) +
                                                            " refers to a missing shared string");
                cell.text = static_cast<std::uint32_t>(index + 1);
            } else if (type == "b") {
                std::string v = textOf(value);
                cell.text = ownText(v == "1" ? "TRUE" : v == "0" ? "FALSE" : v);
            } else if (type == "str") {
                cell.text = ownText(decodeOoxmlEscapes(textOf(value)));
            } else {
                cell.text = ownText(textOf(value));  // numbers, dates and errors as written
            }
            cells_.push_back(std::move(cell));
        }
    }

    // Cells normally come in order; a file that repeats a cell keeps its last value.
    std::stable_sort(cells_.begin(), cells_.end(), [](const Cell& a, const Cell& b) {
        return a.row != b.row ? a.row < b.row : a.column < b.column;
    });
    std::vector<Cell> unique;
    unique.reserve(cells_.size());
    for (auto& cell : cells_) {
        if (!unique.empty() && unique.back().row == cell.row && unique.back().column == cell.column)
            unique.back() = std::move(cell);
        else
            unique.push_back(std::move(cell));
    }
    cells_ = std::move(unique);
    for (const Cell& cell : cells_) {
        if (texts_[cell.text].empty())
            continue;
        rowCount_ = std::max(rowCount_, cell.row + 1);
        columnCount_ = std::max(columnCount_, cell.column + 1);
    }
    return true;
}

const WorkbookReader::Cell* WorkbookReader::find(int row, int column) const
{
    auto it = std::lower_bound(cells_.begin(), cells_.end(), std::make_pair(row, column),
                               [](const Cell& c, const std::pair<int, int>& at) {
                                   return c.row != at.first ? c.row < at.first : c.column < at.second;
                               });
    return it != cells_.end() && it->row == row && it->column == column ? &*it : nullptr;
}

const std::string& WorkbookReader::text(int row, int column) const
{
    const Cell* cell = find(row, column);
    return texts_[cell ? cell->text : 0];
}

CellLook WorkbookReader::look(int row, int column) const
{
    CellLook look;
    const Cell* cell = find(row, column);
    size_t styleIndex = cell ? static_cast<size_t>(std::max(cell->style, 0)) : 0;
    if (styleIndex >= styles_.size())
        return look;
    const Style& style = styles_[styleIndex];
    if (style.font >= 0 && static_cast<size_t>(style.font) < fontNames_.size())
        look.fontName = fontNames_[static_cast<size_t>(style.font)];
    if (style.fill >= 0 && static_cast<size_t>(style.fill) < fillColours_.size())
        look.fillColour = fillColours_[static_cast<size_t>(style.fill)];
    if (style.border >= 0 && static_cast<size_t>(style.border) < borders_.size())
        look.bordered = borders_[static_cast<size_t>(style.border)];
    return look;
}

} // namespace qmk
