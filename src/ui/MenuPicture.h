// A menu drawn open for its picture: the bar, and every popup open below its entry or beside
// the item that opens it, in the style's own menu look.
#pragma once

#include <QImage>
#include <optional>
#include <vector>

#include "app/PictureRenderer.h"

namespace qmk {

QImage menuPicturePanel(CQuillDoc& doc, int menuLine, const std::optional<LanguageId>& language, int panel,
                        std::vector<PictureUnit>& units);

} // namespace qmk
