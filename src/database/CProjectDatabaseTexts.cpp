// CProjectDatabase, part two: lines and texts by line key, item rows by line key and by
// identifier, and the whole-resource lists of the tree and the previews.
#include "database/CProjectDatabase.h"

#include "database/QueryCatalogue.h"
#include "database/TranslationColumnNames.h"
#include "database/QueryNames.h"

namespace qmk {

namespace {

std::optional<int> firstInt(Statement&& statement)
{
    if (!statement.step() || statement.isNull(0))
        return std::nullopt;
    return static_cast<int>(statement.integer(0));
}

std::optional<std::string> firstText(Statement&& statement)
{
    if (!statement.step())
        return std::nullopt;
    return statement.text(0);
}

std::vector<int> intColumn(Statement&& statement)
{
    std::vector<int> values;
    while (statement.step())
        values.push_back(static_cast<int>(statement.integer(0)));
    return values;
}

ControlRow readControl(const Statement& row)
{
    ControlRow control;
    control.lineIndex = row.intField("LineIndex");
    control.nameId = row.text("Name_ID");
    control.className = row.text("Class");
    control.x = row.intField("x");
    control.y = row.intField("y");
    control.cx = row.intField("cx");
    control.cy = row.intField("cy");
    control.type = row.intField("Type");
    control.flags = static_cast<std::uint32_t>(row.integer("Flags"));
    return control;
}

} // namespace

std::vector<TextMatch> CProjectDatabase::textMatches(Statement& statement)
{
    std::vector<TextMatch> matches;
    int line = statement.column("LineIndex");
    int text = statement.column("SourceText");
    while (statement.step())
        matches.push_back({static_cast<int>(statement.integer(line)), text >= 0 ? statement.text(text) : std::string()});
    return matches;
}

std::vector<TextRow> CProjectDatabase::textRows(Statement& statement, bool withKind)
{
    struct Columns {
        int text, modified;
    };
    std::vector<Columns> translationColumns;
    for (const TranslationRow& t : translations()) {
        std::string name = translationColumnName(t.id.language, t.id.sublanguage);
        translationColumns.push_back({statement.column(name), statement.column(modifiedColumnName(name))});
    }
    int line = statement.column("LineIndex"), source = statement.column("SourceText"),
        old = statement.column("SourceText_Old"), exclude = statement.column("Exclude"),
        modified = statement.column("Modified"), kind = withKind ? statement.column("LineIdentSym") : -1;
    std::vector<TextRow> rows;
    while (statement.step()) {
        TextRow row;
        row.lineIndex = static_cast<int>(statement.integer(line));
        row.lineKind = kind >= 0 ? static_cast<int>(statement.integer(kind)) : 0;
        row.sourceText = statement.text(source);
        row.sourceTextOld = statement.text(old);
        row.exclude = statement.integer(exclude) != 0;
        row.modified = statement.integer(modified) != 0;
        for (const Columns& c : translationColumns) {
            TranslatedText t;
            if (c.text >= 0)
                t.text = statement.text(c.text);
            if (c.modified >= 0)
                t.modified = statement.integer(c.modified) != 0;
            row.translations.push_back(std::move(t));
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

int CProjectDatabase::textCount()
{
    return firstInt(query(qn::Count_ResourceText)).value_or(0);
}

std::optional<TextRow> CProjectDatabase::text(int lineIndex)
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

std::optional<TranslatedText> CProjectDatabase::translation(int lineIndex, LanguageId language)
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

bool CProjectDatabase::setTranslation(int lineIndex, LanguageId language, std::string_view text, bool modified)
{
    std::string name = translationColumnName(language.language, language.sublanguage);
    if (name.empty())
        return false;
    Statement set = db_.prepare(queries::withTranslationColumns(queries::sql(qn::Set_Translation), name));
    set.bind("Text", text).bind("Modified", modified ? 1 : 0).bind("LineIndex", lineIndex).execute();
    return db_.changes() > 0;
}

bool CProjectDatabase::setSourceText(int lineIndex, std::string_view sourceText)
{
    query(qn::Set_SourceText).bindTextOrNull("SourceText", sourceText).bind("LineIndex", lineIndex).execute();
    return db_.changes() > 0;
}

std::string CProjectDatabase::sourceTextOld(int lineIndex)
{
    Statement row = query(qn::ResourceText_Old_By_LineIndex);
    row.bind("LineIndex", lineIndex);
    return firstText(std::move(row)).value_or(std::string());
}

std::optional<bool> CProjectDatabase::exclude(int lineIndex)
{
    Statement row = query(queries::ExcludeByLineIndex);
    row.bind("LineIndex", lineIndex);
    if (!row.step())
        return std::nullopt;
    return row.integer(0) != 0;
}

bool CProjectDatabase::setExclude(int lineIndex, bool excluded)
{
    query(qn::Set_Exclude).bind("Exclude", excluded ? 1 : 0).bind("LineIndex", lineIndex).execute();
    return db_.changes() > 0;
}

std::optional<LineValues> CProjectDatabase::lineValues(int lineIndex)
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

bool CProjectDatabase::rewriteLine(int lineIndex, int line, std::string_view beforeStr, std::string_view behindStr)
{
    query(qn::Rewrite_ResFileLine)
        .bind("Line", line)
        .bindTextOrNull("BeforeStr", beforeStr)
        .bindTextOrNull("BehindStr", behindStr)
        .bind("LineIndex", lineIndex)
        .execute();
    return db_.changes() > 0;
}

bool CProjectDatabase::setLineKind(int lineIndex, int lineKind)
{
    query(qn::Set_LineIdentSym).bind("LineIdentSym", lineKind).bind("LineIndex", lineIndex).execute();
    return db_.changes() > 0;
}

std::optional<int> CProjectDatabase::lineKind(int lineIndex)
{
    Statement row = query(qn::LineIdentSym_By_LineIndex);
    row.bind("LineIndex", lineIndex);
    return firstInt(std::move(row));
}

std::vector<int> CProjectDatabase::allLineIndexes()
{
    return intColumn(query(qn::AllLineIndex));
}

void CProjectDatabase::forEachScriptLine(const std::function<void(const LineRow&)>& visit)
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

void CProjectDatabase::forEachTextInLineOrder(const std::function<void(const TextRow&)>& visit)
{
    Statement rows = query(qn::ResourceTextTable);
    for (const TextRow& row : textRows(rows, false))
        visit(row);
}

bool CProjectDatabase::forEachLineWithTranslation(LanguageId language,
                                                  const std::function<void(const WriterRow&)>& visit)
{
    const std::string name = translationColumnName(language.language, language.sublanguage);
    if (name.empty() || !translationColumnExists(language))
        return false;
    Statement rows = db_.prepare(queries::withTranslationColumns(queries::sql(qn::Writer_Lines_With_Translation), name));
    const int kind = rows.column("LineIdentSym"), before = rows.column("BeforeStr"), behind = rows.column("BehindStr"),
              hasText = rows.column("HasText"), exclude = rows.column("Exclude"), source = rows.column("SourceText"),
              translation = rows.column("Translation");
    WriterRow row;
    while (rows.step()) {
        row.lineKind = static_cast<int>(rows.integer(kind));
        row.beforeStr = rows.textView(before);
        row.behindStr = rows.textView(behind);
        row.hasText = rows.integer(hasText) != 0;
        row.exclude = rows.integer(exclude) != 0;
        row.sourceText = rows.textView(source);
        row.translation = rows.textView(translation);
        visit(row);
    }
    return true;
}

std::vector<TextRow> CProjectDatabase::dataStringTexts()
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

std::vector<TextRow> CProjectDatabase::allTextsWithLineKind()
{
    Statement rows = query(qn::ResourceText_And_LineIdentSym);
    return textRows(rows, true);
}

void CProjectDatabase::forEachTextTableRecord(const std::function<void(const TextTableRecord&)>& visit)
{
    std::vector<TranslationRow> languages = translations();
    Statement rows = query(queries::TextTableRecords);
    struct Columns {
        int text, modified;
    };
    std::vector<Columns> translationColumns;
    for (const TranslationRow& t : languages) {
        std::string name = translationColumnName(t.id.language, t.id.sublanguage);
        translationColumns.push_back({rows.column(name), rows.column(modifiedColumnName(name))});
    }
    int line = rows.column("LineIndex"), source = rows.column("SourceText"), old = rows.column("SourceText_Old"),
        exclude = rows.column("Exclude"), modified = rows.column("Modified"), kind = rows.column("LineIdentSym"),
        ident = rows.column("ItemIdent"), dialog = rows.column("DialogLine");
    TextTableRecord record;
    record.text.translations.resize(translationColumns.size());
    while (rows.step()) {
        TextRow& row = record.text;
        row.lineIndex = static_cast<int>(rows.integer(line));
        row.lineKind = static_cast<int>(rows.integer(kind));
        row.sourceText = rows.text(source);
        row.sourceTextOld = rows.text(old);
        row.exclude = rows.integer(exclude) != 0;
        row.modified = rows.integer(modified) != 0;
        for (std::size_t i = 0; i < translationColumns.size(); ++i) {
            TranslatedText& t = row.translations[i];
            t.text = translationColumns[i].text >= 0 ? rows.text(translationColumns[i].text) : std::string();
            t.modified = translationColumns[i].modified >= 0 && rows.integer(translationColumns[i].modified) != 0;
        }
        record.itemIdent = rows.text(ident);
        record.dialogLine = static_cast<int>(rows.integer(dialog));
        visit(record);
    }
}

// --- Item rows by line key -------------------------------------------------------------

std::optional<DialogRow> CProjectDatabase::dialog(int lineIndex)
{
    Statement row = query(qn::Dialog_By_LineIndex);
    row.bind("LineIndex", lineIndex);
    if (!row.step())
        return std::nullopt;
    return DialogRow{lineIndex, row.text("Name_ID"), row.intField("cx"), row.intField("cy")};
}

std::optional<CaptionRow> CProjectDatabase::caption(int lineIndex)
{
    Statement row = query(qn::Dialog_Caption_By_LineIndex);
    row.bind("LineIndex", lineIndex);
    if (!row.step())
        return std::nullopt;
    return CaptionRow{lineIndex, row.intField("DlgLine")};
}

bool CProjectDatabase::setCaptionDialog(int lineIndex, int dlgLine)
{
    query(qn::Rewrite_DlgCaption).bind("DlgLine", dlgLine).bind("LineIndex", lineIndex).execute();
    return db_.changes() > 0;
}

std::optional<ControlRow> CProjectDatabase::control(int lineIndex)
{
    Statement row = query(qn::Dialog_ItemIdent_By_LineIndex);
    row.bind("LineIndex", lineIndex);
    if (!row.step())
        return std::nullopt;
    ControlRow control = readControl(row);
    control.dlgLine = row.intField("DlgLine");
    return control;
}

bool CProjectDatabase::rewriteControl(const ControlRow& row)
{
    query(qn::Rewrite_DialogControl)
        .bind("DlgLine", row.dlgLine)
        .bindTextOrNull("Name_ID", row.nameId)
        .bindTextOrNull("Class", row.className)
        .bind("x", row.x)
        .bind("y", row.y)
        .bind("cx", row.cx)
        .bind("cy", row.cy)
        .bind("Type", row.type)
        .bind("Flags", static_cast<std::int64_t>(row.flags))
        .bind("LineIndex", row.lineIndex)
        .execute();
    return db_.changes() > 0;
}

std::optional<int> CProjectDatabase::dialogOfControl(int lineIndex)
{
    Statement row = query(qn::Dialog_LineIndex_By_DlgItemIndex);
    row.bind("LineIndex", lineIndex);
    return firstInt(std::move(row));
}

std::optional<int> CProjectDatabase::dialogOfCaption(int lineIndex)
{
    Statement row = query(qn::Dialog_LineIndex_By_DlgCaptionIndex);
    row.bind("LineIndex", lineIndex);
    return firstInt(std::move(row));
}

std::optional<std::string> CProjectDatabase::menuIdent(int lineIndex)
{
    Statement row = query(qn::Menu_Ident_By_LineIndex);
    row.bind("LineIndex", lineIndex);
    return firstText(std::move(row));
}

std::optional<int> CProjectDatabase::menuOfItem(int lineIndex)
{
    Statement row = query(qn::Menu_LineIndex_By_MenuItemIndex);
    row.bind("LineIndex", lineIndex);
    return firstInt(std::move(row));
}

std::optional<MenuItemRow> CProjectDatabase::menuItem(int lineIndex)
{
    Statement row = query(qn::MenuItem_By_LineIndex);
    row.bind("LineIndex", lineIndex);
    if (!row.step())
        return std::nullopt;
    return MenuItemRow{lineIndex, row.intField("MenuLine"), row.intField("Level"), row.text("Name_ID"), 0};
}

bool CProjectDatabase::rewriteMenuItem(const MenuItemRow& row)
{
    query(qn::Rewrite_MenuItem)
        .bind("MenuLine", row.menuLine)
        .bind("Level", row.level)
        .bindTextOrNull("Name_ID", row.nameId)
        .bind("LineIndex", row.lineIndex)
        .execute();
    return db_.changes() > 0;
}

std::optional<std::string> CProjectDatabase::menuItemIdent(int lineIndex)
{
    Statement row = query(qn::MenuItem_Ident_By_LineIndex);
    row.bind("LineIndex", lineIndex);
    return firstText(std::move(row));
}

std::optional<std::string> CProjectDatabase::stringIdent(int lineIndex)
{
    Statement row = query(qn::Stringtable_String_Ident_By_LineIndex);
    row.bind("LineIndex", lineIndex);
    return firstText(std::move(row));
}

std::optional<std::string> CProjectDatabase::bitmapIdent(int lineIndex)
{
    Statement row = query(qn::Bitmap_Ident_By_LineIndex);
    row.bind("LineIndex", lineIndex);
    return firstText(std::move(row));
}

std::optional<VersionBlockHeaderRow> CProjectDatabase::versionBlockHeader(int lineIndex)
{
    Statement row = query(qn::VersionBlockHeader_By_LineIndex);
    row.bind("LineIndex", lineIndex);
    if (!row.step())
        return std::nullopt;
    return VersionBlockHeaderRow{lineIndex, row.intField("VersResLine")};
}

bool CProjectDatabase::rewriteVersionBlockHeader(const VersionBlockHeaderRow& row)
{
    query(qn::Rewrite_VersionBlockHeader).bind("VersResLine", row.versResLine).bind("LineIndex", row.lineIndex).execute();
    return db_.changes() > 0;
}

std::optional<VersionValueRow> CProjectDatabase::versionValue(int lineIndex)
{
    Statement row = query(qn::VersionValue_By_LineIndex);
    row.bind("LineIndex", lineIndex);
    if (!row.step())
        return std::nullopt;
    return VersionValueRow{lineIndex, row.intField("VersResLine"), row.intField("BlockHeaderLine"), row.text("Value")};
}

bool CProjectDatabase::rewriteVersionValue(const VersionValueRow& row)
{
    query(qn::Rewrite_VersionBlockValues)
        .bind("VersResLine", row.versResLine)
        .bind("BlockHeaderLine", row.blockHeaderLine)
        .bindTextOrNull("Value", row.value)
        .bind("LineIndex", row.lineIndex)
        .execute();
    return db_.changes() > 0;
}

std::optional<std::string> CProjectDatabase::versionOfBlockHeader(int lineIndex)
{
    Statement row = query(queries::VersionOfBlockHeader);
    row.bind("LineIndex", lineIndex);
    return firstText(std::move(row));
}

std::optional<IdentRow> CProjectDatabase::versionOfValue(int lineIndex)
{
    Statement row = query(queries::VersionOfValue);
    row.bind("LineIndex", lineIndex);
    if (!row.step())
        return std::nullopt;
    return IdentRow{row.intField("LineIndex"), row.text("Name_ID")};
}

} // namespace qmk
