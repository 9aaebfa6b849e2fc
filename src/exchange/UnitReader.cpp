// Reading exchange files a block and a unit at a time.
#include "exchange/UnitReader.h"

#include <algorithm>

#include "exchange/PoFile.h"
#include "exchange/XliffFile.h"
#include "resources/FileNames.h"

namespace qmk {

bool FileWindow::open(const std::filesystem::path& path)
{
    in_.open(path, std::ios::binary);
    return static_cast<bool>(in_);
}

bool FileWindow::more()
{
    if (failed_ || !in_)
        return false;
    const std::size_t had = bytes_.size();
    bytes_.resize(had + kBlockBytes);
    in_.read(bytes_.data() + had, static_cast<std::streamsize>(kBlockBytes));
    bytes_.resize(had + static_cast<std::size_t>(in_.gcount()));
    if (in_.bad())
        failed_ = true;
    return !failed_ && bytes_.size() > had;
}

bool FileWindow::reach(std::size_t end)
{
    while (this->end() < end)
        if (!more())
            return false;
    return true;
}

void FileWindow::dropBefore(std::size_t at)
{
    // Moved only when the dropped part is most of the window: a move per unit would cost more
    // than the reading.
    if (at <= begin_)
        return;
    const std::size_t drop = std::min(at - begin_, bytes_.size());
    if (drop < kBlockBytes || drop < bytes_.size() / 2)
        return;
    bytes_.erase(0, drop);
    begin_ += drop;
}

DocumentUnitReader::DocumentUnitReader(ExchangeDocument document) : document_(std::move(document))
{
    header_ = document_.header;
}

bool DocumentUnitReader::readUnits(const UnitTaker& take, std::string&)
{
    for (ExchangeUnit& unit : document_.units)
        take(std::move(unit));
    document_.units.clear();
    return true;
}

std::unique_ptr<UnitReader> wholeFileReader(const std::filesystem::path& path, bool xliff, std::string& problem)
{
    std::optional<std::string> bytes = readInputFile(path, problem);
    if (!bytes)
        return nullptr;
    std::optional<ExchangeDocument> document = xliff ? readXliff(std::move(*bytes), problem) : readPo(*bytes, problem);
    return document ? std::make_unique<DocumentUnitReader>(std::move(*document)) : nullptr;
}

std::unique_ptr<UnitReader> openUnitReader(const std::filesystem::path& path, bool xliff, std::string& problem)
{
    // A file that cannot be read block-wise is read as a whole, which says why.
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (!inputFileProblem(path).empty() || error || size > kMaxInputFileBytes)
        return wholeFileReader(path, xliff, problem);
    return xliff ? openXliffReader(path, problem) : openPoReader(path, problem);
}

} // namespace qmk
