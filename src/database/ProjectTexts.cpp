// The project's lines and texts by line key: source texts, translations and Exclude, and the
// passes over every line that the writer and the Text Table make.
#include "database/ProjectTexts.h"

#include <limits>
#include <unordered_map>

#include "database/CProjectDatabase.h"
#include "database/QueryCatalogue.h"
#include "database/QueryNames.h"
#include "database/StatementReaders.h"
#include "database/TranslationColumnNames.h"

namespace qmk {

int ProjectTexts::textCount()
{
    return firstInt(query(qn::Count_ResourceText)).value_or(0);
}

std::optional<TextRow> ProjectTexts::text(int lineIndex)
{
    Statement row = query(qn::GetResTextRecord_ByLine);
    row.bind("LineIndex", lineIndex);
    if (!row.step())
        return std::nullopt;
    TextRow text;
    text.lineIndex = lineIndex;
    text.sourceText = row.text("SourceText");
    text.sourceTextOld = row.text("SourceText_Old");
    text.exclude = row.flag("Exclude");
    text.modified = row.flag("Modified");
    return text;
}

std::optional<TranslatedText> ProjectTexts::translation(int lineIndex, LanguageId language)
{
    std::string name = translationColumnName(language.language, language.sublanguage);
    if (name.empty())
        return std::nullopt;
    Statement row = query(qn::GetResTextRecord_ByLine);
    row.bind("LineIndex", lineIndex);
    int text = row.column(name);
    int modified = row.column(modifiedColumnName(name));
    if (text < 0 || !row.step())
        return std::nullopt;
    return TranslatedText{row.text(text), modified >= 0 && row.integer(modified) != 0};
}

bool ProjectTexts::setTranslation(int lineIndex, LanguageId language, std::string_view text, bool modified)
{
    std::string name = translationColumnName(language.language, language.sublanguage);
    if (name.empty())
        return false;
    Statement set = db_.prepare(queries::withTranslationColumns(queries::sql(qn::Set_Translation), name));
    set.bind("Text", text).bind("Modified", modified ? 1 : 0).bind("LineIndex", lineIndex).execute();
    return db_.changes() > 0;
}

std::string ProjectTexts::sourceTextOld(int lineIndex)
{
    Statement row = query(qn::ResourceText_Old_By_LineIndex);
    row.bind("LineIndex", lineIndex);
    return firstText(std::move(row)).value_or(std::string());
}

std::optional<bool> ProjectTexts::exclude(int lineIndex)
{
    Statement row = query(queries::ExcludeByLineIndex);
    row.bind("LineIndex", lineIndex);
    if (!row.step())
        return std::nullopt;
    return row.integer(0) != 0;
}

bool ProjectTexts::setExclude(int lineIndex, bool excluded)
{
    query(qn::Set_Exclude).bind("Exclude", excluded ? 1 : 0).bind("LineIndex", lineIndex).execute();
    return db_.changes() > 0;
}

std::optional<LineValues> ProjectTexts::lineValues(int lineIndex)
{
    Statement row = query(qn::ResLineValues_By_LineIndex);
    row.bind("LineIndex", lineIndex);
    if (!row.step())
        return std::nullopt;
    LineValues values;
    values.line = {lineIndex,          row.intField("Line"),    row.intField("LineIdentSym"),
                   row.intField("Added"), row.text("BeforeStr"), row.text("BehindStr")};
    values.hasText = !row.isNull("Exclude") || !row.isNull("SourceText");
    values.sourceText = row.text("SourceText");
    values.exclude = row.flag("Exclude");
    values.modified = row.flag("Modified");
    return values;
}

std::optional<int> ProjectTexts::lineKind(int lineIndex)
{
    Statement row = query(qn::LineIdentSym_By_LineIndex);
    row.bind("LineIndex", lineIndex);
    return firstInt(std::move(row));
}

std::vector<int> ProjectTexts::allLineIndexes()
{
    return intColumn(query(qn::AllLineIndex));
}

void ProjectTexts::forEachScriptLine(const std::function<void(const LineRow&)>& visit)
{
    Statement rows = query(qn::ResourceFile_Lines);
    int index = rows.column("LineIndex"), line = rows.column("Line"), kind = rows.column("LineIdentSym"),
        before = rows.column("BeforeStr"), behind = rows.column("BehindStr");
    LineRow row;
    while (rows.step()) {
        row.lineIndex = static_cast<int>(rows.integer(index));
        row.line = static_cast<int>(rows.integer(line));
        row.lineKind = static_cast<int>(rows.integer(kind));
        row.beforeStr = rows.text(before);
        row.behindStr = rows.text(behind);
        visit(row);
    }
}

std::vector<LineRow> ProjectTexts::scriptLinesOfKind(int lineKind)
{
    Statement rows = query(queries::ScriptLinesOfKind);
    rows.bind("Kind", lineKind);
    int index = rows.column("LineIndex"), line = rows.column("Line"), kind = rows.column("LineIdentSym"),
        before = rows.column("BeforeStr"), behind = rows.column("BehindStr");
    std::vector<LineRow> lines;
    while (rows.step()) {
        LineRow& row = lines.emplace_back();
        row.lineIndex = static_cast<int>(rows.integer(index));
        row.line = static_cast<int>(rows.integer(line));
        row.lineKind = static_cast<int>(rows.integer(kind));
        row.beforeStr = rows.text(before);
        row.behindStr = rows.text(behind);
    }
    return lines;
}

void ProjectTexts::forEachTextInLineOrder(const std::function<void(const TextRow&)>& visit)
{
    Statement rows = query(qn::ResourceTextTable);
    for (const TextRow& row : textRows(rows, false))
        visit(row);
}

bool ProjectTexts::forEachLineWithTranslation(LanguageId language,
                                                  const std::function<void(const WriterRow&)>& visit)
{
    const std::string name = translationColumnName(language.language, language.sublanguage);
    if (name.empty() || !owner_.languages().translationColumnExists(language))
        return false;
    // Projects not built or updated since literals were kept as written have no table of them.
    const bool joined = db_.tableExists("JoinedLiteral");
    Statement rows = db_.prepare(queries::withTranslationColumns(
        queries::sql(joined ? qn::Writer_Lines_With_Joined_Literals : qn::Writer_Lines_With_Translation), name));
    const int kind = rows.column("LineIdentSym"), before = rows.column("BeforeStr"), behind = rows.column("BehindStr"),
              hasText = rows.column("HasText"), exclude = rows.column("Exclude"), source = rows.column("SourceText"),
              translation = rows.column("Translation"), asWritten = joined ? rows.column("AsWritten") : -1;
    WriterRow row;
    while (rows.step()) {
        row.lineKind = static_cast<int>(rows.integer(kind));
        row.beforeStr = rows.textView(before);
        row.behindStr = rows.textView(behind);
        row.hasText = rows.integer(hasText) != 0;
        row.exclude = rows.integer(exclude) != 0;
        row.sourceText = rows.textView(source);
        row.translation = rows.textView(translation);
        row.asWritten = asWritten >= 0 ? rows.textView(asWritten) : std::string_view();
        visit(row);
    }
    return true;
}

std::vector<TextRow> ProjectTexts::dataStringTexts()
{
    Statement rows = query(qn::Data_String_Texts);
    std::vector<TextRow> texts;
    while (rows.step()) {
        TextRow row;
        row.lineIndex = rows.intField("LineIndex");
        row.sourceText = rows.text("SourceText");
        row.lineKind = rows.intField("LineIdentSym");
        texts.push_back(std::move(row));
    }
    return texts;
}

std::vector<TextRow> ProjectTexts::allTextsWithLineKind()
{
    Statement rows = query(qn::ResourceText_And_LineIdentSym);
    return textRows(rows, true);
}

void ProjectTexts::forEachTextTableRecord(const std::function<void(TextTableRecord&)>& visit)
{
    // Each line's identifier and dialog. A line lies in at most one item table; where a damaged
    // project has it in several, each value comes from the table of the lowest rank that has one.
    struct ItemOfLine {
        std::string ident;
        int identRank = std::numeric_limits<int>::max();
        int dialogLine = -1;
        int dialogRank = std::numeric_limits<int>::max();
    };
    std::vector<ItemOfLine> items;
    std::unordered_map<int, std::size_t> itemOfLine;
    {
        Statement idents = query(queries::TextTableItemIdents);
        const int line = idents.column("LineIndex"), ident = idents.column("ItemIdent"),
                  dialog = idents.column("DialogLine"), rank = idents.column("Rank");
        while (idents.step()) {
            const auto [at, added] = itemOfLine.try_emplace(static_cast<int>(idents.integer(line)), items.size());
            ItemOfLine& item = added ? items.emplace_back() : items[at->second];
            const int r = static_cast<int>(idents.integer(rank));
            if (!idents.isNull(ident) && r < item.identRank) {
                item.ident = idents.text(ident);
                item.identRank = r;
            }
            if (!idents.isNull(dialog) && r < item.dialogRank) {
                item.dialogLine = static_cast<int>(idents.integer(dialog));
                item.dialogRank = r;
            }
        }
    }

    std::vector<TranslationRow> languages = owner_.languages().translations();
    Statement rows = query(qn::ResourceText_And_LineIdentSym);
    struct Columns {
        int text, modified;
    };
    std::vector<Columns> translationColumns;
    for (const TranslationRow& t : languages) {
        std::string name = translationColumnName(t.id.language, t.id.sublanguage);
        translationColumns.push_back({rows.column(name), rows.column(modifiedColumnName(name))});
    }
    int line = rows.column("LineIndex"), source = rows.column("SourceText"), exclude = rows.column("Exclude"),
        modified = rows.column("Modified"), kind = rows.column("LineIdentSym");
    TextTableRecord record;
    record.text.translations.resize(translationColumns.size());
    while (rows.step()) {
        TextRow& row = record.text;
        row.lineIndex = static_cast<int>(rows.integer(line));
        row.lineKind = static_cast<int>(rows.integer(kind));
        row.sourceText = rows.text(source);
        row.exclude = rows.integer(exclude) != 0;
        row.modified = rows.integer(modified) != 0;
        for (std::size_t i = 0; i < translationColumns.size(); ++i) {
            TranslatedText& t = row.translations[i];
            t.text = translationColumns[i].text >= 0 ? rows.text(translationColumns[i].text) : std::string();
            t.modified = translationColumns[i].modified >= 0 && rows.integer(translationColumns[i].modified) != 0;
        }
        const auto at = itemOfLine.find(row.lineIndex);
        ItemOfLine* item = at == itemOfLine.end() ? nullptr : &items[at->second];
        record.itemIdent = item ? std::move(item->ident) : std::string();
        record.dialogLine = item ? item->dialogLine : -1;
        visit(record);
    }
}

} // namespace qmk
