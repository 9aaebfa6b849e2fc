// What went wrong with a workbook file, for the export and import to turn into their messages.
// Names for logs and test output.
#include "exchange/WorkbookError.h"

namespace qmk {

const char* workbookErrorName(WorkbookError error)
{
    switch (error) {
    case WorkbookError::None: return "no error";
    case WorkbookError::FileNotFound: return "file not found";
    case WorkbookError::CannotOpen: return "file cannot be opened";
    case WorkbookError::NotAWorkbook: return "not a workbook (not a zip archive)";
    case WorkbookError::NoWorksheet: return "workbook holds no worksheet";
    case WorkbookError::Damaged: return "workbook is damaged";
    case WorkbookError::PartTooLarge: return "workbook part too large";
    case WorkbookError::CannotCreate: return "file cannot be created";
    case WorkbookError::WriteFailed: return "writing the file failed";
    case WorkbookError::InvalidText: return "text cannot be stored in a cell";
    case WorkbookError::OutOfRange: return "cell outside the sheet";
    case WorkbookError::NotOpen: return "no workbook open";
    }
    return "unknown error";
}

} // namespace qmk
