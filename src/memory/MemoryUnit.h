// One translation as the translation memory keeps it, and a match a lookup returns.
// Texts are UTF-8 in the form translation platforms use (the characters the script's escapes
// stand for), languages are BCP 47 tags as the XLIFF export writes them ("de-DE").
#pragma once

#include <cstdint>
#include <string>

namespace qmk {

struct MemoryUnit {
    std::string source;
    std::string target;
    std::string sourceLanguage;
    std::string targetLanguage;
    std::string project;       // the script the translation was made in ("app.rc"); empty when unknown
    std::string resourceType;  // "Dialog Item", "Stringtable String", ...
    std::string resourceId;    // the Text Table's Id
    std::int64_t time = 0;     // seconds since 1970 (UTC) when it was last added
    bool flagged = false;      // the translation was still to be reviewed

    bool operator==(const MemoryUnit&) const = default;
};

struct MemoryMatch {
    MemoryUnit unit;
    // 100: the same source text; 99: the same once mnemonics, escapes, case and blanks are
    // folded; below: the share of the longer normalised text an edit leaves unchanged.
    int score = 0;
};

} // namespace qmk
