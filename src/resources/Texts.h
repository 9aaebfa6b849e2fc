// Unnumbered texts of the core: batch usage and report lines, start-up, project,
// writer, export and import texts. "%1"/"%2" are filled with fillPlaceholders; the
// batch texts keep printf-style "%s"/"%li" for the batch runner.
#pragma once

#include <span>
#include <string_view>

namespace qmk::txt {

// --- Start-up and command line ---
inline constexpr char UnknownCommandFlag[] = "Unknow command flag '%s'\n";
inline constexpr char CantLoadBitmaps[] = "Could not load bitmaps";
inline constexpr char CantLoadMenuBitmaps[] = "Could not load bitmaps for menu images";
inline constexpr char ProjectTemplateString[] =
    "\nQuidoc\nQuidoc\nResource Files (*.rc)\n.RC\nQuill.Document\nQuillet Document";
inline constexpr char DialogTemplateString[] = "\nDialog\nDialog\n\n";
inline constexpr char MenuTemplateString[] = "\nMenu\nMenu\n\n";
inline constexpr char BitmapTemplateString[] = "\nBitmap\nBitmap\n\n";
inline constexpr char OpenFileFilter[] =
    "Resource Script File (*.rc)|*.rc|Resource Script File (*.rc2)|*.rc2|Database File (*.mdb)|*.mdb|"
    "All Files (*.*)|*.*||";
inline constexpr char OpenFileDefaultExtension[] = "rc";

// --- Batch usage lines, in the order --help prints them ---
inline constexpr char UsageTranslated[] = "Command 'Is Translated':   /T  <filename.mdb>  <language>";
inline constexpr char UsageUpToDate[] =
    "Command 'Is UpToDate':   /D  <dbfilename.mdb>  or   /D  <rcfilename.rc>  <dbfilename.mdb>";
inline constexpr char UsageHasLanguage[] = "Command 'Has Language':   /L  <filename.mdb>  <language>";
inline constexpr char UsageExport[] =
    "Command 'Export to Database':   /E  <src_dbfilename.mdb> <dest_bfilename.mdb>  [language 1] "
    "[language 2]  ......";
inline constexpr char UsageImport[] =
    "Command 'Import from Database':   /I  <from_dbfilename.mdb> <language> <to_bfilename.mdb>";
inline constexpr char UsageCreateDb[] = "Command 'Create Database':   /C  <resfilename.rc>";
inline constexpr char UsageUpdate[] =
    "Command 'Update Database':   /U  <dbfilename.mdb>  or   /U  <rcfilename.rc>  <dbfilename.mdb>";
inline constexpr char UsageAddLang[] =
    "Command 'New Translation':   /A  <dbfilename.mdb> <language> <translated_res_filename.rc>";
inline constexpr char UsageWriteRC[] =
    "Command 'Write Translated RC File':   /RC  <dbfilename.mdb> <language> <resfilename.rc>";
inline constexpr char UsageListLIDS[] = "Command 'List Local Language Ids':   /LIDS  <out_filename>";
inline constexpr char UsageEncoding[] =
    "Command 'Translation Encoding':   /ENC  <dbfilename.mdb> <language> <ansi|utf-8|utf-16>";
inline constexpr char UsageTextFit[] = "Command 'Text Fit':   /FIT  <dbfilename.mdb>  <language>";

std::span<const std::string_view> usageLines();

// --- Batch report texts (printf-style) ---
inline constexpr char BatchFileNotFound[] = "QMK Error:  File not found !  %s";
inline constexpr char BatchWrongFileType[] = "Error: Wrong file type ! %s";
inline constexpr char BatchNotAProjectDatabase[] = "QMK Error: File is not a QMK database.\n     %s";
inline constexpr char BatchProjectInUse[] =
    "QMK Error: The project is in use by another program (a Quillmark window or batch run).\n     %s";
inline constexpr char CopyProjectQuestion[] =
    "The folder %s cannot be written: translations made there cannot be saved.\n\n"
    "Copy the project to %s and work on the copy?";
inline constexpr char OpenProjectCopyQuestion[] =
    "The folder %s cannot be written.\n\nOpen your copy of the project, %s?";
inline constexpr char CopyProjectFailed[] = "The project could not be copied to %s:\n%s";
inline constexpr char ProjectInUse[] =
    "%s\n\nThe project is in use by another program (another Quillmark window or a batch run). "
    "Close it there, then open it again.";
inline constexpr char BatchMissingParameter[] = "Error:  Missing parameter.";
inline constexpr char BatchInvalidLanguage[] = "QMK Error:  Language parameter '%s' not valid !";
inline constexpr char BatchLanguageNotInDatabase[] = "QMK Warning: Language '%s' not exists in database.\n   %s  ";
inline constexpr char BatchDaoException[] = "QMK Error:  DAO Exception.\n    %s";
inline constexpr char BatchCommandFailed[] = "QMK Error:  Command failed !";
inline constexpr char BatchUnexpectedError[] = "QMK Error:  %s";
inline constexpr char BatchCannotRead[] = "QMK Error:  Can not read %s: %s.";
inline constexpr char BatchCannotWrite[] = "QMK Error:  Can not write %s: %s.";
inline constexpr char BatchFolderUnwritable[] = "its folder %s cannot be written (%s)";
inline constexpr char BatchLanguageExists[] = "QMK Error:  Language '%s' exists in %s already; nothing was added.";
inline constexpr char BatchUnknownFormat[] =
    "QMK Error:  %s has no project of a format version this program knows (version: %s); nothing was imported.";
inline constexpr char BatchUnknownFlag[] = "QMK Error:  Unknown Flag /%s !";
inline constexpr char BatchLogUnwritable[] = "QMK Error:  The log file %s cannot be written: %s. No operation was run.";
inline constexpr char BatchCreateStart[] = "QMK: Create database file.";
inline constexpr char BatchCreateExists[] = "Warning: Database %s  for resource file %s already exists.";
inline constexpr char BatchCreateDone[] = "QMK: Create database file %s successful for resource file %s.";
// /SRC of /C: a language that is none, and one the script has no LANGUAGE block of; each
// names the script and its languages.
inline constexpr char BatchSourceLanguageInvalid[] =
    "QMK Error:  Language parameter '%s' not valid !\n     The languages of %s: %s";
inline constexpr char BatchSourceLanguageNoBlock[] =
    "QMK Error:  %s has no LANGUAGE block of '%s'.\n     Its languages: %s";
inline constexpr char BatchScriptNamesNoLanguage[] = "none (the script has no LANGUAGE statement)";
inline constexpr char BatchAddLangStart[] = "QMK: Add language";
inline constexpr char ImportPlatformUnreadable[] = "Import text from %1\nThe file cannot be read: %2. Nothing was imported.";
// %2 the count with its noun: "1 translation".
inline constexpr char ImportPlatformDone[] = "Import text from %1\n%2 imported.\n%3";
inline constexpr char ImportPlatformRefused[] = "%1 not imported:\n%2";  // %1 "1 unit"
inline constexpr char ImportPlatformNothing[] = "Import text from %1\nNothing was imported: %2.";
inline constexpr char ImportWrongTargetLanguage[] = "The file holds translations into '%1', not into %2 (%3).";
inline constexpr char ImportWrongSourceLanguage[] = "The file translates from '%1'; the project's source is '%2'.";
inline constexpr char ImportLanguageQuestion[] = "Import text from %1\n%2\nImport it all the same?";
inline constexpr char ImportNoUnits[] = "the file holds no units";
inline constexpr char ImportNothingNew[] = "every translation of the file is in the project already";
inline constexpr char ImportReplaceExisting[] =
    "The file was not exported from this project (or its export is forgotten) and would replace %1 existing "
    "translations with its own.\n\nReplace %1 existing translations?";
inline constexpr char ImportConflict[] =
    "changed here and on the platform since the export: kept \"%1\" (flagged for review); the file has \"%2\"";
inline constexpr char ImportKeptExisting[] =
    "the project holds another translation, kept: \"%1\"; the file has \"%2\" (/OVERWRITE replaces it)";
inline constexpr char ConflictNotSettled[] =
    "%1: the translation's code page cannot hold that text; it is left as it is";
inline constexpr char ImportUnchangedOnPlatform[] =
    "%1 unchanged on the platform since the export: the newer work here stays";  // %1 "2 translations"
inline constexpr char BatchPlatformExportStart[] = "QMK: Export for translation platforms.  Database: %s  Language: %s  File: %s";
// Counts come with their nouns ("1 unit", "2 units").
inline constexpr char BatchPlatformExportDone[] = "     %s written to %s.";
inline constexpr char BatchPlatformRefused[] = "     Not imported: %s";
inline constexpr char BatchPlatformLeftOut[] = "     Not written: %s";
inline constexpr char BatchPlatformExportEmpty[] = "%s holds no unit: the project has no text to translate.";
inline constexpr char BatchPlatformNothing[] = "     Nothing was imported: %s.";
inline constexpr char BatchPlatformImported[] = "     %s imported.";
inline constexpr char BatchWorkbookExportStart[] = "QMK: Export text to Excel.  Database: %s  File: %s";
inline constexpr char BatchWorkbookExportDone[] = "     %s written to %s.";
inline constexpr char BatchWorkbookNoLanguage[] = "QMK Error:  The workbook %s has no column for language '%s'.";
inline constexpr char UsageXliff[] = "Command 'Export XLIFF':   /XLIFF  <dbfilename.mdb>  <language>  <file.xlf>";
inline constexpr char UsagePo[] = "Command 'Export PO':   /PO  <dbfilename.mdb>  <language>  <file.po>";
inline constexpr char UsageXlsx[] =
    "Command 'Export Text to Excel':   /XLSX  <dbfilename.mdb>  <file.xlsx>  [language 1] [language 2]  ......";
inline constexpr char UsagePot[] = "Command 'Export PO Template':   /POT  <dbfilename.mdb>  <file.pot>";
inline constexpr char UsageImportWorkbook[] =
    "Command 'Import from Excel':   /I  <file.xlsx> <language> <to_dbfilename.mdb>";
inline constexpr char BatchFitStart[] = "QMK: Check that the translated texts fit.  Database: %s  Language: %s";
inline constexpr char BatchFitLine[] = "     %s  %s  \"%s\"  %s dialog units too wide";
inline constexpr char BatchFitCount[] = "     (No)   %s.";  // "1 text does not fit"
inline constexpr char BatchFitAll[] = "     (Yes)  Every translated text fits.";
inline constexpr char BatchEncodingStart[] = "QMK: Set translation encoding.";
inline constexpr char BatchEncodingDone[] = "QMK: Translation '%s' of %s is now written as %s.";
inline constexpr char BatchEncodingUnknown[] = "QMK Error:  Encoding '%s' not valid ! Use ansi, utf-8 or utf-16.";
inline constexpr char BatchEncodingUnfit[] =
    "QMK Error:  These texts of '%s' cannot be written as %s; nothing was changed:\n%s";
inline constexpr char BatchAddLangDone[] = "QMK: Add language '%s' to %s successful.";
// After the refusal of an output file that is a translation made by hand: language, file,
// language, database.
inline constexpr char BatchAddLangImportHint[] =
    "     To make its texts the '%s' translation, import it:   /I  %s  %s  %s";
inline constexpr char BatchImportStart[] = "QMK: Import text from database.";
inline constexpr char BatchImportDone[] = "QMK: Successful import of '%s' text from %s to %s.";
inline constexpr char BatchWriteStart[] = "QMK:  Write translated resource file.";
inline constexpr char BatchWriteDone[] =
    "QMK: Write translated file successful.\n  Language:  '%s'\n  Database: %s\n  Translated resource file: %s";
inline constexpr char BatchExportStart[] = "QMK:  Export to database.";
inline constexpr char BatchExportDone[] = "QMK: Export successful.\n     From: %s\n     To:  %s";
inline constexpr char BatchExportLanguage[] = "     Language:  %s";
inline constexpr char BatchUpdateStartFile[] = "QMK: Update database.  File:  %s";
inline constexpr char BatchUpdateStartScript[] = "QMK:  Update database.\n     Resource file: %s\n     Database: %s";
inline constexpr char BatchUpdateDone[] = "     Update successful.";
inline constexpr char BatchNotUpdated[] = "QMK Warning:  Database not updated.";
inline constexpr char BatchUpToDateStartFile[] = "QMK:  Check datatabase if UpToDate.\n     %s";
inline constexpr char BatchUpToDateStartScript[] =
    "QMK: Check datatabase if UpToDate.\n     Resource file:  %s\n     Database: %s";
inline constexpr char BatchUpToDateYes[] = "   (Yes)  Database check successful. Database is UpToDate.";
inline constexpr char BatchUpToDateNo[] = "   (No)   Database check successful. Database is not UpToDate.";
inline constexpr char BatchHasLanguageStart[] = "QMK: Has translation ?\n     Database: %s\n     Language: %s";
inline constexpr char BatchTranslatedStart[] = "QMK: Is translated ?\n     Database: %s\n     Language: %s";
inline constexpr char BatchTranslatedCounts[] =
    "    amount = %li,  translated = %li,  not actual (modified) = %li  ";
inline constexpr char BatchAnswerYes[] = "     -->  Yes";
inline constexpr char BatchAnswerNo[] = "     -->  No";
inline constexpr char BatchListHeading[] = "QMKCommand 'List Local Language Ids'";
inline constexpr char BatchListLine[] = " %s\t\t\t\t\t\t%s";

// --- Database build and engine ---
inline constexpr char DaoError[] = "Dao Error (%1):\n%2";
inline constexpr char ArchiveExceptionError[] = "Error CArchiveException";
inline constexpr char InfoCaption[] = "Info";
inline constexpr char NewTranslationParserError[] =
    "New Translation File.\nParser Error at file %1.\nCannot create a Translation file.";

// --- Translated script header and footer ---
inline constexpr char ScriptSlashLine[] =
    "////////////////////////////////////////////////////////////////////////////";
inline constexpr char ScriptHeaderProduct[] = "//  Windows Lexmoor Quillmark Version 3.2";
inline constexpr char ScriptHeaderTranslated[] = "//  This is a translated resource file.";
inline constexpr char ScriptHeaderSource[] = "//  Source File Name:  %1";
inline constexpr char ScriptFooterEnd[] = "//  End of file ";
// %1 the translation's display name, %2 the path.
inline constexpr char ExportTargetNotAFile[] =
    "Export to database %1\nThis is a folder or not a regular file. Nothing was exported; please choose another "
    "file name.";
inline constexpr char ExportTargetNotADatabase[] =
    "Export to database %1\nThis file is not a project database, so it is not replaced. Nothing was exported; "
    "please choose another file name.\n%2";
inline constexpr char ExportTargetOtherProject[] =
    "Export to database %1\nThis is the project database of %2, with its own translations, so it is not "
    "replaced. Nothing was exported; please choose another file name.";
inline constexpr char BatchExportReplaces[] = "     Replaced the earlier export of this project: %s";
// %1 the project database.
inline constexpr char UpdateProjectInUse[] =
    "Update database %1\nThe project is in use by another program (another Quillmark window or a batch run), "
    "which is writing it. The project was not changed; update it when that program has finished.";
inline constexpr char EncodingUnfit[] =
    "The %1 translation is still written in its encoding: these texts do not fit %2.\n%3";
inline constexpr char TaskWriteTranslations[] = "Write translated resource files";
inline constexpr char TaskReadTexts[] = "Read the texts of the project";
inline constexpr char TaskExportWorkbook[] = "Export text to %1";
inline constexpr char TaskImportWorkbook[] = "Import text from %1";
inline constexpr char TaskExportDatabase[] = "Export to database %1";
inline constexpr char TaskImportDatabase[] = "Import text from %1";
inline constexpr char TaskReadScript[] = "Read %1";
inline constexpr char TaskPreTranslate[] = "Pre-translate from the translation memory";
inline constexpr char TaskImportTmx[] = "Import %1 into the translation memory";
inline constexpr char TaskExportTmx[] = "Export the translation memory to %1";
inline constexpr char WriteTargetRefused[] =
    "Save \"%1\" translation file.\n%2 is %3, so the translated resource file was not written there.\n"
    "Please choose another file name.";
inline constexpr char TargetIsFolder[] = "a folder";
inline constexpr char TargetIsNotRegular[] = "not a regular file (a pipe, a socket or a device)";
inline constexpr char TargetIsDatabase[] = "the project database";
inline constexpr char TargetIsScript[] = "the source resource file of the project";
inline constexpr char TargetIsInclude[] = "the file %1 that the source resource file includes";
inline constexpr char TargetIsOtherTranslation[] = "the translated resource file of %1";
// A file the project did not write is made a new translation's output only when the translator
// says so, and is kept as a copy before it is first replaced.
inline constexpr char NewTranslationFileForeign[] =
    "New Translation\nThe file %1 exists and is not a translated resource file that Quillmark wrote for this "
    "project; it may be a translation made by hand. The new translation would replace it when saved, so it is "
    "not taken as its output file.\nImport its texts into the translation, or choose another file name.";
inline constexpr char ReplaceForeignScript[] =
    "Save \"%1\" translation file.\n%2 is not a translated resource file that Quillmark wrote for this project; "
    "it may be a translation made by hand.\nReplace it? A copy of it is kept as %3.";
inline constexpr char WriteBackupFailed[] =
    "Save \"%1\" translation file.\nQuillmark did not write %2, and no copy of it could be kept as %3 (%4), so "
    "it was not replaced.";
inline constexpr char WriteBackupKept[] = "%1 written; the file it replaced is kept as %2.";
// Notes the build makes on what it read.
inline constexpr char BuildNotes[] = "Notes on reading %1:\n%2";
inline constexpr char PragmaMislabelsUtf8[] =
    "%1(%2): the pragma says %3, the bytes are UTF-8. The texts are read as UTF-8; a translation written as "
    "UTF-8 keeps this pragma and so compiles as the script does.";
// An included file the build did not read: its name, why, and where it is included.
inline constexpr char SkippedInclude[] = "%1 (%2), included at %3(%4)";
inline constexpr char IncludeNotFound[] = "not found";
inline constexpr char IncludeUnreadable[] = "the file cannot be read";
inline constexpr char IncludeCycle[] = "it is being read already: the files include one another";
inline constexpr char IncludeTooDeep[] = "the script and its included files would nest more than %1 deep";
inline constexpr char WriteUnrepresentable[] =
    "Save \"%1\" translation file.\nThe %2 encoding cannot hold the characters of these lines, so %3 was not "
    "written:\n%4\nTranslate these texts, or choose UTF-8 or UTF-16 for this translation.";
inline constexpr char WriteUndecodable[] =
    "Save \"%1\" translation file.\nThese lines hold bytes that are not %2 text, the encoding the project's "
    "script was read in, so %3 was not written:\n%4\nCorrect these bytes in the script and update the project.";
inline constexpr char WriteBadPath[] =
    "Save \"%1\" translation file.\nError: bad path \"%2\".\n"
    "Can not write translated resource file. Please check for correct path.";

// The text of a file error cause 0..14; empty for any other cause.
std::string_view fileErrorText(int cause);

// --- Item types of Text Table rows and tree nodes (also exported) ---
inline constexpr char ItemDialog[] = "Dialog";
inline constexpr char ItemMenu[] = "Menu";
inline constexpr char ItemStringtable[] = "Stringtable";
inline constexpr char ItemStringtableString[] = "Stringtable String";
inline constexpr char ItemVersioninfo[] = "Versioninfo";
inline constexpr char ItemVersionValue[] = "Version Value";
inline constexpr char ItemBlockHeader[] = "Block Header";
inline constexpr char ItemBitmapFile[] = "Bitmap File";
inline constexpr char ItemDialogItem[] = "Dialog Item";
inline constexpr char ItemDialogCaption[] = "Dialog Caption";
inline constexpr char ItemMenuItem[] = "Menu Item";
inline constexpr char ItemPopupMenu[] = "Popup Menu";
inline constexpr char ItemIncludeStatement[] = "Include Statement";

// The display name of an item type 1..15; empty for 0 and any other number.
std::string_view itemTypeName(int itemType);

// Id column texts of rows that have no identifier of their own.
inline constexpr char IdBlockHeader[] = "\"Block Header\"";
inline constexpr char IdCaption[] = "\"Caption\"";
inline constexpr char IdPopup[] = "\"Popup\"";
inline constexpr char IdInclude[] = "\"#Include\"";

// --- Export ---
inline constexpr char ExportIdsEntry[] = "\"Id's\"";  // the Source entry is msg::SourceEntry
inline constexpr char HeaderResourceIdent[] = "Resource Ident";
inline constexpr char HeaderItemType[] = "Item Type";
inline constexpr char HeaderId[] = "Id";
inline constexpr char HeaderSourceText[] = "Source Text";
inline constexpr char ColumnSelectTitle[] = "Export Text: Column Select";
inline constexpr char ColumnSelectLabel[] = "Ids, Source, &Translations:";
inline constexpr char ExportProgressTitle[] = "Export Text";
// The stray quote and line break belong to the text.
inline constexpr char CantCreateExcel[] = "Cannot create Excel. Make sure that Excel is correctly registered.\"\n";
inline constexpr char ExportAborted[] = "Exporting text aborted.\nDo you want to close the Excel application ?";
inline constexpr char ExportWorkbookWritten[] = "Export Text\nThe workbook was written to %1.";
inline constexpr char ExportDatabaseTitle[] = "Export Text to Database";
inline constexpr char TranslationsLabel[] = "&Translations:";
inline constexpr char ExportIsCurrentDatabase[] =
    "%1\nYou have selected the current database. Please choose another file name for the export database file.";
inline constexpr char ExportDatabaseIsOpen[] =
    "%1\nThe file is currenly openend by Quillmark. Please choose a new file name for the export database file.";
inline constexpr char ExportDatabaseDone[] = "%1\nCreating export database successful.";

// --- Import ---
inline constexpr char FilterExcel[] = "Microsoft Excel File (*.xls)|*.xls|";
inline constexpr char FilterDatabase[] = "Database File (*.mdb)|*.mdb|";
inline constexpr char FilterScripts[] =
    "Resource Script File (*.rc)|*.rc|QMK 2.x Translated RC File (*.rc*)|*.rc*|";
inline constexpr char ImportFileTitle[] = "Import Text from File";
inline constexpr char ImportDefaultExtension[] = "xls";
inline constexpr char ImportUnsupportedType[] =
    "Import text from %1\nUnsupported file type '%2'. Can not import text from this file.";
inline constexpr char ImportTitle[] = "Import Text";
inline constexpr char ImportLanguagePrompt[] = "Import text from '%s'.\nPlease select the import language.";
inline constexpr char ImportStatus[] = "Import text from %1.";
inline constexpr char ImportReadError[] = "Error reading from %1\nCan not import resource text.";
inline constexpr char ImportNothing[] =
    "Import text from %1.\n\nNo identical resources found or identical resouces already translated.\n"
    "No text imported.";
inline constexpr char ImportDone[] = "Import text from  %1\n\n%2 text resources imported.";
// After an import's report: the texts it changed, marked in the Text Table (%1 "3 texts").
inline constexpr char ImportChangedHeading[] = "Changed, and marked in the Text Table: %1";
inline constexpr char ImportChangedMore[] = "... and %1";
// %1 the file, %2 the language it states (display name), %3 its tag, %4 the current column's language.
inline constexpr char ImportStatedLanguageQuestion[] =
    "Import text from %1\nThe file holds %2 translations (%3); the current column is %4.\n"
    "Import them into %2?\n(No lets you choose the language.)";
inline constexpr char ImportAllSupportedFiles[] = "All Supported Files";
inline constexpr char ImportDatabaseNoLanguage[] =
    "Import text from %1\nThat project has no %2 translation. No text imported.";
// %1 the imported file, %2 the project database.
inline constexpr char ImportProjectInUse[] =
    "Import text from %1\nThe project %2 is in use by another program (another Quillmark window or a batch "
    "run), which is writing it.\nNo text imported; import again when that program has finished.";
// An import stores every text it took or none: %1 how many it took.
inline constexpr char ImportStoresFailed[] =
    "A translation could not be stored, so none of the %1 translations to import was imported.";
inline constexpr char ImportNothingStored[] = "the project did not take its translations; nothing was imported";
// %1 the imported file, %2 the texts (one a line) the translation's code page cannot hold.
inline constexpr char ImportUnrepresentable[] =
    "Import text from %1\nThese texts can not be stored in the code page of the translation and were "
    "not imported:\n%2";
inline constexpr char ImportBadHeader[] =
    "Import Text \nThe excel file '%1'\nwas not exported from Quillmark (header is not correct).\n"
    "Can not import text from this file.";
inline constexpr char ImportNoLanguages[] = "Import Text\nThe Excel file has no translation text. Can not import text.";
inline constexpr char ImportUnknownLanguage[] =
    "Error: Unknown Language\nThe file header contains a language string '%1' which is not known by "
    "Quillmark. The text at this column can not be imported.";
inline constexpr char ImportExcelFinished[] =
    "Import from Excel file '%1' finished.\nDo you want to close the Excel application ?";
inline constexpr char ImportExcelNothing[] =
    "Import from Excel file '%1'.\nNo text imported. Do you want to close the Excel application ?";
inline constexpr char ImportNoSameId[] = "No resources with the same ID found.";
inline constexpr char ImportAllDone[] = "%1 text resources imported from Excel file.";
inline constexpr char ImportAllCurrent[] = "Import Text.\nNo text imported. Current text is actual.";
inline constexpr char ImportAllNoSameId[] = "No resources with the same ID found. No text imported.";
inline constexpr char MarkAllDone[] = "%1 text items marked.";
inline constexpr char MarkAllNoDifference[] =
    "No import text found which differs from the current translation text. No text items marked.";
inline constexpr char MarkAllNoSameId[] = "No resources with the same ID found. No text marked.";

inline constexpr char NoDisplay[] =
    "Quillmark's window needs a display (none is set: DISPLAY, WAYLAND_DISPLAY). The operations of\n"
    "the command line run without one; qmk32 --help lists them.\n";
inline constexpr char SettingsUnreadable[] =
    "The settings file %1 cannot be read (%2); Quillmark starts with its default settings.";

// The steps of the edit history, as Undo and Redo name them.
// A translation stored by an older version with a raw line break is written escaped.
inline constexpr char WriteEscapedLineBreaks[] =
    "%1\nThese translations held a line break or NUL character inside the text; it was written as "
    "\\n, \\r or left out so that the script compiles:\n%2";
inline constexpr char StepStore[] = "store '%1' (%2)";
inline constexpr char StepExclude[] = "exclude '%1'";
inline constexpr char StepInclude[] = "include '%1'";
inline constexpr char StepReplaceAll[] = "Replace All";
inline constexpr char StepImport[] = "import %1";
inline constexpr char StepMarkAll[] = "mark %1";  // "mark 1 text"
inline constexpr char StepRemoveMarks[] = "remove marks";
inline constexpr char StepAcceptSourceChange[] = "accept '%1' (%2) for the changed source";
inline constexpr char UsageTmAdd[] = "Command 'Add to Translation Memory':   /TM-ADD  <dbfilename.mdb>  [language]";
inline constexpr char UsageTmxImport[] = "Command 'Import TMX':   /TMX-IMPORT  <file.tmx>";
inline constexpr char UsageTmxExport[] = "Command 'Export TMX':   /TMX-EXPORT  <file.tmx>  [language]";
inline constexpr char UsagePreTranslate[] =
    "Command 'Pre-translate':   /PRE  <dbfilename.mdb>  <language>  [minimum % (100)]";
inline constexpr char BatchMemoryOpen[] = "QMK Error:  The translation memory cannot be used: %s";
inline constexpr char BatchMemoryAddStart[] = "QMK: Add to the translation memory.  Database: %s  Memory: %s";
inline constexpr char BatchMemoryAdded[] = "     %s added.";
inline constexpr char BatchMemoryUnchanged[] = "     The memory holds these translations already.";
inline constexpr char BatchTmxImportStart[] = "QMK: Import TMX.  File: %s  Memory: %s";
inline constexpr char BatchTmxImported[] = "     %s imported, %s without a source or a translation skipped.";
inline constexpr char BatchTmxExportStart[] = "QMK: Export TMX.  File: %s  Memory: %s";
inline constexpr char BatchTmxExported[] = "     %s written, %s with characters TMX cannot carry left out.";
inline constexpr char BatchPreTranslateStart[] = "QMK: Pre-translate.  Database: %s  Language: %s  Minimum score: %s  Memory: %s";
inline constexpr char BatchPreTranslated[] =
    "     %s stored as translated, %s stored for review, %s with other placeholders, mnemonics or tabs left "
    "out, %s the code page cannot hold left out, %s without a match.";
inline constexpr char BatchMinimumScore[] = "QMK Error:  The minimum score must be a number from 1 to 100, not '%s'.";
inline constexpr char BatchNotALanguageTag[] = "QMK Error:  '%s' is no language.";
inline constexpr char BatchTmxNoSuchLanguage[] =
    "QMK Error:  The translation memory holds no translations into '%s'; it holds: %s. Nothing was written.";
inline constexpr char UsageTbxImport[] = "Command 'Import TBX':   /TBX-IMPORT  <file.tbx>";
inline constexpr char UsageTbxExport[] = "Command 'Export TBX':   /TBX-EXPORT  <file.tbx>  [language]";
inline constexpr char UsageTerms[] = "Command 'Candidate Terms':   /TERMS  <dbfilename.mdb>  [min-count (2)]  [file.tbx]";
inline constexpr char BatchGlossaryOpen[] = "QMK Error:  The glossary cannot be used: %s";
inline constexpr char BatchTbxImportStart[] = "QMK: Import TBX.  File: %s  Glossary: %s";
inline constexpr char BatchTbxImported[] = "     %s imported, %s without a term or a translation skipped.";
inline constexpr char BatchTbxExportStart[] = "QMK: Export TBX.  File: %s  Glossary: %s";
inline constexpr char BatchTbxExported[] = "     %s written, %s with characters TBX cannot carry left out.";
inline constexpr char BatchTermsStart[] = "QMK: Candidate terms.  Database: %s  Minimum count: %s";
inline constexpr char BatchTermsFound[] = "     %s found.";
inline constexpr char BatchMinimumCount[] = "QMK Error:  The minimum count must be a number from 1 to 9999, not '%s'.";
inline constexpr char HistoryCleared[] = "Undo starts anew: the changes before can no longer be taken back.";

} // namespace qmk::txt
