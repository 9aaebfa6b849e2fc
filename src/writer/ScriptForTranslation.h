// Writes the translated script of one translation of a project database.
#pragma once

#include <filesystem>
#include <string>

#include "database/ProjectRows.h"

namespace qmk {

class CProjectDatabase;
class Feedback;

// 1 when the file was written; 0 when the translation has no column name, the database is
// not open, or the file could not be written (the file error has been reported).
int WriteScriptForTranslation(const std::filesystem::path& target, const std::string& sourcePath,
                              CProjectDatabase& db, LanguageId language, bool keepUtf8, Feedback& feedback);

} // namespace qmk
