// The menu picture's layout.
#include "project/MenuPictureLayout.h"

#include <algorithm>

namespace qmk {
namespace {

class MenuPlacer {
public:
    MenuPlacer(const std::vector<MenuNode>& nodes, const std::function<int(std::size_t)>& contentWidth,
               const MenuPictureMeasures& measures)
        : width_(contentWidth), m_(measures), children_(nodes.size())
    {
        layout_.itemRects.resize(nodes.size());
        layout_.onBar.assign(nodes.size(), false);
        for (std::size_t i = 0; i < nodes.size(); ++i) {
            const int parent = nodes[i].parent;
            if (parent >= 0 && static_cast<std::size_t>(parent) < nodes.size())
                children_[static_cast<std::size_t>(parent)].push_back(i);
            else
                topLevel_.push_back(i);
        }
    }

    MenuPictureLayout place()
    {
        int x = m_.margin;
        for (std::size_t node : topLevel_) {
            const int w = width_(node) + 2 * m_.barPadding;
            layout_.itemRects[node] = {x, m_.margin, x + w, m_.margin + m_.barHeight};
            layout_.onBar[node] = true;
            x += w;
        }
        right_ = x;
        bottom_ = m_.margin + m_.barHeight;
        nextFree_ = m_.margin;
        for (std::size_t node : topLevel_)
            openPopup(node, layout_.itemRects[node].left, m_.margin + m_.barHeight);
        layout_.width = right_ + m_.margin;
        layout_.height = bottom_ + m_.margin;
        layout_.bar = {m_.margin, m_.margin, layout_.width - m_.margin, m_.margin + m_.barHeight};
        return std::move(layout_);
    }

private:
    // The popup's items in one column at `top`, no further left than `anchor` nor than the
    // popups placed before it; then its own popups, each beside it.
    void openPopup(std::size_t popup, int anchor, int top)
    {
        const std::vector<std::size_t>& items = children_[popup];
        if (items.empty())
            return;
        int content = 0;
        for (std::size_t item : items)
            content = std::max(content, width_(item));
        const int left = std::max(anchor, nextFree_);
        const PixelRect frame{left, top, left + content + m_.itemPadding + 2,
                              top + static_cast<int>(items.size()) * m_.rowHeight + 4};
        layout_.popupFrames.push_back(frame);
        for (std::size_t i = 0; i < items.size(); ++i) {
            const int y = top + 2 + static_cast<int>(i) * m_.rowHeight;
            layout_.itemRects[items[i]] = {frame.left + 1, y, frame.right - 1, y + m_.rowHeight};
        }
        nextFree_ = frame.right + m_.gap;
        right_ = std::max(right_, frame.right);
        bottom_ = std::max(bottom_, frame.bottom);
        for (std::size_t item : items)
            openPopup(item, frame.right + m_.gap, layout_.itemRects[item].top - 2);
    }

    const std::function<int(std::size_t)>& width_;
    MenuPictureMeasures m_;
    std::vector<std::vector<std::size_t>> children_;
    std::vector<std::size_t> topLevel_;
    MenuPictureLayout layout_;
    int nextFree_ = 0;
    int right_ = 0;
    int bottom_ = 0;
};

} // namespace

MenuPictureLayout layoutMenuPicture(const std::vector<MenuNode>& nodes, const std::function<int(std::size_t)>& contentWidth,
                                    const MenuPictureMeasures& measures)
{
    MenuPlacer placer(nodes, contentWidth, measures);
    return placer.place();
}

} // namespace qmk
