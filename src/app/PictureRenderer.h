// Pictures of a project's dialogs and menus as the previews draw them, for translators who work
// away from the window. The drawing belongs to the window side; the batch run reaches it through
// this interface, which the program registers when it has its window library.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "database/ProjectRows.h"
#include "project/PreviewLayout.h"
#include "project/PreviewTarget.h"

namespace qmk {

class CQuillDoc;

// A resource in one language, or in two side by side (none: the source texts).
struct PictureRequest {
    PreviewKind kind = PreviewKind::Dialog;
    int resourceLine = -1;
    std::vector<std::optional<LanguageId>> languages;
};

// Where one text stands in a picture; `panel` counts the languages from the left.
struct PictureUnit {
    int lineIndex = -1;
    int panel = 0;
    PixelRect rect;
};

struct Picture {
    std::string png;  // the file's bytes
    int width = 0;
    int height = 0;
    std::vector<PictureUnit> units;
};

class PictureRenderer {
public:
    virtual ~PictureRenderer() = default;
    virtual Picture render(CQuillDoc& doc, const PictureRequest& request) = 0;
};

} // namespace qmk
