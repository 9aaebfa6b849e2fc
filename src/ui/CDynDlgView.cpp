// The dialog preview.
#include "ui/CDynDlgView.h"

#include <QCheckBox>
#include <algorithm>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

#include "project/CQuillDoc.h"
#include "project/MnemonicText.h"
#include "resources/Messages.h"
#include "resources/UiTexts.h"
#include "ui/DialogMetrics.h"

namespace qmk {
namespace {

constexpr std::uint32_t kStaticNoPrefix = 0x80;  // SS_NOPREFIX: "&" is drawn as it stands

QColor colourOf(TextColour colour)
{
    switch (colour) {
    case TextColour::Grey: return {128, 128, 128};
    case TextColour::Red: return {255, 0, 0};
    case TextColour::Blue: return {0, 0, 255};
    case TextColour::Normal: break;
    }
    return Qt::black;
}

QString qs(const std::string& text) { return QString::fromStdString(text); }

// A static's text as Windows draws it: the access key underlined, "&&" as one "&".
QString labelMarkup(const std::string& text)
{
    const MnemonicText split = splitMnemonic(text);
    if (split.key == std::string::npos)
        return qs(split.text).toHtmlEscaped();
    return qs(split.text.substr(0, split.key)).toHtmlEscaped() + QStringLiteral("<u>") +
           qs(split.text.substr(split.key, split.keyLength)).toHtmlEscaped() + QStringLiteral("</u>") +
           qs(split.text.substr(split.key + split.keyLength)).toHtmlEscaped();
}

} // namespace

CDynDlgView::CDynDlgView(CQuillDoc& doc, int dialogLine, QWidget* parent)
    : CPreviewView(doc, Kind::Dialog, dialogLine, parent)
{
    setObjectName(QStringLiteral("dialogPreview"));
    setFont(dialogFont());
    setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
    const TextMetrics metrics = dialogTextMetrics(font());
    layout_ = buildDialogLayout(doc, dialogLine, metrics.xScale, metrics.yScale);
    setAccessibleName(QStringLiteral("Dialog %1").arg(qs(layout_.name)));
    for (const PreviewControl& control : layout_.otherControls)
        makeWidget(control);
    for (const PreviewControl& control : layout_.textControls)
        textWidgets_.push_back(makeWidget(control));
    setMinimumSize(layout_.width + 2, layout_.captionHeight + layout_.height + 2);
    showTexts();
}

QSize CDynDlgView::sizeHint() const
{
    return {layout_.width + 6, layout_.captionHeight + layout_.height + 6};
}

QString CDynDlgView::title(const QString& projectTitle) const
{
    return QString::fromStdString(fillPlaceholders(txt::DialogPreviewTitle, {layout_.name, projectTitle.toStdString()}));
}

QWidget* CDynDlgView::makeWidget(const PreviewControl& control)
{
    const std::uint32_t style = control.kind.style;
    QWidget* widget = nullptr;
    switch (control.kind.windowClass) {
    case ControlClass::Static:
        if ((style & 0xF) == 7) {
            auto* frame = new QFrame(this);
            frame->setFrameStyle(QFrame::Box | QFrame::Plain);
            widget = frame;
        } else {
            auto* label = new QLabel(this);
            label->setAlignment((style & 0xF) == 1   ? Qt::AlignHCenter | Qt::AlignTop
                                : (style & 0xF) == 2 ? Qt::AlignRight | Qt::AlignTop
                                                     : Qt::AlignLeft | Qt::AlignTop);
            label->setWordWrap(true);
            widget = label;
        }
        break;
    case ControlClass::Button:
        switch (style & 0xF) {
        case 2:
        case 3:
        case 5:
        case 6: widget = new QCheckBox(this); break;
        case 4:
        case 9: widget = new QRadioButton(this); break;
        case 7: widget = new QGroupBox(this); break;
        default: {
            auto* button = new QPushButton(this);
            button->setDefault((style & 0xF) == 1);
            widget = button;
        }
        }
        break;
    case ControlClass::Edit: widget = new QLineEdit(this); break;
    case ControlClass::ComboBox: widget = new QComboBox(this); break;
    case ControlClass::ListBox: widget = new QListWidget(this); break;
    case ControlClass::ScrollBar:
        widget = new QScrollBar(control.rect.width() > control.rect.height() ? Qt::Horizontal : Qt::Vertical, this);
        break;
    case ControlClass::GreyFrame: {
        auto* frame = new QFrame(this);
        frame->setFrameStyle(QFrame::Box | QFrame::Plain);
        frame->setStyleSheet(QStringLiteral("background: #c0c0c0; color: #808080"));
        widget = frame;
        break;
    }
    }
    widget->setGeometry(control.rect.left, control.rect.top, control.rect.width(), control.rect.height());
    widget->setEnabled(!control.disabled);
    widget->setFocusPolicy(Qt::NoFocus);
    // The preview itself takes the clicks: the smallest control under the mouse wins.
    widget->setAttribute(Qt::WA_TransparentForMouseEvents);
    widget->setAccessibleName(qs(control.ident));  // until its text is shown
    widget->setAccessibleDescription(qs(control.ident));
    return widget;
}

QWidget* CDynDlgView::controlWidget(int textControl) const
{
    return textControl >= 0 && textControl < static_cast<int>(textWidgets_.size())
               ? textWidgets_[static_cast<std::size_t>(textControl)]
               : nullptr;
}

void CDynDlgView::showText(std::size_t index)
{
    const PreviewControl& control = layout_.textControls[index];
    QWidget* widget = textWidgets_[index];
    const PreviewText text = previewText(doc_, control.lineIndex, language());
    const ControlLook look = controlLook(control.ident, text, !language());
    const QString shown = qs(text.shown);
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        const bool literal = (control.kind.style & kStaticNoPrefix) != 0;
        label->setTextFormat(literal ? Qt::PlainText : Qt::RichText);
        label->setText(literal ? shown : labelMarkup(text.shown));
    }
    else if (auto* button = qobject_cast<QAbstractButton*>(widget))
        button->setText(shown);
    else if (auto* group = qobject_cast<QGroupBox*>(widget))
        group->setTitle(shown);
    // Screen readers hear the control by its text, as the dialog's user would see it.
    const QString name = qs(splitMnemonic(text.shown).text);
    widget->setAccessibleName(name.isEmpty() ? qs(control.ident) : name);
    // The state colours mark enabled controls; a disabled one is drawn greyed as in the dialog.
    QPalette palette = widget->palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
        for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
            palette.setColor(group, role, colourOf(look.colour));
    widget->setPalette(palette);
    widget->setToolTip(qs(look.tooltip));
    // Only a translation can be too wide: the source is what the dialog was made for.
    unfit_[index] = language() && text.translated && !text.excluded &&
                    textOverflow(control, text.shown, dialogTextMetrics(widget->font())) > 0;
    if (unfit_[index])
        widget->setToolTip(widget->toolTip() + QStringLiteral(", does not fit"));
}

