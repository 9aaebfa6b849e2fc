// The project window.
#include "ui/CChildFrame.h"

#include <algorithm>
#include <array>
#include <QFocusEvent>

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QKeyEvent>
#include <QMdiArea>
#include <QTimer>
#include <QVBoxLayout>

#include "app/BatchOperations.h"
#include "checks/TranslationFindings.h"
#include "project/ChosenItem.h"
#include "project/CQuillDoc.h"
#include "resources/MenuTexts.h"
#include "resources/Messages.h"
#include "ui/CResTreeView.h"
#include "ui/CTextListView.h"
#include "ui/CTextTableModel.h"
#include "writer/TranslatedScripts.h"

namespace qmk {

CChildFrame::CChildFrame(std::unique_ptr<CQuillDoc> doc, std::function<QAction*(int)> action, QWidget* parent)
    : QWidget(parent), doc_(std::move(doc)), splitter_(new QSplitter(Qt::Horizontal, this))
{
    setAttribute(Qt::WA_DeleteOnClose);
    tree_ = new CResTreeView(*doc_, action, splitter_);
    auto* right = new QWidget(splitter_);
    filter_ = new QLineEdit(right);
    filter_->setPlaceholderText(QString::fromUtf8(txt::FilterPlaceholder));
    filter_->setAccessibleName(QStringLiteral("Filter"));
    filter_->setClearButtonEnabled(true);
    table_ = new CTextListView(*doc_, action, right);
    auto* column = new QVBoxLayout(right);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2);
    auto* filterRow = new QHBoxLayout;
    filterRow->addWidget(filter_, 1);
    matches_ = new QLabel(right);
    matches_->setObjectName(QStringLiteral("filterMatches"));
    matches_->setAccessibleName(QStringLiteral("Rows shown"));
    filterRow->addWidget(matches_);
    column->addLayout(filterRow);
    column->addWidget(table_);
    splitter_->addWidget(tree_);
    splitter_->addWidget(right);
    connect(filter_, &QLineEdit::textChanged, this, [this](const QString& text) {
        table_->setFilter(text.toStdString());
        showMatchCount();
    });
    filter_->installEventFilter(this);
    splitter_->setStretchFactor(1, 1);
    splitter_->setChildrenCollapsible(false);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(splitter_);
    setFocusPolicy(Qt::StrongFocus);

    connect(tree_, &CResTreeView::nodeChosen, this, [this](ItemType type, int lineIndex) { chooseItem(lineIndex, type); });
    connect(tree_, &CResTreeView::itemActivated, this, [this](int lineIndex) { chooseItem(lineIndex); });
    connect(table_, &CTextListView::rowSelected, this, [this](int row) {
        if (!doc_->rows().isRow(row))
            return;
        chosen_ = {doc_->rows().item(row).itemType, doc_->rows().item(row).lineIndex};
        emit itemChosen(chosen_.lineIndex);
        emit stateChanged();
    });
    findings_ = std::make_unique<TranslationFindings>(*doc_);
    findings_->setSliced(true);  // the main window runs the checks over every text in slices
    findings_->setGlossary(batchGlossaryTerms);
    findings_->setListener([this] { emit findingsChanged(); });
    table_->tableModel()->setFindings(findings_.get());
    connect(this, &CChildFrame::findingsChanged, table_->tableModel(), &CTextTableModel::findingsChanged);
    // The first check of a big project takes a while: it begins once the window is on screen.
    QTimer::singleShot(0, this, [this] { findings_->setLanguage(table_->currentLanguage()); });
    connect(table_, &CTextListView::currentColumnChanged, this, [this] { findings_->setLanguage(table_->currentLanguage()); });
    connect(table_, &CTextListView::currentColumnChanged, this, &CChildFrame::stateChanged);
    connect(table_->tableModel(), &QAbstractItemModel::dataChanged, this, &CChildFrame::stateChanged);
    connect(table_->tableModel(), &QAbstractItemModel::modelReset, this, &CChildFrame::stateChanged);
    doc_->addObserver(this);
    updateTitle();
}

void CChildFrame::chooseItem(int lineIndex, ItemType type)
{
    if (type == ItemType::None) {
        const int row = doc_->rows().rowOfLineIndex(lineIndex);
        type = row >= 0 ? doc_->rows().item(row).itemType : itemTexts(*doc_, lineIndex, std::nullopt).itemType;
    }
    chosen_ = {type, lineIndex};
    table_->showLine(lineIndex);
    emit itemChosen(lineIndex);
    emit stateChanged();
}

