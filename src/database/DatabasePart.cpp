// What the parts of a project database share: the connection, queries by name, row readers.
#include "database/DatabasePart.h"

#include "database/CProjectDatabase.h"
#include "database/QueryCatalogue.h"
#include "database/QueryNames.h"
#include "database/StatementReaders.h"
#include "database/TranslationColumnNames.h"

namespace qmk {

Statement DatabasePart::query(std::string_view name)
{
    return db_.prepare(queries::sql(name));
}

void DatabasePart::report(const DaoException& error)
{
    owner_.report(error);
}

std::vector<TextMatch> DatabasePart::textMatches(Statement& statement)
{
    std::vector<TextMatch> matches;
    int line = statement.column("LineIndex");
    int text = statement.column("SourceText");
    while (statement.step())
        matches.push_back({static_cast<int>(statement.integer(line)), text >= 0 ? statement.text(text) : std::string()});
    return matches;
}

std::vector<TextRow> DatabasePart::textRows(Statement& statement, bool withKind)
{
    struct Columns {
        int text, modified;
    };
    std::vector<Columns> translationColumns;
    for (const TranslationRow& t : owner_.languages().translations()) {
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

} // namespace qmk
