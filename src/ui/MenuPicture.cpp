// The menu picture.
#include "ui/MenuPicture.h"

#include <QFontMetrics>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionMenuItem>

#include "project/MenuPictureLayout.h"
#include "project/MnemonicText.h"
#include "ui/DialogMetrics.h"

namespace qmk {
namespace {

struct MenuEntryText {
    QString label;        // with its "&" marks, drawn as a menu draws them
    QString accelerator;  // empty when none
};

QStyleOptionMenuItem itemOption(const QWidget& owner, const QFont& font, const PixelRect& rect)
{
    QStyleOptionMenuItem option;
    option.initFrom(&owner);
    option.rect = QRect(rect.left, rect.top, rect.width(), rect.height());
    option.font = font;
    option.fontMetrics = QFontMetrics(font);
    option.state = QStyle::State_Enabled;
    option.checkType = QStyleOptionMenuItem::NotCheckable;
    option.maxIconWidth = 0;
    return option;
}

} // namespace

QImage menuPicturePanel(CQuillDoc& doc, int menuLine, const std::optional<LanguageId>& language, int panel,
                        std::vector<PictureUnit>& units)
{
    const std::vector<MenuNode> nodes = buildMenuTree(doc, menuLine);
    const QFont font = previewFont(doc, language);
    const QFontMetrics metrics(font);
    std::vector<MenuEntryText> texts;
    std::vector<bool> opensPopup(nodes.size(), false);
    for (const MenuNode& node : nodes) {
        const MenuLabel label = splitMenuLabel(previewText(doc, node.lineIndex, language).shown);
        texts.push_back({QString::fromStdString(label.label), QString::fromStdString(label.accelerator)});
        if (node.parent >= 0)
            opensPopup[static_cast<std::size_t>(node.parent)] = true;
    }
    // Widgets only lend their palette, style and measures to the drawing; they are never shown.
    QMenuBar bar;
    QMenu menu;
    QStyle* style = menu.style();
    constexpr int kAcceleratorGap = 24;
    // A popup's item as wide as the style makes it, with its check column and submenu arrow.
    auto contentWidth = [&](std::size_t i) {
        const int label = metrics.horizontalAdvance(QString::fromStdString(splitMnemonic(texts[i].label.toStdString()).text));
        if (nodes[i].parent < 0)
            return label;
        const int text = texts[i].accelerator.isEmpty() ? label
                                                        : label + kAcceleratorGap + metrics.horizontalAdvance(texts[i].accelerator);
        QStyleOptionMenuItem option = itemOption(menu, font, {});
        option.text = texts[i].label;
        option.menuItemType = opensPopup[i] ? QStyleOptionMenuItem::SubMenu : QStyleOptionMenuItem::Normal;
        return style->sizeFromContents(QStyle::CT_MenuItem, &option, QSize(text, metrics.height()), &menu).width();
    };
    MenuPictureMeasures measures;
    measures.barHeight = metrics.height() + 8;
    measures.rowHeight = metrics.height() + 8;
    measures.itemPadding = 4;  // the popup's frame; the style's item width holds the rest
    const MenuPictureLayout layout = layoutMenuPicture(nodes, contentWidth, measures);

    QImage image(std::max(1, layout.width), std::max(1, layout.height), QImage::Format_RGB32);
    image.fill(menu.palette().color(QPalette::Window));
    QPainter painter(&image);
    QStyleOptionMenuItem barOption = itemOption(bar, font, layout.bar);
    style->drawControl(QStyle::CE_MenuBarEmptyArea, &barOption, &painter, &bar);
    for (const PixelRect& frame : layout.popupFrames) {
        QStyleOption option;
        option.initFrom(&menu);
        option.rect = QRect(frame.left, frame.top, frame.width(), frame.height());
        style->drawPrimitive(QStyle::PE_PanelMenu, &option, &painter, &menu);
        style->drawPrimitive(QStyle::PE_FrameMenu, &option, &painter, &menu);
    }
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        QStyleOptionMenuItem option = itemOption(layout.onBar[i] ? static_cast<QWidget&>(bar) : menu, font,
                                                 layout.itemRects[i]);
        if (layout.onBar[i]) {
            option.text = texts[i].label;
            option.menuItemType = QStyleOptionMenuItem::Normal;
            style->drawControl(QStyle::CE_MenuBarItem, &option, &painter, &bar);
        } else {
            option.text = texts[i].accelerator.isEmpty() ? texts[i].label
                                                         : texts[i].label + QLatin1Char('\t') + texts[i].accelerator;
            option.reservedShortcutWidth = texts[i].accelerator.isEmpty() ? 0 : metrics.horizontalAdvance(texts[i].accelerator);
            option.menuItemType = opensPopup[i] ? QStyleOptionMenuItem::SubMenu : QStyleOptionMenuItem::Normal;
            // The item whose popup is open beside it is shown chosen, as in an open menu.
            if (opensPopup[i])
                option.state |= QStyle::State_Selected;
            style->drawControl(QStyle::CE_MenuItem, &option, &painter, &menu);
        }
        if (nodes[i].lineIndex >= 0)
            units.push_back({nodes[i].lineIndex, panel, layout.itemRects[i]});
    }
    return image;
}

} // namespace qmk
