// The load of arbitrary bytes into a project database: the input is split at its first NUL
// into a script and a file it may include, both are written to a scratch folder, and the
// build must either succeed or fail cleanly, leaving no file but the finished project.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "database/CProjectDatabase.h"
#include "database/DaoException.h"
#include "load/DatabaseBuild.h"
#include "resources/Feedback.h"

#include "FuzzScratch.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::size_t split = bytes.find('\0');
    const std::filesystem::path folder = qmk::fuzz::scratchFolder();
    std::ofstream(folder / "app.rc", std::ios::binary) << bytes.substr(0, split);
    std::ofstream(folder / "inc.dlg", std::ios::binary) << (split == std::string::npos ? "" : bytes.substr(split + 1));
    const std::filesystem::path database = folder / "app_rc.mdb";
    std::error_code ec;
    std::filesystem::remove(database, ec);
    qmk::SilentFeedback quiet;
    try {
        qmk::CProjectDatabase db;
        db.createNew(database);
        if (qmk::BuildDatabase(folder / "app.rc", db, {".DLG"}, quiet).ok())
            db.finishNew();
        else
            db.discardNew();
    } catch (const qmk::DaoException&) {
        // A failure of the engine is reported by the build's callers; here it must not crash.
    }
    for (const auto& e : std::filesystem::directory_iterator(folder))
        if (e.path().filename().string().find(".building-") != std::string::npos)
            __builtin_trap();  // a failed or finished build left its temporary behind
    return 0;
}
