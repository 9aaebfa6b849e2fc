// Dialog fonts and their measures.
#include "ui/DialogMetrics.h"

#include <QFontMetrics>
#include <QApplication>

#include <cstdio>

#include "project/CQuillDoc.h"

namespace qmk {

QFont dialogFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("MS Shell Dlg"), QStringLiteral("Microsoft Sans Serif"),
                      QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    font.setPointSize(8);
    return font;
}

TextMetrics dialogTextMetrics(const QFont& font)
{
    const QFontMetrics metrics(font);
    // A dialog unit is a quarter of the average letter width and an eighth of the line height.
    const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    TextMetrics measure;
    measure.xScale = metrics.horizontalAdvance(letters) / 52.0 / 4.0;
    measure.yScale = metrics.height() / 8.0;
    measure.lineHeight = metrics.height();
    measure.width = [metrics](std::string_view utf8) {
        return metrics.horizontalAdvance(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
    };
    return measure;
}

QFont previewFont(CQuillDoc& doc, const std::optional<LanguageId>& language)
{
    QFont shownIn = dialogFont();
    const FontSetting setting = language ? doc.font(*language, false) : doc.sourceFont();
    if (!setting.fontName.empty())
        shownIn.setFamilies({QString::fromStdString(setting.fontName), shownIn.family()});
    return shownIn;
}

TextMetrics headlessDialogTextMetrics()
{
    ensureHeadlessApplication();
    return dialogTextMetrics();
}

void ensureHeadlessApplication()
{
    if (!QCoreApplication::instance()) {
        // Without a desktop session Qt warns about its runtime folder; a batch report is no
        // place for that.
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
            if (type != QtWarningMsg && type != QtInfoMsg && type != QtDebugMsg)
                fprintf(stderr, "%s\n", qPrintable(message));
        });
        static int argc = 1;
        static char name[] = "qmk32";
        static char* argv[] = {name, nullptr};
        qputenv("QT_QPA_PLATFORM", "offscreen");
        // Widgets, not only fonts: the pictures of dialogs are drawn by the preview's widgets.
        static QApplication application(argc, argv);
    }
}

} // namespace qmk
