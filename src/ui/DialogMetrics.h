// The font dialogs are shown in and what it measures: dialog units in pixels and the width of
// a text, for the dialog preview and for the fit check run without a window.
#pragma once

#include <QFont>
#include <optional>

#include "database/ProjectRows.h"

#include "project/TextFit.h"

namespace qmk {

class CQuillDoc;

// The face dialogs were designed for, or a metric-compatible one that Debian installs.
QFont dialogFont();
// What a preview shows a language in (none: the source): the project's font for it where it
// names one, else the dialog font.
QFont previewFont(CQuillDoc& doc, const std::optional<LanguageId>& language);
// Pixels per dialog unit in that font, and the width of a line of text.
TextMetrics dialogTextMetrics(const QFont& font = dialogFont());
// The same for a run without a window: a screenless application is made when there is none.
TextMetrics headlessDialogTextMetrics();
// The application a run without a window draws in: made on Qt's offscreen platform when there
// is none, so that widgets can be drawn into pictures without a display.
void ensureHeadlessApplication();

} // namespace qmk
