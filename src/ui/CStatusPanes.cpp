// The status bar's panes.
#include "ui/CStatusPanes.h"

#include <QLabel>
#include <QLocale>
#include <QStatusBar>

#include "project/ChosenItem.h"
#include "project/CQuillDoc.h"
#include "project/ItemTypes.h"
#include "resources/Messages.h"
#include "resources/MenuTexts.h"
#include "ui/CChildFrame.h"
#include "ui/CDynDlgView.h"
#include "ui/CGaugePane.h"
#include "ui/CTextListView.h"

namespace qmk {
namespace {

QLabel* makePane(int widthPixels, const QString& name, QWidget* parent)
{
    auto* pane = new QLabel(parent);
    pane->setMinimumWidth(widthPixels * parent->logicalDpiX() / 96);
    pane->setAccessibleName(name);
    return pane;
}

// The gauge over a dialog's or menu's own texts while its preview is in front.
std::optional<GaugeFigures> previewGauge(CQuillDoc& doc, CPreviewView* preview, LanguageId language)
{
    if (!preview || &preview->document() != &doc)
        return std::nullopt;
    const LanguageId shown = preview->language().value_or(language);
    switch (preview->kind()) {
    case PreviewKind::Dialog: return doc.dialogGauge(preview->resourceLine(), shown);
    case PreviewKind::Menu: return doc.menuGauge(preview->resourceLine(), shown);
    case PreviewKind::Bitmap: break;
    }
    return std::nullopt;
}

QString statisticsText(const TranslationWordCounts& counts)
{
    const QLocale locale;
    std::vector<std::string> figures;
    for (const WordTally& tally : {counts.translated, counts.flagged, counts.untranslated}) {
        figures.push_back(locale.toString(tally.texts).toStdString());
        figures.push_back(locale.toString(tally.words).toStdString());
    }
    return QString::fromStdString(fillPlaceholders(txt::StatusStatistics, figures));
}

} // namespace

CStatusPanes::CStatusPanes(QStatusBar* bar)
    : bar_(bar), language_(makePane(90, QStringLiteral("Current language"), bar)), gauge_(new CGaugePane(bar)),
      row_(makePane(60, QStringLiteral("Row"), bar)), type_(makePane(110, QStringLiteral("Item type"), bar)),
      statistics_(makePane(0, QStringLiteral("Statistics"), bar))
{
    bar->addPermanentWidget(statistics_);
    bar->addPermanentWidget(language_);
    bar->addPermanentWidget(gauge_);
    bar->addPermanentWidget(row_);
    bar->addPermanentWidget(type_);
}

void CStatusPanes::clear()
{
    for (QLabel* pane : {language_, row_, type_, statistics_}) {
        pane->clear();
        pane->setAccessibleDescription({});
    }
    gauge_->clear();
}

void CStatusPanes::show(CChildFrame* child, CPreviewView* preview)
{
    auto* dialog = qobject_cast<CDynDlgView*>(preview);
    if (dialog && dialog->unfitCount() > 0) {
        const int unfit = dialog->unfitCount();
        bar_->showMessage(QString::fromStdString(
            unfit == 1 ? std::string(txt::TextDoesNotFit) : fillPlaceholders(txt::TextsDoNotFit, {std::to_string(unfit)})));
        unfitShown_ = true;
    } else if (unfitShown_) {
        // The count belongs to the preview: it goes when the preview does or when all fit.
        bar_->clearMessage();
        unfitShown_ = false;
    }
    if (!child) {
        clear();
        return;
    }
    CTextListView* table = child->textList();
    CQuillDoc& doc = child->document();
    const std::optional<LanguageId> language = table->currentLanguage();
    const bool source = !language || table->sourceColumnChosen();
    language_->setText(preview ? preview->languagePane()
                       : source ? QStringLiteral("Source Text")
                                : QString::fromStdString(doc.rows().columns().header(table->currentColumn())));
    // A dialog or menu preview showing the source has nothing to gauge.
    const bool sourcePreview = preview && &preview->document() == &doc && !preview->language() &&
                               preview->kind() != PreviewKind::Bitmap;
    if (language) {
        if (sourcePreview) {
            gauge_->clear();
        } else {
            const GaugeFigures figures = previewGauge(doc, preview, *language).value_or(doc.gauge(*language));
            gauge_->setFigures(figures.translatedPercent, figures.modifiedPercent);
        }
        // Until the background has counted every source text's words the pane waits.
        if (doc.rows().sourceWordsCounted())
            statistics_->setText(statisticsText(doc.wordCounts(*language)));
        else
            statistics_->clear();
    } else {
        gauge_->clear();
        statistics_->clear();
    }
    // The chosen item's place in the Text Table, and its type (empty when it has no text).
    const ItemTexts item = itemTexts(doc, child->chosenItem().lineIndex, std::nullopt);
    row_->setText(item.row >= 0 ? QStringLiteral("%1/%2").arg(item.row + 1).arg(doc.rows().rowCount()) : QString());
    type_->setText(item.found ? QString::fromStdString(std::string(itemTypeDisplayName(item.itemType))) : QString());
    for (QLabel* pane : {language_, row_, type_, statistics_})
        pane->setAccessibleDescription(pane->text());
}

} // namespace qmk
