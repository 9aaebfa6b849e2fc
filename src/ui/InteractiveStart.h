// Entry into the windowed program: the only place that creates the QApplication.
#pragma once

#include <string>

namespace qmk {

// Runs the desktop application until its main window closes; returns the exit code.
int runInteractive(int argc, char** argv, const std::string& fileToOpen);

} // namespace qmk
