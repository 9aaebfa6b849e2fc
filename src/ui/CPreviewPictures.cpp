// The pictures of dialogs and menus.
#include "ui/CPreviewPictures.h"

#include <QBuffer>
#include <QPainter>

#include "database/TranslationColumnNames.h"
#include "ui/CDynDlgView.h"
#include "ui/DialogMetrics.h"
#include "ui/MenuPicture.h"

namespace qmk {
namespace {

constexpr int kPanelGap = 12;       // between the two languages of a review picture
constexpr int kDotsPerMeter = 3780; // 96 dots per inch, whatever the screen

QString panelLabel(const std::optional<LanguageId>& language)
{
    if (!language)
        return QStringLiteral("Source");
    return QString::fromStdString(translationColumnName(language->language, language->sublanguage));
}

// The part of a text's rectangle the picture shows; empty when it lies outside.
PixelRect clipped(const PixelRect& r, int width, int height)
{
    PixelRect shown{std::max(r.left, 0), std::max(r.top, 0), std::min(r.right, width), std::min(r.bottom, height)};
    if (shown.right <= shown.left || shown.bottom <= shown.top)
        return {};
    return shown;
}

// Review pictures: the panels side by side under their languages' names.
QImage sideBySide(const std::vector<QImage>& panels, const std::vector<QString>& labels, std::vector<PictureUnit>& units)
{
    const QFont font = dialogFont();
    const int header = QFontMetrics(font).height() + 6;
    int width = 0, height = 0;
    std::vector<int> lefts;
    for (const QImage& panel : panels) {
        lefts.push_back(width);
        width += panel.width() + kPanelGap;
        height = std::max(height, panel.height());
    }
    width -= kPanelGap;
    QImage image(width, header + height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(Qt::black);
    for (std::size_t i = 0; i < panels.size(); ++i) {
        painter.drawText(QRect(lefts[i] + 2, 0, panels[i].width() - 2, header), Qt::AlignLeft | Qt::AlignVCenter, labels[i]);
        painter.drawImage(lefts[i], header, panels[i]);
    }
    for (PictureUnit& unit : units) {
        const int dx = lefts[static_cast<std::size_t>(unit.panel)];
        unit.rect = {unit.rect.left + dx, unit.rect.top + header, unit.rect.right + dx, unit.rect.bottom + header};
    }
    return image;
}

} // namespace

QImage CPreviewPictures::dialogPanel(CQuillDoc& doc, int dialogLine, const std::optional<LanguageId>& language,
                                     int panel, std::vector<PictureUnit>& units)
{
    CDynDlgView view(doc, dialogLine);
    view.setAttribute(Qt::WA_DeleteOnClose, false);
    view.setLanguage(language);
    const DialogLayout& layout = view.layout();
    const int width = std::max(1, layout.width), height = std::max(1, layout.captionHeight + layout.height);
    view.resize(width, height);
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    view.render(&image);
    for (const PreviewControl& control : layout.textControls) {
        const PixelRect shown = clipped(control.rect, width, height);
        if (shown.width() > 0)
            units.push_back({control.lineIndex, panel, shown});
    }
    return image;
}

std::string CPreviewPictures::pngBytes(QImage image)
{
    image.setDotsPerMeterX(kDotsPerMeter);
    image.setDotsPerMeterY(kDotsPerMeter);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes.toStdString();
}

Picture CPreviewPictures::render(CQuillDoc& doc, const PictureRequest& request)
{
    Picture picture;
    std::vector<QImage> panels;
    std::vector<QString> labels;
    for (std::size_t i = 0; i < request.languages.size(); ++i) {
        const int panel = static_cast<int>(i);
        panels.push_back(request.kind == PreviewKind::Menu
                             ? menuPicturePanel(doc, request.resourceLine, request.languages[i], panel, picture.units)
                             : dialogPanel(doc, request.resourceLine, request.languages[i], panel, picture.units));
        labels.push_back(panelLabel(request.languages[i]));
    }
    const QImage image = panels.size() == 1 ? panels.front() : sideBySide(panels, labels, picture.units);
    picture.width = image.width();
    picture.height = image.height();
    picture.png = pngBytes(image);
    return picture;
}

PictureRenderer& headlessPictureRenderer()
{
    ensureHeadlessApplication();
    static CPreviewPictures renderer;
    return renderer;
}

} // namespace qmk
