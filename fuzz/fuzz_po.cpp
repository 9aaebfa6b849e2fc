// Arbitrary bytes read as a PO file: refused with the line, or read into units, none of which
// passes on bytes that are no UTF-8; what is read is written again as UTF-8 (leaving out exactly
// the units that are no UTF-8) and read back to the same texts.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "exchange/PoFile.h"
#include "resources/TextValidity.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string problem;
    const std::optional<qmk::ExchangeDocument> document =
        qmk::readPo(std::string(reinterpret_cast<const char*>(data), size), problem);
    if (!document)
        return problem.empty() ? (std::abort(), 0) : 0;
    qmk::ExchangeDocument written = *document;
    std::vector<qmk::ExchangeUnit> kept;
    for (qmk::ExchangeUnit& unit : written.units) {
        if (unit.id.empty())
            unit.id = "x";  // the writer always gives a context
        const bool utf8 = qmk::utf8Problem(unit.source).empty() && qmk::utf8Problem(unit.target).empty();
        if (!qmk::utf8Problem(unit.id).empty() || (!utf8 && unit.unreadable.empty()))
            std::abort();  // bytes that are no UTF-8 were handed on as a unit to import
        if (utf8)
            kept.push_back(unit);
    }
    std::vector<qmk::LeftOutUnit> leftOut;
    const std::string text = qmk::writePo(written, "2026-01-01 00:00+0000", &leftOut);
    if (!qmk::utf8Problem(text).empty() || leftOut.size() != written.units.size() - kept.size())
        std::abort();  // a PO file that is no UTF-8, or units left out that it could carry
    const std::optional<qmk::ExchangeDocument> again = qmk::readPo(text, problem);
    if (!again || again->units.size() != kept.size())
        std::abort();
    for (std::size_t i = 0; i < kept.size(); ++i)
        if (again->units[i].source != kept[i].source || again->units[i].target != kept[i].target)
            std::abort();
    return 0;
}
