// The font faces the workbook export names: the project's choice for a language, with faces
// that only Windows has replaced by ones a Linux desktop installs with this program.
#pragma once

#include <string>
#include <string_view>

namespace qmk {

// The face of the columns that hold no translation (Id, source text) and the fallback face.
inline constexpr char kWorkbookDefaultFace[] = "DejaVu Sans";

// `face` as a Linux desktop shows it: a Windows-only face ("Arial Cyr", "MS Shell Dlg") becomes
// the face that covers the character set (`charset`, as in the language table); an empty face
// the default one; any other face (one the translator chose) stays.
std::string workbookFontFace(std::string_view face, int charset);

} // namespace qmk
