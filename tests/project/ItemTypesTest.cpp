// The item-type and category tables and the group-start rule of the Text Table.
#include <gtest/gtest.h>

#include "project/GroupStartRule.h"
#include "project/ItemTypes.h"

namespace qmk {
namespace {

TEST(ItemTypesTest, ControlKindsWithoutTextHaveNoItemType)
{
    for (int kind : {2, 19, 27, 102, 104})
        EXPECT_EQ(itemTypeOfLineKind(kind), ItemType::DialogItem) << kind;
    for (int kind : {18, 28, 29, 30, 101, -1, 67})
        EXPECT_EQ(itemTypeOfLineKind(kind), ItemType::None) << kind;
    EXPECT_EQ(itemTypeDisplayName(ItemType::BitmapNode), "Bitmap File");
    EXPECT_EQ(idText(ItemType::DialogCaption, "ignored"), "\"Caption\"");
    EXPECT_EQ(idText(ItemType::Dialog, "IDD_ABOUT"), "");
}

TEST(ItemTypesTest, CategoriesGovernTheirKinds)
{
    for (int kind : {1, 2, 18, 24, 28, 102, 104})
        EXPECT_EQ(categoryOfLineKind(kind), ProjectSwitch::DialogEdit) << kind;
    EXPECT_FALSE(categoryOfLineKind(29).has_value());  // COMBOBOX: outside every category
    EXPECT_EQ(categoryOfLineKind(3), ProjectSwitch::MenuEdit);
    EXPECT_EQ(categoryOfLineKind(70), ProjectSwitch::StringtableEdit);
    EXPECT_EQ(categoryOfLineKind(86), ProjectSwitch::VersionEdit);
    EXPECT_EQ(categoryOfLineKind(16), ProjectSwitch::BitmapEdit);
    EXPECT_EQ(categoryOfLineKind(10), ProjectSwitch::IncludeEdit);
    EXPECT_FALSE(categoryOfLineKind(88).has_value());

    ProjectSwitches s;  // a new project: everything on except includes
    EXPECT_TRUE(isShown(70, true, s));
    EXPECT_FALSE(isShown(9, false, s));
    s.excludeEdit = false;
    EXPECT_FALSE(isShown(70, true, s));
    EXPECT_TRUE(isShown(88, false, s));

    auto dialogTypes = itemTypesOfCategory(ProjectSwitch::DialogEdit);
    EXPECT_EQ(std::vector<ItemType>(dialogTypes.begin(), dialogTypes.end()),
              (std::vector<ItemType>{ItemType::DialogItem, ItemType::DialogCaption}));
    EXPECT_TRUE(itemTypesOfCategory(ProjectSwitch::ExcludeEdit).empty());
    EXPECT_TRUE(categoryShowsProgress(ProjectSwitch::MenuEdit));
    EXPECT_FALSE(categoryShowsProgress(ProjectSwitch::BitmapEdit));
}

TEST(GroupStartRuleTest, FamiliesContinueAndStringsOnlyContinueStrings)
{
    EXPECT_TRUE(GroupStartRule::continues(ItemType::Dialog, ItemType::DialogCaption));
    EXPECT_TRUE(GroupStartRule::continues(ItemType::PopupMenu, ItemType::MenuItem));
    EXPECT_TRUE(GroupStartRule::continues(ItemType::BitmapNode, ItemType::BitmapFile));
    EXPECT_TRUE(GroupStartRule::continues(ItemType::Versioninfo, ItemType::VersionValue));
    EXPECT_TRUE(GroupStartRule::continues(ItemType::Stringtable, ItemType::StringtableString));
    EXPECT_FALSE(GroupStartRule::continues(ItemType::StringtableString, ItemType::Stringtable));
    EXPECT_FALSE(GroupStartRule::continues(ItemType::MenuItem, ItemType::DialogItem));
    EXPECT_FALSE(GroupStartRule::continues(ItemType::None, ItemType::None));
    EXPECT_FALSE(GroupStartRule::continues(ItemType::IncludeStatement, ItemType::IncludeStatement));
}

TEST(GroupStartRuleTest, AnotherDialogInsideARunStartsWithTwo)
{
    GroupStartRule rule;
    EXPECT_EQ(rule.next(ItemType::DialogCaption, 10), GroupStart::NewGroup);
    EXPECT_EQ(rule.next(ItemType::DialogItem, 10), GroupStart::None);
    EXPECT_EQ(rule.next(ItemType::DialogItem, 20), GroupStart::NewDialog);
    EXPECT_EQ(rule.next(ItemType::DialogItem, 20), GroupStart::None);
    EXPECT_EQ(rule.next(ItemType::MenuItem, -1), GroupStart::NewGroup);
    EXPECT_EQ(rule.next(ItemType::DialogItem, 30), GroupStart::NewGroup);  // a new run, not a 2
    EXPECT_EQ(rule.next(ItemType::IncludeStatement, -1), GroupStart::NewGroup);
    EXPECT_EQ(rule.next(ItemType::IncludeStatement, -1), GroupStart::NewGroup);
}

} // namespace
} // namespace qmk
