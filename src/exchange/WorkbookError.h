// What went wrong with a workbook file, for the export and import to turn into their messages.
// Every workbook class reports one of these plus a technical detail (part name, library text).
#pragma once

namespace qmk {

enum class WorkbookError {
    None,
    FileNotFound,   // there is no such file
    CannotOpen,     // the file exists but cannot be read (a folder, no permission)
    NotAWorkbook,   // the file is not a zip archive
    NoWorksheet,    // a zip archive, but it holds no worksheet
    Damaged,        // a part cannot be read: bad compressed data, broken XML, impossible cells
    PartTooLarge,   // a part unpacks to more than a workbook of texts may hold
    CannotCreate,   // the target folder is missing or not writable
    WriteFailed,    // writing failed part way (disk full, ...); the target file is unchanged
    InvalidText,    // a cell text is not UTF-8 or longer than a cell holds
    OutOfRange,     // a row or column beyond the largest sheet
    NotOpen,        // the call needs an open (or created) workbook
};

// A short English name of the error, for logs and test output.
const char* workbookErrorName(WorkbookError error);

} // namespace qmk
