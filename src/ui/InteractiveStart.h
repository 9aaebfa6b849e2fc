// Entry into the windowed program: the only place that creates the QApplication.
#pragma once

namespace qmk {

class CBatchCommandLineInfo;
class Settings;

// Runs the desktop application until its main window closes; returns the exit code.
int runInteractive(int argc, char** argv, const CBatchCommandLineInfo& cmd, Settings& settings);

} // namespace qmk
