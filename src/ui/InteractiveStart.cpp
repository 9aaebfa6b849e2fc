// Entry into the windowed program.
#include "ui/InteractiveStart.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>

#include "app/CBatchCommandLineInfo.h"
#include "app/Settings.h"
#include "app/Startup.h"
#include "ui/CGuardedApplication.h"
#include "ui/CMessageBoxFeedback.h"

namespace qmk {

int runInteractive(int argc, char** argv, const CBatchCommandLineInfo& cmd, Settings& settings)
{
    CGuardedApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillmark"));

    CMessageBoxFeedback feedback;
    std::vector<std::string> includeExtensions;
    if (!runStartupChecks(settings, feedback, includeExtensions))
        return 1;

    QMainWindow frame;
    frame.setWindowTitle(QStringLiteral("Quillmark"));
    auto* label = new QLabel(cmd.fileName().empty()
                                 ? QStringLiteral("No project open.")
                                 : QStringLiteral("Project: %1").arg(QString::fromStdString(cmd.fileName())));
    label->setAlignment(Qt::AlignCenter);
    frame.setCentralWidget(label);
    frame.resize(900, 600);
    frame.show();
    return app.exec();
}

} // namespace qmk
