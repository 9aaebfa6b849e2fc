// Groups of line kinds that several layers test: dialog controls, menu items, include lines.
#pragma once

#include "parser/ParserCodes.h"

namespace qmk {

// CONTROL and every keyword control (LTEXT .. SCROLLBAR, the dialog ICON, AUTO... buttons).
constexpr bool isDialogControlKind(int kind)
{
    return kind == toInt(LineKind::Control) ||
           (kind >= toInt(LineKind::DialogIcon) && kind <= toInt(LineKind::ScrollBar)) ||
           (kind >= toInt(LineKind::AutoRadioButton) && kind <= toInt(LineKind::Auto3State));
}

constexpr bool isMenuItemKind(int kind)
{
    return kind == toInt(LineKind::Popup) || kind == toInt(LineKind::MenuItem);
}

constexpr bool isIncludeKind(int kind)
{
    return kind == toInt(LineKind::Include) || kind == toInt(LineKind::RcInclude);
}

// Include lines and bitmap file names start out excluded from translation.
constexpr bool isExcludedByDefault(int kind)
{
    return isIncludeKind(kind) || kind == toInt(LineKind::Bitmap);
}

} // namespace qmk
