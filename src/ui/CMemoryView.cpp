// The "Translation Memory" panel.
#include "ui/CMemoryView.h"

#include <QHeaderView>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/MemoryFeeds.h"
#include "project/CQuillDoc.h"
#include "resources/MenuTexts.h"
#include "ui/CChildFrame.h"
#include "ui/CMemoryLookup.h"
#include "ui/CTextListView.h"
#include "ui/DiffMarkup.h"

namespace qmk {
namespace {

QString qs(const std::string& text) { return QString::fromStdString(text); }

} // namespace

CMemoryView::CMemoryView(MemoryFeeds& feeds, int minimumScore, QWidget* parent)
    : QWidget(parent), feeds_(feeds), minimumScore_(minimumScore), list_(new QTreeWidget(this)),
      differences_(new QLabel(this))
{
    setObjectName(QStringLiteral("memoryView"));
    list_->setAccessibleName(QStringLiteral("Matches"));
    list_->setRootIsDecorated(false);
    list_->setAllColumnsShowFocus(true);
    list_->setHeaderLabels({QStringLiteral("Key"), QStringLiteral("Score"), QStringLiteral("Translation"),
                            QStringLiteral("Origin")});
    list_->header()->setStretchLastSection(false);
    list_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    list_->header()->setSectionResizeMode(2, QHeaderView::Stretch);
    // Where a match comes from is read in its tip: the translation takes the room.
    list_->header()->setSectionResizeMode(3, QHeaderView::Interactive);
    list_->header()->resizeSection(3, 80);
    differences_->setAccessibleName(QStringLiteral("Source of the match"));
    differences_->setTextFormat(Qt::RichText);
    differences_->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(list_);
    layout->addWidget(differences_);
    connect(list_, &QTreeWidget::currentItemChanged, this, &CMemoryView::showDifferences);
    connect(list_, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem* item) { takeMatch(list_->indexOfTopLevelItem(item)); });
}

void CMemoryView::bind(CChildFrame* child)
{
    if (child == child_)
        return;
    if (child_) {
        disconnect(child_, nullptr, this, nullptr);
        disconnect(child_->textList(), nullptr, this, nullptr);
    }
    child_ = child;
    if (child) {
        connect(child, &CChildFrame::itemChosen, this, &CMemoryView::refresh);
        connect(child->textList(), &CTextListView::currentColumnChanged, this, &CMemoryView::refresh);
    }
    refresh();
}

void CMemoryView::refresh()
{
    list_->clear();
    differences_->clear();
    suggestions_.clear();
    if (lookup_)
        lookup_->drop();
    TranslationMemory* memory = feeds_.memory();
    const std::optional<LanguageId> language = child_ ? child_->textList()->currentLanguage() : std::nullopt;
    if (!memory || !language || child_->chosenItem().lineIndex < 0) {
        if (!feeds_.problem().empty())
            showProblem(qs(feeds_.problem()));
        return;
    }
    const std::optional<MemoryQuery> query = memoryQuery(child_->document(), child_->chosenItem().lineIndex, *language);
    if (!query)
        return;
    if (feeds_.shared()) {
        if (!lookup_) {
            lookup_ = new CMemoryLookup(feeds_.location(), this);
            connect(lookup_, &CMemoryLookup::found, this, &CMemoryView::showSuggestions);
            connect(lookup_, &CMemoryLookup::failed, this, &CMemoryView::showProblem);
        }
        differences_->setText(QString::fromUtf8(txt::MemoryLookingUp).toHtmlEscaped());
        lookup_->request(*query, minimumScore_);
        return;
    }
    try {
        showSuggestions(memorySuggestions(*query, *memory, minimumScore_));
    } catch (const std::exception& error) {
        showProblem(QString::fromUtf8(error.what()));
    }
}

void CMemoryView::restart(int minimumScore)
{
    minimumScore_ = minimumScore;
    delete lookup_;  // its connection may be to the memory used before
    lookup_ = nullptr;
    refresh();
}

void CMemoryView::showSuggestions(const std::vector<MemorySuggestion>& suggestions)
{
    list_->clear();
    differences_->clear();
    suggestions_ = suggestions;
    for (std::size_t i = 0; i < suggestions_.size(); ++i) {
        const MemorySuggestion& s = suggestions_[i];
        auto* row = new QTreeWidgetItem({QStringLiteral("Ctrl+%1").arg(i + 1),
                                         QStringLiteral("%1%%2").arg(s.score).arg(s.exact ? QStringLiteral(" \u2713") : QString()),
                                         qs(s.translation), qs(s.origin)});
        row->setToolTip(1, s.exact ? QString::fromUtf8(txt::MemoryExactMatch) : QString());
        row->setToolTip(2, qs(s.translation));
        row->setToolTip(3, qs(s.origin));
        list_->addTopLevelItem(row);
    }
    if (!suggestions_.empty())
        list_->setCurrentItem(list_->topLevelItem(0));
}

void CMemoryView::showProblem(const QString& why)
{
    differences_->setText(why.toHtmlEscaped());
}

void CMemoryView::showDifferences()
{
    const int index = list_->indexOfTopLevelItem(list_->currentItem());
    if (index < 0 || index >= static_cast<int>(suggestions_.size())) {
        differences_->clear();
        return;
    }
    differences_->setText(QString::fromUtf8(txt::MemoryMatchSource) + QStringLiteral(" ") +
                          markedChanges(suggestions_[static_cast<std::size_t>(index)].diff));
}

void CMemoryView::takeMatch(int index)
{
    if (index >= 0 && index < static_cast<int>(suggestions_.size()))
        emit matchWanted(qs(suggestions_[static_cast<std::size_t>(index)].translation));
}

} // namespace qmk
