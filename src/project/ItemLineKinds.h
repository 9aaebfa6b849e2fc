// Line kinds (LineIdentSym) that decide a Text Table row's item type and category.
// Kept in this one place so that they can follow the parser's own list of kinds.
#pragma once

#include "database/LineKinds.h"

namespace qmk::itemkind {

inline constexpr int DialogCaption = dbkind::DialogCaption;
inline constexpr int Control = dbkind::Control;
inline constexpr int Popup = dbkind::Popup;
inline constexpr int MenuItem = dbkind::MenuItem;
inline constexpr int MenuHeader = 8;
inline constexpr int Include = dbkind::Include;
inline constexpr int RcInclude = dbkind::RcInclude;
inline constexpr int DialogHeader = 13;
inline constexpr int Bitmap = dbkind::Bitmap;
inline constexpr int IconControl = dbkind::FirstControl;  // 18: first kind of the dialog category
inline constexpr int FirstTextControl = 19;               // LTEXT
inline constexpr int LastTextControl = 27;                // RADIOBUTTON
inline constexpr int EditTextControl = 28;                // last kind of the dialog category
inline constexpr int FirstAutoControl = dbkind::FirstAutoControl;
inline constexpr int LastAutoControl = dbkind::LastAutoControl;
inline constexpr int StringtableString = dbkind::StringtableString;
inline constexpr int VersionBlock = dbkind::VersionBlock;
inline constexpr int VersionValue = dbkind::VersionValue;
inline constexpr int NoLine = -1;

} // namespace qmk::itemkind
