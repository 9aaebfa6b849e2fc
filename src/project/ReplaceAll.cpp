// Replacing in every chosen translation at once.
#include "project/ReplaceAll.h"

#include <memory>

#include "database/CProjectDatabase.h"
#include "database/DaoException.h"
#include "database/Transaction.h"
#include "project/CQuillDoc.h"
#include "project/TextCodec.h"
#include "resources/Feedback.h"
#include "resources/Texts.h"

namespace qmk {
namespace {

// Byte offset of the code point at `index` in a UTF-8 text.
std::size_t byteOffset(std::string_view text, int index)
{
    std::size_t i = 0;
    for (int n = 0; n < index && i < text.size(); ++n) {
        ++i;
        while (i < text.size() && (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80)
            ++i;
    }
    return i;
}

} // namespace

std::string replacedText(std::string_view text, const SearchOptions& options, std::string_view replacement, int& count)
{
    std::string result(text);
    const int patternLength = codePointCount(options.pattern);
    const int replacementLength = codePointCount(replacement);
    int from = 0;
    for (int at = findInText(result, options, from); at >= 0; at = findInText(result, options, from)) {
        const std::size_t start = byteOffset(result, at);
        const std::size_t end = byteOffset(result, at + patternLength);
        result.replace(start, end - start, replacement);
        ++count;
        from = at + replacementLength;  // after the inserted text: it is never searched again
    }
    return result;
}

ReplaceAllResult replaceAll(CQuillDoc& doc, const SearchOptions& options,
                            const std::string& replacement)
{
    ReplaceAllResult result;
    if (options.pattern.empty() || options.columns.empty())
        return result;
    const TextTableRows& rows = doc.rows();
    std::unique_ptr<Transaction> bulk;
    try {
        bulk = doc.database().beginBulk();  // one transaction for every cell
    } catch (const DaoException& error) {
        doc.feedback().messageText(error.report(), Icon::Stop);
        return result;
    }
    doc.beginEditStep(txt::StepReplaceAll);
    std::vector<std::pair<int, int>> replacedCells;
    for (int row = 0; row < rows.rowCount(); ++row) {
        const std::size_t cellsBefore = replacedCells.size();
        for (int column : options.columns) {
            const std::optional<LanguageId> language = rows.columns().languageOfColumn(column);
            if (!language || rows.item(row).excluded)
                continue;
            int count = 0;
            const std::string text = replacedText(rows.displayText(row, column), options, replacement, count);
            if (count == 0)
                continue;
            const EncodeResult bytes = encodeFromUtf8(text, doc.translationCodePage(*language));
            if (!bytes.ok) {
                result.refused.push_back(rows.row(row).cell(TextTableColumns::IdColumn) + ": " + text);
                continue;
            }
            if (doc.storeTranslation(rows.item(row).lineIndex, *language, bytes.bytes).done()) {
                result.replaced += count;
                replacedCells.emplace_back(row, column);
            }
        }
        if (replacedCells.size() > cellsBefore)
            ++result.rows;
    }
    result.texts = static_cast<int>(replacedCells.size());
    // The marks are part of the step: Undo takes them back with the texts.
    if (!replacedCells.empty())
        doc.markCells(replacedCells);
    doc.endEditStep();
    try {
        bulk->commit();
    } catch (const DaoException& error) {
        doc.feedback().messageText(error.report(), Icon::Stop);
        doc.reloadRows();  // the table shows what the database holds
    }
    return result;
}

} // namespace qmk
