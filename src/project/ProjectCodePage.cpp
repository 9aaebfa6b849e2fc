// Finding a project's code page.
#include "project/ProjectCodePage.h"

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "database/CProjectDatabase.h"
#include "parser/CodePageTable.h"
#include "parser/ParserCodes.h"
#include "project/TextCodec.h"

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
    CodePageEvidence evidence;
    std::string stored;
    db.forEachScriptLine([&](const LineRow& row) {
        if (row.lineKind == toInt(LineKind::CodePage) && evidence.firstPragmaCodePage == 0)
            evidence.firstPragmaCodePage = pragmaCodePage(row.beforeStr);
        stored += row.beforeStr;
        stored += row.behindStr;
    });
    std::string bytes;
    if (std::ifstream in(script, std::ios::binary); in)
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    else
        db.forEachTextInLineOrder([&](const TextRow& row) { bytes += row.sourceText; });
    bytes += stored;
    evidence.startsWithUtf8Bom = bytes.compare(0, kUtf8Bom.size(), kUtf8Bom) == 0;
    evidence.hasHighBytes = hasBytesAbove127(bytes);
    evidence.highBytesAreUtf8 = evidence.hasHighBytes && isValidUtf8(bytes);
    for (const SourceLanguageRow& lang : db.sourceLanguages()) {
        evidence.firstLanguageCodePage = codePageNumber(lang.id.language, lang.id.sublanguage);
        break;
    }
    return projectCodePage(evidence);
}

} // namespace qmk
