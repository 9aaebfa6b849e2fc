// Menu titles, standard commands and status-bar texts of the main window's commands.
#pragma once

namespace qmk::txt {

inline constexpr char MenuFile[] = "&File";
inline constexpr char MenuEdit[] = "&Edit";
inline constexpr char MenuView[] = "&View";
inline constexpr char MenuProject[] = "&Project";
inline constexpr char MenuTranslation[] = "&Translation";
inline constexpr char MenuWindow[] = "&Window";
inline constexpr char MenuHelp[] = "&Help";
inline constexpr char MenuOpen[] = "&Open...";
inline constexpr char MenuClose[] = "&Close";
inline constexpr char MenuExit[] = "E&xit";
inline constexpr char MenuRecentFiles[] = "Recent &Files";
inline constexpr char MenuHelpTopics[] = "&Help Topics";
inline constexpr char MenuAbout[] = "&About Quillmark...";
inline constexpr char MenuTabbedWindows[] = "&Tabbed Windows";
inline constexpr char MenuCascade[] = "&Cascade";
inline constexpr char MenuTile[] = "T&ile";
inline constexpr char MenuShowProjectFiles[] = "&Project Files";
inline constexpr char MenuShowTranslate[] = "&Translate";
inline constexpr char MenuShowLanguage[] = "&Language";
inline constexpr char MenuShowToolbar[] = "&Toolbar";
inline constexpr char MenuTranslateItem[] = "&Translate";
inline constexpr char MenuShowInTextTable[] = "Show in Te&xt Table";
inline constexpr char ToolbarEdit[] = "Edit";
inline constexpr char MenuSettings[] = "&Settings";
inline constexpr char MenuSearch[] = "Sea&rch";
inline constexpr char MenuUndo[] = "&Undo";
inline constexpr char MenuRedo[] = "Re&do";

inline constexpr char StatusOpen[] = "Opens a resource script or a project database";
inline constexpr char StatusClose[] = "Closes the active project";
inline constexpr char StatusSave[] = "Writes the translated resource files of the active project";
inline constexpr char StatusExit[] = "Quits the application; asks to write modified projects";
inline constexpr char StatusOptions[] = "Opens the file options dialog";
inline constexpr char StatusResourceEditor[] = "Starts the external resource editor application.";
inline constexpr char StatusUpdateDatabase[] = "Reads the changed resource script into the project database";
inline constexpr char StatusRefreshStatus[] = "Counts the translated texts of every translation again";
inline constexpr char StatusShowChangedSourceText[] = "Shows the old and the new source text of the selected item";
inline constexpr char StatusNewTranslation[] = "Adds a translation language to the project";
inline constexpr char StatusDeleteTranslation[] = "Deletes a translation language from the project";
inline constexpr char StatusSwitch[] = "Shows or hides these texts in the Text Table";
inline constexpr char StatusExcludeItem[] = "Excludes the selected text from translation, or includes it again";
inline constexpr char StatusRemoveMarks[] = "Removes the marks of every cell";
inline constexpr char StatusNextItem[] = "Selects the next text without a translation";
inline constexpr char StatusPreviousItem[] = "Selects the previous item of the preview";
inline constexpr char StatusTranslate[] = "Shows the selected text in the translation bar";
inline constexpr char StatusHelp[] = "Opens the manual in the web browser";
inline constexpr char StatusUndo[] = "Takes back the last stored translation or exclude";
inline constexpr char StatusRedo[] = "Does again what Undo took back";
inline constexpr char StatusVersionBlockHeader[] = "Edits the selected version block header as language and code page";
inline constexpr char StatusApplicationSettings[] = "Sets which included files are translated with the script";
inline constexpr char StatusToolbarSettings[] = "Shows or hides the bars of the main window";
inline constexpr char StatusViewSource[] = "Shows the preview in the source texts";
inline constexpr char StatusViewTranslated[] = "Shows the preview in the language chosen in the Language toolbar";
inline constexpr char StatusShowInTextTable[] = "Selects the preview's item in the Text Table";
inline constexpr char StatusFind[] = "Finds a text in the chosen columns of the Text Table";
inline constexpr char StatusFindNext[] = "Finds the next cell of the last search";
inline constexpr char StatusReplace[] = "Replaces a text in the chosen translations";
inline constexpr char StatusAbout[] = "Shows the program's name and version";
inline constexpr char StatusTabbed[] = "Shows the project windows as tabs or as free windows";
inline constexpr char StatusRecentFile[] = "Opens this project";
inline constexpr char StatusBookmark[] = "Sets or goes to a bookmark";
inline constexpr char StatusViewPreview[] = "Opens the preview of the selected item";
inline constexpr char AboutText[] = "Quillmark %1\nTranslates the user interface of Windows programs.";
inline constexpr char ManualNotFound[] = "The manual was not found at %1.";
inline constexpr char OpenDialogTitle[] = "Open";
inline constexpr char OpenFilterScripts[] =
    "Resource Script File (*.rc *.RC);;Resource Script File (*.rc2 *.RC2);;Database File (*.mdb *.MDB);;All Files (*)";
inline constexpr char BuildDatabaseStatus[] = "Build Database %1.";
inline constexpr char LoadingFileStatus[] = "Loading File: %1";
inline constexpr char FilterPlaceholder[] = "Filter the rows by source or translation (Ctrl+Shift+F)";
inline constexpr char MenuFilterRows[] = "Filter Ro&ws";
inline constexpr char StatusFilterRows[] = "Shows only the rows whose source or translation holds a text";
inline constexpr char StatusExportToExcel[] = "Exports text to an Excel worksheet.";
inline constexpr char StatusExportToDatabase[] = "Exports the text to a new database.";
inline constexpr char MenuExportPlatform[] = "Export for Translation &Platform...";
inline constexpr char StatusExportPlatform[] = "Writes the current translation as XLIFF or PO for a translation platform";
inline constexpr char StatusImportText[] = "Imports translations from a workbook, a project, a translated script, XLIFF or PO";
inline constexpr char ImportTextTitle[] = "Import Text";
inline constexpr char ExportPlatformTitle[] = "Export for Translation Platform";
inline constexpr char ExportPlatformDone[] = "%1 texts written to %2";
inline constexpr char ExportPlatformFailed[] = "Export for translation platform %1\nThe file could not be written: %2";
// The file was written without these units: count, file, "id: reason" lines.
inline constexpr char ExportPlatformLeftOut[] = "Export for translation platform %2\n%1 texts were left out:\n%3";
inline constexpr char SettingsNotWritten[] = "The settings could not be written to %1.";
inline constexpr char MemoryTitle[] = "Translation Memory";
inline constexpr char MemoryExactMatch[] = "The same source text, for the same kind of item";
inline constexpr char MemoryMatchSource[] = "Its source:";
// Work after a project opens, shown in the status bar while the window goes on answering.
inline constexpr char WorkFeedingMemory[] = "Adding translations to the memory\u2026 %1%";
inline constexpr char WorkChecking[] = "Checking the translation\u2026 %1%";
inline constexpr char WorkCountingWords[] = "Counting words\u2026 %1%";
inline constexpr char WorkCancel[] = "Cancel";
inline constexpr char WorkCancelTip[] = "Stop the work in the background (Esc)";
inline constexpr char WorkCancelled[] = "Stopped: %1";
inline constexpr char MemoryLookingUp[] = "Looking the text up in the translation memory\u2026";
inline constexpr char MenuPreTranslate[] = "Pre-&Translate from Memory...";
inline constexpr char StatusPreTranslate[] =
    "Fills the untranslated texts of the current translation from the translation memory";
inline constexpr char PreTranslateTitle[] = "Pre-Translate from Memory";
inline constexpr char PreTranslateMinimum[] =
    "Take matches scoring at least (%); 100 takes only identical source texts, others are flagged for review:";
inline constexpr char PreTranslateDone[] =
    "%1 texts translated, %2 flagged for review; %3 without a match, %4 matches that did not fit";
inline constexpr char PreTranslateCancelled[] =
    "Pre-translation cancelled: %1 texts translated, %2 flagged for review (Undo takes them back)";
inline constexpr char MenuImportTmx[] = "&Import TMX into Memory...";
inline constexpr char StatusImportTmx[] = "Adds the translations of a TMX file to the translation memory";
inline constexpr char MenuExportTmx[] = "E&xport Memory as TMX...";
inline constexpr char StatusExportTmx[] = "Writes the translation memory as a TMX file other tools read";
inline constexpr char TmxFileFilter[] = "TMX files (*.tmx);;All files (*)";
inline constexpr char TmxImportDone[] =
    "%1 translations added to the translation memory; %2 units without a source or a translation skipped";
// Count, file, "unit 7, de-DE: reason" lines.
inline constexpr char TmxImportRefused[] = "Import TMX %2\n%1 translations were not added to the translation memory:\n%3";
inline constexpr char TmxImportCancelled[] = "TMX import cancelled: the %1 translations added before stay in the memory";
inline constexpr char TmxExportDone[] = "%1 units written to %2; %3 with characters TMX cannot carry left out";
inline constexpr char TmxExportCancelled[] = "TMX export cancelled: nothing was written";
inline constexpr char MemorySwitchedOff[] =
    "The translation memory is switched off. Settings > Options... switches it on.";
inline constexpr char MemoryUnavailable[] = "The translation memory is not available: %1";
inline constexpr char ChecksTitle[] = "Checks";
inline constexpr char MenuViewTranslateBar[] = "Tra&nslate Bar";
inline constexpr char MenuViewMemoryPanel[] = "Translation Memor&y";
inline constexpr char MenuViewChecksPanel[] = "Chec&ks";
inline constexpr char MenuViewProjectFilesPanel[] = "Project &Files";
inline constexpr char StatusViewPanel[] = "Brings the panel forward with the focus in it; pressed again, hides it";
inline constexpr char MenuSetBookmark[] = "&Set Bookmark";
inline constexpr char StatusSetBookmark[] = "Bookmarks the chosen text under its identifier";
inline constexpr char MenuNextBookmark[] = "Ne&xt Bookmark";
inline constexpr char MenuPreviousBookmark[] = "Pre&vious Bookmark";
inline constexpr char StatusNextBookmark[] = "Goes to the next bookmarked text of the Text Table";
inline constexpr char StatusPreviousBookmark[] = "Goes to the previous bookmarked text of the Text Table";
inline constexpr char NoBookmarkInTable[] = "No bookmark of the Text Table: Search > Set Bookmark (Ctrl+F2) adds one";
inline constexpr char BookmarkSet[] = "Bookmark \"%1\" set";
inline constexpr char MenuNextWindow[] = "Ne&xt Window";
inline constexpr char MenuPreviousWindow[] = "&Previous Window";
inline constexpr char StatusNextWindow[] = "Brings the next project or preview window forward";
inline constexpr char StatusPreviousWindow[] = "Brings the previous project or preview window forward";
inline constexpr char StatusWindowEntry[] = "Brings this window forward";
inline constexpr char FilterMatches[] = "%1 of %2";
inline constexpr char MenuPseudoTranslate[] = "&Pseudo-Translate...";
inline constexpr char StatusPseudoTranslate[] =
    "Fills the untranslated texts of the current translation with lengthened, accented pseudo-translations";
inline constexpr char AskPseudoTranslate[] =
    "Fill the %1 untranslated texts of %2 with pseudo-translations?\nTranslated texts stay as they are; Undo takes "
    "the pseudo-translations back.";
inline constexpr char PseudoTranslateDone[] = "%1 texts pseudo-translated, %2 translated texts kept";
inline constexpr char MenuStatistics[] = "St&atistics...";
inline constexpr char StatusStatisticsCommand[] = "Shows the texts and words of every translation by state";
inline constexpr char StatisticsTitle[] = "Statistics";
inline constexpr char ChecksAll[] = "All checks";
inline constexpr char ChecksFilterLabel[] = "Checks &listed:";
inline constexpr char ChecksColumnResource[] = "Resource";
inline constexpr char ChecksColumnId[] = "Id";
inline constexpr char ChecksColumnCheck[] = "Check";
inline constexpr char ChecksColumnMessage[] = "Finding";
inline constexpr char ChecksGoToItem[] = "&Go To Item";
inline constexpr char ChecksLetStand[] = "&Let Stand";
inline constexpr char ChecksSwitch[] = "Checks R&un";
inline constexpr char TextsDoNotFit[] = "%1 texts do not fit";
inline constexpr char TextDoesNotFit[] = "1 text does not fit";
inline constexpr char StatusStatistics[] = "Texts (words): translated %1 (%2), flagged %3 (%4), untranslated %5 (%6)";
inline constexpr char CantOpenFile[] = "Error: Can't open file '%1'.";
inline constexpr char SelectATextToTranslate[] = "Select a text in the Text Table to translate it here.";
inline constexpr char AddATranslationFirst[] = "No translation yet: add one with Translation > New...";
inline constexpr char NoProjectOpen[] = "Open a resource script with File > Open, or drop it here.";

} // namespace qmk::txt
