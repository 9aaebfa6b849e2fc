// Arbitrary bytes as a TMX file: the import reads what units it can into a scratch memory or
// refuses the file with a reason, and never crashes or hangs.
#include <cstddef>
#include <cstdint>
#include <fstream>

#include "memory/MemoryUnit.h"
#include "memory/SqliteMemory.h"
#include "memory/TmxFile.h"

#include "FuzzScratch.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static qmk::SqliteMemory memory(qmk::fuzz::scratchFolder() / "memory.db");
    const std::filesystem::path file = qmk::fuzz::scratchFolder() / "input.tmx";
    std::ofstream(file, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data),
                                                                  static_cast<std::streamsize>(size));
    try {
        qmk::importTmx(memory, file);
    } catch (const qmk::MemoryError&) {
        // a store failure is reported by the caller; the reader itself must not crash
    }
    return 0;
}
