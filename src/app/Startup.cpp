// Start-up checks and the batch start.
#include "app/Startup.h"

#include <cstdlib>
#include <ostream>
#include <sqlite3.h>

#include "app/BatchOperations.h"
#include "app/BatchPictures.h"
#include "app/BatchRunner.h"
#include "app/CBatchCommandLineInfo.h"
#include "app/IncludeExtensions.h"
#include "app/Settings.h"
#include "app/StreamFeedback.h"
#include "resources/MessageIds.h"
#include "resources/Messages.h"
#include "resources/PrintfText.h"
#include "resources/Texts.h"

namespace qmk {
namespace {

// DROP COLUMN, needed to remove a translation's columns, came with SQLite 3.35.
constexpr int kMinimumSqliteVersion = 3035000;

} // namespace

bool databaseEngineAvailable()
{
    return sqlite3_libversion_number() >= kMinimumSqliteVersion && sqlite3_threadsafe() >= 0;
}

bool displayAvailable()
{
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        if (const char* value = std::getenv(name); value && *value)
            return true;
    return false;
}

bool runStartupChecks(Settings& settings, Feedback& feedback, std::vector<std::string>& includeExtensions)
{
    if (!databaseEngineAvailable()) {
        feedback.message(msg::MissingDatabaseEngine, {}, Icon::Stop);
        return false;
    }
    // A settings file that cannot be read leaves the defaults in force, and says so.
    if (!settings.profile().problem().empty())
        feedback.messageText(fillPlaceholders(txt::SettingsUnreadable, {settings.profile().path().string(),
                                                                        settings.profile().problem()}),
                             Icon::Exclamation);
    includeExtensions = splitIncludeExtensions(settings.includeExtensionSetting());
    return checkIncludeExtensions(includeExtensions, feedback);
}

int runBatchMode(const CBatchCommandLineInfo& cmd, Settings& settings, std::ostream& out, std::ostream& err,
                 const std::function<TextMetrics()>& measure, const std::function<PictureRenderer&()>& pictures)
{
    if (!cmd.unrecognisedFlag().empty()) {
        err << printfText(txt::UnknownCommandFlag, {cmd.unrecognisedFlag()});
        return static_cast<int>(BatchStatus::UsageError);
    }
    StreamFeedback toStderr(err);
    std::vector<std::string> includeExtensions;
    if (!runStartupChecks(settings, toStderr, includeExtensions))
        return static_cast<int>(BatchStatus::Failed);

    BatchReport report(out, err, cmd.logFile());
    BatchRunner runner(includeExtensions);
    if (measure)
        runner.setOperation(FlagCode::TextFit, [includeExtensions, measure](const std::vector<std::string>& p,
                                                                            BatchReport& r) {
            return batchTextFit(p, r, includeExtensions, measure());
        });
    if (pictures)
        runner.setOperation(FlagCode::Shots, [includeExtensions, pictures](const std::vector<std::string>& p,
                                                                           BatchReport& r) {
            return batchPictures(p, r, includeExtensions, pictures());
        });
    return static_cast<int>(runner.run(cmd, report));
}

} // namespace qmk
