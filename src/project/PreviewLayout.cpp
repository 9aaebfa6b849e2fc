// Preview layouts.
#include "project/PreviewLayout.h"

#include <algorithm>

#include <cmath>
#include <cstring>

#include "database/DaoException.h"
#include "project/CQuillDoc.h"
#include "project/TextCodec.h"
#include "project/TranslationForm.h"
#include "resources/FileNames.h"
#include "resources/Feedback.h"

namespace qmk {
namespace {

constexpr std::uint32_t kTabStop = 0x00010000;
constexpr int kCaptionDialogUnits = 14;

struct GenericClass {
    const char* name;
    ControlClass windowClass;
    std::uint32_t baseStyle;
};

constexpr GenericClass kGenericClasses[] = {
    {"static", ControlClass::Static, 0x50000000},  {"button", ControlClass::Button, 0x50000000},
    {"edit", ControlClass::Edit, 0x58800000},      {"listbox", ControlClass::ListBox, 0x58800000},
    {"combobox", ControlClass::ComboBox, 0x58000003}, {"scrollbar", ControlClass::ScrollBar, 0x58000000},
};

int scaled(int units, double scale)
{
    return static_cast<int>(units * scale);  // truncated, as the window system rounds dialog units
}

std::uint16_t word16(std::string_view bytes, std::size_t at)
{
    return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                      (static_cast<unsigned char>(bytes[at + 1]) << 8));
}

std::int32_t word32(std::string_view bytes, std::size_t at)
{
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    std::int32_t signedValue;
    std::memcpy(&signedValue, &value, sizeof value);
    return signedValue;
}

} // namespace

std::optional<ControlKind> controlKindOf(int lineKind, std::string_view className, std::uint32_t flags)
{
    switch (lineKind) {
    case 2:  // CONTROL with a class of its own
        for (const GenericClass& generic : kGenericClasses)
            if (equalsIgnoringCase(className, generic.name))
                return ControlKind{generic.windowClass, (generic.baseStyle | flags) & ~kTabStop};
        return ControlKind{ControlClass::GreyFrame, 0x50000008};
    case 18: return ControlKind{ControlClass::Static, 0x50000007};
    case 19: return ControlKind{ControlClass::Static, 0x50000000};
    case 20: return ControlKind{ControlClass::Static, 0x50000002};
    case 21: return ControlKind{ControlClass::Static, 0x50000001};
    case 22: return ControlKind{ControlClass::Button, 0x58000002};
    case 23: return ControlKind{ControlClass::Button, 0x50000000};
    case 24: return ControlKind{ControlClass::ListBox, 0x50800000};
    case 25: return ControlKind{ControlClass::Button, 0x50000007};
    case 26: return ControlKind{ControlClass::Button, 0x50000001};
    case 27: return ControlKind{ControlClass::Button, 0x50000004};
    case 28: return ControlKind{ControlClass::Edit, 0x50800000};
    case 29: return ControlKind{ControlClass::ComboBox, 0x58000003};
    case 30: return ControlKind{ControlClass::ScrollBar, 0x58000000};
    case 102: return ControlKind{ControlClass::Button, 0x50000004};
    case 103:
    case 104: return ControlKind{ControlClass::Button, 0x58000002};
    default: return std::nullopt;
    }
}

DialogLayout buildDialogLayout(CQuillDoc& doc, int dlgLineIndex, double xScale, double yScale)
{
    DialogLayout layout;
    CProjectDatabase& db = doc.database();
    try {
        // The caption strip; a caption whose source changed in an update still has its strip.
        const std::vector<TextRow> captions = db.items().dialogCaptionTexts(dlgLineIndex);
        if (!captions.empty()) {
            layout.captionHeight = scaled(kCaptionDialogUnits, yScale);
            layout.captionLine = captions.front().lineIndex;
        }
        if (std::optional<DialogRow> dialog = db.items().dialog(dlgLineIndex)) {
            layout.name = dialog->nameId;
            layout.width = scaled(dialog->cx, xScale);
            layout.height = scaled(dialog->cy, yScale);
        }
        if (layout.captionLine >= 0)
            layout.textControls.push_back({layout.captionLine, "Dialog Caption", {ControlClass::Static, 0x50000001},
                                           {2, 2, layout.width - 4, layout.captionHeight - 4}});
        for (const ControlRow& row : db.items().dialogControlsForPreview(dlgLineIndex)) {
            const std::optional<ControlKind> kind = controlKindOf(row.type, row.className, row.flags);
            if (!kind)
                continue;
            // A drop-down combo box's height is that of its open list; closed, as the dialog shows
            // it, it is one line high and the controls below it are seen.
            constexpr std::uint32_t kComboTypeMask = 0x3, kSimpleCombo = 0x1;
            constexpr int kClosedComboDialogUnits = 13;
            const bool dropDown = kind->windowClass == ControlClass::ComboBox && (row.flags & kComboTypeMask) != kSimpleCombo;
            const int cy = dropDown ? std::min(row.cy, kClosedComboDialogUnits) : row.cy;
            const PixelRect rect{scaled(row.x, xScale), layout.captionHeight + scaled(row.y, yScale),
                                 scaled(row.x + row.cx, xScale), layout.captionHeight + scaled(row.y + cy, yScale)};
            const bool withText = row.hasText && kind->windowClass != ControlClass::GreyFrame;
            constexpr std::uint32_t kDisabled = 0x08000000;
            PreviewControl control{withText ? row.lineIndex : -1, row.nameId, *kind, rect, (row.flags & kDisabled) != 0};
            (withText ? layout.textControls : layout.otherControls).push_back(std::move(control));
        }
    } catch (const DaoException& error) {
        doc.feedback().messageText(error.report(), Icon::Stop);
    }
    return layout;
}

