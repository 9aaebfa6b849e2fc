// The quality checks' reads and their two small tables.
#include "database/ProjectChecks.h"

#include "database/QueryCatalogue.h"
#include "database/SqliteDatabase.h"
#include "database/TranslationColumnNames.h"

namespace qmk {
namespace {

constexpr const char* IgnoreTable = "CheckIgnore";
constexpr const char* SettingTable = "CheckSetting";

// The fields of a check text row, looked up once per query rather than once per row.
struct CheckTextFields {
    explicit CheckTextFields(const Statement& row)
        : lineIndex(row.column("LineIndex")), sourceText(row.column("SourceText")),
          exclude(row.column("Exclude")), translation(row.column("Translation")),
          flagged(row.column("Flagged")), line(row.column("Line")),
          lineKind(row.column("LineIdentSym")), itemIdent(row.column("ItemIdent")),
          ownerLine(row.column("OwnerLine")), ownerIdent(row.column("OwnerIdent")),
          level(row.column("Level")), className(row.column("Class")), flags(row.column("Flags"))
    {
    }
    CheckTextRow read(const Statement& row) const
    {
        CheckTextRow text;
        text.lineIndex = static_cast<int>(row.integer(lineIndex));
        text.sourceText = row.text(sourceText);
        text.exclude = row.integer(exclude) != 0;
        text.translation = row.text(translation);
        text.flagged = row.integer(flagged) != 0;
        text.line = static_cast<int>(row.integer(line));
        text.lineKind = static_cast<int>(row.integer(lineKind));
        text.itemIdent = row.text(itemIdent);
        text.ownerLine = static_cast<int>(row.integer(ownerLine));
        text.ownerIdent = row.text(ownerIdent);
        text.level = static_cast<int>(row.integer(level));
        text.className = row.text(className);
        text.flags = static_cast<std::uint32_t>(row.integer(flags));
        return text;
    }
    int lineIndex, sourceText, exclude, translation, flagged, line, lineKind, itemIdent, ownerLine, ownerIdent,
        level, className, flags;
};

CheckTextRow readCheckText(const Statement& row)
{
    return CheckTextFields(row).read(row);
}

} // namespace

std::optional<Statement> ProjectChecks::textQuery(std::string_view name, LanguageId language)
{
    const std::string column = translationColumnName(language.language, language.sublanguage);
    if (column.empty() || !db_.fieldExists("ResourceText", column))
        return std::nullopt;
    return db_.prepare(queries::withTranslationColumns(queries::sql(name), column));
}

bool ProjectChecks::forEachText(LanguageId language, const std::function<void(const CheckTextRow&)>& visit)
{
    std::optional<Statement> rows = textQuery(queries::CheckTexts, language);
    if (!rows)
        return false;
    const CheckTextFields fields(*rows);
    while (rows->step())
        visit(fields.read(*rows));
    return true;
}

std::vector<CheckTextRow> ProjectChecks::textsAfter(LanguageId language, int line, int lineIndex, int count)
{
    std::optional<Statement> rows = textQuery(queries::CheckTextsAfter, language);
    std::vector<CheckTextRow> texts;
    if (!rows)
        return texts;
    rows->bind("Line", line).bind("LineIndex", lineIndex).bind("Count", count);
    const CheckTextFields fields(*rows);
    while (rows->step())
        texts.push_back(fields.read(*rows));
    return texts;
}

std::vector<CheckTextRow> ProjectChecks::textsOf(int ownerLine, LanguageId language)
{
    std::optional<Statement> rows = textQuery(queries::CheckTextsOfOwner, language);
    std::vector<CheckTextRow> texts;
    if (!rows)
        return texts;
    rows->bind("Owner", ownerLine);
    while (rows->step())
        texts.push_back(readCheckText(*rows));
    return texts;
}

std::optional<CheckTextRow> ProjectChecks::text(int lineIndex, LanguageId language)
{
    std::optional<Statement> row = textQuery(queries::CheckTextByLineIndex, language);
    if (!row || !row->bind("LineIndex", lineIndex).step())
        return std::nullopt;
    return readCheckText(*row);
}

std::vector<IgnoredFinding> ProjectChecks::ignoredFindings()
{
    std::vector<IgnoredFinding> list;
    if (!db_.tableExists(IgnoreTable))
        return list;
    Statement rows = query(queries::CheckIgnoreRows);
    while (rows.step())
        list.push_back({rows.intField("LineIndex"), {rows.intField("Language"), rows.intField("SubLanguage")},
                        rows.text("CheckId")});
    return list;
}

bool ProjectChecks::setIgnored(const IgnoredFinding& finding, bool ignored)
{
    if (!db_.tableExists(IgnoreTable)) {
        if (!ignored)
            return false;
        query(queries::CreateCheckIgnore).execute();
    }
    Statement change = query(ignored ? queries::AddCheckIgnore : queries::DeleteCheckIgnore);
    change.bind("LineIndex", finding.lineIndex)
        .bind("Language", finding.language.language)
        .bind("SubLanguage", finding.language.sublanguage)
        .bind("CheckId", finding.check)
        .execute();
    return db_.changes() > 0;
}

void ProjectChecks::createTablesNamed(const std::vector<std::string>& tables)
{
    for (const std::string& table : tables) {
        if (table == IgnoreTable)
            query(queries::CreateCheckIgnore).execute();
        else if (table == SettingTable)
            query(queries::CreateCheckSetting).execute();
    }
}

void ProjectChecks::forgetLanguage(LanguageId language)
{
    if (db_.tableExists(IgnoreTable))
        query(queries::DeleteCheckIgnoreOfLanguage)
            .bind("Language", language.language)
            .bind("SubLanguage", language.sublanguage)
            .execute();
}

std::unordered_map<std::string, bool> ProjectChecks::checkSettings()
{
    std::unordered_map<std::string, bool> settings;
    if (!db_.tableExists(SettingTable))
        return settings;
    Statement rows = query(queries::CheckSettingRows);
    while (rows.step())
        settings[rows.text("CheckId")] = rows.flag("Enabled");
    return settings;
}

void ProjectChecks::setCheckEnabled(std::string_view check, bool enabled)
{
    if (!db_.tableExists(SettingTable))
        query(queries::CreateCheckSetting).execute();
    query(queries::SetCheckSetting).bind("CheckId", check).bind("Enabled", enabled ? 1 : 0).execute();
}

} // namespace qmk
