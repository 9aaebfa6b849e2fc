// What the resource tree shows, without any widget: the root "Resources", a node per category
// that is switched on, and below it the project's resources and their items, read when a node
// is first opened. Excluded items appear only while excluded text is shown.
#pragma once

#include <string>
#include <vector>

#include "database/ProjectRows.h"
#include "project/ItemTypes.h"

namespace qmk {

class CQuillDoc;

struct ResourceTreeNode {
    std::string label;  // UTF-8
    ItemType itemType = ItemType::None;
    int lineIndex = -1;
    ProjectSwitch category = ProjectSwitch::DialogEdit;
    bool isCategory = false;
    bool hasChildren = false;
};

// The category nodes below the root, in the order the tree shows them.
std::vector<ResourceTreeNode> resourceTreeCategories(const ProjectSwitches& switches);
// The children of a node; a leaf has none.
std::vector<ResourceTreeNode> resourceTreeChildren(CQuillDoc& doc, const ResourceTreeNode& node);

} // namespace qmk
