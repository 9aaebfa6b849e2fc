// The per-line store of a fresh build.
#include "parser/BuildLineStore.h"

#include "database/LineStore.h"
#include "parser/LineKindGroups.h"
#include "parser/ParsedLine.h"
#include "parser/ScriptParser.h"

namespace qmk {
namespace {

// Include lines and bitmap file names start out excluded from translation.
bool excludedByDefault(int kind)
{
    return isIncludeKind(kind) || kind == toInt(LineKind::Bitmap);
}

} // namespace

BuildLineStore::BuildLineStore(LineStore& store) : rows_(store) {}

void BuildLineStore::store(const ParsedLine& line, const ScriptParser& parser, int lineNumber)
{
    const int lineIndex = lineIndexes_.take();
    const LineSplit split = splitParsedLine(line, parser);

    LineRow row;
    row.lineIndex = lineIndex;
    row.line = lineNumber;
    row.lineKind = line.kind;
    row.added = 0;
    row.beforeStr = std::string(split.before);
    row.behindStr = std::string(split.behind);
    rows_.addLine(row);

    if (split.hasText)
        rows_.addText(lineIndex, split.text, excludedByDefault(line.kind));
    storeItemRow(line.kind, lineIndex, line, parser);
}

void BuildLineStore::storeItemRow(int kind, int lineIndex, const ParsedLine& line, const ScriptParser& parser)
{
    const bool carriesText = line.action == toInt(LineAction::String);
    const std::string symbol(parser.symbolText());

    if (isDialogControlKind(kind)) {
        ControlRow control;
        control.lineIndex = lineIndex;
        control.dlgLine = currentDialog_;
        control.nameId = symbol;
        if (parser.secondStringSpan().length > 0)
            control.className = std::string(parser.secondStringText());
        control.x = parser.x();
        control.y = parser.y();
        control.cx = parser.cx();
        control.cy = parser.cy();
        control.type = kind;
        control.flags = parser.styleBits();
        rows_.addControl(control);
        return;
    }
    if (isMenuItemKind(kind)) {
        MenuItemRow item;
        item.lineIndex = lineIndex;
        item.menuLine = currentMenu_;
        item.level = parser.depth() - 1;
        item.nameId = symbol;
        rows_.addMenuItem(item);
        return;
    }
    switch (static_cast<LineKind>(kind)) {
    case LineKind::Caption:
        rows_.addCaption({lineIndex, currentDialog_});
        break;
    case LineKind::Menu:
        rows_.addMenu({lineIndex, symbol});
        currentMenu_ = lineIndex;
        break;
    case LineKind::Dialog:
        rows_.addDialog({lineIndex, symbol, parser.cx(), parser.cy()});
        currentDialog_ = lineIndex;
        break;
    case LineKind::Bitmap:
        if (carriesText)
            rows_.addBitmap({lineIndex, symbol});
        break;
    case LineKind::StringTableString:
        rows_.addStringtableString({lineIndex, symbol});
        break;
    case LineKind::VersionInfo:
        rows_.addVersion({lineIndex, symbol});
        currentVersion_ = lineIndex;
        break;
    case LineKind::Block:
        if (carriesText)
            rows_.addVersionBlockHeader({lineIndex, currentVersion_});
        currentBlock_ = lineIndex;
        break;
    case LineKind::Value:
        if (carriesText && parser.stringSpan().length > 0)
            rows_.addVersionValue({lineIndex, currentVersion_, currentBlock_, symbol});
        break;
    case LineKind::Language:
        rows_.addSourceLanguage(lineIndex, {parser.language(), parser.sublanguage()});
        break;
    default:
        break;
    }
}

} // namespace qmk
