// The main window's side of the command context: what its commands reach of it.
#pragma once

#include "ui/CMainFrame.h"
#include "ui/commands/CommandContext.h"

namespace qmk {

class CMainFrame::Context : public CommandContext {
public:
    explicit Context(CMainFrame& frame) : frame_(frame) {}

    CChildFrame* project() const override { return frame_.activeChild(); }
    CPreviewView* preview() const override { return frame_.activePreview(); }
    std::vector<CChildFrame*> projects() const override { return frame_.children(); }
    std::vector<CPreviewView*> previews() const override { return frame_.previews(); }
    CChildFrame* projectOf(const CPreviewView& preview) const override;
    void bringForward(CChildFrame& project) override;
    CChildFrame* openDocument(const std::filesystem::path& path) override { return frame_.openDocument(path); }
    CPreviewView* openPreview(CChildFrame& project, const PreviewTarget& target) override
    {
        return frame_.openPreview(&project, target);
    }

    QMainWindow& window() override { return frame_; }
    QMdiArea& area() override { return *frame_.area_; }
    QAction* action(int id) const override { return frame_.action(id); }
    CMessageBoxFeedback& feedback() override { return frame_.feedback_; }
    Settings& settings() override { return frame_.settings_; }
    MemoryFeeds& memory() override { return frame_.memoryFeeds_; }
    std::vector<std::filesystem::path> openDatabases() const override { return frame_.open_.databases(); }
    std::vector<std::string>& includeExtensions() override { return frame_.includeExtensions_; }
    void applyMemorySettings() override { frame_.applyMemorySettings(); }

    CTranslDlgView& translateForm() override { return *frame_.translateForm_; }
    CRowListView& projectFiles() override { return *frame_.projectFiles_; }
    CMemoryView& memoryView() override { return *frame_.memoryView_; }
    QDockWidget* panel(int command) override { return frame_.panelOf(command); }
    QString listedLanguage() const override;
    void landInTranslationBox() override { frame_.landInTranslationBox(); }
    void translationsChanged() override;

private:
    CMainFrame& frame_;
};

} // namespace qmk
