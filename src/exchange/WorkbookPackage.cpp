// A workbook file opened as a zip archive, with its first worksheet, shared strings and styles
// found through the relationship parts, and the usual part names as a fallback.
#include "exchange/WorkbookPackage.h"

#include <vector>
#include <zip.h>

#include "exchange/XmlNames.h"
#include "resources/Messages.h"
#include "resources/WorkbookTexts.h"

namespace qmk {

namespace {

const char kPackageRelationships[] = "_rels/.rels";
const char kDefaultWorkbook[] = "xl/workbook.xml";
const char kDefaultWorksheet[] = "xl/worksheets/sheet1.xml";
const char kDefaultSharedStrings[] = "xl/sharedStrings.xml";
const char kDefaultStyles[] = "xl/styles.xml";

bool endsWith(std::string_view text, std::string_view end)
{
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

std::string zipErrorText(int code)
{
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    std::string text = zip_error_strerror(&error);
    zip_error_fini(&error);
    return text;
}

struct Relationship {
    std::string id, type, target;
};

} // namespace

WorkbookPackage::~WorkbookPackage()
{
    close();
}

void WorkbookPackage::close()
{
    if (archive_)
        zip_discard(archive_);
    archive_ = nullptr;
    worksheetPart_.clear();
    sharedStringsPart_.clear();
    stylesPart_.clear();
}

bool WorkbookPackage::fail(WorkbookError error, std::string detail)
{
    error_ = error;
    errorDetail_ = std::move(detail);
    return false;
}

bool WorkbookPackage::failTooLarge(const std::string& name)
{
    const std::uint64_t megabytes = (partSizeLimit_ + (1u << 20) - 1) >> 20;
    return fail(WorkbookError::PartTooLarge,
                fillPlaceholders(txt::WorkbookPartTooLarge, {name, std::to_string(megabytes)}));
}

bool WorkbookPackage::open(const std::filesystem::path& path)
{
    close();
    path_ = path;
    error_ = WorkbookError::None;
    errorDetail_.clear();
    std::error_code ec;
    auto status = std::filesystem::status(path, ec);
    if (!std::filesystem::exists(status))
        return fail(WorkbookError::FileNotFound, path.string());
    if (!std::filesystem::is_regular_file(status))
        return fail(WorkbookError::CannotOpen, path.string() + " is not a file");
    if (std::filesystem::file_size(path, ec) == 0)
        return fail(WorkbookError::NotAWorkbook, path.string() + " is empty");
    int code = 0;
    archive_ = zip_open(path.c_str(), ZIP_RDONLY, &code);
    if (!archive_) {
        WorkbookError error = WorkbookError::CannotOpen;
        if (code == ZIP_ER_NOZIP)
            error = WorkbookError::NotAWorkbook;
        else if (code == ZIP_ER_INCONS || code == ZIP_ER_COMPNOTSUPP || code == ZIP_ER_ENCRNOTSUPP)
            error = WorkbookError::Damaged;
        else if (code == ZIP_ER_NOENT)
            error = WorkbookError::FileNotFound;
        return fail(error, path.string() + ": " + zipErrorText(code));
    }
    if (!findParts()) {
        WorkbookError error = error_;
        std::string detail = errorDetail_;
        close();
        return fail(error, detail);
    }
    return true;
}

long long WorkbookPackage::indexOf(const std::string& name) const
{
    if (!archive_ || name.empty())
        return -1;
    return zip_name_locate(archive_, name.c_str(), ZIP_FL_NOCASE);
}

std::optional<std::string> WorkbookPackage::readPart(const std::string& name)
{
    long long index = indexOf(name);
    if (index < 0) {
        fail(WorkbookError::Damaged, "missing part " + name);
        return std::nullopt;
    }
    // The size the archive declares is checked first; the bytes are counted as they come too,
    // for an archive that declares less than it holds.
    zip_stat_t st;
    zip_stat_init(&st);
    if (zip_stat_index(archive_, static_cast<zip_uint64_t>(index), 0, &st) != 0) {
        fail(WorkbookError::Damaged, name + ": " + zip_strerror(archive_));
        return std::nullopt;
    }
    if ((st.valid & ZIP_STAT_SIZE) && st.size > partSizeLimit_) {
        failTooLarge(name);
        return std::nullopt;
    }
    zip_file_t* file = zip_fopen_index(archive_, static_cast<zip_uint64_t>(index), 0);
    if (!file) {
        fail(WorkbookError::Damaged, name + ": " + zip_strerror(archive_));
        return std::nullopt;
    }
    std::string bytes;
    if (st.valid & ZIP_STAT_SIZE)
        bytes.reserve(static_cast<size_t>(st.size));
    std::vector<char> buffer(64 * 1024);
    for (;;) {
        zip_int64_t n = zip_fread(file, buffer.data(), buffer.size());
        if (n < 0) {
            fail(WorkbookError::Damaged, name + ": " + zip_file_strerror(file));
            zip_fclose(file);
            return std::nullopt;
        }
        if (n == 0)
            break;
        if (bytes.size() + static_cast<size_t>(n) > partSizeLimit_) {
            failTooLarge(name);
            zip_fclose(file);
            return std::nullopt;
        }
        bytes.append(buffer.data(), static_cast<size_t>(n));
    }
    // zip_fclose reports a checksum mismatch found at the end of the data.
    if (int rc = zip_fclose(file); rc != 0) {
        fail(WorkbookError::Damaged, name + ": " + zipErrorText(rc));
        return std::nullopt;
    }
    return bytes;
}

bool WorkbookPackage::parsePart(const std::string& name, pugi::xml_document& document, unsigned flags)
{
    auto bytes = readPart(name);
    if (!bytes)
        return false;
    pugi::xml_parse_result result = document.load_buffer(bytes->data(), bytes->size(), flags);
    if (!result)
        return fail(WorkbookError::Damaged, name + ": " + result.description() + " at offset " +
                                                std::to_string(result.offset));
    return true;
}

std::string WorkbookPackage::resolveTarget(const std::string& baseFolder, const std::string& target) const
{
    std::string joined = !target.empty() && target[0] == '/' ? target.substr(1) : baseFolder + target;
    std::vector<std::string> segments;
    size_t start = 0;
    while (start <= joined.size()) {
        size_t slash = joined.find('/', start);
        if (slash == std::string::npos)
            slash = joined.size();
        std::string segment = joined.substr(start, slash - start);
        if (segment == "..") {
            if (!segments.empty())
                segments.pop_back();
        } else if (!segment.empty() && segment != ".") {
            segments.push_back(segment);
        }
        start = slash + 1;
    }
    std::string resolved;
    for (const auto& s : segments)
        resolved += (resolved.empty() ? "" : "/") + s;
    long long index = indexOf(resolved);
    return index < 0 ? std::string() : zip_get_name(archive_, static_cast<zip_uint64_t>(index), 0);
}

bool WorkbookPackage::findParts()
{
    auto readRelationships = [this](const std::string& name, std::vector<Relationship>& out) {
        if (indexOf(name) < 0)
            return true;  // a package without relationships falls back on the usual names
        pugi::xml_document doc;
        if (!parsePart(name, doc, pugi::parse_default))
            return false;
        for (pugi::xml_node r : xml::child(doc, "Relationships").children())
            if (xml::isNamed(r, "Relationship"))
                out.push_back({r.attribute("Id").value(), r.attribute("Type").value(), r.attribute("Target").value()});
        return true;
    };
    auto fallback = [this](const char* name) {
        long long index = indexOf(name);
        return index < 0 ? std::string() : zip_get_name(archive_, static_cast<zip_uint64_t>(index), 0);
    };

    std::vector<Relationship> packageRels;
    if (!readRelationships(kPackageRelationships, packageRels))
        return false;
    std::string workbook;
    for (const auto& r : packageRels) {
        if (endsWith(r.type, "/officeDocument"))
            workbook = resolveTarget("", r.target);
        else if (endsWith(r.type, "/custom-properties"))
            customPropertiesPart_ = resolveTarget("", r.target);
    }
    if (workbook.empty())
        workbook = fallback(kDefaultWorkbook);
    if (workbook.empty()) {
        worksheetPart_ = fallback(kDefaultWorksheet);
        sharedStringsPart_ = fallback(kDefaultSharedStrings);
        stylesPart_ = fallback(kDefaultStyles);
        return !worksheetPart_.empty() || fail(WorkbookError::NoWorksheet, path_.string() + " has no workbook part");
    }

    std::string folder = workbook.substr(0, workbook.rfind('/') + 1);
    std::string file = workbook.substr(folder.size());
    std::vector<Relationship> workbookRels;
    if (!readRelationships(folder + "_rels/" + file + ".rels", workbookRels))
        return false;
    for (const auto& r : workbookRels) {
        if (endsWith(r.type, "/sharedStrings") && sharedStringsPart_.empty())
            sharedStringsPart_ = resolveTarget(folder, r.target);
        else if (endsWith(r.type, "/styles") && stylesPart_.empty())
            stylesPart_ = resolveTarget(folder, r.target);
    }

    // The first sheet in the workbook's order that is a worksheet (not a chart sheet).
    pugi::xml_document doc;
    if (!parsePart(workbook, doc, pugi::parse_default))
        return false;
    pugi::xml_node sheets = xml::child(xml::child(doc, "workbook"), "sheets");
    for (pugi::xml_node sheet = sheets.first_child(); sheet && worksheetPart_.empty(); sheet = sheet.next_sibling()) {
        if (!xml::isNamed(sheet, "sheet"))
            continue;
        std::string id = xml::attribute(sheet, "id").value();
        for (const auto& r : workbookRels)
            if (r.id == id && endsWith(r.type, "/worksheet"))
                worksheetPart_ = resolveTarget(folder, r.target);
    }
    if (worksheetPart_.empty() && workbookRels.empty())
        worksheetPart_ = fallback(kDefaultWorksheet);
    if (sharedStringsPart_.empty() && workbookRels.empty())
        sharedStringsPart_ = fallback(kDefaultSharedStrings);
    if (stylesPart_.empty() && workbookRels.empty())
        stylesPart_ = fallback(kDefaultStyles);
    return !worksheetPart_.empty() || fail(WorkbookError::NoWorksheet, path_.string() + " has no worksheet");
}

} // namespace qmk
