// Arbitrary bytes read as a PO file: refused with the line, or read into units; what is read is
// written again and read back to the same texts.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "exchange/PoFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string problem;
    const std::optional<qmk::ExchangeDocument> document =
        qmk::readPo(std::string(reinterpret_cast<const char*>(data), size), problem);
    if (!document)
        return problem.empty() ? (std::abort(), 0) : 0;
    qmk::ExchangeDocument written = *document;
    for (qmk::ExchangeUnit& unit : written.units)
        if (unit.id.empty())
            unit.id = "x";  // the writer always gives a context
    const std::optional<qmk::ExchangeDocument> again = qmk::readPo(qmk::writePo(written, "2026-01-01 00:00+0000"), problem);
    if (!again || again->units.size() != written.units.size())
        std::abort();
    for (std::size_t i = 0; i < written.units.size(); ++i)
        if (again->units[i].source != written.units[i].source || again->units[i].target != written.units[i].target)
            std::abort();
    return 0;
}
