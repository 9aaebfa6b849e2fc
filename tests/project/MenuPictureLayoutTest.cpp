// A menu drawn open: the bar across the top, every popup open and none hiding another.
#include <gtest/gtest.h>

#include "project/MenuPictureLayout.h"

namespace qmk {
namespace {

bool overlap(const PixelRect& a, const PixelRect& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

bool inside(const PixelRect& inner, const PixelRect& outer)
{
    return inner.left >= outer.left && inner.right <= outer.right && inner.top >= outer.top && inner.bottom <= outer.bottom;
}

// File (New, Recent > (One, Two), Exit), Edit (Undo), Help: a nested popup and a bar item.
std::vector<MenuNode> sampleMenu()
{
    return {
        {10, -1, true, "POPUP"}, {11, 0, false, "ID_NEW"}, {12, 0, true, "POPUP"}, {13, 2, false, "ID_ONE"},
        {14, 2, false, "ID_TWO"}, {15, 0, false, "ID_EXIT"}, {16, -1, true, "POPUP"}, {17, 6, false, "ID_UNDO"},
        {18, -1, false, "ID_HELP"},
    };
}

MenuPictureLayout sampleLayout(int itemWidth = 50)
{
    return layoutMenuPicture(sampleMenu(), [itemWidth](std::size_t node) { return node == 6 ? 30 : itemWidth; });
}

} // namespace

TEST(MenuPictureLayoutTest, TheTopLevelStandsOnTheBarLeftToRight)
{
    const MenuPictureLayout layout = sampleLayout();
    const MenuPictureMeasures m;
    ASSERT_EQ(layout.itemRects.size(), 9u);
    EXPECT_TRUE(layout.onBar[0] && layout.onBar[6] && layout.onBar[8]);
    EXPECT_FALSE(layout.onBar[1] || layout.onBar[3]);
    EXPECT_EQ(layout.itemRects[0], (PixelRect{m.margin, m.margin, m.margin + 50 + 2 * m.barPadding, m.margin + m.barHeight}));
    EXPECT_EQ(layout.itemRects[6].left, layout.itemRects[0].right);
    EXPECT_EQ(layout.itemRects[6].width(), 30 + 2 * m.barPadding);
    EXPECT_EQ(layout.itemRects[8].left, layout.itemRects[6].right);
    EXPECT_EQ(layout.bar.right, layout.width - m.margin);
}

TEST(MenuPictureLayoutTest, EveryPopupIsOpenBesideTheOthersWithItsItemsInside)
{
    const MenuPictureLayout layout = sampleLayout();
    // File, its Recent popup and Edit; Help is a plain item and opens nothing.
    ASSERT_EQ(layout.popupFrames.size(), 3u);
    for (std::size_t a = 0; a < layout.popupFrames.size(); ++a)
        for (std::size_t b = a + 1; b < layout.popupFrames.size(); ++b)
            EXPECT_FALSE(overlap(layout.popupFrames[a], layout.popupFrames[b])) << a << " and " << b;
    const PixelRect& file = layout.popupFrames[0];
    const PixelRect& recent = layout.popupFrames[1];
    const PixelRect& edit = layout.popupFrames[2];
    EXPECT_EQ(file.top, layout.bar.bottom);
    EXPECT_EQ(file.left, layout.itemRects[0].left);  // below its bar entry
    for (std::size_t node : {1u, 2u, 5u})
        EXPECT_TRUE(inside(layout.itemRects[node], file)) << node;
    for (std::size_t node : {3u, 4u})
        EXPECT_TRUE(inside(layout.itemRects[node], recent)) << node;
    EXPECT_TRUE(inside(layout.itemRects[7], edit));
    // A nested popup opens to the right of its parent, level with the item that opens it.
    EXPECT_GT(recent.left, file.right);
    EXPECT_EQ(recent.top, layout.itemRects[2].top - 2);
    EXPECT_GT(edit.left, recent.right);
    // Items follow one another down their popup.
    EXPECT_EQ(layout.itemRects[2].top, layout.itemRects[1].bottom);
    EXPECT_EQ(layout.itemRects[5].top, layout.itemRects[2].bottom);
}

TEST(MenuPictureLayoutTest, ThePictureHoldsEverythingAndWidensWithTheTexts)
{
    for (int width : {10, 50, 400}) {
        const MenuPictureLayout layout = sampleLayout(width);
        const PixelRect picture{0, 0, layout.width, layout.height};
        for (const PixelRect& r : layout.itemRects)
            EXPECT_TRUE(inside(r, picture));
        for (const PixelRect& r : layout.popupFrames)
            EXPECT_TRUE(inside(r, picture));
        EXPECT_GE(layout.popupFrames[0].width(), width);
    }
    const MenuPictureLayout empty = layoutMenuPicture({}, [](std::size_t) { return 0; });
    EXPECT_TRUE(empty.popupFrames.empty());
    EXPECT_GT(empty.height, 0);
}

} // namespace qmk
