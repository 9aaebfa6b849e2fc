// Looking a chosen item up by its line.
#include "project/ChosenItem.h"

#include "database/CProjectDatabase.h"
#include "database/DaoException.h"
#include "project/CQuillDoc.h"
#include "project/ItemLineKinds.h"
#include "project/TextCodec.h"

namespace qmk {
namespace {

std::string decoded(const std::string& bytes, int codePage)
{
    return codePage > 0 ? decodeToUtf8(bytes, codePage).value_or(bytes) : bytes;
}

// The identifier of the item's own row (string, control, menu item, bitmap, value name).
std::string itemIdentifier(CProjectDatabase& db, ItemType type, int lineIndex)
{
    std::optional<std::string> ident;
    switch (type) {
    case ItemType::StringtableString: ident = db.items().stringIdent(lineIndex); break;
    case ItemType::DialogItem:
        if (std::optional<ControlRow> control = db.items().control(lineIndex))
            ident = control->nameId;
        break;
    case ItemType::MenuItem: ident = db.items().menuItemIdent(lineIndex); break;
    case ItemType::BitmapFile:
    case ItemType::BitmapNode: ident = db.items().bitmapIdent(lineIndex); break;
    case ItemType::VersionValue:
        if (std::optional<VersionValueRow> value = db.items().versionValue(lineIndex))
            ident = value->value;
        break;
    default: break;
    }
    return ident.value_or(std::string());
}

// The name of the resource the item belongs to; empty for items that are resources themselves.
std::string owningResource(CProjectDatabase& db, ItemType type, int lineIndex)
{
    std::optional<int> dialog;
    switch (type) {
    case ItemType::DialogItem: dialog = db.items().dialogOfControl(lineIndex); break;
    case ItemType::DialogCaption: dialog = db.items().dialogOfCaption(lineIndex); break;
    case ItemType::MenuItem:
    case ItemType::PopupMenu:
        if (std::optional<int> menu = db.items().menuOfItem(lineIndex))
            return db.items().menuIdent(*menu).value_or(std::string());
        return {};
    case ItemType::BlockHeader: return db.items().versionOfBlockHeader(lineIndex).value_or(std::string());
    case ItemType::VersionValue:
        if (std::optional<IdentRow> version = db.items().versionOfValue(lineIndex))
            return version->nameId;
        return {};
    default: return {};
    }
    if (dialog)
        if (std::optional<DialogRow> row = db.items().dialog(*dialog))
            return row->nameId;
    return {};
}

void readFromRow(CQuillDoc& doc, int row, std::optional<LanguageId> language, ItemTexts& item)
{
    const TextTableRows& rows = doc.rows();
    const CObjectData& object = rows.item(row);
    item.itemType = object.itemType;
    item.idText = object.idText;
    item.excluded = object.excluded;
    item.source = rows.row(row).cell(TextTableColumns::SourceColumn);
    item.sourceShown = rows.displayText(row, TextTableColumns::SourceColumn);
    if (!language)
        return;
    const int column = rows.columns().columnOfLanguage(*language);
    if (column < 0)
        return;
    item.translation = rows.row(row).cell(column);
    item.translationShown = rows.displayText(row, column);
    item.flagged = object.isModified(*language);
}

void readFromDatabase(CQuillDoc& doc, int lineIndex, std::optional<LanguageId> language, ItemTexts& item)
{
    CProjectDatabase& db = doc.database();
    std::optional<TextRow> text = db.texts().text(lineIndex);
    if (!text) {
        item.found = false;
        return;
    }
    const int lineKind = db.texts().lineKind(lineIndex).value_or(itemkind::NoLine);
    item.itemType = lineKind == itemkind::NoLine ? ItemType::None : itemTypeOfLineKind(lineKind);
    item.idText = idText(item.itemType, itemIdentifier(db, item.itemType, lineIndex));
    item.excluded = text->exclude;
    item.source = text->sourceText;
    item.sourceShown = decoded(item.source, doc.codePage());
    if (!language)
        return;
    if (std::optional<TranslatedText> translated = db.texts().translation(lineIndex, *language)) {
        item.translation = translated->text;
        item.flagged = translated->modified;
        item.translationShown = decoded(item.translation, doc.translationCodePage(*language));
    }
}

} // namespace

ItemTexts itemTexts(CQuillDoc& doc, int lineIndex, std::optional<LanguageId> language, bool withResource)
{
    ItemTexts item;
    if (lineIndex < 0 || !doc.database().isOpen())
        return item;
    item.found = true;
    try {
        item.row = doc.rows().rowOfLineIndex(lineIndex);
        if (item.row >= 0)
            readFromRow(doc, item.row, language, item);
        else
            readFromDatabase(doc, lineIndex, language, item);
        if (item.found && withResource)
            item.resource = owningResource(doc.database(), item.itemType, lineIndex);
    } catch (const DaoException&) {
        return {};
    }
    return item;
}

std::string itemHeading(const ItemTexts& item)
{
    if (!item.found)
        return {};
    std::string heading = item.resource;
    if (!item.idText.empty())
        heading += (heading.empty() ? "" : ": ") + item.idText;
    const std::string_view type = itemTypeDisplayName(item.itemType);
    if (!type.empty())
        heading += heading.empty() ? std::string(type) : " (" + std::string(type) + ")";
    return heading;
}

} // namespace qmk
