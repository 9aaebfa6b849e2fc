// Groups of line kinds that several layers test: dialog controls, menu items, include lines.
// The tests below and the kind lists in the database's SQL texts both come from here, so no
// other place writes a kind's number.
#pragma once

#include <initializer_list>
#include <string>

#include "parser/ParserCodes.h"

namespace qmk {

namespace kindgroup {
inline constexpr std::initializer_list<LineKind> MenuItems = {LineKind::Popup, LineKind::MenuItem};
inline constexpr std::initializer_list<LineKind> Includes = {LineKind::Include, LineKind::RcInclude};
// Quoted data of RCDATA and user resources: never a translatable text.
inline constexpr std::initializer_list<LineKind> DataStrings = {LineKind::DataString, LineKind::UserResourceData,
                                                               LineKind::RcDataString};
} // namespace kindgroup

// "9, 10": a group as the list of an SQL IN clause.
inline std::string sqlKindList(std::initializer_list<LineKind> kinds)
{
    std::string list;
    for (LineKind kind : kinds)
        list += (list.empty() ? "" : ", ") + std::to_string(toInt(kind));
    return list;
}

// CONTROL and every keyword control (LTEXT .. SCROLLBAR, the dialog ICON, AUTO... buttons).
constexpr bool isDialogControlKind(int kind)
{
    return kind == toInt(LineKind::Control) ||
           (kind >= toInt(LineKind::DialogIcon) && kind <= toInt(LineKind::ScrollBar)) ||
           (kind >= toInt(LineKind::AutoRadioButton) && kind <= toInt(LineKind::Auto3State));
}

constexpr bool isKindOf(std::initializer_list<LineKind> group, int kind)
{
    for (LineKind member : group)
        if (toInt(member) == kind)
            return true;
    return false;
}

constexpr bool isMenuItemKind(int kind) { return isKindOf(kindgroup::MenuItems, kind); }
constexpr bool isIncludeKind(int kind) { return isKindOf(kindgroup::Includes, kind); }

// Include lines and bitmap file names start out excluded from translation.
constexpr bool isExcludedByDefault(int kind)
{
    return isIncludeKind(kind) || kind == toInt(LineKind::Bitmap);
}

} // namespace qmk
