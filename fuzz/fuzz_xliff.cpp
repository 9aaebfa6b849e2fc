// Arbitrary bytes read as an XLIFF file: the reader either refuses the file with a reason or
// gives units whose texts hold no NUL (nothing a script could not store is passed on silently).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "exchange/XliffFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string problem;
    const std::optional<qmk::ExchangeDocument> document =
        qmk::readXliff(std::string(reinterpret_cast<const char*>(data), size), problem);
    if (!document)
        return problem.empty() ? (std::abort(), 0) : 0;  // a refusal always says why
    for (const qmk::ExchangeUnit& unit : document->units)
        if (unit.id.empty() || (unit.unreadable.empty() && unit.target.find('\0') != std::string::npos))
            std::abort();
    return 0;
}
