// Whether translated texts fit their controls: a text wider than its control in the dialog's
// font (the mnemonic "&" left out, a multi-line static wrapped at its width) would be cut off in
// the translated program. The window measures with the real font; the check over a whole
// project takes the measure it is given.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "database/ProjectRows.h"
#include "project/PreviewLayout.h"

namespace qmk {

class CQuillDoc;

struct TextMetrics {
    std::function<int(std::string_view utf8)> width;  // pixels of one line
    int lineHeight = 13;                              // pixels
    double xScale = 1.5;                              // pixels per horizontal dialog unit
    double yScale = 1.625;                            // pixels per vertical dialog unit
};

// An approximate measure for runs that cannot ask a font: four dialog units a character.
TextMetrics approximateTextMetrics();

// The text as a control draws it: "&&" is one "&", a single "&" marks the mnemonic and is not
// drawn.
std::string drawnText(std::string_view text);
// Pixels by which the text overflows its control (0 when it fits).
int textOverflow(const PreviewControl& control, std::string_view text, const TextMetrics& metrics);

struct FitProblem {
    std::string dialog;
    std::string control;
    std::string text;       // UTF-8, as shown
    int overflowUnits = 0;  // horizontal dialog units
    int lineIndex = -1;
};
// Every translated text of every dialog of the project that does not fit, in script order.
std::vector<FitProblem> checkTextFit(CQuillDoc& doc, LanguageId language, const TextMetrics& metrics);

} // namespace qmk
