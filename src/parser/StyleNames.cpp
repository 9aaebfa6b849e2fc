// Style-name table with the values of the Windows SDK headers. Window and extended-window
// names share one value space here, as the reader never needs to tell them apart.
#include "parser/StyleNames.h"

#include <string>
#include <unordered_map>

namespace qmk {
namespace {

constexpr StyleName kStyles[] = {
    {"DUMMY", 3},
    {"WS_CLIPSIBLINGS", 0x04000000},
    {"WS_CLIPCHILDREN", 0x02000000},
    {"WS_VISIBLE", 0x10000000},
    {"WS_DISABLED", 0x08000000},
    {"WS_OVERLAPPED", 0x00000000},
    {"WS_POPUP", 0x80000000},
    {"WS_CHILD", 0x40000000},
    {"WS_MINIMIZE", 0x20000000},
    {"WS_MAXIMIZE", 0x01000000},
    {"WS_CAPTION", 0x00C00000},
    {"WS_BORDER", 0x00800000},
    {"WS_DLGFRAME", 0x00400000},
    {"WS_VSCROLL", 0x00200000},
    {"WS_HSCROLL", 0x00100000},
    {"WS_SYSMENU", 0x00080000},
    {"WS_THICKFRAME", 0x00040000},
    {"WS_MINIMIZEBOX", 0x00020000},
    {"WS_MAXIMIZEBOX", 0x00010000},
    {"WS_GROUP", 0x00020000},
    {"WS_TABSTOP", 0x00010000},
    {"WS_OVERLAPPEDWINDOW", 0x00CF0000},
    {"WS_POPUPWINDOW", 0x80880000},
    {"WS_CHILDWINDOW", 0x40000000},
    {"WS_EX_DLGMODALFRAME", 0x00000001},
    {"WS_EX_NOPARENTNOTIFY", 0x00000004},
    {"WS_TILED", 0x00000000},
    {"WS_ICONIC", 0x20000000},
    {"WS_SIZEBOX", 0x00040000},
    {"WS_TILEDWINDOW", 0x00CF0000},
    {"BS_PUSHBUTTON", 0x0},
    {"BS_DEFPUSHBUTTON", 0x1},
    {"BS_CHECKBOX", 0x2},
    {"BS_AUTOCHECKBOX", 0x3},
    {"BS_RADIOBUTTON", 0x4},
    {"BS_3STATE", 0x5},
    {"BS_AUTO3STATE", 0x6},
    {"BS_GROUPBOX", 0x7},
    {"BS_USERBUTTON", 0x8},
    {"BS_AUTORADIOBUTTON", 0x9},
    {"BS_OWNERDRAW", 0xB},
    {"BS_LEFTTEXT", 0x20},
    {"SBS_HORZ", 0x0},
    {"SBS_VERT", 0x1},
    {"SBS_TOPALIGN", 0x2},
    {"SBS_LEFTALIGN", 0x2},
    {"SBS_BOTTOMALIGN", 0x4},
    {"SBS_RIGHTALIGN", 0x4},
    {"SBS_SIZEBOXTOPLEFTALIGN", 0x2},
    {"SBS_SIZEBOXBOTTOMRIGHTALIGN", 0x4},
    {"SBS_SIZEBOX", 0x8},
    {"SS_LEFT", 0x0},
    {"SS_CENTER", 0x1},
    {"SS_RIGHT", 0x2},
    {"SS_ICON", 0x3},
    {"SS_BLACKRECT", 0x4},
    {"SS_GRAYRECT", 0x5},
    {"SS_WHITERECT", 0x6},
    {"SS_BLACKFRAME", 0x7},
    {"SS_GRAYFRAME", 0x8},
    {"SS_WHITEFRAME", 0x9},
    {"SS_SIMPLE", 0xB},
    {"SS_LEFTNOWORDWRAP", 0xC},
    {"SS_NOPREFIX", 0x80},
    {"ES_LEFT", 0x0},
    {"ES_CENTER", 0x1},
    {"ES_RIGHT", 0x2},
    {"ES_MULTILINE", 0x4},
    {"ES_UPPERCASE", 0x8},
    {"ES_LOWERCASE", 0x10},
    {"ES_PASSWORD", 0x20},
    {"ES_AUTOVSCROLL", 0x40},
    {"ES_AUTOHSCROLL", 0x80},
    {"ES_NOHIDESEL", 0x100},
    {"ES_OEMCONVERT", 0x400},
    {"DS_SYSMODAL", 0x02},
    {"DS_LOCALEDIT", 0x20},
    {"DS_MODALFRAME", 0x80},
    {"VOS_OS216", 0x00020000},
    {"VOS_OS232", 0x00030000},
    {"VOS_NT", 0x00040000},
    {"VOS__WINDOWS16", 0x00000001},
    {"VOS__WINDOWS32", 0x00000004},
    {"VOS_DOS_WINDOWS16", 0x00010001},
    {"VOS_DOS_WINDOWS32", 0x00010004},
    {"VOS_OS216_PM16", 0x00020002},
    {"VOS_NT_WINDOWS32", 0x00040004},
    {"VOS_UNKNOWN", 0x00000000},
    {"VOS_DOS", 0x00010000},
    {"VFT_APP", 0x1},
    {"VFT_DLL", 0x2},
    {"VFT_DRV", 0x3},
    {"VFT_FONT", 0x4},
    {"VFT_VXD", 0x5},
    {"VFT_STATIC_LIB", 0x7},
    {"VFT_UNKNOWN", 0x0},
    {"VFT2_FONT_RASTER", 0x1},
    {"VFT2_FONT_VECTOR", 0x2},
    {"VFT2_FONT_TRUETYPE", 0x3},
    {"VFT2_DRV_PRINTER", 0x1},
    {"VFT2_DRV_KEYBOARD", 0x2},
    {"VFT2_DRV_LANGUAGE", 0x3},
    {"VFT2_DRV_DISPLAY", 0x4},
    {"VFT2_DRV_MOUSE", 0x5},
    {"VFT2_DRV_NETWORK", 0x6},
    {"VFT2_DRV_SYSTEM", 0x7},
    {"VS_FFI_SIGNATURE", 0xFEEF04BD},
    {"VS_FFI_STRUCVERSION", 0x00010000},
    {"VS_FFI_FILEFLAGSMASK", 0x0000003F},
    {"VS_FF_DEBUG", 0x1},
    {"VS_FF_PRERELEASE", 0x2},
    {"VS_FF_PATCHED", 0x4},
    {"VS_FF_PRIVATEBUILD", 0x8},
    {"VS_FF_INFOINFERRED", 0x10},
    {"VS_FF_SPECIALBUILD", 0x20},
};
static_assert(std::size(kStyles) == 115);

// Names are unique, so a hash of the rows answers exactly what a search in order answers.
const std::unordered_map<std::string_view, std::uint32_t>& styleIndex()
{
    static const auto index = [] {
        std::unordered_map<std::string_view, std::uint32_t> m;
        for (const StyleName& s : kStyles)
            m.emplace(s.name, s.value);
        return m;
    }();
    return index;
}

} // namespace

std::span<const StyleName> StyleNames::table() { return kStyles; }

std::uint32_t StyleNames::value(std::string_view name)
{
    if (name.size() > kMaxNameLength)
        return 0;
    const auto& index = styleIndex();
    auto it = index.find(name);
    return it == index.end() ? 0 : it->second;
}

} // namespace qmk
