// Conversion of script text between its code page and Unicode (UTF-8), and the choice of a
// project's code page. The core keeps bytes; this is used where text leaves the core as Unicode
// (workbooks, the windows) and where typed Unicode text comes back.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "parser/ScriptEncoding.h"  // kCodePageUtf8, isValidUtf8, hasBytesAbove127

namespace qmk {

inline constexpr int kCodePageWestern = 1252;

// The iconv name of a Windows code page ("CP1252", "UTF-8", ...); empty when unknown.
std::string iconvNameOfCodePage(int codePage);


// Bytes in `codePage` as UTF-8; nothing when they are not valid in that code page.
std::optional<std::string> decodeToUtf8(std::string_view bytes, int codePage);

struct EncodeResult {
    bool ok = false;
    std::string bytes;                        // the text in the target code page, when ok
    std::vector<std::string> unrepresentable;  // characters (as UTF-8) the code page cannot hold
};

// UTF-8 text in `codePage`. Never lossy: a character the code page lacks makes the result
// fail and is listed.
EncodeResult encodeFromUtf8(std::string_view utf8, int codePage);

// Bytes in code page `from` as bytes in `to` (unchanged when the two agree or the text is
// ASCII in two ASCII-based code pages). Fails when the bytes are not valid in `from` (nothing
// listed) or listing the characters `to` lacks.
EncodeResult recodeText(std::string_view bytes, int from, int to);

// The code page a project's texts are in: UTF-8 when its bytes above 127 all form UTF-8 (even
// under a pragma that says otherwise), else the script's first "#pragma code_page", else UTF-8
// when the script starts with a UTF-8 byte-order mark, else the code page of its first LANGUAGE
// statement, else 1252.
struct CodePageEvidence {
    int firstPragmaCodePage = 0;        // 0: the script has none
    bool startsWithUtf8Bom = false;
    bool hasHighBytes = false;
    bool highBytesAreUtf8 = false;
    int firstLanguageCodePage = 0;      // 0: no LANGUAGE statement
};
int projectCodePage(const CodePageEvidence& evidence);

} // namespace qmk
