// Identifiers of the program's commands, control bars and status panes.
// The UI builds its actions from these; the core posts a few of them (batch run, questions).
#pragma once

namespace qmk::cmd {

// Posted to the main window once start-up in batch mode has succeeded.
inline constexpr int BatchRun = 332;

// File menu and the project file list.
inline constexpr int Save = 32774;
inline constexpr int FileOptions = 32932;          // "&Options..." of the File menu, no behaviour
inline constexpr int ProjectFileOpen = 131;
inline constexpr int ProjectFileRemove = 132;

// Project document.
inline constexpr int UpdateDatabase = 126;
inline constexpr int SourceChangedQuestion = 268;  // posted to a project opened with a changed script
inline constexpr int CharsetCheck = 270;           // posted to every newly opened project
inline constexpr int RefreshStatus = 32938;
inline constexpr int ShowChangedSourceText = 32972;
inline constexpr int NewTranslation = 32944;
inline constexpr int DeleteTranslation = 32945;
inline constexpr int SourceTextSettings = 301;
inline constexpr int FirstTranslationSettings = 302; // 302 + n: settings of translation n + 1
inline constexpr int LastTranslationSettings = 331;
inline constexpr int ExportToExcel = 32964;
inline constexpr int ExportToDatabase = 32975;
inline constexpr int ImportText = 32974;
inline constexpr int ResourceEditor = 32973;       // always disabled

// Display switches of the Text Table (Edit menu of a project).
inline constexpr int ShowBitmapResources = 32976;
inline constexpr int ShowVersionInfoResources = 32977;
inline constexpr int ShowExcludedText = 32979;
inline constexpr int ShowMenuResources = 32980;
inline constexpr int ShowDialogResources = 32981;
inline constexpr int ShowStringtableResources = 32982;
inline constexpr int ShowFileIncludes = 32986;

// Text Table, translation bar and previews.
inline constexpr int Translate = 32770;
inline constexpr int ExcludeItem = 32978;
inline constexpr int RemoveMarks = 32983;
inline constexpr int VersionBlockHeader = 32971;
inline constexpr int NextItem = 32956;
inline constexpr int PreviousItem = 32957;
inline constexpr int ViewDialog = 32950;
inline constexpr int ViewMenu = 32951;
inline constexpr int ViewBitmap = 32958;
inline constexpr int ShowInTextTable = 32953;
inline constexpr int LanguageList = 760;           // drop-down list of the language toolbar
inline constexpr int ViewSourceLanguage = 761;
inline constexpr int ViewTranslated = 762;

// Find, replace and bookmarks.
inline constexpr int Find = 32777;
inline constexpr int FindNext = 32778;
inline constexpr int Replace = 219;
inline constexpr int Bookmark = 32969;

// Settings sheets.
inline constexpr int ApplicationSettings = 32965;
inline constexpr int ToolbarSettings = 32987;

} // namespace qmk::cmd

namespace qmk::cmd::bar {

inline constexpr int Translation = 98;
inline constexpr int Language = 99;
inline constexpr int ProjectFiles = 100;
inline constexpr int EditToolbar = 59392;
inline constexpr int StatusBar = 59393;

} // namespace qmk::cmd::bar

namespace qmk::cmd::pane {

inline constexpr int CurrentLanguage = 3203;
inline constexpr int TranslationGauge = 32776;
inline constexpr int RowNumber = 3204;
inline constexpr int ItemType = 3205;

} // namespace qmk::cmd::pane

namespace qmk {

// Commands without an id of their own in the project (Open, Exit, ...) use these.
namespace uicmd {
inline constexpr int Open = 57601;
inline constexpr int Close = 57602;
inline constexpr int Exit = 57665;
inline constexpr int HelpTopics = 57667;
inline constexpr int About = 57664;
inline constexpr int Tabbed = 59401;
inline constexpr int Undo = 57643;
inline constexpr int Redo = 57644;
inline constexpr int FilterRows = 59500;
inline constexpr int ExportForPlatforms = 59501;
inline constexpr int NextUntranslated = 59502;
inline constexpr int PreviousUntranslated = 59503;
inline constexpr int NextFlagged = 59504;
inline constexpr int PreviousFlagged = 59505;
inline constexpr int AcceptSourceChange = 59506;
inline constexpr int PseudoTranslate = 59507;
inline constexpr int Statistics = 59508;
inline constexpr int PreTranslate = 59509;
inline constexpr int ImportTmx = 59510;
inline constexpr int ExportTmx = 59511;
inline constexpr int ViewTranslateBar = 59512;
inline constexpr int ViewMemoryPanel = 59513;
inline constexpr int ViewChecksPanel = 59514;
inline constexpr int ViewProjectFilesPanel = 59515;
inline constexpr int SetBookmark = 59516;
inline constexpr int NextBookmark = 59517;
inline constexpr int PreviousBookmark = 59518;
inline constexpr int NextWindow = 59519;
inline constexpr int PreviousWindow = 59520;
inline constexpr int ExportPictures = 59530;
inline constexpr int ViewGlossaryPanel = 59521;
inline constexpr int AddGlossaryTerm = 59522;
} // namespace uicmd

} // namespace qmk
