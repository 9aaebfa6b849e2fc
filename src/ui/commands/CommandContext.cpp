// The command context's own part: what every window offers alike.
#include "ui/commands/CommandContext.h"

#include <QMainWindow>
#include <QStatusBar>

namespace qmk {

void CommandContext::showStatus(const QString& text, int timeout)
{
    window().statusBar()->showMessage(text, timeout);
}

} // namespace qmk
