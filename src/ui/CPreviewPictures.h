// The pictures of dialogs and menus the batch run writes, drawn by the previews' own code: a
// dialog is its preview rendered offscreen (texts too wide outlined as the preview outlines
// them), a menu is drawn open with its popups side by side.
#pragma once

#include <QImage>

#include "app/PictureRenderer.h"

namespace qmk {

class CPreviewPictures : public PictureRenderer {
public:
    Picture render(CQuillDoc& doc, const PictureRequest& request) override;

    // One language's panel, with its texts' places added to `units`.
    static QImage dialogPanel(CQuillDoc& doc, int dialogLine, const std::optional<LanguageId>& language, int panel,
                              std::vector<PictureUnit>& units);
    // The file's bytes: PNG with fixed settings, so the same picture gives the same bytes.
    static std::string pngBytes(QImage image);
};

// The renderer of a run without a window, its screenless application made first.
PictureRenderer& headlessPictureRenderer();

} // namespace qmk
