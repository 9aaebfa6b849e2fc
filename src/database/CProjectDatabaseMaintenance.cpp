// CProjectDatabase, part five: the tidy-up after a source update, and the counting of
// translated and changed texts for the status, the gauge and the previews.
#include "database/CProjectDatabase.h"

#include "database/LineKinds.h"
#include "database/QueryCatalogue.h"
#include "database/Transaction.h"
#include "database/TranslationColumnNames.h"
#include "database/QueryNames.h"

namespace qmk {

namespace {

bool isDialogKind(int kind)
{
    return kind == dbkind::DialogCaption || kind == dbkind::Control ||
           (kind >= dbkind::FirstControl && kind <= dbkind::LastControl) ||
           (kind >= dbkind::FirstAutoControl && kind <= dbkind::LastAutoControl);
}

// False for a text whose category the caller does not count.
bool counted(int kind, const CountedKinds& kinds)
{
    if (kind == dbkind::Bitmap)
        return kinds.bitmaps;
    if (kind == dbkind::VersionBlock || kind == dbkind::VersionValue)
        return kinds.versions;
    if (kind == dbkind::Include || kind == dbkind::RcInclude)
        return kinds.includes;
    if (isDialogKind(kind))
        return kinds.dialogs;
    if (kind == dbkind::Popup || kind == dbkind::MenuItem)
        return kinds.menus;
    if (kind == dbkind::StringtableString)
        return kinds.stringtables;
    return true;
}

struct TranslationFields {
    int text = -1;
    int modified = -1;
};

TranslationFields translationFields(const Statement& rows, const std::string& name)
{
    return {rows.column(name), rows.column(modifiedColumnName(name))};
}

bool isChanged(const Statement& rows, const TranslationFields& f)
{
    return f.modified >= 0 && rows.integer(f.modified) != 0;
}

bool isTranslated(const Statement& rows, const TranslationFields& f)
{
    return f.text >= 0 && !rows.isNull(f.text) && !rows.text(f.text).empty();
}

} // namespace

void CProjectDatabase::removeObsoleteRows()
{
    Transaction transaction(db_);
    for (const queries::ObsoleteRowQuery& obsolete : queries::obsoleteRowQueries())
        db_.prepare(obsolete.deleteSql).execute();
    for (const LanguageId& id : translationIds()) {
        std::string name = translationColumnName(id.language, id.sublanguage);
        if (name.empty() || !db_.fieldExists("ResourceText", name) ||
            !db_.fieldExists("ResourceText", modifiedColumnName(name)))
            continue;
        db_.prepare(queries::withTranslationColumns(queries::sql(qn::Pass_Changes_To_Translation), name)).execute();
    }
    query(qn::Clear_Modified).execute();
    query(qn::Clear_Added).execute();
    transaction.commit();
}

TranslationStatistics CProjectDatabase::translationStatistics(LanguageId language, const CountedKinds& kinds)
{
    TranslationStatistics stats;
    std::string name = translationColumnName(language.language, language.sublanguage);
    if (name.empty())
        return stats;
    Statement rows = query(queries::TextsWithLineKind);
    TranslationFields fields = translationFields(rows, name);
    int kind = rows.column("LineIdentSym");
    int exclude = rows.column("Exclude");
    while (rows.step()) {
        if (!counted(static_cast<int>(rows.integer(kind)), kinds) || rows.integer(exclude) != 0)
            continue;
        ++stats.total;
        if (isChanged(rows, fields))
            ++stats.changed;
        else if (isTranslated(rows, fields))
            ++stats.translated;
    }
    return stats;
}

ResourceStatistics CProjectDatabase::resourceStatistics(std::initializer_list<std::string_view> queryNames,
                                                        const char* parameter, int lineIndex, LanguageId language)
{
    ResourceStatistics stats;
    std::string name = translationColumnName(language.language, language.sublanguage);
    for (std::string_view queryName : queryNames) {
        Statement rows = query(queryName);
        rows.bind(parameter, lineIndex);
        TranslationFields fields = name.empty() ? TranslationFields{} : translationFields(rows, name);
        int exclude = rows.column("Exclude");
        while (rows.step()) {
            ++stats.texts;
            if (rows.integer(exclude) != 0)
                ++stats.excluded;
            else if (isChanged(rows, fields))
                ++stats.changed;
            else if (isTranslated(rows, fields))
                ++stats.translated;
        }
    }
    return stats;
}

ResourceStatistics CProjectDatabase::dialogStatistics(int dlgLineIndex, LanguageId language)
{
    return resourceStatistics({qn::ResourceStrings_Of_DialogControls, qn::ResourceString_Of_DialogCaption}, "DlgLineIndex",
                              dlgLineIndex, language);
}

ResourceStatistics CProjectDatabase::menuStatistics(int menuLineIndex, LanguageId language)
{
    return resourceStatistics({qn::ResourceStrings_Of_Menu}, "MenuLineIndex", menuLineIndex, language);
}

ProjectStatus CProjectDatabase::computeStatus()
{
    std::vector<LanguageId> ids = translationIds();
    if (ids.empty())
        return ProjectStatus::NoTranslation;
    for (const LanguageId& id : ids) {
        TranslationStatistics stats = translationStatistics(id);
        if (stats.translated < stats.total)
            return ProjectStatus::NotComplete;
    }
    return ProjectStatus::Translated;
}

} // namespace qmk
