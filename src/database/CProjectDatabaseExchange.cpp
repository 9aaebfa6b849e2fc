// CProjectDatabase, exchange between project files: filling a new project database with the
// project of another file, keeping only the translations asked for.
#include "database/CProjectDatabase.h"

#include <algorithm>
#include <set>

#include "database/DaoException.h"
#include "database/QueryCatalogue.h"
#include "database/Transaction.h"
#include "database/TranslationColumnNames.h"
#include "database/QueryNames.h"

namespace qmk {
namespace {

constexpr const char* SourceSchema = "exchange_source";

struct SourceColumn {
    std::string name;
    ColumnType type = ColumnType::Long;
};

ColumnType columnTypeOf(const std::string& declared, const std::string& defaultValue)
{
    if (declared.rfind("TEXT", 0) == 0)
        return ColumnType::Text;
    return defaultValue == "0" ? ColumnType::Byte : ColumnType::Long;
}

std::string joinedColumns(const std::vector<std::string>& names)
{
    std::string list;
    for (const std::string& name : names)
        list += (list.empty() ? "" : ", ") + quoteIdentifier(name);
    return list;
}

} // namespace

void CProjectDatabase::copyProjectFrom(const std::filesystem::path& source, const std::vector<LanguageId>& keep)
{
    db_.prepare(std::string("ATTACH DATABASE :File AS ") + SourceSchema).bind("File", source.string()).execute();
    try {
        copyAttachedProject(keep);
    } catch (const DaoException&) {
        db_.execute(std::string("DETACH DATABASE ") + SourceSchema);
        throw;
    }
    db_.execute(std::string("DETACH DATABASE ") + SourceSchema);
}

void CProjectDatabase::copyAttachedProject(const std::vector<LanguageId>& keep)
{
    const std::string schema = SourceSchema;
    // The text and flag columns of every translation that is left behind.
    std::set<std::string> dropped;
    std::vector<LanguageId> droppedIds;
    {
        Statement rows = db_.prepare("SELECT Language, SubLanguage, LanguageStr FROM " + schema + ".Translations");
        while (rows.step()) {
            LanguageId id{rows.intField("Language"), rows.intField("SubLanguage")};
            if (std::find(keep.begin(), keep.end(), id) != keep.end())
                continue;
            droppedIds.push_back(id);
            const std::string name = rows.text("LanguageStr");
            dropped.insert(name);
            dropped.insert(modifiedColumnName(name));
        }
    }
    std::vector<std::string> tables;
    {
        Statement rows = db_.prepare("SELECT name FROM " + schema +
                                     ".sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite_%' ORDER BY name");
        while (rows.step())
            tables.push_back(rows.text(0));
    }

    Transaction transaction(db_);
    checks_.createTablesNamed(tables);  // the checks' tables exist only once written
    exports_.createTablesNamed(tables);  // so do the record of what exports sent
    for (const std::string& table : tables) {
        if (!db_.tableExists(table))
            continue;  // not part of a project this program knows
        std::vector<SourceColumn> columns;
        {
            Statement info = db_.prepare("SELECT name, upper(type), dflt_value FROM pragma_table_info(:Table, :Schema) "
                                         "ORDER BY cid");
            info.bind("Table", table).bind("Schema", schema);
            while (info.step())
                if (!dropped.count(info.text(0)))
                    columns.push_back({info.text(0), columnTypeOf(info.text(1), info.text(2))});
        }
        std::vector<std::string> names;
        for (const SourceColumn& column : columns) {
            if (!db_.fieldExists(table, column.name))
                db_.addColumn(table, column.name, column.type);
            names.push_back(column.name);
        }
        if (names.empty())
            continue;
        const std::string list = joinedColumns(names);
        db_.execute("INSERT INTO main." + quoteIdentifier(table) + " (" + list + ") SELECT " + list + " FROM " + schema +
                    "." + quoteIdentifier(table));
    }
    for (const LanguageId& id : droppedIds) {
        query(qn::Delete_Translation).bind("LanguageId", id.language).bind("SubLanguageId", id.sublanguage).execute();
        query(qn::Delete_TranslationInfo).bind("LanguageId", id.language).bind("SubLanguageId", id.sublanguage).execute();
        checks_.forgetLanguage(id);
        exports_.forgetLanguage(id);
    }
    transaction.commit();
}

} // namespace qmk
