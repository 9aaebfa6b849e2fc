// The setup program's command line: scripted installs and deinstalls through the same engine as
// the window, without one. Each step and each refusal is printed on its own line, as the
// window shows it, and the exit status tells whether everything was done.
#pragma once

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "setup/SetupEngine.h"

namespace qmk::setup {

inline constexpr int kSetupDone = 0;
inline constexpr int kSetupFailed = 1;  // a failure, or something setup refused to touch
inline constexpr int kSetupUsage = 2;

struct SetupCommand {
    enum class Action { Window, Help, Version, Install, Deinstall, Wrong };
    Action action = Action::Window;
    std::string folder;
    bool program = false;
    bool demo = false;
    bool overwriteDemo = false;  // replace a changed demo project instead of keeping it
    std::string problem;         // for Wrong: what is wrong with the command line
};

// The arguments after the program's name. Install without --program or --demo installs both.
SetupCommand parseSetupCommand(const std::vector<std::string_view>& arguments);

// Runs every command but Window: prints the steps to `out`, refusals and failures to `err`,
// and returns the exit status.
int runSetupCommand(const SetupCommand& command, const SetupOptions& options, std::ostream& out, std::ostream& err);

} // namespace qmk::setup
