// Writing a project's translated scripts, as the document's commands and the batch ask for them:
// one translation to a given file, every translation to its own file, and the close-time offer
// to write them when they are out of date.
#pragma once

#include <filesystem>

#include "database/ProjectRows.h"
#include "project/OperationResult.h"

namespace qmk {

class CQuillDoc;

// 1 when written; 0 when refused (a file the project must not overwrite, or a translation made by
// hand that the person would not have replaced) or failed (reported). A file the project did not
// write is kept as "<name>.bak" before it is first replaced.
int writeTranslation(CQuillDoc& doc, LanguageId language, const std::filesystem::path& target);

// Every translation to its file name (a default one, with a beep, where none is set); Done when
// at least one was written. Cancellable between two files.
OperationResult WriteTranslatedScripts(CQuillDoc& doc);

// Before a project closes: changed fonts are kept, and translated scripts that are out of date
// are written when the person agrees.
bool SaveModified(CQuillDoc& doc);

} // namespace qmk
