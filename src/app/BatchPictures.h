// /SHOTS <project> <language|source> [language 2] <folder>: a picture of every dialog and menu
// in the language (two languages side by side, the first left), and the index shots.json.
#pragma once

#include <string>
#include <vector>

#include "app/BatchRunner.h"
#include "app/PictureRenderer.h"

namespace qmk {

BatchStatus batchPictures(const std::vector<std::string>& params, BatchReport& report,
                          const std::vector<std::string>& includeExtensions, PictureRenderer& renderer);

} // namespace qmk
