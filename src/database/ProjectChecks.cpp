// The quality checks' reads and their two small tables.
#include "database/ProjectChecks.h"

#include "database/QueryCatalogue.h"
#include "database/SqliteDatabase.h"
#include "database/TranslationColumnNames.h"

namespace qmk {
namespace {

constexpr const char* IgnoreTable = "CheckIgnore";
constexpr const char* SettingTable = "CheckSetting";

CheckTextRow readCheckText(const Statement& row)
{
    CheckTextRow text;
    text.lineIndex = row.intField("LineIndex");
    text.sourceText = row.text("SourceText");
    text.exclude = row.flag("Exclude");
    text.translation = row.text("Translation");
    text.flagged = row.flag("Flagged");
    text.line = row.intField("Line");
    text.lineKind = row.intField("LineIdentSym");
    text.itemIdent = row.text("ItemIdent");
    text.ownerLine = row.intField("OwnerLine");
    text.ownerIdent = row.text("OwnerIdent");
    text.level = row.intField("Level");
    text.className = row.text("Class");
    text.flags = static_cast<std::uint32_t>(row.integer("Flags"));
    return text;
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
    while (rows->step())
        visit(readCheckText(*rows));
    return true;
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
