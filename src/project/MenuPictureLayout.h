// Where a picture of a menu puts each item: the menu bar across the top and every popup drawn
// open, each beside the one before so that none hides another; a nested popup opens to the
// right of its parent, level with the item that opens it.
#pragma once

#include <cstddef>
#include <functional>
#include <vector>

#include "project/PreviewLayout.h"

namespace qmk {

struct MenuPictureMeasures {
    int barHeight = 20;    // a bar entry
    int rowHeight = 20;    // an item of an open popup
    int barPadding = 8;    // each side of a bar entry's text
    int itemPadding = 40;  // the check column at the left and the submenu arrow at the right
    int gap = 8;           // between popups side by side
    int margin = 4;        // around the whole picture
};

struct MenuPictureLayout {
    int width = 0;
    int height = 0;
    PixelRect bar;                      // the whole bar, as wide as the picture
    std::vector<PixelRect> itemRects;   // one per node, in node order
    std::vector<bool> onBar;            // per node: an entry of the bar
    std::vector<PixelRect> popupFrames; // the open popups, in drawing order
};

// `contentWidth(node)`: the pixels a node's label (and accelerator) need.
MenuPictureLayout layoutMenuPicture(const std::vector<MenuNode>& nodes,
                                    const std::function<int(std::size_t)>& contentWidth,
                                    const MenuPictureMeasures& measures = {});

} // namespace qmk
