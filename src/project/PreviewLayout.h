// What the dialog, menu and bitmap previews show, without any widget: a dialog's controls at
// their pixel rectangles with the window class and style each statement gives, which control a
// click selects, the colour and tooltip of a control's text, the menu as a tree with its state
// icons, and the bitmap file a preview loads with the checks its header must pass.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "database/ProjectRows.h"

namespace qmk {

class CQuillDoc;

struct PixelRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    bool operator==(const PixelRect&) const = default;
};

// Window classes a preview builds, and the frames it draws for what it cannot build.
enum class ControlClass { Static, Button, Edit, ComboBox, ListBox, ScrollBar, GreyFrame };

struct ControlKind {
    ControlClass windowClass = ControlClass::Static;
    std::uint32_t style = 0;
    bool operator==(const ControlKind&) const = default;
};
// The class and style of a control statement (its line kind) with the class it names and its
// style flags; nothing for kinds that build no control. Unknown classes become grey frames.
std::optional<ControlKind> controlKindOf(int lineKind, std::string_view className, std::uint32_t flags);

struct PreviewControl {
    int lineIndex = -1;  // -1 for controls without a text
    std::string ident;   // Name_ID, "Dialog Caption" for the caption
    ControlKind kind;
    PixelRect rect;
    bool disabled = false;  // WS_DISABLED among the statement's own style bits
};

struct DialogLayout {
    std::string name;
    int width = 0;
    int height = 0;
    int captionHeight = 0;
    int captionLine = -1;
    std::vector<PreviewControl> textControls;   // the caption first, then in creation order
    std::vector<PreviewControl> otherControls;  // without text
};
// The layout of a dialog at the given pixels per dialog unit. A database failure ends the
// build; what was built so far is returned.
DialogLayout buildDialogLayout(CQuillDoc& doc, int dlgLineIndex, double xScale, double yScale);

// Of the text controls containing the point, the one with the smallest area (an earlier one
// wins a tie); -1 when none does.
int controlAt(const std::vector<PreviewControl>& controls, int x, int y);
// The next or previous of `count` text controls, wrapping; from -1 next starts at the first
// and previous at the last.
int nextControl(int current, int count, bool forward);

// What a preview shows of one item in one language (none: the source).
struct PreviewText {
    std::string shown;  // UTF-8, display form
    bool excluded = false;
    bool modified = false;
    bool translated = false;
};
PreviewText previewText(CQuillDoc& doc, int lineIndex, std::optional<LanguageId> language);

enum class TextColour { Normal, Grey, Red, Blue };
struct ControlLook {
    std::string tooltip;
    TextColour colour = TextColour::Normal;
};
ControlLook controlLook(const std::string& ident, const PreviewText& text, bool sourceView);

// The menu as a tree: each node with its parent's index (-1 at the top), in query order.
struct MenuNode {
    int lineIndex = -1;
    int parent = -1;
    bool popup = false;
    std::string ident;  // "POPUP" for popups
};
std::vector<MenuNode> buildMenuTree(CQuillDoc& doc, int menuLineIndex);
// The state icon of a menu node (an index of the preview's image list).
int menuIcon(bool popup, const PreviewText& text, bool sourceView);

// The file a bitmap preview loads: the item's text with doubled backslashes made single,
// in the source script's folder for the source, in the folder of the translation's output file
// for a translation (used as it stands when it names a drive).
std::filesystem::path bitmapFilePath(std::string_view fileText, const std::filesystem::path& scriptPath,
                                     std::optional<std::string_view> translationFileName);

struct BitmapHeader {
    enum class Problem { None, NotABitmap, Short, TooLarge };
    Problem problem = Problem::None;
    int width = 0;
    int height = 0;
};
// Checks a bitmap file's bytes as the preview reads them: "BM", the length the file holds, and
// the size in the 40-byte info header or the 12-byte core header.
BitmapHeader checkBitmap(std::string_view bytes);

} // namespace qmk
