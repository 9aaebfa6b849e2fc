// The Text Table model.
#include "ui/CTextTableModel.h"

#include <QFontMetrics>

#include <QColor>
#include <QTextDocument>
#include <utility>

#include "checks/TranslationFindings.h"
#include "project/CQuillDoc.h"
#include "project/TextCodec.h"
#include "project/WordDiff.h"
#include "resources/UiTexts.h"
#include "ui/DiffMarkup.h"

namespace qmk {

CTextTableModel::CTextTableModel(CQuillDoc& doc, QObject* parent) : QAbstractTableModel(parent), doc_(doc)
{
    columns_ = doc_.rows().columns().count();
    findingsColumn_ = findingsColumn();
    refreshFonts();
    doc_.addObserver(this);
}

CTextTableModel::~CTextTableModel()
{
    doc_.removeObserver(this);
}

int CTextTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : doc_.rows().rowCount();
}

int CTextTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : columns_;
}

QVariant CTextTableModel::data(const QModelIndex& index, int role) const
{
    const TextTableRows& rows = doc_.rows();
    if (!index.isValid() || !rows.isRow(index.row()) || index.column() >= columns_)
        return {};
    const CObjectData& item = rows.item(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return QString::fromStdString(rows.displayText(index.row(), index.column()));
    case Qt::ToolTipRole:
        return toolTip(index);
    case Qt::FontRole:
        if (static_cast<std::size_t>(index.column()) < columnFonts_.size())
            if (const std::optional<QFont>& font = columnFonts_[static_cast<std::size_t>(index.column())])
                return *font;
        return {};
    case Qt::ForegroundRole:
        if (index.data(ModifiedRole).toBool())
            return QColor(255, 0, 0);
        return {};
    case ExcludedRole:
        return item.excluded;
    case GroupStartRole:
        return static_cast<int>(item.groupStart);
    case MarkRole:
        return item.hasMark(index.column());
    case ModifiedRole: {
        const std::optional<LanguageId> language = rows.columns().languageOfColumn(index.column());
        return language && item.isModified(*language);
    }
    case FindingsRole:
        // Asked for every cell painted: the column is kept, and most cells have nothing.
        if (index.column() != findingsColumn_ || findings_->all().empty())
            return 0;
        return static_cast<int>(findings_->of(item.lineIndex).size());
    default:
        return {};
    }
}

// The cell's whole text; a flagged translation's also shows how its item's source changed. Read
// for the one cell the pointer rests on, never while painting.
QString CTextTableModel::toolTip(const QModelIndex& index) const
{
    QString tip = cellToolTip(index);
    if (!findings_ || index.column() != findingsColumn())
        return tip;
    const std::span<const CheckFinding> found = findings_->of(doc_.rows().item(index.row()).lineIndex);
    if (found.empty())
        return tip;
    if (!tip.startsWith(QStringLiteral("<qt>")))
        tip = QStringLiteral("<qt>") + preservingBlanks(tip.toHtmlEscaped()) + QStringLiteral("</qt>");
    QString list;
    for (const CheckFinding& finding : found)
        list += QStringLiteral("<li>[%1] %2</li>")
                    .arg(QString::fromStdString(finding.check), QString::fromStdString(finding.message).toHtmlEscaped());
    tip.insert(tip.size() - 5, QStringLiteral("<ul>") + list + QStringLiteral("</ul>"));
    return tip;
}

int CTextTableModel::findingsColumn() const
{
    return findings_ && findings_->language() ? doc_.rows().columns().columnOfLanguage(*findings_->language()) : -1;
}

void CTextTableModel::findingsChanged()
{
    findingsColumn_ = findingsColumn();
    if (rowCount() > 0 && columns_ > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columns_ - 1), {FindingsRole, Qt::ToolTipRole});
}

