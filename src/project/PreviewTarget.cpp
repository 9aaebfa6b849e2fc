// Finding the resource whose preview shows an item.
#include "project/PreviewTarget.h"

#include "database/DaoException.h"
#include "database/ProjectItems.h"
#include "project/CQuillDoc.h"
#include "project/ReportedFailure.h"

namespace qmk {
namespace {

std::optional<PreviewTarget> target(PreviewKind kind, std::optional<int> owner, std::optional<int> item)
{
    if (!owner)
        return std::nullopt;
    return PreviewTarget{kind, *owner, item};
}

std::optional<PreviewTarget> targetOf(ProjectItems& items, int lineIndex, ItemType type)
{
    switch (type) {
    case ItemType::Dialog: return target(PreviewKind::Dialog, lineIndex, std::nullopt);
    case ItemType::DialogItem: return target(PreviewKind::Dialog, items.dialogOfControl(lineIndex), lineIndex);
    case ItemType::DialogCaption: return target(PreviewKind::Dialog, items.dialogOfCaption(lineIndex), lineIndex);
    case ItemType::Menu: return target(PreviewKind::Menu, lineIndex, std::nullopt);
    case ItemType::MenuItem:
    case ItemType::PopupMenu: return target(PreviewKind::Menu, items.menuOfItem(lineIndex), lineIndex);
    case ItemType::BitmapNode:
    case ItemType::BitmapFile: return target(PreviewKind::Bitmap, lineIndex, std::nullopt);
    default: return std::nullopt;
    }
}

std::string resourceName(ProjectItems& items, PreviewKind kind, int resourceLine)
{
    switch (kind) {
    case PreviewKind::Dialog:
        if (const std::optional<DialogRow> dialog = items.dialog(resourceLine))
            return dialog->nameId;
        return {};
    case PreviewKind::Menu: return items.menuIdent(resourceLine).value_or("");
    case PreviewKind::Bitmap: return items.bitmapIdent(resourceLine).value_or("");
    }
    return {};
}

std::optional<PreviewTarget> targetOfBookmark(ProjectItems& items, int lineIndex, std::string_view window)
{
    if (window == "Dialog") {
        std::optional<int> dialog = items.dialogOfControl(lineIndex);
        return target(PreviewKind::Dialog, dialog ? dialog : items.dialogOfCaption(lineIndex), lineIndex);
    }
    if (window == "Menu")
        return target(PreviewKind::Menu, items.menuOfItem(lineIndex), lineIndex);
    return target(PreviewKind::Bitmap, lineIndex, lineIndex);
}

} // namespace

std::optional<PreviewTarget> previewTargetOf(CQuillDoc& doc, int lineIndex, ItemType type)
{
    return reportFailure(doc.feedback(), [&] { return targetOf(doc.database().items(), lineIndex, type); },
                         std::optional<PreviewTarget>{});
}

std::string previewResourceName(CQuillDoc& doc, PreviewKind kind, int resourceLine)
{
    try {
        return resourceName(doc.database().items(), kind, resourceLine);
    } catch (const DaoException&) {
        return {};  // the name is only for the title
    }
}

std::optional<PreviewTarget> previewTargetOfBookmark(CQuillDoc& doc, int lineIndex, std::string_view window)
{
    return reportFailure(doc.feedback(), [&] { return targetOfBookmark(doc.database().items(), lineIndex, window); },
                         std::optional<PreviewTarget>{});
}

} // namespace qmk
