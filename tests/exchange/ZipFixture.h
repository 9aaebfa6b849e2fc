// Hand-built workbook archives for the workbook tests, and a look inside written ones.
#pragma once

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace qmk::test {

using ZipEntries = std::vector<std::pair<std::string, std::string>>;  // name, content

// Writes a zip archive holding exactly these entries (deflated).
void writeZip(const std::filesystem::path& path, const ZipEntries& entries);
// The entries of an archive with their uncompressed content, in archive order.
ZipEntries readZip(const std::filesystem::path& path);
std::string zipEntry(const std::filesystem::path& path, const std::string& name);

// The parts of a minimal workbook around the given sheet XML (and shared strings and styles,
// when not empty): content types, relationships and the workbook part.
ZipEntries minimalWorkbook(const std::string& sheetXml, const std::string& sharedStringsXml = "",
                           const std::string& stylesXml = "");

// Wraps rows in a worksheet element of the main namespace.
std::string worksheetXml(const std::string& sheetDataContent);

// Keeps files from growing beyond `bytes` while it lives: writes beyond fail as on a full disk.
class FileSizeLimit {
public:
    explicit FileSizeLimit(unsigned long bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    unsigned long previousSoft_;
    void (*previousHandler_)(int);
};

} // namespace qmk::test
