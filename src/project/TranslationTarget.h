// Where a translated script may be written: never over the project database, the source
// script, a file the source includes or the file of another translation, and never over a
// folder, a pipe or a device.
#pragma once

#include <filesystem>
#include <string>

#include "database/ProjectRows.h"

namespace qmk {

class CQuillDoc;

// The message refusing `target` as the translated script of `language`; empty when it may be
// written.
std::string translationTargetProblem(CQuillDoc& doc, LanguageId language, const std::filesystem::path& target);

} // namespace qmk
