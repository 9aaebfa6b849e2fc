// The bitmap preview.
#include "ui/CDynBitmapView.h"

#include <QContextMenuEvent>
#include <QPainter>

#include "project/CQuillDoc.h"
#include "project/PreviewLayout.h"
#include "project/TextCodec.h"
#include "resources/FileNames.h"
#include "resources/Messages.h"
#include "resources/UiTexts.h"

namespace qmk {

CDynBitmapView::CDynBitmapView(CQuillDoc& doc, int bitmapLine, QWidget* parent)
    : CPreviewView(doc, Kind::Bitmap, bitmapLine, parent)
{
    setObjectName(QStringLiteral("bitmapPreview"));
    setAutoFillBackground(true);
    name_ = previewResourceName(doc, PreviewKind::Bitmap, bitmapLine);
    setAccessibleName(QStringLiteral("Bitmap %1").arg(QString::fromStdString(name_)));
    showTexts();
}

QString CDynBitmapView::title(const QString& projectTitle) const
{
    return QString::fromStdString(fillPlaceholders(txt::BitmapPreviewTitle, {name_, projectTitle.toStdString()}));
}

QSize CDynBitmapView::sizeHint() const
{
    return image_.isNull() ? QSize(320, 120) : image_.size();
}

void CDynBitmapView::showTexts()
{
    image_ = QImage();
    // The translation's file name where it names one, else the source's.
    const PreviewText text = previewText(doc_, resourceLine(), language());
    std::optional<std::string> outputName;
    if (language())
        outputName = doc_.translationFileName(*language());
    file_ = bitmapFilePath(text.shown, doc_.scriptPath(),
                           outputName ? std::optional<std::string_view>(*outputName) : std::nullopt);
    std::string problem;
    if (const std::optional<std::string> bytes = readInputFile(file_, problem)) {
        const BitmapHeader header = checkBitmap(*bytes);
        if (header.problem == BitmapHeader::Problem::TooLarge)
            doc_.feedback().messageText(txt::BitmapTooLarge, Icon::Exclamation);
        else if (header.problem == BitmapHeader::Problem::None)
            image_ = QImage::fromData(reinterpret_cast<const uchar*>(bytes->data()), static_cast<int>(bytes->size()), "BMP");
    }
    setMinimumSize(image_.isNull() ? QSize(0, 0) : image_.size());
    setToolTip(QString::fromStdString(file_.string()));
    update();
}

void CDynBitmapView::translationStored(int lineIndex, LanguageId language)
{
    if (lineIndex == resourceLine() && this->language() == language)
        showTexts();
}

void CDynBitmapView::contextMenuEvent(QContextMenuEvent* event)
{
    execItemMenu(event->globalPos());
}

void CDynBitmapView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (!image_.isNull()) {
        painter.drawImage(0, 0, image_);
        return;
    }
    painter.drawText(rect(), Qt::AlignCenter,
                     QStringLiteral("%1\n(Bitmap file not found)").arg(QString::fromStdString(file_.string())));
}

} // namespace qmk
