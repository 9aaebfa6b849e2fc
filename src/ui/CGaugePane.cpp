// The translation gauge.
#include "ui/CGaugePane.h"

#include <QPainter>

namespace qmk {

CGaugePane::CGaugePane(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("translationGauge"));
    setAccessibleName(QStringLiteral("Translation gauge"));
}

QSize CGaugePane::sizeHint() const
{
    return {90 * logicalDpiX() / 96, fontMetrics().height()};
}

void CGaugePane::setFigures(int translatedPercent, int modifiedPercent)
{
    translated_ = std::clamp(translatedPercent, 0, 100);
    modified_ = std::clamp(modifiedPercent, 0, 100 - translated_);
    setToolTip(QStringLiteral("%1% translated, %2% to review").arg(translated_).arg(modified_));
    setAccessibleDescription(toolTip());
    update();
}

void CGaugePane::clear()
{
    translated_ = -1;
    setToolTip({});
    setAccessibleDescription({});
    update();
}

void CGaugePane::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect frame = rect().adjusted(1, 2, -2, -3);
    painter.setPen(palette().color(QPalette::Mid));
    painter.setBrush(palette().color(QPalette::Base));
    painter.drawRect(frame);
    if (translated_ < 0)
        return;
    const QRect inside = frame.adjusted(1, 1, 0, 0);
    const int done = inside.width() * translated_ / 100;
    const int review = inside.width() * modified_ / 100;
    painter.setPen(Qt::NoPen);
    painter.fillRect(QRect(inside.left(), inside.top(), done, inside.height()), palette().color(QPalette::Highlight));
    painter.fillRect(QRect(inside.left() + done, inside.top(), review, inside.height()), QColor(220, 0, 0));
    painter.setPen(palette().color(QPalette::Text));
    const QString text = modified_ > 0 ? QStringLiteral("%1% +%2%").arg(translated_).arg(modified_)
                                       : QStringLiteral("%1%").arg(translated_);
    painter.drawText(frame, Qt::AlignCenter, text);
}

} // namespace qmk
