// Runs an outside program for the packaging tests: the installed layout, the demo projects and
// the desktop files are judged by the tools a distribution uses.
#pragma once

#include <filesystem>
#include <string>

namespace qmk::test {

struct CommandResult {
    int status = -1;     // the exit status, -1 when the command did not end normally
    std::string output;  // standard output and standard error together
};

// Runs a shell command line; callers quote their own arguments with quoted().
CommandResult runCommand(const std::string& commandLine);
std::string quoted(const std::filesystem::path& path);
// True when the program is found on PATH.
bool haveProgram(const std::string& name);
// "QMK32_INI=<file>": a settings file of the test run's own, so that the program under test
// never writes the settings of the person running the tests.
std::string ownSettings();
// Copies a folder with its files' modification times, as "cp -a" does.
void copyKeepingTimes(const std::filesystem::path& from, const std::filesystem::path& to);

} // namespace qmk::test
