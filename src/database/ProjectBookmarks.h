// The project's bookmarks: named places in the Text Table or a preview, in one language.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "database/DatabasePart.h"

namespace qmk {

class ProjectBookmarks : public DatabasePart {
public:
    using DatabasePart::DatabasePart;

    int add(const BookmarkRow& row);
    std::vector<IdentRow> all();  // lineIndex holds ID, nameId the name
    std::optional<BookmarkRow> find(int id);
    bool remove(int id);
};

} // namespace qmk
