// Cutting a parsed line at its text.
#include "parser/LineSink.h"

#include "parser/LineKindGroups.h"
#include "parser/ParsedLine.h"
#include "parser/ScriptParser.h"

namespace qmk {

LineSplit splitParsedLine(const ParsedLine& line, const ScriptParser& parser)
{
    std::string_view text = line.text;
    LineSplit split;
    if (line.action != toInt(LineAction::String) || line.kind == toInt(LineKind::TextIncludeData)) {
        split.before = text;
        return split;
    }
    const TextSpan span = isIncludeKind(line.kind) ? parser.includeNameSpan() : parser.stringSpan();
    const auto start = static_cast<std::size_t>(span.start);
    const auto length = static_cast<std::size_t>(span.length);
    if (span.start < 0 || start + length > text.size()) {
        split.before = text;
        return split;
    }
    split.before = text.substr(0, start);
    split.text = text.substr(start, length);
    split.behind = text.substr(start + length);
    if (!isIncludeKind(line.kind))
        split.asWritten = parser.stringAsWritten();
    split.hasText = true;
    return split;
}

} // namespace qmk
