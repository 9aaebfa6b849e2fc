// The glossary's terms of one language as the checks take them, read from the glossary beside
// the memory a caller's settings name (the window passes its own settings, the batch the
// settings file's).
#pragma once

#include <memory>
#include <string>

#include "memory/TermIndex.h"
#include "parser/LanguageId.h"

namespace qmk {

// None when no glossary is there yet (none is made) or it cannot be read.
std::shared_ptr<const TermIndex> glossaryTermsBeside(const std::string& memoryLocation, LanguageId language);

} // namespace qmk
