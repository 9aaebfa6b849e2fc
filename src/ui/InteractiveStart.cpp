// Entry into the windowed program.
#include "ui/InteractiveStart.h"

#include "ui/CQuillApp.h"

namespace qmk {

int runInteractive(int argc, char** argv, const CBatchCommandLineInfo& cmd, Settings& settings)
{
    CQuillApp app(argc, argv);
    if (!app.InitInstance(cmd, settings))
        return 1;
    return app.exec();
}

} // namespace qmk
