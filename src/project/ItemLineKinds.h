// Line kinds (LineIdentSym) that decide a Text Table row's item type and category.
// Kept in this one place so that they can follow the parser's own list of kinds.
#pragma once

#include "database/LineKinds.h"

namespace qmk::itemkind {

inline constexpr int DialogCaption = dbkind::DialogCaption;
inline constexpr int Control = dbkind::Control;
inline constexpr int Popup = dbkind::Popup;
inline constexpr int MenuItem = dbkind::MenuItem;
inline constexpr int MenuHeader = toInt(LineKind::Menu);
inline constexpr int Include = dbkind::Include;
inline constexpr int RcInclude = dbkind::RcInclude;
inline constexpr int DialogHeader = toInt(LineKind::Dialog);
inline constexpr int Bitmap = dbkind::Bitmap;
inline constexpr int IconControl = dbkind::FirstControl;  // first kind of the dialog category
inline constexpr int FirstTextControl = toInt(LineKind::LText);
inline constexpr int LastTextControl = toInt(LineKind::RadioButton);
inline constexpr int EditTextControl = toInt(LineKind::EditText);  // last kind of the dialog category
inline constexpr int FirstAutoControl = dbkind::FirstAutoControl;
inline constexpr int LastAutoControl = dbkind::LastAutoControl;
inline constexpr int StringtableString = dbkind::StringtableString;
inline constexpr int VersionBlock = dbkind::VersionBlock;
inline constexpr int VersionValue = dbkind::VersionValue;
inline constexpr int NoLine = -1;

} // namespace qmk::itemkind
