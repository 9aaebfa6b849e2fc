// Arbitrary bytes as a TBX glossary: the import reads what entries it can into a scratch
// glossary or refuses the file with a reason, and never crashes or hangs; what it stored is
// UTF-8 and written out again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <stdexcept>

#include "memory/SqliteGlossary.h"
#include "memory/TbxFile.h"

#include "FuzzScratch.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::filesystem::path folder = qmk::fuzz::scratchFolder();
    std::filesystem::remove(folder / "glossary.db");
    qmk::SqliteGlossary glossary(folder / "glossary.db");
    const std::filesystem::path file = folder / "input.tbx";
    std::ofstream(file, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data),
                                                                  static_cast<std::streamsize>(size));
    try {
        const qmk::TbxImportResult read = qmk::importTbx(glossary, file);
        if (!read.ok && read.problem.empty())
            std::abort();  // a refusal always says why
        const qmk::TbxExportResult written = qmk::exportTbx(glossary, folder / "output.tbx");
        if (!written.ok)
            std::abort();  // what the import stored can always be written again
    } catch (const std::runtime_error&) {
        // a store failure is reported by the caller; the reader itself must not crash
    }
    return 0;
}
