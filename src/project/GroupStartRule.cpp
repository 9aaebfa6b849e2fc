// Groups are runs of rows of one item family (dialogs, menus, bitmaps, versions, strings);
// inside a run of dialog rows a change of dialog is marked separately.
#include "project/GroupStartRule.h"

namespace qmk {

namespace {

enum class Family { None, Dialogs, Menus, Bitmaps, Versions };

Family familyOf(ItemType type)
{
    switch (type) {
    case ItemType::Dialog:
    case ItemType::DialogItem:
    case ItemType::DialogCaption: return Family::Dialogs;
    case ItemType::Menu:
    case ItemType::MenuItem:
    case ItemType::PopupMenu: return Family::Menus;
    case ItemType::BitmapNode:
    case ItemType::BitmapFile: return Family::Bitmaps;
    case ItemType::Versioninfo:
    case ItemType::VersionValueNode:
    case ItemType::BlockHeader:
    case ItemType::VersionValue: return Family::Versions;
    default: return Family::None;
    }
}

bool isDialogRow(ItemType type)
{
    return type == ItemType::DialogItem || type == ItemType::DialogCaption;
}

} // namespace

bool GroupStartRule::continues(ItemType groupType, ItemType type)
{
    int group = toInt(groupType);
    if (group <= 0 || group >= toInt(ItemType::IncludeStatement))
        return false;
    if (groupType == ItemType::Stringtable || groupType == ItemType::StringtableString)
        return type == ItemType::StringtableString;
    if (type == groupType)
        return true;
    Family family = familyOf(groupType);
    return family != Family::None && family == familyOf(type);
}

GroupStart GroupStartRule::next(ItemType type, int dialogLine)
{
    GroupStart start = GroupStart::None;
    if (!continues(groupType_, type)) {
        start = GroupStart::NewGroup;
        groupType_ = type;
    }
    if (isDialogRow(type)) {
        if (start == GroupStart::None && hasPreviousDialog_ && dialogLine != previousDialog_)
            start = GroupStart::NewDialog;
        previousDialog_ = dialogLine;
        hasPreviousDialog_ = true;
    }
    return start;
}

} // namespace qmk
