// Lists of unnumbered texts that callers pick by position: the usage lines,
// the file error causes and the item type names.
#include "resources/Texts.h"

#include <iterator>

#include "resources/CheckTexts.h"
#include "resources/PictureTexts.h"

namespace qmk::txt {
namespace {

constexpr std::string_view kUsageLines[] = {
    UsageTranslated, UsageUpToDate, UsageHasLanguage, UsageExport, UsageImport,
    UsageCreateDb,   UsageUpdate,   UsageAddLang,     UsageWriteRC, UsageListLIDS, UsageEncoding,
    UsageTextFit, UsageXliff, UsagePo, UsagePot, UsageXlsx, UsageImportWorkbook,
    UsageCheck, UsagePseudo, UsageStat,
    UsageTmAdd, UsageTmxImport, UsageTmxExport, UsagePreTranslate, UsageShots,
    UsageTbxImport, UsageTbxExport, UsageTerms,
};

// Indexed by the cause of a file error.
constexpr std::string_view kFileErrors[] = {
    "No error occurred.",
    "An unspecified error occurred.",
    "The file could not be located.",
    "All or part of the path is invalid.",
    "The permitted number of open files was exceeded.",
    "The file could not be accessed.",
    "There was an attempt to use an invalid file handle.",
    "The current working directory cannot be removed.",
    "There are no more directory entries.",
    "There was an error trying to set the file pointer.",
    "There was a hardware error.",
    "SHARE.EXE was not loaded, or a shared region was locked.",
    "There was an attempt to lock a region that was already locked.",
    "The disk is full.",
    "The end of file was reached.",
};

// Indexed by item type; types 3 and 6 have no line kind of their own.
constexpr std::string_view kItemTypes[] = {
    "",
    ItemDialog,
    ItemMenu,
    ItemStringtable,
    ItemStringtableString,
    ItemVersioninfo,
    ItemVersionValue,
    ItemBlockHeader,
    ItemVersionValue,
    ItemBitmapFile,
    ItemBitmapFile,
    ItemDialogItem,
    ItemDialogCaption,
    ItemMenuItem,
    ItemPopupMenu,
    ItemIncludeStatement,
};

std::string_view pick(std::span<const std::string_view> list, int index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= list.size())
        return {};
    return list[static_cast<std::size_t>(index)];
}

} // namespace

std::span<const std::string_view> usageLines()
{
    return kUsageLines;
}

std::string_view fileErrorText(int cause)
{
    return pick(kFileErrors, cause);
}

std::string_view itemTypeName(int itemType)
{
    return pick(kItemTypes, itemType);
}

} // namespace qmk::txt
