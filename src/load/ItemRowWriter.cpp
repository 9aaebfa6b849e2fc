// The rows of new lines: line, text and item row.
#include "load/ItemRowWriter.h"

#include <string>

#include "database/LineStore.h"
#include "parser/LineKindGroups.h"
#include "parser/ParsedLine.h"
#include "parser/ScriptParser.h"

namespace qmk {

ControlRow controlRowOf(const ParsedLine& line, const ScriptParser& parser)
{
    ControlRow control;
    control.nameId = std::string(parser.symbolText());
    if (parser.secondStringSpan().length > 0)
        control.className = std::string(parser.secondStringText());
    control.x = parser.x();
    control.y = parser.y();
    control.cx = parser.cx();
    control.cy = parser.cy();
    control.type = line.kind;
    control.flags = parser.styleBits();
    return control;
}

void addNewLine(LineStore& rows, ResourceContext& context, int lineIndex, int added, int lineNumber,
                const ParsedLine& line, const ScriptParser& parser, const LineSplit& split)
{
    LineRow row;
    row.lineIndex = lineIndex;
    row.line = lineNumber;
    row.lineKind = line.kind;
    row.added = added;
    row.beforeStr = std::string(split.before);
    row.behindStr = std::string(split.behind);
    rows.addLine(row);
    if (split.hasText)
        rows.addText(lineIndex, split.text, isExcludedByDefault(line.kind));
    if (!split.asWritten.empty())
        rows.addJoinedLiteral(lineIndex, split.asWritten);
    addItemRow(rows, context, lineIndex, line, parser);
}

void addItemRow(LineStore& rows, ResourceContext& context, int lineIndex, const ParsedLine& line,
                const ScriptParser& parser)
{
    const int kind = line.kind;
    const bool carriesText = line.action == toInt(LineAction::String);
    const std::string symbol(parser.symbolText());

    if (isDialogControlKind(kind)) {
        ControlRow control = controlRowOf(line, parser);
        control.lineIndex = lineIndex;
        control.dlgLine = context.dialog;
        rows.addControl(control);
        return;
    }
    if (isMenuItemKind(kind)) {
        rows.addMenuItem({lineIndex, context.menu, parser.depth() - 1, symbol, 0});
        return;
    }
    switch (static_cast<LineKind>(kind)) {
    case LineKind::Caption:
        rows.addCaption({lineIndex, context.dialog});
        break;
    case LineKind::Menu:
        rows.addMenu({lineIndex, symbol});
        context.menu = lineIndex;
        break;
    case LineKind::Dialog:
        rows.addDialog({lineIndex, symbol, parser.cx(), parser.cy()});
        context.dialog = lineIndex;
        break;
    case LineKind::Bitmap:
        if (carriesText)
            rows.addBitmap({lineIndex, symbol});
        break;
    case LineKind::StringTableString:
        rows.addStringtableString({lineIndex, symbol});
        break;
    case LineKind::VersionInfo:
        rows.addVersion({lineIndex, symbol});
        context.version = lineIndex;
        break;
    case LineKind::Block:
        if (carriesText)
            rows.addVersionBlockHeader({lineIndex, context.version});
        context.block = lineIndex;
        break;
    case LineKind::Value:
        if (carriesText && parser.stringSpan().length > 0)
            rows.addVersionValue({lineIndex, context.version, context.block, symbol});
        break;
    case LineKind::Language:
        rows.addSourceLanguage(lineIndex, {parser.language(), parser.sublanguage()});
        break;
    default:
        break;
    }
}

} // namespace qmk
