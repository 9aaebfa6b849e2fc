// The workbook export: the chosen Text Table columns of every shown row, texts decoded from
// their code page, translation columns in the project's font for their language (a face Linux has).
#include "exchange/WorkbookExport.h"

#include <algorithm>
#include <optional>
#include <unordered_map>

#include "database/DaoException.h"
#include "database/TranslationColumnNames.h"
#include "exchange/ImportedTranslation.h"
#include "exchange/ThreeWayImport.h"
#include "exchange/WorkbookFonts.h"
#include "exchange/WorkbookWriter.h"
#include "parser/LanguageTable.h"
#include "project/CQuillDoc.h"
#include "project/TextCodec.h"
#include "project/TextTableRows.h"
#include "project/TranslationEncoding.h"
#include "resources/Feedback.h"
#include "resources/Messages.h"
#include "resources/PictureTexts.h"
#include "resources/Texts.h"
#include "resources/WorkbookTexts.h"

namespace qmk {

namespace {

constexpr int LeadingIdColumns = 2;     // "Resource Ident" and "Item Type"
constexpr int ReportedCellsAtMost = 20;  // lines of the undecodable-cell report

bool ownedByResource(ItemType type)
{
    switch (type) {
    case ItemType::DialogItem:
    case ItemType::DialogCaption:
    case ItemType::MenuItem:
    case ItemType::PopupMenu:
    case ItemType::VersionValue:
        return true;
    default:
        return false;
    }
}

} // namespace

struct WorkbookExport::SheetColumn {
    int tableColumn = 0;
    std::string title;
    int codePage = 0;
    std::string fontName;
    std::optional<LanguageId> language;  // a translation's column
    std::vector<SentText> sent;          // what the workbook carries of the translation
};

WorkbookExport::WorkbookExport(CQuillDoc& doc, Feedback& feedback)
    : doc_(doc), rows_(doc.rows()), feedback_(feedback)
{
}

std::vector<ExportColumnEntry> WorkbookExport::entries() const
{
    std::vector<ExportColumnEntry> list;
    list.push_back({txt::ExportIdsEntry, TextTableColumns::IdColumn});
    list.push_back({formatMessage(msg::SourceEntry), TextTableColumns::SourceColumn});
    const TextTableColumns& columns = rows_.columns();
    for (int c = TextTableColumns::FirstTranslationColumn; c < columns.count(); ++c)
        list.push_back({columns.header(c), c});
    return list;
}

int WorkbookExport::sheetWidth(const std::vector<int>& columns)
{
    bool withIds = std::find(columns.begin(), columns.end(), TextTableColumns::IdColumn) != columns.end();
    return static_cast<int>(columns.size()) + (withIds ? LeadingIdColumns : 0);
}

std::vector<int> WorkbookExport::validColumns(std::vector<int> columns) const
{
    // The import finds Id and source at fixed places, so the order is always the column order.
    std::sort(columns.begin(), columns.end());
    columns.erase(std::unique(columns.begin(), columns.end()), columns.end());
    const int count = rows_.columns().count();
    std::erase_if(columns, [count](int c) { return c < 0 || c >= count; });
    return columns;
}

std::vector<WorkbookExport::SheetColumn> WorkbookExport::sheetColumns(const std::vector<int>& columns)
{
    const int projectCodePage = doc_.codePage();
    const TextTableColumns& table = rows_.columns();
    std::vector<SheetColumn> sheet;
    for (int c : columns) {
        SheetColumn column{c, {}, projectCodePage, kWorkbookDefaultFace};
        if (c == TextTableColumns::IdColumn) {
            column.title = txt::HeaderId;
        } else if (c == TextTableColumns::SourceColumn) {
            column.title = txt::HeaderSourceText;
        } else {
            LanguageId language = *table.languageOfColumn(c);
            column.language = language;
            column.title = translationColumnName(language.language, language.sublanguage);
            column.codePage = textCodePage(translationEncoding(doc_.database(), projectCodePage, language));
            column.fontName = workbookFontFace(doc_.font(language, false).fontName,
                                               languageCharset(language.language, language.sublanguage));
        }
        sheet.push_back(std::move(column));
    }
    return sheet;
}

void WorkbookExport::recordSent(const std::string& exportId, const std::vector<SheetColumn>& sheet)
{
    // The workbook is written already: an export the project cannot record only makes its
    // import ask, as for a workbook of no known export.
    try {
        for (const SheetColumn& column : sheet)
            if (!exportId.empty() && column.language)
                qmk::recordSent(doc_, *column.language, workbookExportKey(exportId, *column.language), column.sent);
    } catch (const DaoException& error) {
        feedback_.messageText(error.report(), Icon::Exclamation);
    }
}

WorkbookExportResult WorkbookExport::run(const std::filesystem::path& target, std::vector<int> chosen)
{
    WorkbookExportResult result;
    const std::vector<int> columns = validColumns(std::move(chosen));
    if (columns.empty())
        return result;
    // The rows stay as they are while they are written.
    CQuillDoc::LongOperation operation(doc_);
    if (!operation.acquired()) {
        result.outcome = OperationResult::Refused;
        return result;
    }
    const bool withIds = columns.front() == TextTableColumns::IdColumn;
    const int first = withIds ? LeadingIdColumns : 0;
    const int projectCodePage = doc_.codePage();
    std::vector<SheetColumn> sheet = sheetColumns(columns);
    // Only a workbook with Ids and sources comes back through the import: it carries the id
    // under which the export records what it sent of each translation.
    const bool returnable = withIds && columns.size() > 2 && columns[1] == TextTableColumns::SourceColumn;
    const std::string exportId = returnable ? newExportId() : std::string();

    auto failed = [&](const std::string& detail) {
        feedback_.messageText(fillPlaceholders(txt::ExportWriteFailed, {target.string(), detail}), Icon::Stop);
        result.outcome = OperationResult::Failed;
        return result;
    };

    std::unordered_map<int, std::string> owners;
    if (withIds) {
        try {
            owners = doc_.database().items().owningResourceIdents();
        } catch (const DaoException& error) {
            return failed(error.report());
        }
    }

    FeedbackTask task(feedback_, fillPlaceholders(txt::TaskExportWorkbook, {target.string()}), rows_.rowCount());
    WorkbookWriter writer;
    if (!writer.create(target))
        return failed(writer.errorDetail());
    for (int c = 0; c < first; ++c)
        writer.setColumnFont(c, kWorkbookDefaultFace);
    for (std::size_t i = 0; i < sheet.size(); ++i)
        writer.setColumnFont(first + static_cast<int>(i), sheet[i].fontName);

    bool ok = true;
    if (withIds) {
        ok = writer.writeText(HeaderRow, 0, txt::HeaderResourceIdent, CellStyle::Header) &&
             writer.writeText(HeaderRow, 1, txt::HeaderItemType, CellStyle::Header);
    }
    for (std::size_t i = 0; ok && i < sheet.size(); ++i)
        ok = writer.writeText(HeaderRow, first + static_cast<int>(i), sheet[i].title, CellStyle::Header);
    const int pictureColumn = first + static_cast<int>(sheet.size()) + 1;  // after an empty column
    if (ok && !pictures_.empty()) {
        ok = writer.setColumnFont(pictureColumn, kWorkbookDefaultFace) &&
             writer.writeText(HeaderRow, pictureColumn, txt::HeaderPicture, CellStyle::Header);
    }

    std::vector<std::string> undecodable;
    auto writeCell = [&](int row, int column, const std::string& bytes, int codePage, const std::string& id,
                         const std::string& title, std::vector<SentText>* sent = nullptr, int lineIndex = -1) {
        std::optional<std::string> text = decodeToUtf8(bytes, codePage);
        if (!text) {
            ++result.undecodableCells;
            if (static_cast<int>(undecodable.size()) < ReportedCellsAtMost)
                undecodable.push_back(fillPlaceholders(
                    txt::WorkbookCellLine, {std::to_string(row + 1), decodeToUtf8(id, projectCodePage).value_or("?"), title}));
            return true;
        }
        if (!writer.writeText(row, column, *text))
            return false;
        if (sent)
            sent->push_back({lineIndex, std::move(*text), false});
        return true;
    };

    int sheetRow = FirstDataRow;
    // The table is asked for its size at every step, so a table that shrinks ends the loop.
    for (int r = 0; ok && r < rows_.rowCount(); ++r) {
        task.step(r, rows_.rowCount());
        const TextTableRow& row = rows_.row(r);
        if (row.item.itemType == ItemType::BlockHeader)
            continue;
        const std::string& id = row.cell(TextTableColumns::IdColumn);
        if (withIds) {
            std::string owner;
            if (ownedByResource(row.item.itemType)) {
                auto found = owners.find(row.item.lineIndex);
                if (found != owners.end())
                    owner = found->second;
            }
            ok = writeCell(sheetRow, 0, owner, projectCodePage, id, txt::HeaderResourceIdent) &&
                 writer.writeText(sheetRow, 1, itemTypeDisplayName(row.item.itemType));
        }
        for (std::size_t i = 0; ok && i < sheet.size(); ++i) {
            SheetColumn& column = sheet[i];
            bool sourceInstead = row.item.excluded && column.tableColumn >= TextTableColumns::FirstTranslationColumn;
            if (sourceInstead)
                ok = writeCell(sheetRow, first + static_cast<int>(i), row.cell(TextTableColumns::SourceColumn),
                               projectCodePage, id, column.title);
            else
                ok = writeCell(sheetRow, first + static_cast<int>(i), row.cell(column.tableColumn), column.codePage,
                               id, column.title, column.language && returnable ? &sheet[i].sent : nullptr,
                               row.item.lineIndex);
        }
        if (const auto picture = pictures_.find(row.item.lineIndex); ok && picture != pictures_.end())
            ok = writer.writeText(sheetRow, pictureColumn, picture->second);
        ++sheetRow;
        ++result.rowsWritten;
        if (feedback_.cancelled()) {
            result.outcome = OperationResult::Cancelled;
            break;
        }
    }
    // A cancelled export asks, as closing the spreadsheet would: Yes drops the workbook, No
    // keeps the rows written so far in it.
    if (ok && result.outcome == OperationResult::Cancelled) {
        if (feedback_.askText(txt::ExportAborted, true)) {
            writer.abandon();
            return result;
        }
        result.keptPartial = true;
    }
    // The header stays in view and offers a filter over every column written.
    ok = ok && (exportId.empty() || writer.setCustomProperty(ExportIdProperty, exportId)) &&
         writer.freezeRows(HeaderRow + 1) &&
         writer.setAutofilter(HeaderRow, 0, std::max(HeaderRow, sheetRow - 1),
                              pictures_.empty() ? first + static_cast<int>(sheet.size()) - 1 : pictureColumn);
    if (!ok || !writer.close()) {
        std::string detail = writer.errorDetail();
        writer.abandon();
        return failed(detail);
    }
    task.step(rows_.rowCount(), rows_.rowCount());
    recordSent(exportId, sheet);

    if (result.undecodableCells > 0) {
        std::string lines;
        for (const std::string& line : undecodable)
            lines += line + "\n";
        if (result.undecodableCells > ReportedCellsAtMost)
            lines += "...\n";
        feedback_.messageText(
            fillPlaceholders(txt::ExportUndecodable, {std::to_string(result.undecodableCells), lines}),
            Icon::Exclamation);
    }
    if (!result.keptPartial)
        result.outcome = OperationResult::Done;
    return result;
}

} // namespace qmk
