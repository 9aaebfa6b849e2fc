// Reading rc2po's places of texts.
#include "exchange/PeerLocations.h"

#include <array>
#include <optional>

namespace qmk {
namespace {

constexpr std::string_view kPopupCaption = "POPUP.CAPTION";
constexpr std::string_view kMenuItem = "MENUITEM.";

// The resource kinds a place starts with, longer ones first ("DIALOGEX" before "DIALOG").
constexpr std::array<std::string_view, 5> kBlocks = {"STRINGTABLE", "DIALOGEX", "DIALOG", "MENUEX", "MENU"};

// The length of the resource kind and its dot starting a place at `at`; 0 when none does.
std::size_t blockAt(std::string_view text, std::size_t at)
{
    for (std::string_view block : kBlocks)
        if (text.substr(at, block.size()) == block && at + block.size() < text.size() &&
            text[at + block.size()] == '.')
            return block.size() + 1;
    return 0;
}

// Where a place ending at `end` lets the next begin: the end of the text or another place.
bool endsPlace(std::string_view text, std::size_t end)
{
    return end == text.size() || blockAt(text, end) > 0;
}

// A word up to the next dot; nothing when it is empty or there is no dot.
std::optional<std::string_view> wordBeforeDot(std::string_view text, std::size_t at, std::size_t& next)
{
    const std::size_t dot = text.find('.', at);
    if (dot == std::string_view::npos || dot == at)
        return std::nullopt;
    next = dot + 1;
    return text.substr(at, dot - at);
}

// The identifier that ends a place: up to the end of the text, or glued to the next place's
// resource kind ("IDOKDIALOGEX.IDD_X..."). Identifiers hold no dots.
std::optional<std::string_view> lastIdent(std::string_view text, std::size_t at, std::size_t& next)
{
    const std::size_t dot = text.find('.', at);
    if (dot == std::string_view::npos) {
        next = text.size();
        return at < text.size() ? std::optional(text.substr(at)) : std::nullopt;
    }
    // The next place's kind ends right at the dot.
    for (std::string_view block : kBlocks)
        if (dot >= at + block.size() + 1 && text.substr(dot - block.size(), block.size()) == block) {
            next = dot - block.size();
            return text.substr(at, next - at);
        }
    return std::nullopt;
}

std::optional<PeerLocation> menuPlace(std::string_view text, std::size_t at, std::string_view resource,
                                      std::size_t& next)
{
    // The popup path runs up to the first "POPUP.CAPTION" or "MENUITEM." that starts a word and
    // ends the place.
    for (std::size_t word = at; word < text.size(); word = text.find('.', word) + 1) {
        const std::string path(text.substr(at, word == at ? 0 : word - at - 1));
        if (text.substr(word, kPopupCaption.size()) == kPopupCaption && endsPlace(text, word + kPopupCaption.size())) {
            next = word + kPopupCaption.size();
            return PeerLocation{PeerPlace::Popup, std::string(resource), {}, {}, path};
        }
        if (text.substr(word, kMenuItem.size()) == kMenuItem) {
            if (const auto ident = lastIdent(text, word + kMenuItem.size(), next))
                return PeerLocation{PeerPlace::MenuItem, std::string(resource), {}, std::string(*ident), path};
        }
        if (text.find('.', word) == std::string_view::npos)
            break;
    }
    return std::nullopt;
}

std::optional<PeerLocation> placeAt(std::string_view text, std::size_t at, std::size_t& next)
{
    const std::size_t block = blockAt(text, at);
    if (block == 0)
        return std::nullopt;
    const std::string_view kind = text.substr(at, block - 1);
    at += block;
    if (kind == "STRINGTABLE") {
        const auto ident = lastIdent(text, at, next);
        if (!ident)
            return std::nullopt;
        return PeerLocation{PeerPlace::String, {}, {}, std::string(*ident), {}};
    }
    std::size_t after = 0;
    const auto resource = wordBeforeDot(text, at, after);
    if (!resource)
        return std::nullopt;
    if (kind == "MENU" || kind == "MENUEX")
        return menuPlace(text, after, *resource, next);
    constexpr std::string_view caption = "CAPTION";
    if (text.substr(after, caption.size()) == caption && endsPlace(text, after + caption.size())) {
        next = after + caption.size();
        return PeerLocation{PeerPlace::DialogCaption, std::string(*resource), {}, {}, {}};
    }
    std::size_t identAt = 0;
    const auto keyword = wordBeforeDot(text, after, identAt);
    if (!keyword)
        return std::nullopt;
    const auto ident = lastIdent(text, identAt, next);
    if (!ident)
        return std::nullopt;
    return PeerLocation{PeerPlace::Control, std::string(*resource), std::string(*keyword), std::string(*ident), {}};
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::string percentDecoded(std::string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && hexValue(text[i + 1]) >= 0 && hexValue(text[i + 2]) >= 0) {
            out += static_cast<char>(hexValue(text[i + 1]) * 16 + hexValue(text[i + 2]));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

} // namespace

std::vector<PeerLocation> peerLocations(std::string_view context)
{
    std::vector<PeerLocation> places;
    std::size_t at = 0;
    while (at < context.size()) {
        std::size_t next = 0;
        std::optional<PeerLocation> place = placeAt(context, at, next);
        if (!place || next <= at)
            return {};
        places.push_back(std::move(*place));
        at = next;
    }
    return places;
}

std::vector<PeerLocation> peerReferenceLocations(std::string_view references)
{
    std::vector<PeerLocation> places;
    std::size_t at = 0;
    while (at < references.size()) {
        const std::size_t end = std::min(references.find_first_of(" \t", at), references.size());
        if (end > at)
            for (PeerLocation& place : peerLocations(percentDecoded(references.substr(at, end - at))))
                places.push_back(std::move(place));
        at = end + 1;
    }
    return places;
}

} // namespace qmk
