// Unnumbered texts of the user interface: menu entries, captions, labels, buttons,
// status texts and messages of the windows. "%1"/"%2" are filled with fillPlaceholders.
#pragma once

namespace qmk::txt {

// --- Main frame: bars, menus, status ---
inline constexpr char Translate[] = "Translate";  // translation bar caption and command 32770
inline constexpr char BarProjectFiles[] = "Project Files";
inline constexpr char BarLanguage[] = "Language";
inline constexpr char MenuSave[] = "&Save";
inline constexpr char MenuOptions[] = "&Options...";
inline constexpr char MenuResourceEditor[] = "Resource &Editor...";
inline constexpr char MenuRefreshStatus[] = "&Refresh Status";
inline constexpr char MenuUpdateDatabase[] = "&Update Database";
inline constexpr char MenuToolbars[] = "Toolbars...";
inline constexpr char MenuExportToExcel[] = "&Export Text to Excel...";
inline constexpr char MenuExportToDatabase[] = "Export Text to &Database...";
inline constexpr char MenuImportText[] = "&Import Text ...";

// Display switches of a project.
inline constexpr char MenuDialogResources[] = "&Dialog Resources";
inline constexpr char MenuMenuResources[] = "&Menu Resources";
inline constexpr char MenuStringtableResource[] = "Stringt&able Resource";
inline constexpr char MenuVersionInfoResources[] = "&VersionInfo Resources";
inline constexpr char MenuBitmapResources[] = "&Bitmap Resources";
inline constexpr char MenuFileIncludes[] = "File &Includes";
inline constexpr char MenuExcludedText[] = "&Excluded Text";

// --- Project file list ---
inline constexpr char ColumnFile[] = "File";
inline constexpr char ColumnSize[] = "Size";
inline constexpr char ColumnState[] = "State";
inline constexpr char ColumnTranslations[] = "Translations";
inline constexpr char ColumnDirectory[] = "Directory";
inline constexpr char StateChanged[] = "Changed";
inline constexpr char StateNoTranslation[] = "No Translation";
inline constexpr char StateNotComplete[] = "Not Complete";
inline constexpr char StateTranslated[] = "Translated";
inline constexpr char MenuProjectFileOpen[] = "Open";
inline constexpr char MenuProjectFileRemove[] = "Remove";
inline constexpr char MenuProjectFileList[] = "Project File List";

// --- Text Table and resource tree ---
inline constexpr char SourceTextWithLanguages[] = "Source Text (%1)";
inline constexpr char TreeResources[] = "Resources";
inline constexpr char TreeDialogs[] = "Dialogs";
inline constexpr char TreeMenus[] = "Menus";
inline constexpr char TreeStrings[] = "Strings";
inline constexpr char TreeBitmaps[] = "Bitmaps";
inline constexpr char TreeVersions[] = "Versions";
inline constexpr char TreeIncludes[] = "Includes";
inline constexpr char StatusAddExcludedText[] = "Add Excluded Text to Text Table Window";
inline constexpr char StatusReloadingTextTable[] = "Reloading Text Table";
// What Undo and Redo took back or did again ("Undo: store 'Datei' (German)").
inline constexpr char StatusUndone[] = "Undo: %1";
inline constexpr char StatusRedone[] = "Redo: %1";
inline constexpr char ItemNotInTextTable[] = "The text of the selected item is not visible at the 'Text Table' window.";
inline constexpr char MenuExcludeItem[] = "Exclude &Item";
inline constexpr char MenuExcludeFromTranslation[] = "Exclude From Translation";
inline constexpr char MenuRemoveMarks[] = "Remove Marks";
inline constexpr char MenuNextItem[] = "&Next Item";
inline constexpr char MenuPreviousItem[] = "&Previous Item";
inline constexpr char MenuNextUntranslated[] = "Ne&xt Untranslated";
inline constexpr char MenuPreviousUntranslated[] = "Previous Untranslat&ed";
inline constexpr char MenuNextFlagged[] = "Next &Flagged";
inline constexpr char MenuPreviousFlagged[] = "Previous Fla&gged";
inline constexpr char StatusNextUntranslated[] = "Selects the next text of the current translation that has no translation";
inline constexpr char StatusPreviousUntranslated[] = "Selects the previous text of the current translation that has no translation";
inline constexpr char StatusNextFlagged[] = "Selects the next translation flagged for review";
inline constexpr char StatusPreviousFlagged[] = "Selects the previous translation flagged for review";
inline constexpr char NoUntranslatedLeft[] = "No untranslated text is shown in %1.";
inline constexpr char NoFlaggedLeft[] = "No translation flagged for review is shown in %1.";
inline constexpr char MenuBookmark[] = "&Bookmark...";
inline constexpr char MenuViewDialogEllipsis[] = "View Dialog...";
inline constexpr char MenuCaptionViewDialog[] = "\"Caption\": View Dialog...";
inline constexpr char MenuDialogItemViewDialog[] = "Dialog Item: View Dialog...";
inline constexpr char MenuViewMenuEllipsis[] = "View Menu...";
inline constexpr char MenuMenuItemViewMenu[] = "MenuItem: View Menu...";
inline constexpr char MenuPopupViewMenu[] = "\"Popup\": View Menu...";
inline constexpr char MenuViewBitmapEllipsis[] = "View Bitmap...";

// --- Translations ---
inline constexpr char MenuNewTranslation[] = "&New...";
inline constexpr char MenuDeleteTranslation[] = "&Delete...";
inline constexpr char MenuTranslationSettings[] = "Settings (File, Font)";
inline constexpr char MenuSourceTextSettings[] = "\"Source Text\"...";
inline constexpr char NewTranslationTitle[] = "New Translation";
inline constexpr char DeleteTranslationTitle[] = "Delete Translation";
inline constexpr char LabelLanguage[] = "&Language:";
inline constexpr char LabelOutputFileName[] = "&Output File Name:";
// An output file that exists and is no translated script of this project: %1 the file, %2 the
// language.
inline constexpr char NewTranslationFileExists[] =
    "The file %1 exists and is not a translated resource file that Quillmark wrote for this project; it may be a "
    "translation made by hand.\nSaving the %2 translation would replace it.";
inline constexpr char ButtonImportAsTranslation[] = "&Import It as This Translation";
inline constexpr char ButtonChooseAnotherName[] = "Choose &Another Name";
inline constexpr char ButtonReplaceFile[] = "&Replace It...";
// %3 the copy kept of it.
inline constexpr char ConfirmReplaceFile[] =
    "Replace %1 with the %2 translation when it is saved?\nA copy of the file is kept as %3.";
inline constexpr char SourceTextSettingsTitle[] = "Source Text Settings";
inline constexpr char FileNamePageTitle[] = "File Name";
inline constexpr char LabelSourceFile[] = "&Source File:";
inline constexpr char LabelSourceLanguage[] = "Source &Language:";
inline constexpr char TranslationFileNamePageTitle[] = "Translation File Name";
inline constexpr char TranslationFileNamePrompt[] = "Please enter the file name for the\n%s resource file.";
inline constexpr char FontPageTitle[] = "Font and Characterset";
inline constexpr char LabelFaceName[] = "&Face Name:";
inline constexpr char LabelCharacterset[] = "&Characterset:";
inline constexpr char ButtonSelect[] = "&Select...";
inline constexpr char ButtonSetDefault[] = "Set &Default";

// --- Translation bar ---
inline constexpr char ButtonOk[] = "O&K";
inline constexpr char ButtonOkNext[] = "OK &Next";
inline constexpr char ButtonCancelNext[] = "Cancel Ne&xt";
inline constexpr char ButtonCopy[] = "Cop&y";
inline constexpr char ButtonCharacter[] = "&Character";
inline constexpr char ButtonCancel[] = "&Cancel";
inline constexpr char BlockHeaderDisplay[] = "%1 (%2)";
inline constexpr char LabelBarSource[] = "Source text:";
inline constexpr char LabelBarTranslation[] = "Translation:";
inline constexpr char LabelLanguageBar[] = "&Language:";
inline constexpr char TranslationNotStored[] =
    "The translation was not stored.\nCode page %1 of the %2 translation cannot hold: %3\n"
    "Choose UTF-8 for its scripts in the translation's settings to use these characters.";
inline constexpr char BlockHeaderLanguageCodePage[] = "%1,   Code page:  %2";
inline constexpr char SpecialCharactersTitle[] = "Special Characters";
inline constexpr char BlockHeaderPropertiesTitle[] = "Block Header Properties";
inline constexpr char LabelLanguageId[] = "L&anguage ID:";
inline constexpr char LabelCodePage[] = "&Code Page:";
inline constexpr char MenuVersionBlockHeader[] = "Version Block &Header...";
inline constexpr char MenuShowChangedSourceText[] = "Show Changed Source Text...";
inline constexpr char SourceTextTitle[] = "Source Text";
inline constexpr char LabelOld[] = "Old:";
inline constexpr char LabelNew[] = "New:";
inline constexpr char ButtonClose[] = "Close";
inline constexpr char MenuAcceptSourceChange[] = "&Accept Unchanged Meaning";
inline constexpr char StatusAcceptSourceChange[] =
    "Clears the review flag: the translation still says what the changed source says";
// The word diff of an old and a new source text, for screen readers and tooltips.
inline constexpr char DiffDeleted[] = "deleted: %1";
inline constexpr char DiffInserted[] = "inserted: %1";
inline constexpr char DiffNothingDeleted[] = "nothing deleted";
inline constexpr char DiffNothingInserted[] = "nothing inserted";
inline constexpr char DiffBlank[] = "blank";
inline constexpr char TooltipSourceChanged[] = "Source text changed:";

// --- Previews ---
inline constexpr char MenuViewDialog[] = "View Dialog";
inline constexpr char MenuViewMenu[] = "View Menu";
inline constexpr char MenuViewBitmap[] = "View Bitmap";
inline constexpr char MenuViewSourceLanguage[] = "View with &Source Language";
inline constexpr char MenuViewTranslated[] = "View &Translated";
inline constexpr char MenuStringAtTable[] = "String at Table";
inline constexpr char DialogPreviewTitle[] = "Dialog: %1  (%2)";
inline constexpr char MenuPreviewTitle[] = "Menu: %1  (%2)";
inline constexpr char BitmapPreviewTitle[] = "Bitmap: %1  (%2)";
inline constexpr char TooltipExcluded[] = ", Excluded";
inline constexpr char TooltipModified[] = ", Modified";
inline constexpr char TooltipTranslated[] = ", Translated";
inline constexpr char PaneSourceDialog[] = "Source Dialog";
inline constexpr char PaneSourceMenu[] = "Source Menu";
inline constexpr char PaneSourceBitmap[] = "Source Bitmap";
inline constexpr char WordBitmap[] = "Bitmap";  // "Dialog" and "Menu" are the item type names
inline constexpr char PopupIdent[] = "POPUP";
inline constexpr char BitmapTooLarge[] = "Bitmap is too large.";
inline constexpr char BitmapNotFound[] = "%1\n(Bitmap file not found)";

// --- Find, replace and bookmarks ---
inline constexpr char MenuFind[] = "&Find ...";
inline constexpr char MenuFindNext[] = "Find &Next";
inline constexpr char MenuReplace[] = "&Replace...";
inline constexpr char FindTitle[] = "Find Text";
inline constexpr char ReplaceTitle[] = "Replace";
inline constexpr char BookmarkTitle[] = "Bookmark";
inline constexpr char LabelWhere[] = "&Where:";
inline constexpr char LabelWhat[] = "&What:";
inline constexpr char LabelFindWhat[] = "&Find what:";
inline constexpr char LabelReplaceWith[] = "Re&place with:";
inline constexpr char OptionChangedItems[] = "Changed &Items";
inline constexpr char OptionMatchCase[] = "&Match Case";
inline constexpr char OptionWholeWord[] = "Match Whole Word &Only";
inline constexpr char OptionUp[] = "&Up";
inline constexpr char OptionDown[] = "&Down";
inline constexpr char LabelDirection[] = "Direction";
inline constexpr char ButtonFindNext[] = "&Find Next";
// In Replace, whose "&Find what:" has the F.
inline constexpr char ButtonReplaceFindNext[] = "Find &Next";
inline constexpr char ButtonMarkAll[] = "Mark &All";
inline constexpr char ButtonReplace[] = "&Replace";
inline constexpr char ButtonReplaceAll[] = "Replace &All";
inline constexpr char NoMatchesFound[] = "No matches found with \"%1\".";
inline constexpr char NoChangedSourceText[] = "No changed source text found !";
inline constexpr char PatternNotFound[] = "'%1' not found.";
inline constexpr char ReplacedCount[] = "%1 replaced  %2 times.";
// After ReplacedCount: "5 occurrences", "3 texts", "2 rows".
inline constexpr char ReplacedWhere[] = "Replaced %1 in %2 (%3).";
inline constexpr char ReplaceAllDeleteQuestion[] =
    "Replace All\nThe replacement text is empty: every \"%1\" in the chosen translations would be deleted.\n"
    "Delete them?";
inline constexpr char ReplaceRefused[] =
    "These texts were not replaced: their translation's code page cannot hold the result.\n%1";
inline constexpr char BookmarkWindowText[] = "Text";  // window kinds "Dialog" and "Menu" are item type names
inline constexpr char LabelName[] = "&Name:";
inline constexpr char ButtonAdd[] = "&Add";
inline constexpr char ConflictsTitle[] = "Conflicts";
inline constexpr char ConflictsExplained[] =
    "These texts were changed here and on the platform since they were exported. The import kept the text of this "
    "project and flagged it for review. Take the platform's text or keep this project's, one at a time; Undo takes "
    "each choice back.";
inline constexpr char ConflictsColumnItem[] = "Item";
inline constexpr char ConflictsColumnOurs[] = "In this project";
inline constexpr char ConflictsColumnTheirs[] = "In the file";
inline constexpr char ButtonTakeTheirs[] = "&Take the File's";
inline constexpr char ButtonKeepOurs[] = "&Keep This Project's";
inline constexpr char ButtonDelete[] = "&Delete";
inline constexpr char ButtonGoTo[] = "&Go To";
inline constexpr char BookmarkLanguageGone[] =
    "Go to bookmark.\nThere is no \"%1\" translation any more. Can not go to bookmark.";

// --- Worksheet import dialog ---
inline constexpr char LabelSourceText[] = "Source:";
inline constexpr char LabelTranslText[] = "Transl:";
inline constexpr char ButtonNextDown[] = "&Next (Down)";
inline constexpr char ButtonNextUp[] = "&Next (Up)";
inline constexpr char ButtonImport[] = "&Import";
inline constexpr char ButtonImportAll[] = "Import &All";
inline constexpr char ButtonMarkAllText[] = "&Mark All Text";
inline constexpr char LabelMarkTaken[] = "Mark taken";

// --- Settings sheets ---
inline constexpr char ApplicationSettingsTitle[] = "Application Settings";
inline constexpr char ToolbarSettingsTitle[] = "Toolbar Settings";
inline constexpr char ToolbarsPageTitle[] = "Toolbars";
inline constexpr char LabelIncludeFiles[] = "Include Files:";
inline constexpr char LabelFileType[] = "File Type:";
inline constexpr char FileTypeResourceScript[] = "*.RC  Resource Script File";
inline constexpr char IncludeExtensionBadCharacters[] = "Include extension(s) '%1' contains not allowed characters";
inline constexpr char IncludeExtensionRefused[] = "Include extension '%1' is not accepted as a resource include file";
inline constexpr char MemoryPageTitle[] = "Translation Memory";
inline constexpr char MemoryUseIt[] = "&Use a translation memory";
inline constexpr char LabelMemoryLocation[] = "&Location:";
inline constexpr char MemoryBrowse[] = "&Browse\u2026";
inline constexpr char LabelMemoryMinimumScore[] = "&Matches shown from:";
inline constexpr char MemoryLocationHint[] =
    "A file, or a PostgreSQL server as postgresql://user@host/database. Empty: %1";
inline constexpr char MemoryLocationFromEnvironment[] = "QMK32_TM names the memory for this session: %1";
inline constexpr char MemoryFileFilter[] = "Translation memory (*.db);;All files (*)";
inline constexpr char BarEditToolbar[] = "Edit Toolbar";
inline constexpr char BarStatusbar[] = "Statusbar";
inline constexpr char BarLanguageToolbar[] = "Language Toolbar";
// The project-file bar is listed as MenuProjectFileList.

} // namespace qmk::txt
