// Pairs the popups and items of a translated menu with those of the project's menu, popup by
// popup, so that a popup holding an item more or less, or standing elsewhere, shifts nothing
// outside itself, and an identifier the menu repeats is paired at each of its places.
#pragma once

#include <string>
#include <vector>

namespace qmk {

// One POPUP or MENUITEM of a menu, in script order.
struct MenuEntry {
    int lineKind = 0;    // LineKind::Popup or LineKind::MenuItem
    int level = 0;       // 0 for the menu's own entries, 1 inside its popups, ...
    std::string ident;   // a menu item's identifier; empty for popups
    std::string text;    // compared as bytes when nothing else tells two entries apart
};

// How a translated entry found its project entry.
enum class MenuPairing {
    None,
    Identifier,  // an item by its identifier, a popup by the identifiers of the items it holds
    Position,    // by its place among the unpaired entries between two paired ones of its popup
    Text,        // by the same text (a text the translation left in the source language)
};

struct MenuPair {
    int partner = -1;  // index into the project's entries, -1 when none
    MenuPairing by = MenuPairing::None;
};

// For each translated entry, the project entry it translates. Within each pair of popups (and
// at the top of the menu): items by identifier, the k-th use of an identifier with its k-th
// use; popups by the identifiers their items share; then the rest by position between paired
// neighbours; then by text. What is still unpaired (an item moved to another popup, the items
// of a popup the project lacks) is paired by identifier anywhere in the menu, then by text.
// An item whose identifier the other menu holds is paired by that identifier only.
std::vector<MenuPair> pairMenuEntries(const std::vector<MenuEntry>& project, const std::vector<MenuEntry>& translated);

} // namespace qmk
