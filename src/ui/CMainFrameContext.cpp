// The main window's side of the command context.
#include "ui/CMainFrameContext.h"

#include <QComboBox>
#include <QMdiArea>
#include <QMdiSubWindow>

#include "ui/CChildFrame.h"
#include "ui/CPreviewView.h"

namespace qmk {

CChildFrame* CMainFrame::Context::projectOf(const CPreviewView& preview) const
{
    return frame_.childOf(preview.document());
}

void CMainFrame::Context::bringForward(CChildFrame& project)
{
    frame_.area_->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(project.parentWidget()));
}

QString CMainFrame::Context::listedLanguage() const
{
    return frame_.languageList_->currentText();
}

void CMainFrame::Context::translationsChanged()
{
    frame_.fillLanguageList();
    frame_.updateCommandStates();
}

} // namespace qmk
