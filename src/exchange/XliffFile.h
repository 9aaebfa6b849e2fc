// XLIFF 1.2 as translation platforms and CAT tools exchange it: one <file> with the project's
// languages, one <trans-unit> per text with its review state and, for dialog controls, the
// width the text may take.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "exchange/ExchangeDocument.h"
#include "exchange/TextOutput.h"

namespace qmk {

class UnitReader;

// The file always is well-formed UTF-8 XML: a unit with a text that is no UTF-8 or holds a
// character XML cannot carry is left out and added to `leftOut` with the reason.
// Written to `out` as it is made; false when the output refused the text.
bool writeXliff(const ExchangeDocument& document, TextOutput& out, std::vector<LeftOutUnit>* leftOut = nullptr);
std::string writeXliff(const ExchangeDocument& document, std::vector<LeftOutUnit>* leftOut = nullptr);
// Nothing, with the reason, when the bytes are not an XLIFF 1.x file. A unit whose target holds
// inline codes, characters a script cannot hold or bytes that are no UTF-8 (in its source or
// translation) is read with the reason in `unreadable`. Elements may nest to any depth.
std::optional<ExchangeDocument> readXliff(const std::string& bytes, std::string& problem);
// The same, parsing the bytes where they lie (they are changed).
std::optional<ExchangeDocument> readXliff(std::string&& bytes, std::string& problem);

// The same from a file on disk, read a block at a time: the header at once, the units one at a
// time as the reader asks for them (UnitReader.h). Nothing, with the reason, when it is not an XLIFF file.
std::unique_ptr<UnitReader> openXliffReader(const std::filesystem::path& path, std::string& problem);

} // namespace qmk
