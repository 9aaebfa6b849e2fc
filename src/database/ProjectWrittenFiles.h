// The translated scripts a project wrote: for each file, by the name the project knows it under,
// the size and content hash of what was written into it last. The table is made when the first
// script is written, so older projects and older programs never see it. It stays with its
// database: a project exported elsewhere did not write these files.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "database/DatabasePart.h"

namespace qmk {

struct WrittenFileRecord {
    std::int64_t size = 0;
    std::string contentHash;
};

class ProjectWrittenFiles : public DatabasePart {
public:
    using DatabasePart::DatabasePart;

    std::optional<WrittenFileRecord> record(const std::string& fileName);
    void setRecord(const std::string& fileName, const WrittenFileRecord& written);
};

} // namespace qmk
