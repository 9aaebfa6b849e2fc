// Glossaries in TBX (ISO 30042, the TBX-Basic dialect other terminology tools exchange): one
// <termEntry> per concept, a <langSet> per language, a <tig> per term. The source language's
// term is the glossary's term; each other language's first term not marked forbidden is its
// translation, its further admitted terms allowed variants, and terms with the administrative
// status "forbidden" (or deprecated, superseded) forbidden variants.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "memory/Glossary.h"

namespace qmk {

struct TbxImportResult {
    bool ok = false;
    std::int64_t entries = 0;  // glossary entries added (one per term and target language)
    std::int64_t skipped = 0;  // <termEntry> without a source term or any translation, and entries
                               // whose term or translation is no UTF-8
    std::string problem;       // why nothing was read
};
// Adds the entries of a TBX file. The source language is the <martif>'s xml:lang ("en" when it
// has none); an entry without a <langSet> of it takes its first <langSet> as the source.
TbxImportResult importTbx(Glossary& glossary, const std::filesystem::path& file);

struct TbxExportResult {
    bool ok = false;
    std::int64_t entries = 0;  // <termEntry> written
    std::int64_t skipped = 0;  // glossary entries with characters XML cannot carry
    std::string problem;
};
// Writes the glossary (one target language when given); the entries of one term in several
// languages become one <termEntry>. The file is replaced only once it was written whole.
TbxExportResult exportTbx(Glossary& glossary, const std::filesystem::path& file,
                          const std::optional<std::string>& language = std::nullopt);

// The TBX document of the entries, as exportTbx writes it (for candidates that are no glossary yet).
bool writeTbx(const std::vector<GlossaryEntry>& entries, const std::filesystem::path& file, std::string& problem);

} // namespace qmk