CChildFrame::~CChildFrame()
{
    doc_->removeObserver(this);
    // The views observe the document and the findings: they go before both.
    delete splitter_;
    splitter_ = nullptr;
    findings_.reset();
}

bool CChildFrame::focusNextPrevChild(bool next)
{
    const std::array<QWidget*, 3> order{tree_, filter_, table_};
    QWidget* focused = focusWidget();
    auto at = std::find_if(order.begin(), order.end(), [&](QWidget* w) { return w == focused || w->isAncestorOf(focused); });
    if (at != order.end()) {
        for (auto step = at; next ? ++step != order.end() : step-- != order.begin();)
            if ((*step)->isVisible() && (*step)->isEnabled()) {
                (*step)->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
                return true;
            }
    }
    // Out of the window: the next control along the chain that is not this window's own.
    QWidget* widget = next ? static_cast<QWidget*>(table_) : this;
    QWidget* const start = widget;
    while ((widget = next ? widget->nextInFocusChain() : widget->previousInFocusChain()) != start) {
        if (!widget->isVisible() || !widget->isEnabled() || !(widget->focusPolicy() & Qt::TabFocus) ||
            widget == this || widget->isAncestorOf(this) || isAncestorOf(widget) || inOtherWindow(widget))
            continue;
        QWidget* target = widget;
        while (target->focusProxy())
            target = target->focusProxy();
        if (target == this || isAncestorOf(target))
            continue;
        target->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
        return true;
    }
    return false;
}

bool CChildFrame::inOtherWindow(const QWidget* widget) const
{
    // The windows of the projects and previews behind this one: Tab leaving the table goes to
    // the panels, never brings another window forward.
    for (const QWidget* above = parentWidget(); above; above = above->parentWidget())
        if (qobject_cast<const QMdiArea*>(above))
            return above->isAncestorOf(widget);
    return false;
}

void CChildFrame::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    (event->reason() == Qt::TabFocusReason && tree_->isVisible() ? static_cast<QWidget*>(tree_) : table_)->setFocus(event->reason());
}

bool CChildFrame::eventFilter(QObject* watched, QEvent* event)
{
    // Escape in the filter box clears it and goes back to the table; Down and Return go to the
    // rows it leaves, the first of them selected when none is.
    if (watched == filter_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Escape) {
            filter_->clear();
            table_->setFocus();
            return true;
        }
        if (key == Qt::Key_Down || key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (table_->selectedRow() < 0)
                for (int row = 0; row < doc_->rows().rowCount(); ++row)
                    if (table_->isRowShown(row)) {
                        table_->selectRow(row);
                        break;
                    }
            table_->setFocus();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void CChildFrame::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (sized_ || width() <= 0)
        return;
    sized_ = true;
    const int left = std::max(60, width() / 3 - 3);
    splitter_->setSizes({left, width() - left});
}

void CChildFrame::showMatchCount()
{
    // How many rows the filter leaves, while it filters.
    matches_->setText(filter_->text().isEmpty()
                          ? QString()
                          : QString::fromStdString(fillPlaceholders(txt::FilterMatches,
                                                                    {std::to_string(table_->shownRowCount()),
                                                                     std::to_string(doc_->rows().rowCount())})));
}

void CChildFrame::setTitleSuffix(const QString& suffix)
{
    if (suffix == titleSuffix_)
        return;
    titleSuffix_ = suffix;
    updateTitle();
}

void CChildFrame::updateTitle()
{
    const std::string title = doc_->documentPath().filename().string();
    setWindowTitle(QString::fromStdString(doc_->SetTitle(title)) + titleSuffix_ +
                   (doc_->isModified() ? QStringLiteral(" *") : QString()));
    setAccessibleName(QString::fromStdString(title));
}

void CChildFrame::toggleCategory(ProjectSwitch category)
{
    table_->toggleCategory(category);
    tree_->rebuild();
    emit stateChanged();
}

bool CChildFrame::queryClose()
{
    if (doc_->isBusy())
        return false;
    emit aboutToClose();
    SaveModified(*doc_);
    doc_->OnCloseDocument();
    return true;
}

void CChildFrame::closeEvent(QCloseEvent* event)
{
    if (!closing_ && !queryClose()) {
        event->ignore();
        return;
    }
    closing_ = true;
    emit closed(this);
    event->accept();
}

} // namespace qmk
