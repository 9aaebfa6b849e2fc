// The windowed program: start-up checks, the main window, and the project named on the
// command line. Everything that decides (the open projects, the recent list, the project file
// list) is core code; this class only puts it on the screen.
#pragma once

#include <QFont>
#include <memory>
#include <string>
#include <vector>

#include "ui/CGuardedApplication.h"

namespace qmk {

class CBatchCommandLineInfo;
class CMainFrame;
class CMessageBoxFeedback;
class Settings;
struct LogFont;

class CQuillApp : public CGuardedApplication {
public:
    CQuillApp(int& argc, char** argv);
    ~CQuillApp() override;

    // False when a start-up check failed (reported); the program then ends.
    bool InitInstance(const CBatchCommandLineInfo& cmd, Settings& settings);
    CMainFrame* mainFrame() const { return frame_.get(); }

    // The font of the project windows' tree and table, from the settings' logical font.
    static QFont splitWindowFont(const LogFont& font, int dpi);

private:
    std::unique_ptr<CMessageBoxFeedback> feedback_;
    std::unique_ptr<CMainFrame> frame_;
};

} // namespace qmk