int CDynDlgView::unfitCount() const
{
    return static_cast<int>(std::count(unfit_.begin(), unfit_.end(), true));
}

bool CDynDlgView::isUnfit(int textControl) const
{
    return textControl >= 0 && textControl < static_cast<int>(unfit_.size()) && unfit_[static_cast<std::size_t>(textControl)];
}

void CDynDlgView::showTexts()
{
    // The language's font where the project gives it one, else the dialog's own.
    const QFont shownIn = previewFont(doc_, language());
    unfit_.assign(textWidgets_.size(), false);
    for (std::size_t i = 0; i < textWidgets_.size(); ++i) {
        textWidgets_[i]->setFont(shownIn);
        showText(i);
    }
    update();
}

void CDynDlgView::paintEvent(QPaintEvent* event)
{
    QWidget::paintEvent(event);
    QPainter painter(this);
    // The dialog's own face and frame, with its caption strip, so that it stands out.
    const QRect face(0, 0, layout_.width, layout_.captionHeight + layout_.height);
    painter.fillRect(face, palette().color(QPalette::Button));
    if (layout_.captionHeight > 0)
        painter.fillRect(QRect(0, 0, layout_.width, layout_.captionHeight), palette().color(QPalette::Midlight));
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(face.adjusted(0, 0, -1, -1));
    // Texts that do not fit their controls are outlined in orange.
    painter.setPen(QPen(QColor(255, 140, 0), 2));
    for (std::size_t i = 0; i < unfit_.size(); ++i)
        if (unfit_[i]) {
            const PixelRect& r = layout_.textControls[i].rect;
            painter.drawRect(QRect(r.left - 1, r.top - 1, r.width() + 1, r.height() + 1));
        }
    if (selected_ < 0)
        return;
    const PixelRect& r = layout_.textControls[static_cast<std::size_t>(selected_)].rect;
    painter.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DashLine));
    painter.drawRect(QRect(r.left - 2, r.top - 2, r.width() + 3, r.height() + 3));
}

int CDynDlgView::clickAt(const QPoint& point)
{
    const int index = controlAt(layout_.textControls, point.x(), point.y());
    if (index >= 0)
        select(index);
    return index;
}

void CDynDlgView::mousePressEvent(QMouseEvent* event)
{
    setFocus();
    if (clickAt(event->position().toPoint()) < 0 || event->button() != Qt::RightButton)
        return;
    execItemMenu(event->globalPosition().toPoint());
}

void CDynDlgView::select(int index)
{
    selected_ = index;
    update();
    if (index >= 0)
        emit itemChosen(layout_.textControls[static_cast<std::size_t>(index)].lineIndex);
}

int CDynDlgView::selectedLine() const
{
    return selected_ >= 0 ? layout_.textControls[static_cast<std::size_t>(selected_)].lineIndex : -1;
}

bool CDynDlgView::selectLine(int lineIndex)
{
    for (std::size_t i = 0; i < layout_.textControls.size(); ++i)
        if (layout_.textControls[i].lineIndex == lineIndex) {
            selected_ = static_cast<int>(i);
            update();
            return true;
        }
    return false;
}

bool CDynDlgView::step(bool forward)
{
    const int next = nextControl(selected_, itemCount(), forward);
    if (next < 0)
        return false;
    select(next);
    return true;
}

void CDynDlgView::translationStored(int lineIndex, LanguageId language)
{
    if (!this->language() || !(language == *this->language()))
        return;
    for (std::size_t i = 0; i < layout_.textControls.size(); ++i)
        if (layout_.textControls[i].lineIndex == lineIndex)
            showText(i);
    update();
}

void CDynDlgView::itemExcluded(int lineIndex, bool)
{
    for (std::size_t i = 0; i < layout_.textControls.size(); ++i)
        if (layout_.textControls[i].lineIndex == lineIndex)
            showText(i);
}

} // namespace qmk
