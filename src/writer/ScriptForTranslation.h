// Writes the translated script of one translation of a project database.
#pragma once

#include <filesystem>
#include <string>

#include "database/ProjectRows.h"

namespace qmk {

class CProjectDatabase;
class Feedback;

// 1 when the file was written; 0 when the translation has no column name, the database is
// not open, or the file could not be written (the file error, or the lines whose characters
// the translation's encoding cannot hold, have been reported). The script is written in the
// translation's encoding, converting what is copied from a source in `projectCodePage`.
int WriteScriptForTranslation(const std::filesystem::path& target, const std::string& sourcePath,
                              CProjectDatabase& db, LanguageId language, int projectCodePage, Feedback& feedback);

} // namespace qmk
