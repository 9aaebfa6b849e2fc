// Finding the code page of a translated script.
#include "exchange/ScriptCodePageProbe.h"

#include <cstdlib>
#include <fstream>

#include "parser/CodePageTable.h"
#include "project/TranslationEncoding.h"
#include "parser/LoadLoop.h"
#include "parser/ParsedLine.h"
#include "parser/ScriptParser.h"
#include "resources/Feedback.h"

namespace qmk {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

int pragmaCodePage(std::string_view line)
{
    const std::size_t open = line.find('(');
    return open == std::string_view::npos ? 0 : std::atoi(std::string(line.substr(open + 1)).c_str());
}

bool startsWithBom(const std::filesystem::path& script)
{
    std::ifstream in(script, std::ios::binary);
    char head[3] = {};
    in.read(head, sizeof head);
    return in.gcount() == 3 && std::string_view(head, 3) == kUtf8Bom;
}

} // namespace

int ScriptCodePageProbe::codePageOf(const std::filesystem::path& script,
                                    const std::vector<std::string>& includeExtensions)
{
    ScriptCodePageProbe probe;
    probe.evidence_.startsWithUtf8Bom = startsWithBom(script);
    SilentFeedback silent;
    LoadLoop loop(probe, includeExtensions, silent);
    loop.run(script);
    if (isUtf16(loop.scriptEncoding()))
        return kCodePageUtf16;
    return probe.codePage();
}

void ScriptCodePageProbe::store(const ParsedLine& line, const ScriptParser& parser, int)
{
    if (line.kind == toInt(LineKind::CodePage) && evidence_.firstPragmaCodePage == 0)
        evidence_.firstPragmaCodePage = pragmaCodePage(line.text);
    if (line.kind == toInt(LineKind::Language) && evidence_.firstLanguageCodePage == 0)
        evidence_.firstLanguageCodePage = codePageNumber(parser.language(), parser.sublanguage());
    // A statement never splits a character, so each line can be tested on its own.
    if (hasBytesAbove127(line.text)) {
        evidence_.hasHighBytes = true;
        if (!isValidUtf8(line.text))
            anyNonUtf8_ = true;
        evidence_.highBytesAreUtf8 = !anyNonUtf8_;
    }
}

} // namespace qmk
