// The resource tree's nodes, read from the project database.
#include "project/ResourceTree.h"

#include "database/DaoException.h"
#include "project/CQuillDoc.h"
#include "project/TextCodec.h"
#include "resources/Feedback.h"
#include "resources/UiTexts.h"

namespace qmk {
namespace {

struct Category {
    ProjectSwitch which;
    const char* label;
};

constexpr Category kCategories[] = {
    {ProjectSwitch::DialogEdit, txt::TreeDialogs},     {ProjectSwitch::MenuEdit, txt::TreeMenus},
    {ProjectSwitch::StringtableEdit, txt::TreeStrings}, {ProjectSwitch::BitmapEdit, txt::TreeBitmaps},
    {ProjectSwitch::VersionEdit, txt::TreeVersions},   {ProjectSwitch::IncludeEdit, txt::TreeIncludes},
};

class NodeReader {
public:
    explicit NodeReader(CQuillDoc& doc) : doc_(doc), db_(doc.database()) {}

    // A leaf or an inner node, or nothing when it is excluded and excluded text is hidden.
    void add(std::vector<ResourceTreeNode>& nodes, int lineIndex, ItemType type, const std::string& ident,
             bool hasChildren = false)
    {
        std::optional<TextRow> text = db_.texts().text(lineIndex);
        if (text && text->exclude && !doc_.switches().excludeEdit)
            return;
        std::string label = ident;
        if (text && !text->sourceText.empty()) {
            const std::string shown = decodeToUtf8(text->sourceText, doc_.codePage()).value_or(text->sourceText);
            label = label.empty() ? shown : label + "  \"" + shown + "\"";
        }
        nodes.push_back({label.empty() ? std::string(itemTypeDisplayName(type)) : label, type, lineIndex,
                         ProjectSwitch::DialogEdit, false, hasChildren});
    }

    std::vector<ResourceTreeNode> category(ProjectSwitch which)
    {
        std::vector<ResourceTreeNode> nodes;
        switch (which) {
        case ProjectSwitch::DialogEdit:
            for (const IdentRow& dialog : db_.items().resources(ResourceList::Dialogs))
                nodes.push_back({dialog.nameId, ItemType::Dialog, dialog.lineIndex, which, false, true});
            break;
        case ProjectSwitch::MenuEdit:
            for (const IdentRow& menu : db_.items().resources(ResourceList::Menus))
                nodes.push_back({menu.nameId, ItemType::Menu, menu.lineIndex, which, false, true});
            break;
        case ProjectSwitch::StringtableEdit:
            for (const IdentRow& string : db_.items().resources(ResourceList::StringtableStrings))
                add(nodes, string.lineIndex, ItemType::StringtableString, string.nameId);
            break;
        case ProjectSwitch::BitmapEdit:
            for (const IdentRow& bitmap : db_.items().resources(ResourceList::Bitmaps))
                add(nodes, bitmap.lineIndex, ItemType::BitmapNode, bitmap.nameId);
            break;
        case ProjectSwitch::VersionEdit:
            for (const IdentRow& version : db_.items().resources(ResourceList::Versions))
                nodes.push_back({version.nameId, ItemType::Versioninfo, version.lineIndex, which, false, true});
            break;
        case ProjectSwitch::IncludeEdit:
            for (const TextRow& text : db_.texts().allTextsWithLineKind())
                if (itemTypeOfLineKind(text.lineKind) == ItemType::IncludeStatement)
                    add(nodes, text.lineIndex, ItemType::IncludeStatement, {});
            break;
        case ProjectSwitch::ExcludeEdit:
            break;
        }
        return nodes;
    }

    std::vector<ResourceTreeNode> children(const ResourceTreeNode& node)
    {
        std::vector<ResourceTreeNode> nodes;
        switch (node.itemType) {
        case ItemType::Dialog:
            for (const DialogItemRow& item : db_.items().dialogTextItems(node.lineIndex))
                add(nodes, item.lineIndex, itemTypeOfLineKind(item.lineKind), item.nameId);
            break;
        case ItemType::Menu:
            for (const MenuItemRow& item : db_.items().menuItems(node.lineIndex))
                add(nodes, item.lineIndex, itemTypeOfLineKind(item.lineKind), item.nameId);
            break;
        case ItemType::Versioninfo:
            // Each block header, followed by its values.
            for (int header : db_.items().versionBlockHeadersOf(node.lineIndex)) {
                add(nodes, header, ItemType::BlockHeader, "\"Block Header\"");
                for (const IdentRow& value : db_.items().versionValuesOf(header))
                    add(nodes, value.lineIndex, ItemType::VersionValue, value.nameId);
            }
            break;
        default:
            break;
        }
        return nodes;
    }

private:
    CQuillDoc& doc_;
    CProjectDatabase& db_;
};

} // namespace

std::vector<ResourceTreeNode> resourceTreeCategories(const ProjectSwitches& switches)
{
    std::vector<ResourceTreeNode> nodes;
    for (const Category& category : kCategories)
        if (switches.get(category.which))
            nodes.push_back({category.label, ItemType::None, -1, category.which, true, true});
    return nodes;
}

std::vector<ResourceTreeNode> resourceTreeChildren(CQuillDoc& doc, const ResourceTreeNode& node)
{
    try {
        NodeReader reader(doc);
        return node.isCategory ? reader.category(node.category) : reader.children(node);
    } catch (const DaoException& error) {
        doc.feedback().messageText(error.report(), Icon::Stop);
        return {};
    }
}

} // namespace qmk
