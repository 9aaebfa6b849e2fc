// Installing and removing Quillmark: the rules that enable the two buttons, the copy of the
// chosen file groups, the installation record, the project file list and the menu entries.
// No windows here: everything said or asked goes through SetupFeedback.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "setup/MenuEntries.h"
#include "setup/SetupFeedback.h"

namespace qmk::setup {

struct SetupOptions {
    // The folder of the running setup program: where the files to install are looked for.
    std::filesystem::path sourceFolder;
    std::filesystem::path installRecord;  // install.ini
    std::filesystem::path settingsFile;   // the program's qmk32.ini
    MenuLocations menus;
    std::string version;

    // Everything from the environment and the running program.
    static SetupOptions fromEnvironment();
};

// "$HOME/qmk32".
std::string defaultDestination();

// An absolute path longer than 3 characters without blanks, and something to install.
bool installEnabled(std::string_view destination, bool program, bool demo);
// An installation is recorded: install.ini has a PATH that is not empty.
bool deinstallEnabled(const std::filesystem::path& installRecord);

enum class InstallEnd {
    Refused,        // the destination is the source folder
    Stopped,        // a folder could not be created, or the disk is full
    Cancelled,      // the person chose Cancel
    Incomplete,     // some files were not copied, or a record could not be written
    Complete,       // program installed and in the menu
    DemoInstalled,  // only the demo files were chosen, all copied
    GroupFailed,    // everything copied, the menu entries could not be written
};

struct InstallResult {
    InstallEnd end = InstallEnd::Refused;
    bool closeProgram = false;  // the dialog's work is done, or the person wants to leave
    int copied = 0;
    int notCopied = 0;
    std::vector<std::string> projectFiles;  // the installed demo projects, in copying order
    bool demoKept = false;                  // the person's changed demo project was left as it was
    std::vector<std::string> refused;       // links and other things in the way, left as they were
};

struct DeinstallResult {
    int removedFiles = 0;
    int removedFolders = 0;
    int keptFiles = 0;               // files below the installation folder setup had not installed
    bool stillInstalled = false;     // PATH could not be removed: Deinstall stays enabled
    std::vector<std::string> notRemoved;  // what should have gone and could not
    std::vector<std::string> refused;     // links, and list entries outside the folder, left alone
};

class SetupEngine {
public:
    SetupEngine(SetupOptions options, SetupFeedback& feedback);

    InstallResult install(const std::string& destination, bool program, bool demo);
    // Removes the recorded installation.
    DeinstallResult deinstall();
    // Removes what setup installed in `folder` (none when empty), then the menu entries, the
    // program's settings and the installation record.
    DeinstallResult deinstall(const std::filesystem::path& folder);

private:
    class Run;
    std::string removeInstalled(const std::filesystem::path& folder, DeinstallResult& result);
    SetupOptions options_;
    SetupFeedback& feedback_;
};

} // namespace qmk::setup
