// Replacement of Windows-only font faces in the workbook export.
#include "exchange/WorkbookFonts.h"

#include <algorithm>
#include <iterator>

#include "resources/FileNames.h"

namespace qmk {

namespace {

// Faces that come with Windows (and its charset variants of Arial) but not with Linux.
constexpr std::string_view kWindowsFaces[] = {
    "Arial", "Arial Cyr", "Arial Greek", "Arial CE", "Arial TUR", "Arial Baltic", "Arial Hebrew",
    "Arial Unicode MS", "MS Sans Serif", "MS Shell Dlg", "MS Shell Dlg 2", "Microsoft Sans Serif",
    "Tahoma", "Verdana", "Segoe UI", "Calibri", "MS Gothic", "MS PGothic", "MS UI Gothic", "MS Mincho",
    "SimSun", "NSimSun", "MingLiU", "PMingLiU", "Gulim", "Batang", "Dotum",
};

struct CharsetFace {
    int charset;
    const char* face;
};

// Character sets that DejaVu Sans does not cover, and the faces (fonts-noto-cjk, suggested by
// the package) that do.
constexpr CharsetFace kCharsetFaces[] = {
    {0x80, "Noto Sans CJK JP"},  // Shift-JIS
    {0x81, "Noto Sans CJK KR"},  // Hangeul
    {0x82, "Noto Sans CJK KR"},  // Johab
    {0x86, "Noto Sans CJK SC"},  // GB 2312
    {0x88, "Noto Sans CJK TC"},  // Big5
};

} // namespace

std::string workbookFontFace(std::string_view face, int charset)
{
    const bool windowsOnly = std::any_of(std::begin(kWindowsFaces), std::end(kWindowsFaces),
                                         [face](std::string_view known) { return equalsIgnoringCase(known, face); });
    if (!face.empty() && !windowsOnly)
        return std::string(face);
    for (const CharsetFace& entry : kCharsetFaces)
        if (entry.charset == charset)
            return entry.face;
    return kWorkbookDefaultFace;
}

} // namespace qmk
