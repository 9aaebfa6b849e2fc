// The line import of a translated script.
#include "exchange/ScriptImportLineSink.h"

#include "exchange/ImportedTranslation.h"
#include "parser/LineKindGroups.h"
#include "parser/ParsedLine.h"
#include "parser/ScriptParser.h"

namespace qmk {
ScriptImportLineSink::ScriptImportLineSink(ItemMatcher& matcher, int scriptCodePage, int translationCodePage)
    : matcher_(matcher), scriptCodePage_(scriptCodePage), translationCodePage_(translationCodePage)
{
}

bool ScriptImportLineSink::isResourceHeaderKind(int kind)
{
    switch (static_cast<LineKind>(kind)) {
    case LineKind::StringTable:
    case LineKind::Menu:
    case LineKind::Dialog:
    case LineKind::Accelerators:
    case LineKind::RcData:
    case LineKind::UserResource:
    case LineKind::TextInclude:
    case LineKind::VersionInfo:
    case LineKind::DialogExByString:
        return true;
    default:
        return false;
    }
}

void ScriptImportLineSink::store(const ParsedLine& line, const ScriptParser& parser, int)
{
    if (isResourceHeaderKind(line.kind)) {
        resourceIdent_ = std::string(parser.symbolText());
        return;
    }
    if (line.action != toInt(LineAction::String) || !ItemMatcher::isImportedKind(line.kind))
        return;
    const LineSplit split = splitParsedLine(line, parser);
    if (!split.hasText || split.text.empty())
        return;
    ImportedItem item;
    item.lineKind = line.kind;
    item.resourceIdent = resourceIdent_;
    item.itemIdent = std::string(parser.symbolText());
    if (isDialogControlKind(line.kind)) {
        item.x = parser.x();
        item.y = parser.y();
        item.cx = parser.cx();
        item.cy = parser.cy();
    }
    importText(item, split.text);
}

void ScriptImportLineSink::importText(const ImportedItem& item, std::string_view text)
{
    std::optional<ImportTarget> target = matcher_.find(item);
    if (!target)
        return;
    std::optional<std::string> stored = recodedText(text, scriptCodePage_, translationCodePage_);
    if (!stored) {
        unrepresentable_.emplace_back(text);
        return;
    }
    if (matcher_.storeIfUntranslated(target->lineIndex, *stored, target->modified))
        ++imported_;
}

} // namespace qmk
