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
inline constexpr char TaskShots[] = "Drawing the dialogs and menus into %s";
inline constexpr char BatchShotsIndexUsage[] =
    "QMK Error:  /SHOTS-INDEX follows an export's parameters and names a folder of pictures /SHOTS wrote.";
inline constexpr char BatchShotsIndexRead[] = "     %s of %s units name their picture in %s.";
// The workbook column that names each text's picture.
inline constexpr char HeaderPicture[] = "Picture";

// File > Export Pictures.
inline constexpr char ExportPicturesTitle[] = "Export Pictures";
inline constexpr char MenuExportPictures[] = "Export &Pictures...";
inline constexpr char StatusExportPictures[] =
    "Draws every dialog and menu of the project into PNG files, with shots.json placing each text";
inline constexpr char ExportPicturesLanguage[] = "&Language:";
inline constexpr char ExportPicturesBeside[] = "&Beside it:";
inline constexpr char ExportPicturesNothingBeside[] = "(nothing: one language)";
inline constexpr char ExportPicturesFolder[] = "&Folder:";
inline constexpr char ExportPicturesBrowse[] = "B&rowse...";
inline constexpr char ExportPicturesSource[] = "Source";
inline constexpr char ExportPicturesNoFolder[] = "Choose the folder the pictures are written to.";
inline constexpr char ExportPicturesDone[] = "%1 pictures of %2 texts were written to %3, with shots.json.";
inline constexpr char ExportPicturesUndrawn[] = "%1 texts are in no picture (listed as undrawn in shots.json).";
inline constexpr char ExportPicturesCancelled[] =
    "The export was cancelled; the pictures drawn so far are in %1, without shots.json.";
inline constexpr char ExportPicturesFailed[] = "The pictures could not be written to %1:\n%2";

} // namespace qmk::txt
