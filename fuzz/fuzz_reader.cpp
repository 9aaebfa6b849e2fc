// The script reader on arbitrary bytes: every step must end, nothing may read or write out of
// bounds, and a failure must be a negative code, never a crash.
#include <cstddef>
#include <cstdint>
#include <string>

#include "parser/LineCounter.h"
#include "parser/ScriptParser.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    qmk::LineCounter counter;
    qmk::ScriptParser parser(counter);
    parser.setText(std::string(reinterpret_cast<const char*>(data), size));
    parser.reset();
    std::string line;
    // A statement takes at least one byte, so this many steps always reach the end.
    for (std::size_t step = 0; step <= size + 1 && !parser.atEnd() && parser.error() >= 0; ++step) {
        parser.readLine(line);
        if (parser.kindValue() == 0)
            break;
        (void)parser.errorLocation("fuzz.rc");
    }
    return 0;
}
