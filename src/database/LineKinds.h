// Line kinds the database layer itself needs (to count texts by category).
// The parser owns the full list; these values must stay equal to its own.
#pragma once

namespace qmk::dbkind {

inline constexpr int DialogCaption = 1;
inline constexpr int Control = 2;
inline constexpr int Popup = 3;
inline constexpr int MenuItem = 4;
inline constexpr int Include = 9;
inline constexpr int RcInclude = 10;
inline constexpr int Bitmap = 16;
inline constexpr int FirstControl = 18;   // dialog ICON control
inline constexpr int LastControl = 30;    // SCROLLBAR
inline constexpr int FirstAutoControl = 102;
inline constexpr int LastAutoControl = 104;
inline constexpr int StringtableString = 70;
inline constexpr int VersionBlock = 85;
inline constexpr int VersionValue = 86;

} // namespace qmk::dbkind
