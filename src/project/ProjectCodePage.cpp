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
    std::string problem;
    const std::optional<std::string> content = readInputFile(script, problem);
    if (content && isUtf16(detectScriptEncoding(*content)))
        return kCodePageUtf8;
    // Under a pragma only bytes that all form UTF-8 overrule it; a script whose own bytes do not
    // is in the pragma's code page without reading the stored lines.
    if (evidence.firstPragmaCodePage > 0 && content && hasBytesAbove127(*content) && !isValidUtf8(*content))
        return evidence.firstPragmaCodePage;
    // The script's bytes and the stored lines are judged part by part, never joined: each part
    // is whole text, so all of them are UTF-8 exactly when their joined bytes would be.
    bool highBytes = false;
    bool allUtf8 = true;
    const auto judge = [&](std::string_view part) {
        if (hasBytesAbove127(part)) {
            highBytes = true;
            allUtf8 = allUtf8 && isValidUtf8(part);
        }
    };
    if (content) {
        evidence.startsWithUtf8Bom = content->compare(0, kUtf8Bom.size(), kUtf8Bom) == 0;
        judge(*content);
    } else {
        bool first = true;
        db.texts().forEachTextInLineOrder([&](const TextRow& row) {
            if (first && !row.sourceText.empty()) {
                evidence.startsWithUtf8Bom = row.sourceText.compare(0, kUtf8Bom.size(), kUtf8Bom) == 0;
                first = false;
            }
            judge(row.sourceText);
        });
    }
    db.texts().forEachScriptLine([&](const LineRow& row) {
        judge(row.beforeStr);
        judge(row.behindStr);
    });
    evidence.hasHighBytes = highBytes;
    evidence.highBytesAreUtf8 = highBytes && allUtf8;
    for (const SourceLanguageRow& lang : db.languages().sourceLanguages()) {
        evidence.firstLanguageCodePage = codePageNumber(lang.id.language, lang.id.sublanguage);
        break;
    }
    return projectCodePage(evidence);
}

} // namespace qmk
