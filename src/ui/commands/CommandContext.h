// What a command of the window works on and with: the project in front and its chosen item, the
// preview in front, and the window's services (messages, settings, panels, previews, the window
// itself as the parent of dialogs). The main window provides it; handlers never see the window's
// class, so a new command is its handler in a feature file and its row in the command table.
#pragma once

#include <QString>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <typeindex>
#include <vector>

#include "project/CommandRules.h"
#include "project/PreviewTarget.h"

class QAction;
class QDockWidget;
class QMainWindow;
class QMdiArea;

namespace qmk {

class CChildFrame;
class CMemoryView;
class CMessageBoxFeedback;
class CPreviewView;
class CRowListView;
class CTranslDlgView;
class MemoryFeeds;
class Settings;

class CommandContext {
public:
    virtual ~CommandContext() = default;

    // The project in front, or the project of the preview in front; null when none is open.
    virtual CChildFrame* project() const = 0;
    // The preview in front; null when a project window or nothing is.
    virtual CPreviewView* preview() const = 0;
    virtual std::vector<CChildFrame*> projects() const = 0;
    virtual std::vector<CPreviewView*> previews() const = 0;
    virtual CChildFrame* projectOf(const CPreviewView& preview) const = 0;
    virtual void bringForward(CChildFrame& project) = 0;
    // Opens a script or project database (an open one comes forward); null when it failed.
    virtual CChildFrame* openDocument(const std::filesystem::path& path) = 0;
    // Opens or brings forward the preview of a project's dialog, menu or bitmap.
    virtual CPreviewView* openPreview(CChildFrame& project, const PreviewTarget& target) = 0;

    // The main window: the parent of dialogs, its status bar and its bars.
    virtual QMainWindow& window() = 0;
    virtual QMdiArea& area() = 0;
    virtual QAction* action(int id) const = 0;
    virtual CMessageBoxFeedback& feedback() = 0;
    virtual Settings& settings() = 0;
    virtual MemoryFeeds& memory() = 0;
    // The project databases open in the window.
    virtual std::vector<std::filesystem::path> openDatabases() const = 0;
    // The extensions of included files that are read too (changed by the settings).
    virtual std::vector<std::string>& includeExtensions() = 0;
    // The translation memory's settings as stored now put in force.
    virtual void applyMemorySettings() = 0;

    // The panels.
    virtual CTranslDlgView& translateForm() = 0;
    virtual CRowListView& projectFiles() = 0;
    virtual CMemoryView& memoryView() = 0;
    virtual QDockWidget* panel(int command) = 0;
    // The translation the "Language" toolbar's list names.
    virtual QString listedLanguage() const = 0;
    // After a jump to a text: the caret at the end of its translation, where the bar shows it.
    virtual void landInTranslationBox() = 0;
    // The project's translations changed: the language list, the settings menu and the
    // commands' states follow.
    virtual void translationsChanged() = 0;

    // A message in the status bar, for `timeout` milliseconds (0: until the next one).
    void showStatus(const QString& text, int timeout = 0);

    // State a feature keeps for the window's life (its search history, the columns chosen
    // last), made on first use.
    template <class T>
    T& kept()
    {
        std::shared_ptr<void>& slot = kept_[std::type_index(typeid(T))];
        if (!slot)
            slot = std::make_shared<T>();
        return *static_cast<T*>(slot.get());
    }

private:
    std::map<std::type_index, std::shared_ptr<void>> kept_;
};

// What the commands' rules decide on: the project in front, its chosen item, the preview in
// front and the project list's selection.
CommandState commandState(CommandContext& ctx);

} // namespace qmk
