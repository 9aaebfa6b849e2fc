// "Replace All": every occurrence of a text in the chosen translations replaced, cell by cell,
// through the document and as one step of the project's undo history. The scan resumes after
// each inserted replacement, so a replacement that contains the searched text still ends. The
// cells replaced are marked in the Text Table, so that the translator sees what changed.
#pragma once

#include <string>
#include <vector>

#include "project/TextSearch.h"

namespace qmk {

class CQuillDoc;

// The text with every counting occurrence replaced (UTF-8); `count` is increased by their number.
std::string replacedText(std::string_view text, const SearchOptions& options, std::string_view replacement, int& count);

struct ReplaceAllResult {
    int replaced = 0;                 // occurrences
    int texts = 0;                    // cells stored
    int rows = 0;                     // rows those cells are in
    std::vector<std::string> refused;  // cells whose code page cannot hold the result (not stored)
};
ReplaceAllResult replaceAll(CQuillDoc& doc, const SearchOptions& options,
                            const std::string& replacement);

} // namespace qmk
