// Whether this machine has a font for a Windows character set (fontconfig, through Qt).
#pragma once

namespace qmk {

bool fontInstalledForCharset(int charSet);

} // namespace qmk
