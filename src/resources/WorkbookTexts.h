// Texts of the workbook export and import that report what a workbook file cannot take:
// write and read failures, texts outside their code page. "%1"/"%2" are filled with fillPlaceholders.
#pragma once

namespace qmk::txt {

// %1 the workbook path, %2 the technical detail.
inline constexpr char ExportWriteFailed[] = "Export Text\nCan not write the workbook file '%1'.\n%2";
// %1 the number of cells, %2 one line per cell (WorkbookCellLine).
inline constexpr char ExportUndecodable[] =
    "Export Text\n%1 text(s) are not valid in their code page and were exported as empty cells:\n%2";
// %1 the sheet row (counted from 1), %2 the Id, %3 the column title.
inline constexpr char WorkbookCellLine[] = "Row %1, Id %2, column %3";

// %1 the part's name inside the workbook, %2 the limit in megabytes.
inline constexpr char WorkbookPartTooLarge[] =
    "The part %1 of the workbook unpacks to more than %2 MB, more than a workbook of texts holds. It was not read.";
// %1 the workbook path, %2 the technical detail.
inline constexpr char ImportReadFailed[] = "Import Text\nCan not read the workbook file '%1'.\n%2";
inline constexpr char ImportMarksFailed[] = "Import Text\nCan not save the marks into the workbook file '%1'.\n%2";
// %1 the language name.
inline constexpr char ImportNoSuchTranslation[] =
    "Import Text\nThe project has no translation '%1'. Add the translation before importing its text.";
// One line of the refusal report txt::ImportUnrepresentable: %1 the sheet row (counted from 1),
// %2 the Id, %3 the characters the code page lacks.
inline constexpr char ImportRefusedLine[] = "Row %1, Id %2: %3";

// Texts Import All left as they are, one line each ("Row 3, Id IDOK: " and why): %1 the workbook
// path, %2 the number, %3 the lines.
inline constexpr char ImportWorkbookNotTaken[] = "Import Text\n%2 text(s) of the workbook file '%1' were not taken:\n%3";
// A text of the workbook by its place: %1 the sheet row (counted from 1), %2 the Id.
inline constexpr char WorkbookRowId[] = "Row %1, Id %2";
// %1 the project's text, %2 the workbook's.
inline constexpr char WorkbookConflict[] =
    "changed here and in the workbook since the export: kept \"%1\" (flagged for review); the workbook has \"%2\"";
inline constexpr char WorkbookKeptExisting[] =
    "the project holds another translation, kept: \"%1\"; the workbook has \"%2\" (/OVERWRITE replaces it)";
// %1 the number of texts.
inline constexpr char WorkbookUnchangedSinceExport[] =
    "%1 text(s) unchanged in the workbook since the export: the newer work here stays";

} // namespace qmk::txt
