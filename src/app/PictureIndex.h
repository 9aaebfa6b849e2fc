// The index beside a folder of pictures (shots.json): each picture, the picture and rectangle of
// every text by the unit id the XLIFF and PO exports give it, and the texts no picture shows.
// Written with sorted keys and no date, so the same project gives the same bytes.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "project/PreviewLayout.h"

namespace qmk {

inline constexpr char PictureIndexFileName[] = "shots.json";

struct PictureFile {
    std::string kind;      // "dialog" or "menu"
    std::string resource;  // the dialog's or menu's Name_ID
    int width = 0;
    int height = 0;
};

struct PicturePlace {
    std::string picture;
    PixelRect rect;                    // in the rightmost language of the picture
    std::optional<PixelRect> leftRect; // in the left language of a side-by-side picture
};

struct PictureIndex {
    std::vector<std::string> languages;          // left to right, "source" for the source texts
    std::map<std::string, PictureFile> pictures;  // by file name
    std::map<std::string, PicturePlace> units;    // by unit id
    std::set<std::string> undrawn;                // unit ids of texts the pictures do not show
};

std::string pictureIndexJson(const PictureIndex& index);
// The units' pictures and rectangles of an index as pictureIndexJson() writes it, or as a
// script or an editor left it; nothing, with the reason, when it is no such JSON.
std::optional<PictureIndex> readPictureIndex(std::string_view json, std::string& problem);

// "dialog-IDD_ABOUT.png": the kind and the resource's name, with every character but letters,
// digits, "-", "_" and "." made "_"; a name already in `taken` (compared ignoring case, as some
// file systems do) gets "-2", "-3", ... The name is added to `taken`.
std::string pictureFileName(std::string_view kind, std::string_view resource, std::set<std::string>& taken);

// A JSON string literal of UTF-8 text.
std::string jsonString(std::string_view text);

} // namespace qmk
