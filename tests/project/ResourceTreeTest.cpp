// The resource tree: a node per category that is switched on, resources below them, and their
// items, with excluded items only while excluded text is shown.
#include "SourceUpdateFixture.h"
#include "project/ResourceTree.h"

namespace qmk {
namespace {

const std::string kScript =
    "IDD_ABOUT DIALOG 0, 0, 200, 100\nCAPTION \"About\"\nBEGIN\n"
    "    LTEXT \"Name:\", IDC_NAME, 10, 10, 50, 8\n    DEFPUSHBUTTON \"OK\", IDOK, 140, 80, 50, 14\nEND\n"
    "STRINGTABLE\nBEGIN\n    IDS_HELLO \"Hello\"\n    IDS_BYE \"Goodbye\"\nEND\n"
    "IDM_MAIN MENU\nBEGIN\n    POPUP \"&File\"\n    BEGIN\n        MENUITEM \"E&xit\", ID_EXIT\n    END\nEND\n";

std::vector<std::string> labels(const std::vector<ResourceTreeNode>& nodes)
{
    std::vector<std::string> list;
    for (const ResourceTreeNode& node : nodes)
        list.push_back(node.label);
    return list;
}

class ResourceTreeTest : public test::SourceUpdateFixture {
protected:
    void SetUp() override
    {
        SourceUpdateFixture::SetUp();
        open(writeScript(kScript));
    }
    ResourceTreeNode category(ProjectSwitch which)
    {
        for (const ResourceTreeNode& node : resourceTreeCategories(doc->switches()))
            if (node.category == which)
                return node;
        ADD_FAILURE() << "no such category";
        return {};
    }
};

} // namespace

TEST_F(ResourceTreeTest, CategoriesFollowTheSwitchesAndOpenIntoResourcesAndItems)
{
    EXPECT_EQ(labels(resourceTreeCategories(doc->switches())),
              (std::vector<std::string>{"Dialogs", "Menus", "Strings", "Bitmaps", "Versions"}));
    ProjectSwitches all = doc->switches();
    all.includeEdit = true;
    all.menuEdit = false;
    EXPECT_EQ(labels(resourceTreeCategories(all)),
              (std::vector<std::string>{"Dialogs", "Strings", "Bitmaps", "Versions", "Includes"}));

    const std::vector<ResourceTreeNode> dialogs = resourceTreeChildren(*doc, category(ProjectSwitch::DialogEdit));
    ASSERT_EQ(labels(dialogs), (std::vector<std::string>{"IDD_ABOUT"}));
    EXPECT_TRUE(dialogs[0].hasChildren);
    const std::vector<ResourceTreeNode> items = resourceTreeChildren(*doc, dialogs[0]);
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0].itemType, ItemType::DialogCaption);
    EXPECT_EQ(items[1].label, "IDC_NAME  \"Name:\"");
    EXPECT_EQ(items[2].itemType, ItemType::DialogItem);
    EXPECT_TRUE(resourceTreeChildren(*doc, items[1]).empty());

    const std::vector<ResourceTreeNode> menus = resourceTreeChildren(*doc, category(ProjectSwitch::MenuEdit));
    ASSERT_EQ(menus.size(), 1u);
    const std::vector<ResourceTreeNode> menuItems = resourceTreeChildren(*doc, menus[0]);
    ASSERT_EQ(menuItems.size(), 2u);
    EXPECT_EQ(menuItems[0].itemType, ItemType::PopupMenu);
    EXPECT_EQ(menuItems[1].itemType, ItemType::MenuItem);
}

TEST_F(ResourceTreeTest, ExcludedItemsAreLeavesOnlyWhileExcludedTextIsShown)
{
    ASSERT_EQ(doc->setExcluded(stringLine("IDS_BYE"), true), OperationResult::Done);
    const ResourceTreeNode strings = category(ProjectSwitch::StringtableEdit);
    EXPECT_EQ(labels(resourceTreeChildren(*doc, strings)),
              (std::vector<std::string>{"IDS_HELLO  \"Hello\"", "IDS_BYE  \"Goodbye\""}));
    ASSERT_EQ(doc->toggleCategory(ProjectSwitch::ExcludeEdit, -1), OperationResult::Done);
    EXPECT_EQ(labels(resourceTreeChildren(*doc, strings)), (std::vector<std::string>{"IDS_HELLO  \"Hello\""}));
}

} // namespace qmk
