// The font dialogs are shown in and what it measures: dialog units in pixels and the width of
// a text, for the dialog preview and for the fit check run without a window.
#pragma once

#include <QFont>

#include "project/TextFit.h"

namespace qmk {

// The face dialogs were designed for, or a metric-compatible one that Debian installs.
QFont dialogFont();
// Pixels per dialog unit in that font, and the width of a line of text.
TextMetrics dialogTextMetrics(const QFont& font = dialogFont());
// The same for a run without a window: a screenless application is made when there is none.
TextMetrics headlessDialogTextMetrics();

} // namespace qmk
