// Reading one statement into a parsed-line record.
#include "parser/ParsedLine.h"

#include "parser/ScriptParser.h"

namespace qmk {

ParsedLine::ParsedLine(ScriptParser& parser)
{
    action = parser.readLine(text);
    kind = parser.kindValue();
    resourceLine = parser.resourceLine();
    error = parser.error();
}

} // namespace qmk
