// Reading the pictures' index for an export and giving its units their pictures.
#include "app/BatchPictureContext.h"

#include <filesystem>

#include "app/CBatchCommandLineInfo.h"
#include "resources/FileNames.h"
#include "resources/PictureTexts.h"
#include "resources/PrintfText.h"
#include "resources/Texts.h"

namespace qmk {

bool takePictureFolder(std::vector<std::string>& params, std::size_t needed, std::string& folder, BatchReport& report)
{
    for (std::size_t i = 0; i < params.size(); ++i) {
        if (!equalsIgnoringCase(params[i], ShotsIndexParameter))
            continue;
        if (i + 1 >= params.size() || equalsIgnoringCase(params[i + 1], ShotsIndexParameter)) {
            report.error(txt::BatchShotsIndexUsage);
            return false;
        }
        folder = params[i + 1];
        params.erase(params.begin() + static_cast<std::ptrdiff_t>(i), params.begin() + static_cast<std::ptrdiff_t>(i) + 2);
        break;
    }
    if (params.size() < needed) {
        report.error(txt::BatchMissingParameter);
        return false;
    }
    return true;
}

std::optional<PictureIndex> loadPictureIndex(const std::string& folder, BatchReport& report)
{
    const std::filesystem::path file = std::filesystem::path(folder) / PictureIndexFileName;
    std::string problem;
    std::optional<std::string> bytes = readInputFile(file, problem);
    std::optional<PictureIndex> index;
    if (bytes)
        index = readPictureIndex(*bytes, problem);
    if (!index)
        report.error(printfText(txt::BatchCannotRead, {file.string(), problem}));
    return index;
}

std::size_t attachPictures(const PictureIndex& index, std::vector<ExchangeUnit>& units)
{
    std::size_t given = 0;
    for (ExchangeUnit& unit : units) {
        const auto place = index.units.find(unit.id);
        if (place == index.units.end())
            continue;
        const PixelRect& r = place->second.rect;
        unit.picture = UnitPicture{place->second.picture, r.left, r.top, r.width(), r.height()};
        ++given;
    }
    return given;
}

std::unordered_map<int, std::string> picturesByLine(const PictureIndex& index, const std::vector<ExchangeUnit>& units)
{
    std::unordered_map<int, std::string> pictures;
    for (const ExchangeUnit& unit : units)
        if (const auto place = index.units.find(unit.id); place != index.units.end())
            pictures.emplace(unit.lineIndex, place->second.picture);
    return pictures;
}

} // namespace qmk
