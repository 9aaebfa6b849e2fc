// The line import of a translated script.
#include "exchange/ScriptImportLineSink.h"

#include "parser/LineKindGroups.h"
#include "parser/ParsedLine.h"
#include "parser/ScriptParser.h"
#include "project/TextCodec.h"

namespace qmk {
namespace {

// The text in the translation's code page; nothing when that code page cannot hold it.
std::optional<std::string> recoded(std::string_view text, int from, int to)
{
    if (from == to || !hasBytesAbove127(text))
        return std::string(text);
    std::optional<std::string> unicode = decodeToUtf8(text, from);
    if (!unicode)
        return std::nullopt;
    EncodeResult encoded = encodeFromUtf8(*unicode, to);
    if (!encoded.ok)
        return std::nullopt;
    return std::move(encoded.bytes);
}

} // namespace

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
    std::optional<std::string> stored = recoded(text, scriptCodePage_, translationCodePage_);
    if (!stored) {
        unrepresentable_.emplace_back(text);
        return;
    }
    if (matcher_.storeIfUntranslated(target->lineIndex, *stored, target->modified))
        ++imported_;
}

} // namespace qmk
