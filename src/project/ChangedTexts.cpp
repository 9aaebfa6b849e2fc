// What an import changed in the Text Table.
#include "project/ChangedTexts.h"

#include <algorithm>

#include "project/CQuillDoc.h"
#include "project/TextTableRows.h"
#include "resources/CountedText.h"
#include "resources/Messages.h"
#include "resources/Texts.h"

namespace qmk {
namespace {

// One line of the list: a text longer than this is cut, so that a paragraph does not hide the rest.
constexpr std::size_t kShownCharacters = 60;

std::string shortened(const std::string& text)
{
    std::string shown;
    std::size_t characters = 0;
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte & 0xC0) != 0x80 && characters++ == kShownCharacters)
            return shown + "...";
        shown += (c == '\n' || c == '\r') ? ' ' : c;
    }
    return shown;
}

} // namespace

TranslationSnapshot::TranslationSnapshot(const TextTableRows& rows)
{
    const std::vector<LanguageId>& languages = rows.columns().translations();
    for (int row = 0; row < rows.rowCount(); ++row) {
        auto& cells = cells_[rows.item(row).lineIndex];
        for (LanguageId language : languages) {
            const int column = rows.columns().columnOfLanguage(language);
            cells.emplace_back(language, Cell{rows.row(row).cell(column), rows.item(row).isModified(language)});
        }
    }
}

std::vector<ChangedText> TranslationSnapshot::changes(const TextTableRows& rows) const
{
    std::vector<ChangedText> changed;
    const std::vector<LanguageId>& languages = rows.columns().translations();
    for (int row = 0; row < rows.rowCount(); ++row) {
        const CObjectData& item = rows.item(row);
        const auto before = cells_.find(item.lineIndex);
        for (LanguageId language : languages) {
            const int column = rows.columns().columnOfLanguage(language);
            const std::string& text = rows.row(row).cell(column);
            const bool flagged = item.isModified(language);
            Cell was;  // a row or a translation the snapshot did not have: empty before
            if (before != cells_.end()) {
                const auto cell = std::find_if(before->second.begin(), before->second.end(),
                                               [language](const auto& entry) { return entry.first == language; });
                if (cell != before->second.end())
                    was = cell->second;
            }
            if (was.text == text && (was.flagged == flagged || text.empty()))
                continue;
            changed.push_back({row, column, rows.displayText(row, TextTableColumns::IdColumn),
                               rows.displayText(row, TextTableColumns::SourceColumn), rows.displayText(row, column)});
        }
    }
    return changed;
}

ChangedTextsWatch::ChangedTextsWatch(CQuillDoc& doc) : doc_(doc), before_(doc.rows()) {}

std::vector<ChangedText> ChangedTextsWatch::finish()
{
    std::vector<ChangedText> changes = before_.changes(doc_.rows());
    if (!changes.empty()) {
        std::vector<std::pair<int, int>> cells;
        for (const ChangedText& change : changes)
            cells.emplace_back(change.row, change.column);
        doc_.showCellMarks(cells);
    }
    return changes;
}

std::string changedTextsReport(const std::vector<ChangedText>& changes, std::size_t shown)
{
    if (changes.empty())
        return {};
    std::string report =
        fillPlaceholders(txt::ImportChangedHeading, {counted(static_cast<long long>(changes.size()), "text", "texts")});
    for (std::size_t i = 0; i < changes.size() && i < shown; ++i) {
        const ChangedText& change = changes[i];
        report += "\n" + (change.ident.empty() ? std::string() : change.ident + ": ") + shortened(change.source) +
                  " -> " + shortened(change.translation);
    }
    if (changes.size() > shown)
        report += "\n" + fillPlaceholders(txt::ImportChangedMore, {counted(static_cast<long long>(changes.size() - shown),
                                                                           "other text", "other texts")});
    return report;
}

std::string withChangedTexts(const std::string& report, const std::vector<ChangedText>& changes)
{
    if (changes.empty())
        return report;
    std::string text = report;
    while (!text.empty() && text.back() == '\n')
        text.pop_back();  // a report that ends with an empty list of its own
    return text + "\n\n" + changedTextsReport(changes);
}

} // namespace qmk
