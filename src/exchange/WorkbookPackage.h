// A workbook file opened as a zip archive (libzip), with the parts the sheet layer needs found
// through the package's relationships: the first worksheet, the shared strings and the styles.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include <pugixml.hpp>

#include "exchange/WorkbookError.h"

typedef struct zip zip_t;

namespace qmk {

class WorkbookPackage {
public:
    WorkbookPackage() = default;
    ~WorkbookPackage();
    WorkbookPackage(const WorkbookPackage&) = delete;
    WorkbookPackage& operator=(const WorkbookPackage&) = delete;

    // Opens the archive read-only and finds its parts. Fails with FileNotFound, CannotOpen,
    // NotAWorkbook, NoWorksheet or Damaged.
    bool open(const std::filesystem::path& path);
    void close();

    // Part names inside the archive ("xl/worksheets/sheet1.xml"); empty when there is none.
    const std::string& worksheetPart() const { return worksheetPart_; }
    const std::string& sharedStringsPart() const { return sharedStringsPart_; }
    const std::string& stylesPart() const { return stylesPart_; }

    // The uncompressed bytes of a part; nothing (and Damaged) when it cannot be read.
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
    bool findParts();
    std::string resolveTarget(const std::string& base, const std::string& target) const;

    zip_t* archive_ = nullptr;
    std::filesystem::path path_;
    std::string worksheetPart_;
    std::string sharedStringsPart_;
    std::string stylesPart_;
    WorkbookError error_ = WorkbookError::None;
    std::string errorDetail_;
};

} // namespace qmk
