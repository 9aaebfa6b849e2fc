// What the setup engine asks of the person at the keyboard: messages, a yes/no question, whether
// to keep a changed demo project, the status line and progress bar, and the source folder of a
// file that cannot be found. The dialog answers with message boxes and a folder prompt, the
// command line from its options; tests answer from a script.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "resources/Feedback.h"

namespace qmk::setup {

// Why the source folder prompt is shown: which file is missing, and of which part of the
// distribution (the program files are part 1 of 2, the demo files part 2).
struct SourceFolderRequest {
    int part = 1;
    int parts = 2;
    std::string file;
    std::filesystem::path folder;  // where it was looked for last: the initial text of the prompt
};

class SetupFeedback {
public:
    virtual ~SetupFeedback() = default;

    virtual void message(const std::string& text, Icon icon) = 0;
    virtual bool askYesNo(const std::string& text) = 0;
    // The demo project was changed since setup installed it: true keeps it as it is, false
    // writes the original demo files over it.
    virtual bool askKeepChangedDemo(const std::string& question) = 0;
    virtual void status(const std::string& text) = 0;
    virtual void progress(int done, int total) = 0;
    // The folder to look in now; nullopt when the person chose Cancel.
    virtual std::optional<std::filesystem::path> askSourceFolder(const SourceFolderRequest& request) = 0;
    // Polled between two files: the person asked to stop the installation.
    virtual bool cancelled() { return false; }
    virtual void beep() {}
};

} // namespace qmk::setup
