// The pictures an export names beside each text: "/SHOTS-INDEX <folder>" after an export's
// parameters reads the folder's shots.json (written by /SHOTS, in the same run or before).
#pragma once

#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "app/BatchRunner.h"
#include "app/PictureIndex.h"
#include "exchange/ExchangeDocument.h"

namespace qmk {

// Takes "/SHOTS-INDEX <folder>" out of an export's parameters; `folder` stays empty without it.
// False, with a usage error reported, when the folder is missing or fewer than `needed`
// parameters remain.
bool takePictureFolder(std::vector<std::string>& params, std::size_t needed, std::string& folder,
                       BatchReport& report);

// The folder's index; nothing, reported, when it cannot be read.
std::optional<PictureIndex> loadPictureIndex(const std::string& folder, BatchReport& report);

// Gives each unit the index lists its picture and rectangle; the count of units given one.
std::size_t attachPictures(const PictureIndex& index, std::vector<ExchangeUnit>& units);

// The picture file of each text by its line, for the workbook's picture column.
std::unordered_map<int, std::string> picturesByLine(const PictureIndex& index, const std::vector<ExchangeUnit>& units);

} // namespace qmk
