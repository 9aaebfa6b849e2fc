// Imports one language's texts from another project database into an open project: an item
// takes the text of the same line when line kind and source text agree, otherwise of the item
// with the same identifiers, as a script import matches them. Translations are never replaced.
#pragma once

#include <filesystem>

#include "database/ProjectRows.h"
#include "project/ChangedTexts.h"
#include "project/OperationResult.h"

namespace qmk {

class CProjectDatabase;
class CQuillDoc;
class Feedback;
struct ImportedItem;

struct DatabaseImportResult {
    OperationResult outcome = OperationResult::Failed;
    int imported = 0;
    bool translationAdded = false;
    bool languageMissing = false;  // the other project has no such translation
    std::vector<ChangedText> changed;  // what the Text Table shows changed (marked there)
    bool ok() const { return outcome.done(); }
};

class DatabaseImport {
public:
    // `projectScript` names the translation's default file when the import adds it.
    DatabaseImport(CProjectDatabase& target, std::filesystem::path projectScript, Feedback& feedback);

    // All or nothing: the texts are written in one transaction, and a cancel between two texts
    // leaves the target as it was. A source without the language imports nothing and fails.
    DatabaseImportResult run(const std::filesystem::path& source, LanguageId language);

    // The import into an open project, as a long operation of its document: its views hear
    // of the texts imported (and of the translation, when the import added it).
    static DatabaseImportResult intoProject(CQuillDoc& doc, const std::filesystem::path& source, LanguageId language);

private:
    // The source item of a line as the identifier match needs it; false for kinds not imported.
    static bool describe(CProjectDatabase& source, int lineIndex, int lineKind, ImportedItem& item);

    CProjectDatabase& target_;
    std::filesystem::path projectScript_;
    Feedback& feedback_;
};

} // namespace qmk
