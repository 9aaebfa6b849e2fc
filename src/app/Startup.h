// Start-up checks shared by the windowed program and the batch run, and the batch start.
#pragma once

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

#include "project/TextFit.h"

namespace qmk {

class CBatchCommandLineInfo;
class Feedback;
class PictureRenderer;
class Settings;

// The linked SQLite is usable and new enough for what the project databases need.
bool databaseEngineAvailable();

// Engine presence and the include-extension setting; reports through feedback. On success
// `includeExtensions` holds the accepted entries.
bool runStartupChecks(Settings& settings, Feedback& feedback, std::vector<std::string>& includeExtensions);

// The whole batch start and run; returns the process exit status.
// `measure` gives the font measure of the fit check (the window's font where the program has
// one); without it the check counts four dialog units a character.
// `pictures` gives the drawing of dialogs and menus for /SHOTS; without it there is no /SHOTS.
int runBatchMode(const CBatchCommandLineInfo& cmd, Settings& settings, std::ostream& out, std::ostream& err,
                 const std::function<TextMetrics()>& measure = {},
                 const std::function<PictureRenderer&()>& pictures = {});

// Whether a window can be shown: a display (X11 or Wayland) or a Qt platform named.
bool displayAvailable();

} // namespace qmk
