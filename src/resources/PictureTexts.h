// The batch report texts of /SHOTS, the pictures of a project's dialogs and menus.
#pragma once

namespace qmk::txt {

inline constexpr char UsageShots[] =
    "Command 'Pictures of Dialogs and Menus':   /SHOTS  <dbfilename.mdb>  <language|source>  [language 2]  <folder>";
inline constexpr char BatchShotsStart[] = "QMK: Pictures of dialogs and menus.  Database: %s  Language: %s  Folder: %s";
inline constexpr char BatchShotsUsage[] = "QMK Error:  /SHOTS takes a database, one or two languages and a folder.\n%s";
inline constexpr char BatchShotsDone[] = "     %s pictures of %s texts written to %s.";
inline constexpr char BatchShotsUndrawn[] = "     %s texts are in no picture (listed as undrawn in %s).";
inline constexpr char ShotsSourceWord[] = "source";

} // namespace qmk::txt
