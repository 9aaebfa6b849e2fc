// What the previews show: a dialog's controls at their pixels and which one a click selects, the
// colours and tooltips, the menu tree and its icons, the bitmap file and its header checks.
#include "SourceUpdateFixture.h"
#include "project/PreviewLayout.h"

namespace qmk {
namespace {

using test::German;

const std::string kScript =
    "IDD_OPTIONS DIALOG 0, 0, 200, 100\nCAPTION \"Options\"\nBEGIN\n"
    "    GROUPBOX \"Mode\", IDC_MODE, 5, 5, 100, 50\n"
    "    RADIOBUTTON \"Fast\", IDC_FAST, 10, 15, 40, 10\n"
    "    CONTROL \"Go\", IDC_GO, \"Button\", BS_PUSHBUTTON | WS_TABSTOP, 120, 10, 50, 14\n"
    "    CONTROL \"\", IDC_BAR, \"msctls_progress32\", 0, 120, 30, 50, 8\n"
    "    EDITTEXT IDC_NAME, 10, 70, 80, 12\nEND\n"
    "IDM_MAIN MENU\nBEGIN\n    POPUP \"&File\"\n    BEGIN\n        POPUP \"&Recent\"\n        BEGIN\n"
    "            MENUITEM \"&1 One\", ID_ONE\n        END\n    END\n    MENUITEM \"&Help\", ID_HELP\nEND\n";

class PreviewLayoutTest : public test::SourceUpdateFixture {
protected:
    void SetUp() override
    {
        SourceUpdateFixture::SetUp();
        open(writeScript(kScript));
    }
    int resourceLine(ResourceList list)
    {
        return doc->database().items().resources(list).front().lineIndex;
    }
};

} // namespace

TEST_F(PreviewLayoutTest, ControlsAreLaidOutAtTheirPixelsWithTheirClassAndStyle)
{
    const DialogLayout layout = buildDialogLayout(*doc, resourceLine(ResourceList::Dialogs), 1.5, 2.0);
    EXPECT_EQ(layout.name, "IDD_OPTIONS");
    EXPECT_EQ(layout.width, 300);
    EXPECT_EQ(layout.height, 200);
    EXPECT_EQ(layout.captionHeight, 28);
    ASSERT_EQ(layout.textControls.size(), 4u);  // caption, group box, radio button, "Go"
    EXPECT_EQ(layout.textControls[0].ident, "Dialog Caption");
    EXPECT_EQ(layout.textControls[0].rect, (PixelRect{2, 2, 296, 24}));
    EXPECT_EQ(layout.textControls[2].rect, (PixelRect{15, 28 + 30, 75, 28 + 50}));
    // A generic control of class "Button" is a button, without its tab stop.
    EXPECT_EQ(layout.textControls[3].kind, (ControlKind{ControlClass::Button, 0x50000000}));
    // The progress bar is a grey frame without text, like the edit field.
    ASSERT_EQ(layout.otherControls.size(), 2u);
    EXPECT_EQ(layout.otherControls[0].kind.windowClass, ControlClass::GreyFrame);
    EXPECT_EQ(layout.otherControls[1].kind, (ControlKind{ControlClass::Edit, 0x50800000}));

    // Inside the radio button the button is chosen; on the group box's border, the group box.
    EXPECT_EQ(controlAt(layout.textControls, 20, 62), 2);
    EXPECT_EQ(controlAt(layout.textControls, 9, 100), 1);
    EXPECT_EQ(controlAt(layout.textControls, 299, 299), -1);
    EXPECT_EQ(nextControl(3, 4, true), 0);  // after the last: the caption
    EXPECT_EQ(nextControl(-1, 4, false), 3);
}

class ComboLayoutTest : public test::SourceUpdateFixture {};

TEST_F(ComboLayoutTest, ADropDownComboBoxIsOneLineHighAndLeavesTheButtonsBelowItToBeChosen)
{
    open(writeScript("IDD_PICK DIALOG 0, 0, 200, 120\nBEGIN\n"
                     "    COMBOBOX IDC_LIST, 10, 10, 100, 90, CBS_DROPDOWNLIST | WS_VSCROLL\n"
                     "    COMBOBOX IDC_EDIT, 120, 10, 70, 80, CBS_DROPDOWN\n"
                     "    PUSHBUTTON \"OK\", IDOK, 10, 30, 50, 14\nEND\n"));
    const DialogLayout layout =
        buildDialogLayout(*doc, doc->database().items().resources(ResourceList::Dialogs).front().lineIndex, 1.0, 1.0);
    std::vector<PreviewControl> all = layout.textControls;
    all.insert(all.end(), layout.otherControls.begin(), layout.otherControls.end());
    auto heightOf = [&](const std::string& ident) {
        for (const PreviewControl& control : all)
            if (control.ident == ident)
                return control.rect.height();
        return -1;
    };
    EXPECT_EQ(heightOf("IDC_LIST"), 13);
    EXPECT_EQ(heightOf("IDC_EDIT"), 13);
    // A click on the button below the closed list chooses the button.
    EXPECT_EQ(layout.textControls[static_cast<std::size_t>(controlAt(layout.textControls, 20, 35))].ident, "IDOK");
}

TEST_F(PreviewLayoutTest, ColoursAndTooltipsFollowTheItemsState)
{
    const PreviewText untranslated{"Fast", false, false, false};
    EXPECT_EQ(controlLook("IDC_FAST", untranslated, false).colour, TextColour::Blue);
    EXPECT_EQ(controlLook("IDC_FAST", untranslated, true).colour, TextColour::Normal);
    EXPECT_EQ(controlLook("IDC_FAST", {"Schnell", false, true, true}, false).tooltip, "IDC_FAST, Modified");
    EXPECT_EQ(controlLook("IDC_FAST", {"Schnell", false, true, true}, false).colour, TextColour::Red);
    EXPECT_EQ(controlLook("IDC_FAST", {"Fast", true, true, true}, false).tooltip, "IDC_FAST, Excluded");
    EXPECT_EQ(controlLook("IDC_FAST", {"Schnell", false, false, true}, false).tooltip, "IDC_FAST, Translated");

    translateAll();
    const int fast = doc->database().items().dialogTextItems(resourceLine(ResourceList::Dialogs))[2].lineIndex;
    const PreviewText german = previewText(*doc, fast, German);
    EXPECT_TRUE(german.translated);
    EXPECT_EQ(german.shown, "de:" + std::to_string(fast));
    EXPECT_EQ(previewText(*doc, fast, std::nullopt).shown, "Fast");
    // An empty translation (a bitmap file name, say) shows the source: the same file is found.
    ASSERT_EQ(doc->storeTranslation(fast, German, ""), OperationResult::Done);
    EXPECT_EQ(previewText(*doc, fast, German).shown, "Fast");
    EXPECT_FALSE(previewText(*doc, fast, German).translated);
}

TEST_F(PreviewLayoutTest, TheMenuTreeFollowsTheLevelsBackToTheTop)
{
    const std::vector<MenuNode> nodes = buildMenuTree(*doc, resourceLine(ResourceList::Menus));
    ASSERT_EQ(nodes.size(), 4u);
    EXPECT_EQ(nodes[0].ident, "POPUP");
    EXPECT_EQ(nodes[0].parent, -1);
    EXPECT_EQ(nodes[1].parent, 0);  // &Recent
    EXPECT_EQ(nodes[2].parent, 1);  // &1 One
    EXPECT_EQ(nodes[3].ident, "ID_HELP");
    EXPECT_EQ(nodes[3].parent, -1);  // from level 2 straight back to the top
    EXPECT_EQ(menuIcon(true, {"", true, false, false}, false), 18);
    EXPECT_EQ(menuIcon(false, {"", false, false, false}, true), 12);
    EXPECT_EQ(menuIcon(false, {"", false, true, true}, false), 10);
    EXPECT_EQ(menuIcon(true, {"", false, false, true}, false), 2);
    EXPECT_EQ(menuIcon(false, {"", false, false, false}, false), 6);
}

TEST(BitmapFileTest, TheFileIsFoundBesideTheScriptOrTheTranslationAndItsHeaderChecked)
{
    const std::filesystem::path script = "/p/app/app.rc";
    EXPECT_EQ(bitmapFilePath("res\\\\logo.bmp", script, std::nullopt), "/p/app/res/logo.bmp");
    EXPECT_EQ(bitmapFilePath("res\\logo.bmp", script, std::nullopt), "/p/app/res/logo.bmp");
    EXPECT_EQ(bitmapFilePath("logo.bmp", script, "de\\app-German.rc"), "/p/app/de/logo.bmp");
    EXPECT_EQ(bitmapFilePath("logo.bmp", script, std::string_view()), "/p/app/logo.bmp");

    std::string bmp(54, '\0');
    bmp[0] = 'B';
    bmp[1] = 'M';
    bmp[2] = 54;       // the file's length
    bmp[14] = 40;      // an info header
    bmp[18] = 16;      // 16 wide
    bmp[22] = 8;       // 8 high
    EXPECT_EQ(checkBitmap(bmp).problem, BitmapHeader::Problem::None);
    EXPECT_EQ(checkBitmap(bmp).width, 16);
    std::string topDown = bmp;
    for (int i = 22; i < 26; ++i)
        topDown[static_cast<std::size_t>(i)] = static_cast<char>(0xFF);  // height -1
    EXPECT_EQ(checkBitmap(topDown).problem, BitmapHeader::Problem::TooLarge);
    EXPECT_EQ(checkBitmap(bmp.substr(0, 30)).problem, BitmapHeader::Problem::Short);
    EXPECT_EQ(checkBitmap("GIF89a").problem, BitmapHeader::Problem::NotABitmap);
}

} // namespace qmk

