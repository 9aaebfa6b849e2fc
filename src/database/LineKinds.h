// Line kinds the database layer itself needs (to count texts by category), taken from the
// reader's own list.
#pragma once

#include "parser/ParserCodes.h"

namespace qmk::dbkind {

inline constexpr int DialogCaption = toInt(LineKind::Caption);
inline constexpr int Control = toInt(LineKind::Control);
inline constexpr int Popup = toInt(LineKind::Popup);
inline constexpr int MenuItem = toInt(LineKind::MenuItem);
inline constexpr int Include = toInt(LineKind::Include);
inline constexpr int RcInclude = toInt(LineKind::RcInclude);
inline constexpr int Bitmap = toInt(LineKind::Bitmap);
inline constexpr int FirstControl = toInt(LineKind::DialogIcon);
inline constexpr int LastControl = toInt(LineKind::ScrollBar);
inline constexpr int FirstAutoControl = toInt(LineKind::AutoRadioButton);
inline constexpr int LastAutoControl = toInt(LineKind::Auto3State);
inline constexpr int StringtableString = toInt(LineKind::StringTableString);
inline constexpr int VersionBlock = toInt(LineKind::Block);
inline constexpr int VersionValue = toInt(LineKind::Value);

} // namespace qmk::dbkind
