// The embedded glossary: one SQLite file of this machine, beside the memory's.
#pragma once

#include <filesystem>

#include "database/SqliteDatabase.h"
#include "memory/Glossary.h"

namespace qmk {

class SqliteGlossary : public Glossary {
public:
    // Opens the file, creating it (and its folder) when missing.
    explicit SqliteGlossary(const std::filesystem::path& file);

    void add(const std::vector<GlossaryEntry>& entries) override;
    void forEach(const std::optional<std::string>& language,
                 const std::function<void(const GlossaryEntry&)>& visit) override;
    std::int64_t size() override;
    bool remove(std::string_view term, std::string_view language) override;
    std::string location() const override { return file_.string(); }

private:
    void checkSchema();

    std::filesystem::path file_;
    SqliteDatabase db_;
};

} // namespace qmk
