// The picture index and the pictures' file names.
#include "app/PictureIndex.h"

#include <cctype>
#include <cstdio>

namespace qmk {
namespace {

std::string jsonRect(const PixelRect& r)
{
    return "[" + std::to_string(r.left) + ", " + std::to_string(r.top) + ", " + std::to_string(r.width()) + ", " +
           std::to_string(r.height()) + "]";
}

std::string lowered(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

std::string pictureJson(const PictureFile& file)
{
    return "{\"height\": " + std::to_string(file.height) + ", \"kind\": " + jsonString(file.kind) +
           ", \"resource\": " + jsonString(file.resource) + ", \"width\": " + std::to_string(file.width) + "}";
}

std::string placeJson(const PicturePlace& place)
{
    std::string json = "{";
    if (place.leftRect)
        json += "\"left_rect\": " + jsonRect(*place.leftRect) + ", ";
    return json + "\"picture\": " + jsonString(place.picture) + ", \"rect\": " + jsonRect(place.rect) + "}";
}

// One member per line, in key order (std::map and std::set are sorted).
template <typename Map, typename Value>
std::string objectJson(const Map& map, Value value)
{
    std::string json = "{";
    const char* separator = "\n";
    for (const auto& [key, item] : map) {
        json += separator + std::string("    ") + jsonString(key) + ": " + value(item);
        separator = ",\n";
    }
    return json + (map.empty() ? "}" : "\n  }");
}

} // namespace

std::string jsonString(std::string_view text)
{
    std::string json = "\"";
    for (const char c : text) {
        switch (c) {
        case '"': json += "\\\""; break;
        case '\\': json += "\\\\"; break;
        case '\n': json += "\\n"; break;
        case '\r': json += "\\r"; break;
        case '\t': json += "\\t"; break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned char>(c));
                json += escaped;
            } else {
                json += c;
            }
        }
    }
    return json + "\"";
}

std::string pictureIndexJson(const PictureIndex& index)
{
    std::string languages;
    for (const std::string& language : index.languages)
        languages += (languages.empty() ? "" : ", ") + jsonString(language);
    std::string undrawn;
    for (const std::string& id : index.undrawn)
        undrawn += (undrawn.empty() ? "" : ", ") + jsonString(id);
    return "{\n  \"languages\": [" + languages + "],\n" +
           "  \"pictures\": " + objectJson(index.pictures, pictureJson) + ",\n" +
           "  \"undrawn\": [" + undrawn + "],\n" +
           "  \"units\": " + objectJson(index.units, placeJson) + "\n}\n";
}

std::string pictureFileName(std::string_view kind, std::string_view resource, std::set<std::string>& taken)
{
    std::string stem = std::string(kind) + "-";
    for (const char c : resource)
        stem += std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_' || c == '.' ? c : '_';
    std::string name = stem + ".png";
    for (int n = 2; taken.count(lowered(name)) != 0; ++n)
        name = stem + "-" + std::to_string(n) + ".png";
    taken.insert(lowered(name));
    return name;
}

} // namespace qmk
