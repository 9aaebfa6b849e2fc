// The database build.
#include "parser/DatabaseBuild.h"

#include "database/CProjectDatabase.h"
#include "database/LineStore.h"
#include "parser/BuildLineStore.h"
#include "parser/LoadLoop.h"
#include "parser/ParserCodes.h"
#include "parser/ParserError.h"
#include "resources/Feedback.h"

namespace qmk {

BuildResult BuildDatabase(const std::filesystem::path& script, CProjectDatabase& db,
                          const std::vector<std::string>& includeExtensions, Feedback& feedback)
{
    BuildResult result;
    std::unique_ptr<LineStore> rows = db.lineStore();
    BuildLineStore store(*rows);
    LoadLoop loop(store, includeExtensions, feedback);
    result.code = loop.run(script);
    result.missingIncludes = loop.missingIncludes();
    result.namedIncludes = loop.includedFiles();
    result.namedIncludes.insert(result.namedIncludes.end(), loop.skippedFiles().begin(), loop.skippedFiles().end());
    result.sourceEncoding = loop.scriptEncoding();
    loop.reportReading(script);
    if (result.ok())
        rows->commit();
    else if (result.code == ParserCode::Syntax || result.code == ParserCode::OutputOverflow)
        feedback.messageText(ParserError::translationFailedText(script.string()), Icon::Stop);
    return result;
}

} // namespace qmk
