// The windowed program's start.
#include "ui/CQuillApp.h"

#include "app/CBatchCommandLineInfo.h"
#include "app/Settings.h"
#include "app/Startup.h"
#include "ui/CMainFrame.h"
#include "ui/CMessageBoxFeedback.h"
#include "ui/CommandTable.h"

namespace qmk {

CQuillApp::CQuillApp(int& argc, char** argv) : CGuardedApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Quillmark"));
    setApplicationVersion(QStringLiteral(QMK_VERSION));
    setDesktopFileName(QStringLiteral("qmk32"));
    useDesktopIconTheme();
}

CQuillApp::~CQuillApp()
{
    frame_.reset();  // the projects close before the feedback they report through
}

QFont CQuillApp::splitWindowFont(const LogFont& logFont, int dpi)
{
    QFont font;
    if (!logFont.faceName.empty())
        font.setFamilies({QString::fromStdString(logFont.faceName), font.family()});
    // A logical font's height counts pixels at 96 dots per inch; negative means the glyphs'.
    if (logFont.height != 0)
        font.setPixelSize(std::max(6, std::abs(logFont.height) * dpi / 96));
    font.setWeight(static_cast<QFont::Weight>(std::clamp(logFont.weight / 10 * 10, 100, 900)));
    font.setItalic(logFont.italic != 0);
    font.setUnderline(logFont.underline != 0);
    return font;
}

bool CQuillApp::InitInstance(const CBatchCommandLineInfo& cmd, Settings& settings)
{
    feedback_ = std::make_unique<CMessageBoxFeedback>();
    std::vector<std::string> includeExtensions;
    if (!runStartupChecks(settings, *feedback_, includeExtensions))
        return false;
    frame_ = std::make_unique<CMainFrame>(settings, *feedback_, includeExtensions);
    frame_->setProjectFont(splitWindowFont(settings.readSplitWindowFont(), frame_->logicalDpiY()));
    frame_->show();
    if (!cmd.fileName().empty())
        frame_->openDocument(cmd.fileName());
    return true;
}

} // namespace qmk
