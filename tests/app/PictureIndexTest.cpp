// The index of a folder of pictures: the same project gives the same bytes, every name a file
// system takes.
#include <gtest/gtest.h>

#include "app/PictureIndex.h"

namespace qmk {

TEST(PictureIndexTest, TheIndexIsWrittenInKeyOrderWithEscapedTexts)
{
    PictureIndex index;
    index.languages = {"source", "German"};
    index.pictures["menu-M.png"] = {"menu", "M", 30, 20};
    index.pictures["dialog-D.png"] = {"dialog", "D", 100, 50};
    index.units["Popup_Menu/M/\"Popup\""] = {"menu-M.png", {4, 4, 40, 24}, PixelRect{1, 2, 11, 22}};
    index.units["Dialog_Item/D/IDOK"] = {"dialog-D.png", {10, 20, 60, 34}, std::nullopt};
    index.undrawn = {"Dialog_Item/D/b", "Dialog_Item/D/a"};
    EXPECT_EQ(pictureIndexJson(index),
              "{\n"
              "  \"languages\": [\"source\", \"German\"],\n"
              "  \"pictures\": {\n"
              "    \"dialog-D.png\": {\"height\": 50, \"kind\": \"dialog\", \"resource\": \"D\", \"width\": 100},\n"
              "    \"menu-M.png\": {\"height\": 20, \"kind\": \"menu\", \"resource\": \"M\", \"width\": 30}\n"
              "  },\n"
              "  \"undrawn\": [\"Dialog_Item/D/a\", \"Dialog_Item/D/b\"],\n"
              "  \"units\": {\n"
              "    \"Dialog_Item/D/IDOK\": {\"picture\": \"dialog-D.png\", \"rect\": [10, 20, 50, 14]},\n"
              "    \"Popup_Menu/M/\\\"Popup\\\"\": {\"left_rect\": [1, 2, 10, 20], \"picture\": \"menu-M.png\", "
              "\"rect\": [4, 4, 36, 20]}\n"
              "  }\n"
              "}\n");
    EXPECT_EQ(pictureIndexJson(PictureIndex{}),
              "{\n  \"languages\": [],\n  \"pictures\": {},\n  \"undrawn\": [],\n  \"units\": {}\n}\n");
    EXPECT_EQ(jsonString("a\\b\tc\x01\xC3\xA4"), "\"a\\\\b\\tc\\u0001\xC3\xA4\"");
}

TEST(PictureIndexTest, FileNamesAreSafeAndNeverTakenTwice)
{
    std::set<std::string> taken;
    EXPECT_EQ(pictureFileName("dialog", "IDD_ABOUT", taken), "dialog-IDD_ABOUT.png");
    EXPECT_EQ(pictureFileName("dialog", "../etc/x y", taken), "dialog-.._etc_x_y.png");
    EXPECT_EQ(pictureFileName("menu", "IDD_ABOUT", taken), "menu-IDD_ABOUT.png");
    // Names that differ only in case or in a replaced character would meet in one file.
    EXPECT_EQ(pictureFileName("dialog", "idd_about", taken), "dialog-idd_about-2.png");
    EXPECT_EQ(pictureFileName("dialog", "IDD ABOUT", taken), "dialog-IDD_ABOUT-3.png");
    EXPECT_EQ(pictureFileName("dialog", "\"quoted\"", taken), "dialog-_quoted_.png");
    EXPECT_EQ(taken.size(), 6u);
}

TEST(PictureIndexTest, TheIndexReadsBackWhateverItsLayoutAndRefusesWhatIsNoIndex)
{
    PictureIndex written;
    written.languages = {"source", "German"};
    written.pictures["menu-M.png"] = {"menu", "M", 30, 20};
    written.units["Popup_Menu/M/\"Pop\\up\""] = {"menu-M.png", {4, 4, 40, 24}, PixelRect{1, 2, 11, 22}};
    written.units["Dialog_Item/D/IDOK"] = {"dialog-D.png", {10, 20, 60, 34}, std::nullopt};
    written.undrawn = {"Dialog_Item/D/a"};
    std::string problem;
    const std::optional<PictureIndex> read = readPictureIndex(pictureIndexJson(written), problem);
    ASSERT_TRUE(read) << problem;
    EXPECT_EQ(pictureIndexJson(PictureIndex{{}, {}, read->units, {}}),
              pictureIndexJson(PictureIndex{{}, {}, written.units, {}}));

    // Another key order, other members, one line, escapes: as a script may write it.
    const std::optional<PictureIndex> scripted = readPictureIndex(
        R"({"version": 2.5, "units": {"a\u00e4": {"extra": [true, null, {"x": "}"}], "rect": [0, 0, 5, 6],)"
        R"( "picture": "p.png"}}, "tail": false})",
        problem);
    ASSERT_TRUE(scripted) << problem;
    ASSERT_EQ(scripted->units.count("a\xC3\xA4"), 1u);
    EXPECT_EQ(scripted->units.at("a\xC3\xA4").picture, "p.png");
    EXPECT_EQ(scripted->units.at("a\xC3\xA4").rect.height(), 6);

    for (const char* broken : {"", "{", "{\"units\": {\"a\": {\"rect\": [1, 2, 3]}}}",
                               "{\"units\": {\"a\": {\"rect\": [1, 2, 3, 4]}}}",  // no picture
                               "{\"units\": {\"a\": {\"picture\": \"p\", \"rect\": [1, 2, -3, 4]}}}",
                               "{\"units\": {}} x", "[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[["}) {
        SCOPED_TRACE(broken);
        problem.clear();
        EXPECT_FALSE(readPictureIndex(broken, problem));
        EXPECT_FALSE(problem.empty());
    }
    const std::string deep = "{\"x\": " + std::string(100000, '[') + "}";
    EXPECT_FALSE(readPictureIndex(deep, problem));
}

} // namespace qmk
