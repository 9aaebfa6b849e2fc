// A workbook file opened as a zip archive (libzip), with the parts the sheet layer needs found
// through the package's relationships: the first worksheet, the shared strings and the styles.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include <pugixml.hpp>

#include "exchange/WorkbookError.h"

typedef struct zip zip_t;

namespace qmk {

class WorkbookPackage {
public:
    // A part that unpacks to more is refused (PartTooLarge) before it is read: far more than
    // the texts of any project, and a guard against archives built to unpack to gigabytes.
    static constexpr std::uint64_t kDefaultPartSizeLimit = 128ull * 1024 * 1024;

    WorkbookPackage() = default;
    ~WorkbookPackage();
    WorkbookPackage(const WorkbookPackage&) = delete;
    WorkbookPackage& operator=(const WorkbookPackage&) = delete;

    // Opens the archive read-only and finds its parts. Fails with FileNotFound, CannotOpen,
    // NotAWorkbook, NoWorksheet or Damaged.
    bool open(const std::filesystem::path& path);
    void close();
    // The largest unpacked part readPart() accepts; parts already read are not affected.
    void setPartSizeLimit(std::uint64_t bytes) { partSizeLimit_ = bytes; }

    // Part names inside the archive ("xl/worksheets/sheet1.xml"); empty when there is none.
    const std::string& worksheetPart() const { return worksheetPart_; }
    const std::string& sharedStringsPart() const { return sharedStringsPart_; }
    const std::string& stylesPart() const { return stylesPart_; }
    // The document's own properties (docProps/custom.xml); empty when it has none.
    const std::string& customPropertiesPart() const { return customPropertiesPart_; }

    // The uncompressed bytes of a part; nothing (and Damaged, or PartTooLarge) when it cannot
    // be read.
    std::optional<std::string> readPart(const std::string& name);
    // Reads and parses a part with the given pugixml flags; Damaged on broken XML.
    bool parsePart(const std::string& name, pugi::xml_document& document, unsigned flags);
    // The archive index of a part, or -1.
    long long indexOf(const std::string& name) const;

    zip_t* archive() const { return archive_; }
    const std::filesystem::path& path() const { return path_; }
    WorkbookError error() const { return error_; }
    const std::string& errorDetail() const { return errorDetail_; }

private:
    bool fail(WorkbookError error, std::string detail);
    bool failTooLarge(const std::string& name);
    bool findParts();
    std::string resolveTarget(const std::string& base, const std::string& target) const;

    zip_t* archive_ = nullptr;
    std::uint64_t partSizeLimit_ = kDefaultPartSizeLimit;
    std::filesystem::path path_;
    std::string worksheetPart_;
    std::string sharedStringsPart_;
    std::string stylesPart_;
    std::string customPropertiesPart_;
    WorkbookError error_ = WorkbookError::None;
    std::string errorDetail_;
};

} // namespace qmk
