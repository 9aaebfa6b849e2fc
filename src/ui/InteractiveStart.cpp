// Entry into the windowed program.
#include "ui/InteractiveStart.h"

#include <QApplication>

#include "app/CBatchCommandLineInfo.h"
#include "app/Settings.h"
#include "app/Startup.h"
#include "ui/CGuardedApplication.h"
#include "ui/CMainFrame.h"
#include "ui/CMessageBoxFeedback.h"
#include "ui/CommandTable.h"

namespace qmk {

int runInteractive(int argc, char** argv, const CBatchCommandLineInfo& cmd, Settings& settings)
{
    CGuardedApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillmark"));
    QApplication::setApplicationVersion(QStringLiteral(QMK_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("qmk32"));
    useDesktopIconTheme();

    CMessageBoxFeedback feedback;
    std::vector<std::string> includeExtensions;
    if (!runStartupChecks(settings, feedback, includeExtensions))
        return 1;

    CMainFrame frame(settings, feedback, includeExtensions);
    frame.show();
    if (!cmd.fileName().empty())
        frame.openDocument(cmd.fileName());
    return app.exec();
}

} // namespace qmk
