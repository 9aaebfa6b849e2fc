// XLIFF and PO files read from disk a block at a time and handed over one unit at a time: an
// import of a large file holds neither the whole file nor all of its units at once.
#pragma once

#include <cstddef>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "exchange/ExchangeDocument.h"

namespace qmk {

// A file read in blocks into a window whose front is dropped as the reader moves on. Offsets
// are counted from the file's start.
class FileWindow {
public:
    // False when the file cannot be opened.
    bool open(const std::filesystem::path& path);
    // Reads one more block; false at the file's end or when reading failed.
    bool more();
    // Reads on until the window holds the bytes up to `end` or the file ended.
    bool reach(std::size_t end);
    bool failed() const { return failed_; }
    std::size_t begin() const { return begin_; }
    std::size_t end() const { return begin_ + bytes_.size(); }
    // The bytes from `from` to the window's end.
    std::string_view from(std::size_t from) const { return std::string_view(bytes_).substr(from - begin_); }
    // Forgets the bytes before `at`.
    void dropBefore(std::size_t at);

private:
    static constexpr std::size_t kBlockBytes = 1 << 20;
    std::ifstream in_;
    std::string bytes_;
    std::size_t begin_ = 0;
    bool failed_ = false;
};

using UnitTaker = std::function<void(ExchangeUnit&&)>;

class UnitReader {
public:
    virtual ~UnitReader() = default;
    const ExchangeHeader& header() const { return header_; }
    // Each unit in the file's order; false, with the reason, when the file breaks off (what was
    // taken before is then no file's content to use).
    virtual bool readUnits(const UnitTaker& take, std::string& problem) = 0;

protected:
    ExchangeHeader header_;
};

// A file read whole (one of another encoding, or one whose markup the block-wise reading does
// not follow), its units handed over from memory.
class DocumentUnitReader : public UnitReader {
public:
    explicit DocumentUnitReader(ExchangeDocument document);
    bool readUnits(const UnitTaker& take, std::string& problem) override;

private:
    ExchangeDocument document_;
};

// The file read as a whole, as readXliff() or readPo() read it.
std::unique_ptr<UnitReader> wholeFileReader(const std::filesystem::path& path, bool xliff, std::string& problem);

// The reader of an XLIFF file (or, `xliff` false, a PO file) with its header read; nothing, with
// the reason, when the file cannot be read or is none of the format. Failures say what reading
// the whole file at once says.
std::unique_ptr<UnitReader> openUnitReader(const std::filesystem::path& path, bool xliff, std::string& problem);

} // namespace qmk