QString CTextTableModel::cellToolTip(const QModelIndex& index) const
{
    const TextTableRows& rows = doc_.rows();
    const QString text = QString::fromStdString(rows.displayText(index.row(), index.column()));
    // A text that looks like markup ("<b>Bold</b>") is shown as written, not rendered.
    const QString plain = Qt::mightBeRichText(text)
                              ? QStringLiteral("<qt>") + preservingBlanks(text.toHtmlEscaped()) + QStringLiteral("</qt>")
                              : text;
    if (doc_.isBusy() || !index.data(ModifiedRole).toBool())
        return plain;
    const std::optional<CQuillDoc::ChangedSourceText> change = doc_.sourceChange(rows.item(index.row()).lineIndex);
    if (!change)
        return plain;
    const int codePage = doc_.codePage();
    auto decoded = [codePage](const std::string& bytes) { return decodeToUtf8(bytes, codePage).value_or(bytes); };
    const std::vector<DiffSegment> diff = compactDiff(wordDiff(decoded(change->oldText), decoded(change->newText)));
    return QStringLiteral("<qt>") + preservingBlanks(text.toHtmlEscaped()) + QStringLiteral("<p>") +
           QString::fromUtf8(txt::TooltipSourceChanged).toHtmlEscaped() + QStringLiteral("</p>") +
           preservingBlanks(markedChanges(diff)) + QStringLiteral("</qt>");
}

QVariant CTextTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (orientation == Qt::Vertical)
        return section + 1;
    if (section < 0 || section >= columns_)
        return {};
    return QString::fromStdString(doc_.rows().columns().header(section));
}

void CTextTableModel::refreshFonts()
{
    const TextTableColumns& columns = doc_.rows().columns();
    columnFonts_.assign(static_cast<std::size_t>(columns.count()), std::nullopt);
    auto fontOf = [](const FontSetting& setting) -> std::optional<QFont> {
        if (setting.fontName.empty())
            return std::nullopt;
        QFont font;
        font.setFamilies({QString::fromStdString(setting.fontName), font.family()});
        return font;
    };
    for (int column = TextTableColumns::FirstTranslationColumn; column < columns.count(); ++column)
        if (std::optional<LanguageId> language = columns.languageOfColumn(column))
            columnFonts_[static_cast<std::size_t>(column)] = fontOf(doc_.font(*language, false));
}

int CTextTableModel::rowHeight(const QFont& viewFont) const
{
    int height = QFontMetrics(viewFont).height();
    for (const std::optional<QFont>& font : columnFonts_)
        if (font)
            height = std::max(height, QFontMetrics(*font).height());
    return height + 6;
}

void CTextTableModel::rowsAboutToChange(const RowChange& change)
{
    const int last = change.first + change.count - 1;
    switch (change.kind) {
    case RowChange::Kind::Inserted: beginInsertRows({}, change.first, last); break;
    case RowChange::Kind::Removed: beginRemoveRows({}, change.first, last); break;
    case RowChange::Kind::Reset:
        beginResetModel();
        resetting_ = true;
        break;
    case RowChange::Kind::Changed: break;
    }
}

void CTextTableModel::rowsChanged(const RowChange& change)
{
    switch (change.kind) {
    case RowChange::Kind::Inserted: endInsertRows(); break;
    case RowChange::Kind::Removed: endRemoveRows(); break;
    case RowChange::Kind::Changed:
        if (change.count > 0)
            emit dataChanged(index(change.first, 0), index(change.first + change.count - 1, std::max(0, columns_ - 1)));
        break;
    case RowChange::Kind::Reset: tableReset(); break;
    }
}

void CTextTableModel::tableReset()
{
    if (!std::exchange(resetting_, false))
        beginResetModel();
    columns_ = doc_.rows().columns().count();
    refreshFonts();
    endResetModel();
    emit fontsChanged();
}

void CTextTableModel::fontChanged(LanguageId, bool)
{
    refreshFonts();
    emit fontsChanged();
    if (rowCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columns_ - 1), {Qt::FontRole});
}

void CTextTableModel::busyChanged(bool busy)
{
    emit busyStateChanged(busy);
}

} // namespace qmk
