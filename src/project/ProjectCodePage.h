// The code page a project's texts are in, decided from its script and stored lines.
#pragma once

#include <filesystem>

namespace qmk {

class CProjectDatabase;

// See TextCodec's projectCodePage for the order of the evidence. The script file is read for
// its byte-order mark and bytes; when it is gone, the stored lines stand in for it.
int projectCodePageOf(CProjectDatabase& db, const std::filesystem::path& script);

} // namespace qmk
