// XLIFF 1.2 as translation platforms and CAT tools exchange it: one <file> with the project's
// languages, one <trans-unit> per text with its review state and, for dialog controls, the
// width the text may take.
#pragma once

#include <optional>
#include <string>

#include "exchange/ExchangeDocument.h"

namespace qmk {

std::string writeXliff(const ExchangeDocument& document);
// Nothing, with the reason, when the bytes are not an XLIFF 1.x file. A unit whose target holds
// inline codes or characters a script cannot hold is read with the reason in `unreadable`.
std::optional<ExchangeDocument> readXliff(const std::string& bytes, std::string& problem);

} // namespace qmk
