// The project's source language as translation platforms and memories name it ("en-US").
#pragma once

#include <optional>
#include <string>

namespace qmk {

class CQuillDoc;

// The first language of the project's texts that is not neutral (scripts often put their icons
// and version block under a neutral LANGUAGE statement first); none when every one is neutral.
std::optional<std::string> knownSourceLanguageTag(CQuillDoc& doc);
// The same, "en-US" when the script names no language.
std::string sourceLanguageTag(CQuillDoc& doc);

} // namespace qmk
