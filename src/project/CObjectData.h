// The item object of one Text Table row or resource-tree node: what the item is, where its
// line is, and the row's display state (excluded, group start, marks, modified languages).
#pragma once

#include <set>
#include <string>
#include <vector>

#include "database/ProjectRows.h"
#include "project/ItemTypes.h"

namespace qmk {

// How a row begins: ordinary, first of a new group of item types, or first of another dialog
// inside a run of dialog rows.
enum class GroupStart { None = 0, NewGroup = 1, NewDialog = 2 };

struct CObjectData {
    ItemType itemType = ItemType::None;
    int lineKind = 0;
    std::string idText;
    int lineIndex = -1;
    bool excluded = false;
    GroupStart groupStart = GroupStart::None;
    std::set<int> marks;                        // column indices of marked cells
    std::vector<LanguageId> modifiedLanguages;  // translations whose _Modified flag is 1

    bool isModified(LanguageId language) const;
    void addModified(LanguageId language);
    // True when the language was in the list.
    bool removeModified(LanguageId language);

    bool hasMark(int column) const { return marks.count(column) != 0; }
    void setMark(int column) { marks.insert(column); }
};

} // namespace qmk
