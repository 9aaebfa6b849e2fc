// The outside judge of written scripts: MinGW's resource compiler, run on a scratch folder the
// way a program's own build would compile a language script (Windows headers and the program's
// headers first), with the repairs every Linux build of such a script needs: forward slashes in
// include names, includes found whatever their case, placeholder icons and bitmaps, and UTF-16
// scripts handed over as UTF-8.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace qmk::test {

bool resourceCompilerAvailable();

// Prepares the folder of scripts once (placeholders for missing files, include names).
void prepareScratchFolder(const std::filesystem::path& folder);

enum class DumpLanguages { Drop, Keep };

// The compiler's normalised dump of the script's resources, without LANGUAGE lines and
// language block names unless they are kept; nothing when it does not compile. `messages`
// gets what the compiler said (its warnings).
std::optional<std::string> compiledDump(const std::filesystem::path& script, DumpLanguages languages = DumpLanguages::Drop,
                                        std::string* messages = nullptr);

} // namespace qmk::test
