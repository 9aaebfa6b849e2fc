// /SHOTS <project> <language|source> [language 2] <folder>: a picture of every dialog and menu
// in the language (two languages side by side, the first left), and the index shots.json.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "app/BatchRunner.h"
#include "app/PictureRenderer.h"
#include "project/OperationResult.h"

namespace qmk {

struct PicturesWritten {
    // Done; Cancelled between two pictures (those written stay, no shots.json); Failed with
    // the reason in `problem`.
    OperationResult outcome = OperationResult::Failed;
    std::string problem;
    std::size_t pictures = 0;
    std::size_t units = 0;    // texts placed in a picture
    std::size_t undrawn = 0;  // texts of dialogs and menus no picture shows
};

// A picture of every dialog and menu of an open project (its rows loaded) in one language, or
// two side by side (none: the source), and shots.json, into `folder` (made when missing).
// Progress and Cancel through the document's feedback: a dialog in the window, nothing in batch.
PicturesWritten writeProjectPictures(CQuillDoc& doc, PictureRenderer& renderer,
                                     const std::vector<std::optional<LanguageId>>& languages,
                                     const std::filesystem::path& folder);

BatchStatus batchPictures(const std::vector<std::string>& params, BatchReport& report,
                          const std::vector<std::string>& includeExtensions, PictureRenderer& renderer);

} // namespace qmk