#include "project/TextFit.h"

namespace qmk {

TEST(TextFitTest, MnemonicsAreNotDrawnAndMultiLineStaticsWrap)
{
    EXPECT_EQ(drawnText("&Datei && Ordner\\nZeile"), "Datei & Ordner\nZeile");
    const TextMetrics sixPixels{[](std::string_view s) { return static_cast<int>(s.size()) * 6; }, 13, 1.5, 1.625};
    const PreviewControl oneLine{1, "IDC_A", {ControlClass::Static, 0x50000000}, {0, 0, 60, 13}};
    EXPECT_EQ(textOverflow(oneLine, "&Ten chars!", sixPixels), 0);  // 10 drawn characters: 60 px
    EXPECT_EQ(textOverflow(oneLine, "Eleven char", sixPixels), 6);
    const PreviewControl twoLines{1, "IDC_B", {ControlClass::Static, 0x50000000}, {0, 0, 60, 26}};
    EXPECT_EQ(textOverflow(twoLines, "Zwei Worte hier", sixPixels), 0);  // wraps into two lines
    EXPECT_GT(textOverflow(twoLines, "Drei Worte stehen hier", sixPixels), 0);  // needs three
    const PreviewControl check{1, "IDC_C", {ControlClass::Button, 0x58000002}, {0, 0, 60, 13}};
    EXPECT_EQ(textOverflow(check, "Auto", sixPixels), 0);  // 24 px + the 18 px box
    EXPECT_GT(textOverflow(check, "Automatisch", sixPixels), 0);
}

TEST_F(PreviewLayoutTest, TheFitCheckListsTranslatedTextsTooWideForTheirControls)
{
    translateAll();  // every text becomes "de:<LineIndex>"
    const std::vector<DialogItemRow> items = doc->database().items().dialogTextItems(resourceLine(ResourceList::Dialogs));
    const int fast = items[2].lineIndex;  // RADIOBUTTON "Fast", 40 units wide
    ASSERT_EQ(doc->storeTranslation(fast, German, "Sehr schnell und gr\xC3\xBCndlich"), OperationResult::Done);
    const TextMetrics sixPixels{[](std::string_view s) { return static_cast<int>(s.size()) * 6; }, 13, 1.5, 1.625};
    const std::vector<FitProblem> problems = checkTextFit(*doc, German, sixPixels);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].dialog, "IDD_OPTIONS");
    EXPECT_EQ(problems[0].control, "IDC_FAST");
    EXPECT_EQ(problems[0].lineIndex, fast);
    EXPECT_GT(problems[0].overflowUnits, 0);
}

} // namespace qmk
