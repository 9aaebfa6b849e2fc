// The project file list's lines.
#include "app/ProjectFileRows.h"

#include "database/CProjectDatabase.h"
#include "database/DaoException.h"
#include "database/ProjectRows.h"
#include "database/TranslationColumnNames.h"
#include "project/FileStamp.h"
#include "project/ProjectFileNames.h"
#include "resources/UiTexts.h"

namespace qmk {
namespace {

const char* stateText(int status)
{
    switch (static_cast<ProjectStatus>(status)) {
    case ProjectStatus::NotComplete: return txt::StateNotComplete;
    case ProjectStatus::Translated: return txt::StateTranslated;
    default: return txt::StateNoTranslation;
    }
}

} // namespace

ProjectFileRow projectFileRow(const std::filesystem::path& script)
{
    ProjectFileRow row;
    row.path = script;
    row.file = script.filename().string();
    row.directory = script.parent_path().string();
    std::error_code ec;
    row.size = std::filesystem::file_size(script, ec);
    if (ec)
        row.size = 0;
    row.state = txt::StateNoTranslation;
    const std::filesystem::path database = databaseForScript(script);
    if (!std::filesystem::is_regular_file(database, ec) || !CProjectDatabase::isProjectDatabase(database))
        return row;
    try {
        CProjectDatabase db;
        // Checked just above: the engine's integrity check is not run a second time.
        db.open(database, OpenMode{false, true, false});
        for (const TranslationRow& translation : db.languages().translations())
            row.translations += (row.translations.empty() ? "" : ", ") +
                                translationColumnName(translation.id.language, translation.id.sublanguage);
        if (checkSource(db, script).changed)
            row.state = txt::StateChanged;
        else
            row.state = stateText(db.status().value_or(0));
    } catch (const DaoException&) {
        // A damaged database is shown as a project without translations; opening it says why.
    }
    return row;
}

} // namespace qmk