int controlAt(const std::vector<PreviewControl>& controls, int x, int y)
{
    int found = -1;
    long smallest = 0;
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const PixelRect& r = controls[i].rect;
        if (!r.contains(x, y))
            continue;
        const long area = static_cast<long>(r.width()) * r.height();
        if (found < 0 || area < smallest) {
            found = static_cast<int>(i);
            smallest = area;
        }
    }
    return found;
}

int nextControl(int current, int count, bool forward)
{
    if (count <= 0)
        return -1;
    if (current < 0 || current >= count)
        return forward ? 0 : count - 1;
    return forward ? (current + 1) % count : (current + count - 1) % count;
}

PreviewText previewText(CQuillDoc& doc, int lineIndex, std::optional<LanguageId> language)
{
    PreviewText text;
    std::optional<TextRow> row;
    std::optional<TranslatedText> translation;
    try {
        row = doc.database().texts().text(lineIndex);
        if (language)
            translation = doc.database().texts().translation(lineIndex, *language);
    } catch (const DaoException&) {
        return text;  // shown empty; the project reports its database when it is next used
    }
    if (!row)
        return text;
    text.excluded = row->exclude;
    std::string shown;
    if (translation) {
        text.modified = translation->modified;
        text.translated = !translation->text.empty();
        if (text.translated && !text.excluded)
            shown = decodeToUtf8(translation->text, doc.translationCodePage(*language)).value_or(translation->text);
    }
    if (shown.empty())
        shown = decodeToUtf8(row->sourceText, doc.codePage()).value_or(row->sourceText);
    text.shown = toDisplayForm(shown);
    return text;
}

ControlLook controlLook(const std::string& ident, const PreviewText& text, bool sourceView)
{
    ControlLook look{ident, TextColour::Normal};
    if (text.excluded)
        look.tooltip += ", Excluded";
    else if (text.modified)
        look.tooltip += ", Modified";
    else if (text.translated)
        look.tooltip += ", Translated";
    if (text.excluded)
        look.colour = TextColour::Grey;
    else if (text.modified)
        look.colour = TextColour::Red;
    else if (text.translated || sourceView)
        look.colour = TextColour::Normal;
    else
        look.colour = TextColour::Blue;  // untranslated text in a translated preview
    return look;
}

std::vector<MenuNode> buildMenuTree(CQuillDoc& doc, int menuLineIndex)
{
    std::vector<MenuNode> nodes;
    std::vector<int> parents{-1};  // the stack of parents; the root is -1
    try {
        for (const MenuItemRow& item : doc.database().items().menuItems(menuLineIndex)) {
            const int depth = static_cast<int>(parents.size()) - 1;
            if (item.level > depth && !nodes.empty())
                parents.push_back(static_cast<int>(nodes.size()) - 1);
            while (static_cast<int>(parents.size()) - 1 > std::max(0, item.level))
                parents.pop_back();
            const bool popup = item.nameId.empty();
            nodes.push_back({item.lineIndex, parents.back(), popup, popup ? "POPUP" : item.nameId});
        }
    } catch (const DaoException& error) {
        doc.feedback().messageText(error.report(), Icon::Stop);
    }
    return nodes;
}

int menuIcon(bool popup, const PreviewText& text, bool sourceView)
{
    if (text.excluded)
        return popup ? 18 : 16;
    if (sourceView)
        return popup ? 14 : 12;
    if (text.modified)
        return popup ? 4 : 10;
    if (text.translated)
        return popup ? 2 : 8;
    return popup ? 0 : 6;
}

std::filesystem::path bitmapFilePath(std::string_view fileText, const std::filesystem::path& scriptPath,
                                     std::optional<std::string_view> translationFileName)
{
    std::string name;
    for (std::size_t i = 0; i < fileText.size(); ++i) {
        name += fileText[i];
        if (fileText[i] == '\\' && i + 1 < fileText.size() && fileText[i + 1] == '\\')
            ++i;
    }
    // Written for Windows: backslashes separate folders.
    for (char& c : name)
        if (c == '\\')
            c = '/';
    std::filesystem::path folder = scriptPath.parent_path();
    if (translationFileName && !translationFileName->empty()) {
        std::string output(*translationFileName);
        for (char& c : output)
            if (c == '\\')
                c = '/';
        const std::filesystem::path outputFolder = std::filesystem::path(output).parent_path();
        folder = output.find(':') != std::string::npos || outputFolder.is_absolute() ? outputFolder
                                                                                    : folder / outputFolder;
    }
    return resolveCase((folder / name).lexically_normal());
}

BitmapHeader checkBitmap(std::string_view bytes)
{
    BitmapHeader header;
    constexpr std::size_t kFileHeader = 14;
    if (bytes.size() < 2 || bytes[0] != 'B' || bytes[1] != 'M') {
        header.problem = BitmapHeader::Problem::NotABitmap;
        return header;
    }
    if (bytes.size() < kFileHeader + 12 || static_cast<std::uint32_t>(word32(bytes, 2)) > bytes.size()) {
        header.problem = BitmapHeader::Problem::Short;
        return header;
    }
    const std::int32_t infoSize = word32(bytes, kFileHeader);
    if (infoSize == 40) {
        if (bytes.size() < kFileHeader + 40) {
            header.problem = BitmapHeader::Problem::Short;
            return header;
        }
        header.width = word32(bytes, kFileHeader + 4);
        header.height = word32(bytes, kFileHeader + 8);
    } else {
        header.width = word16(bytes, kFileHeader + 4);  // the core header's sizes are unsigned
        header.height = word16(bytes, kFileHeader + 6);
    }
    if (header.width < 0 || header.height < 0)
        header.problem = BitmapHeader::Problem::TooLarge;
    return header;
}

} // namespace qmk
