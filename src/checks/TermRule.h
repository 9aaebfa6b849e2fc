// The glossary's check: a term of the source must be translated as the glossary says (its
// translation or an allowed variant standing in the translation), and none of its forbidden
// variants may be used.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "memory/TermIndex.h"

namespace qmk {

// `terms` holds the glossary's entries of the translation's language. Texts are UTF-8.
std::optional<std::string> checkTerms(std::string_view source, std::string_view translation, const TermIndex& terms);

} // namespace qmk
