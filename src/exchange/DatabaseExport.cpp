// The export of a project to a new database.
#include "exchange/DatabaseExport.h"

#include "database/CProjectDatabase.h"
#include "database/DaoException.h"
#include "resources/Feedback.h"
#include "resources/Messages.h"
#include "resources/Texts.h"

namespace qmk {
namespace {

bool sameFile(const std::filesystem::path& a, const std::filesystem::path& b)
{
    std::error_code ec;
    if (std::filesystem::equivalent(a, b, ec))
        return true;
    return std::filesystem::weakly_canonical(a, ec) == std::filesystem::weakly_canonical(b, ec);
}

} // namespace

bool DatabaseExport::checkTarget(const std::filesystem::path& target, const std::filesystem::path& currentDatabase,
                                 const std::vector<std::filesystem::path>& openDatabases)
{
    if (sameFile(target, currentDatabase)) {
        feedback_.messageText(fillPlaceholders(txt::ExportIsCurrentDatabase, {target.string()}), Icon::Stop);
        return false;
    }
    for (const std::filesystem::path& open : openDatabases) {
        if (sameFile(target, open)) {
            feedback_.messageText(fillPlaceholders(txt::ExportDatabaseIsOpen, {target.string()}), Icon::Stop);
            return false;
        }
    }
    return true;
}

bool DatabaseExport::run(CProjectDatabase& source, const std::filesystem::path& target,
                         const std::vector<LanguageId>& languages)
{
    try {
        CProjectDatabase exported;
        exported.createNew(target);
        exported.copyProjectFrom(source.path(), languages);
        // The stored status counted the translations that were left behind.
        exported.setStatus(exported.computeStatus());
        exported.finishNew();
        exported.close();
    } catch (const DaoException& e) {
        feedback_.messageText(e.report(), Icon::Stop);
        return false;
    }
    feedback_.messageText(fillPlaceholders(txt::ExportDatabaseDone, {target.string()}), Icon::Information);
    return true;
}

} // namespace qmk
