// The statistics of a project's translations.
#include "ui/CStatisticsDlg.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLocale>
#include <QTableWidget>
#include <QVBoxLayout>

#include "project/CQuillDoc.h"
#include "project/WordCount.h"
#include "resources/MenuTexts.h"

namespace qmk {

CStatisticsDlg::CStatisticsDlg(CQuillDoc& doc, QWidget* parent) : QDialog(parent), table_(new QTableWidget(this))
{
    setWindowTitle(QString::fromUtf8(txt::StatisticsTitle));
    const QStringList headers{QStringLiteral("Translation"), QStringLiteral("Texts"),     QStringLiteral("Words"),
                              QStringLiteral("Translated"),  QStringLiteral("Words"),     QStringLiteral("Flagged"),
                              QStringLiteral("Words"),       QStringLiteral("Untranslated"), QStringLiteral("Words")};
    table_->setColumnCount(static_cast<int>(headers.size()));
    table_->setHorizontalHeaderLabels(headers);
    table_->setAccessibleName(QString::fromUtf8(txt::StatisticsTitle));
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->setVisible(false);
    const TextTableColumns& columns = doc.rows().columns();
    const QLocale locale;
    for (LanguageId language : columns.translations()) {
        const TranslationWordCounts counts = translationWordCounts(doc.rows(), language);
        const WordTally total = counts.total();
        const int row = table_->rowCount();
        table_->insertRow(row);
        QStringList cells{QString::fromStdString(columns.header(columns.columnOfLanguage(language)))};
        for (const WordTally& tally : {total, counts.translated, counts.flagged, counts.untranslated})
            cells << locale.toString(tally.texts) << locale.toString(tally.words);
        for (int column = 0; column < cells.size(); ++column) {
            auto* cell = new QTableWidgetItem(cells[column]);
            if (column > 0)
                cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            table_->setItem(row, column, cell);
        }
    }
    table_->resizeColumnsToContents();
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table_);
    layout->addWidget(buttons);
    resize(720, 260);
}

} // namespace qmk
