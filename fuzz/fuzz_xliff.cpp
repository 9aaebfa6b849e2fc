// Arbitrary bytes read as an XLIFF file: the reader either refuses the file with a reason or
// gives units whose texts hold no NUL and no bytes that are no UTF-8 (nothing a script could not
// store is passed on silently), at any depth of nesting; what is read is written again as UTF-8.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "exchange/XliffFile.h"
#include "resources/TextValidity.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string problem;
    const std::optional<qmk::ExchangeDocument> document =
        qmk::readXliff(std::string(reinterpret_cast<const char*>(data), size), problem);
    if (!document)
        return problem.empty() ? (std::abort(), 0) : 0;  // a refusal always says why
    for (const qmk::ExchangeUnit& unit : document->units) {
        if (unit.id.empty() || !qmk::utf8Problem(unit.id).empty())
            std::abort();
        if (unit.unreadable.empty() && (unit.target.find('\0') != std::string::npos ||
                                        !qmk::utf8Problem(unit.target).empty() || !qmk::utf8Problem(unit.source).empty()))
            std::abort();
    }
    std::vector<qmk::LeftOutUnit> leftOut;
    const std::string written = qmk::writeXliff(*document, &leftOut);
    const std::optional<qmk::ExchangeDocument> again = qmk::readXliff(written, problem);
    if (!qmk::utf8Problem(written).empty() || !again || again->units.size() + leftOut.size() != document->units.size())
        std::abort();  // the writer made a file that is no UTF-8 XML, or lost units silently
    return 0;
}
