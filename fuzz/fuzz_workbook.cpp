// Arbitrary bytes as a workbook: the reader opens it or refuses it with a reason, and the marker
// marks a cell of what it opened and saves a workbook the reader opens again.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "exchange/WorkbookMarker.h"
#include "exchange/WorkbookReader.h"

#include "FuzzScratch.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::filesystem::path book = qmk::fuzz::scratchFolder() / "book.xlsx";
    std::ofstream(book, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data),
                                                                  static_cast<std::streamsize>(size));
    qmk::WorkbookReader reader;
    reader.setPartSizeLimit(16u << 20);
    if (!reader.open(book)) {
        if (reader.error() == qmk::WorkbookError::None)
            std::abort();  // a refusal always has its kind
        return 0;
    }
    qmk::WorkbookMarker marker;
    if (marker.open(book) && marker.mark(0, 0) && marker.save()) {
        qmk::WorkbookReader again;
        if (!again.open(book))
            std::abort();  // marking broke a workbook that could be read
    }
    return 0;
}
