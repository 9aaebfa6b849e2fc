// Rich text and spoken descriptions of a word diff.
#include "ui/DiffMarkup.h"

#include <QStringList>

#include "resources/Messages.h"
#include "resources/UiTexts.h"

namespace qmk {
namespace {

// Dark text on light backgrounds, so that the marks read the same under a dark theme.
const QString kDeletedOpen =
    QStringLiteral("<del style=\"background-color:#ffd7d7; color:#000000; text-decoration:line-through\">");
const QString kInsertedOpen =
    QStringLiteral("<ins style=\"background-color:#d4f5d4; color:#000000; text-decoration:underline\">");

QString escaped(const std::string& text)
{
    return QString::fromStdString(text).toHtmlEscaped();
}

QString marked(const std::vector<DiffSegment>& diff, bool showDeleted, bool showInserted)
{
    QString html;
    for (const DiffSegment& segment : diff) {
        switch (segment.kind) {
        case DiffSegment::Kind::Same: html += escaped(segment.text); break;
        case DiffSegment::Kind::Deleted:
            if (showDeleted)
                html += kDeletedOpen + escaped(segment.text) + QStringLiteral("</del>");
            break;
        case DiffSegment::Kind::Inserted:
            if (showInserted)
                html += kInsertedOpen + escaped(segment.text) + QStringLiteral("</ins>");
            break;
        }
    }
    return html;
}

QString described(const std::vector<DiffSegment>& diff, DiffSegment::Kind kind, const char* listed, const char* none)
{
    QStringList parts;
    for (const DiffSegment& segment : diff) {
        if (segment.kind != kind)
            continue;
        const QString text = QString::fromStdString(segment.text).trimmed();
        parts << (text.isEmpty() ? QString::fromUtf8(txt::DiffBlank) : QLatin1Char('"') + text + QLatin1Char('"'));
    }
    if (parts.isEmpty())
        return QString::fromUtf8(none);
    return QString::fromStdString(fillPlaceholders(listed, {parts.join(QStringLiteral(", ")).toStdString()}));
}

} // namespace

QString markedOldText(const std::vector<DiffSegment>& diff)
{
    return marked(diff, true, false);
}

QString markedNewText(const std::vector<DiffSegment>& diff)
{
    return marked(diff, false, true);
}

QString markedChanges(const std::vector<DiffSegment>& diff)
{
    return marked(diff, true, true);
}

QString preservingBlanks(const QString& inlineHtml)
{
    return QStringLiteral("<p style=\"white-space:pre-wrap\">") + inlineHtml + QStringLiteral("</p>");
}

QString deletionsDescription(const std::vector<DiffSegment>& diff)
{
    return described(diff, DiffSegment::Kind::Deleted, txt::DiffDeleted, txt::DiffNothingDeleted);
}

QString insertionsDescription(const std::vector<DiffSegment>& diff)
{
    return described(diff, DiffSegment::Kind::Inserted, txt::DiffInserted, txt::DiffNothingInserted);
}

} // namespace qmk
