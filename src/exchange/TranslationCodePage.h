// The code page a translation's texts are kept in, for turning them into workbook text and back.
#pragma once

#include "database/ProjectRows.h"

namespace qmk {

// The code page the translated script declares for the language; a UTF-8 project keeps UTF-8
// for every translation.
int translationCodePage(int projectCodePage, LanguageId language);

} // namespace qmk
