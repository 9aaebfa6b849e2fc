// Finding a project's code page.
#include "project/ProjectCodePage.h"

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "database/CProjectDatabase.h"
#include "parser/CodePageTable.h"
#include "parser/ParserCodes.h"
#include "parser/ScriptEncoding.h"
#include "project/TextCodec.h"
#include "resources/FileNames.h"

namespace qmk {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

int pragmaCodePage(std::string_view line)
{
    std::size_t open = line.find('(');
    return open == std::string_view::npos ? 0 : std::atoi(std::string(line.substr(open + 1)).c_str());
}

} // namespace

int projectCodePageOf(CProjectDatabase& db, const std::filesystem::path& script)
{
    // A UTF-16 script is read as UTF-8.
    if (isUtf16(static_cast<ScriptEncoding>(db.sourceEncoding().value_or(0))))
        return kCodePageUtf8;
    CodePageEvidence evidence;
    for (const LineRow& row : db.texts().scriptLinesOfKind(toInt(LineKind::CodePage)))
        if (evidence.firstPragmaCodePage == 0)
            evidence.firstPragmaCodePage = pragmaCodePage(row.beforeStr);
    std::string bytes;
    std::string problem;
    const std::optional<std::string> content = readInputFile(script, problem);
    if (content && isUtf16(detectScriptEncoding(*content)))
        return kCodePageUtf8;
    // Under a pragma only bytes that all form UTF-8 overrule it; a script whose own bytes do not
    // is in the pragma's code page without reading the stored lines.
    if (evidence.firstPragmaCodePage > 0 && content && hasBytesAbove127(*content) && !isValidUtf8(*content))
        return evidence.firstPragmaCodePage;
    std::string stored;
    db.texts().forEachScriptLine([&](const LineRow& row) {
        stored += row.beforeStr;
        stored += row.behindStr;
    });
    if (content)
        bytes = std::move(*content);
    else
        db.texts().forEachTextInLineOrder([&](const TextRow& row) { bytes += row.sourceText; });
    bytes += stored;
    evidence.startsWithUtf8Bom = bytes.compare(0, kUtf8Bom.size(), kUtf8Bom) == 0;
    evidence.hasHighBytes = hasBytesAbove127(bytes);
    evidence.highBytesAreUtf8 = evidence.hasHighBytes && isValidUtf8(bytes);
    for (const SourceLanguageRow& lang : db.languages().sourceLanguages()) {
        evidence.firstLanguageCodePage = codePageNumber(lang.id.language, lang.id.sublanguage);
        break;
    }
    return projectCodePage(evidence);
}

} // namespace qmk
