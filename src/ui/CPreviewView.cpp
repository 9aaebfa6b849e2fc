// The previews' shared part.
#include "ui/CPreviewView.h"

#include <QMenu>

#include "project/CQuillDoc.h"
#include "resources/UiTexts.h"

namespace qmk {

CPreviewView::CPreviewView(CQuillDoc& doc, Kind kind, int resourceLine, QWidget* parent)
    : QWidget(parent), doc_(doc), kind_(kind), resourceLine_(resourceLine)
{
    setAttribute(Qt::WA_DeleteOnClose);
    doc_.addObserver(this);
}

CPreviewView::~CPreviewView()
{
    doc_.removeObserver(this);
}

void CPreviewView::execItemMenu(const QPoint& globalPosition)
{
    QMenu menu(this);
    menu.addAction(QString::fromUtf8(txt::MenuStringAtTable), this, [this] { emit showInTextTableWanted(); });
    menu.addAction(QString::fromUtf8(txt::MenuBookmark), this, [this] { emit bookmarkWanted(); });
    menu.exec(globalPosition);
}

void CPreviewView::setLanguage(std::optional<LanguageId> language)
{
    language_ = language;
    showTexts();
}

QString CPreviewView::languagePane() const
{
    static const char* const kSource[] = {txt::PaneSourceDialog, txt::PaneSourceMenu, txt::PaneSourceBitmap};
    static const char* const kWord[] = {"Dialog", "Menu", txt::WordBitmap};
    const auto k = static_cast<std::size_t>(kind_);
    if (!language_)
        return QString::fromUtf8(kSource[k]);
    const TextTableColumns& columns = doc_.rows().columns();
    const int column = columns.columnOfLanguage(*language_);
    const QString name = column >= 0 ? QString::fromStdString(columns.header(column)) : QString();
    return name + QLatin1Char(' ') + QString::fromUtf8(kWord[k]);
}

} // namespace qmk
