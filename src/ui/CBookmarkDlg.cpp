// The bookmark dialog.
#include "ui/CBookmarkDlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "parser/LanguageTable.h"
#include "project/ChosenItem.h"
#include "project/CQuillDoc.h"
#include "resources/Feedback.h"
#include "resources/Messages.h"
#include "resources/UiTexts.h"

namespace qmk {
namespace {

QString qs(const char* text) { return QString::fromUtf8(text); }
QString qs(const std::string& text) { return QString::fromStdString(text); }

// A bookmark's language as stored: -1, -1 for the source.
constexpr int kSourceLanguage = -1;
constexpr int kNoLanguage = 2147483647;

} // namespace

CBookmarkDlg::CBookmarkDlg(CQuillDoc& doc, Feedback& feedback, Place place, QWidget* parent)
    : QDialog(parent), doc_(doc), feedback_(feedback), place_(std::move(place)), list_(new QListWidget(this)),
      name_(new QLineEdit(this)), add_(new QPushButton(qs(txt::ButtonAdd), this)),
      delete_(new QPushButton(qs(txt::ButtonDelete), this)), goTo_(new QPushButton(qs(txt::ButtonGoTo), this))
{
    setWindowTitle(qs(txt::BookmarkTitle));
    const TextTableColumns& columns = doc.rows().columns();
    // The item by its resource, identifier, type and text, also where the Text Table hides it.
    const ItemTexts chosen = itemTexts(doc, place_.lineIndex, std::nullopt, true);
    QString item = qs(itemHeading(chosen));
    if (!chosen.sourceShown.empty())
        item += QStringLiteral("  \u201C%1\u201D").arg(qs(chosen.sourceShown));
    const QString language = place_.language ? qs(columns.header(columns.columnOfLanguage(*place_.language)))
                                             : QStringLiteral("Source Text");
    list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list_->setSortingEnabled(true);
    list_->setAccessibleName(QStringLiteral("Bookmarks"));
    name_->setAccessibleName(QStringLiteral("Name"));
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Item:"), new QLabel(item, this));
    form->addRow(QStringLiteral("Language:"), new QLabel(language, this));
    form->addRow(qs(txt::LabelName), name_);
    form->addRow(list_);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* button : {add_, delete_, goTo_})
        buttons->addWidget(button);
    auto* close = new QPushButton(qs(txt::ButtonClose), this);
    buttons->addWidget(close);
    buttons->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(form, 1);
    layout->addLayout(buttons);
    connect(add_, &QPushButton::clicked, this, [this] { add(); });
    connect(delete_, &QPushButton::clicked, this, &CBookmarkDlg::removeSelected);
    connect(goTo_, &QPushButton::clicked, this, [this] {
        if (goTo())
            accept();
    });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(list_, &QListWidget::itemDoubleClicked, this, [this] {
        if (goTo())
            accept();
    });
    // Typing selects the first bookmark that starts with the text; choosing one names it.
    connect(name_, &QLineEdit::textEdited, this, [this](const QString& text) {
        list_->clearSelection();
        for (int i = 0; i < list_->count() && !text.isEmpty(); ++i)
            if (list_->item(i)->text().startsWith(text)) {
                list_->item(i)->setSelected(true);
                list_->scrollToItem(list_->item(i));
                break;
            }
        updateButtons();
    });
    connect(name_, &QLineEdit::textChanged, this, &CBookmarkDlg::updateButtons);
    connect(list_, &QListWidget::itemSelectionChanged, this, [this] {
        if (list_->selectedItems().size() == 1 && !name_->hasFocus())
            name_->setText(list_->selectedItems().front()->text());
        updateButtons();
    });
    refresh();
    // The name first when there is something to add, else the bookmarks to go to.
    QWidget* first = place_.lineIndex >= 0 || list_->count() == 0 ? static_cast<QWidget*>(name_) : list_;
    first->setFocus();
    if (first == list_ && !list_->currentItem())
        list_->setCurrentRow(0);
}

void CBookmarkDlg::refresh()
{
    list_->clear();
    for (const IdentRow& bookmark : doc_.bookmarks()) {
        auto* entry = new QListWidgetItem(qs(bookmark.nameId), list_);
        entry->setData(Qt::UserRole, bookmark.lineIndex);  // the bookmark's ID
    }
    updateButtons();
}

void CBookmarkDlg::updateButtons()
{
    const QString name = name_->text();
    add_->setEnabled(!name.isEmpty() && place_.lineIndex >= 0 && list_->findItems(name, Qt::MatchExactly).isEmpty());
    delete_->setEnabled(!list_->selectedItems().isEmpty());
    goTo_->setEnabled(list_->selectedItems().size() == 1);
}

bool CBookmarkDlg::add()
{
    if (!add_->isEnabled())
        return false;
    BookmarkRow row;
    row.lineIndex = place_.lineIndex;
    row.name = name_->text().toStdString();
    row.window = place_.window;
    row.language = place_.language.value_or(LanguageId{kSourceLanguage, kSourceLanguage});
    if (!doc_.addBookmark(row))
        return false;  // reported; the list stays as it was
    name_->clear();
    refresh();
    return true;
}

void CBookmarkDlg::removeSelected()
{
    for (QListWidgetItem* entry : list_->selectedItems()) {
        if (!doc_.removeBookmark(entry->data(Qt::UserRole).toInt()))
            break;  // reported once, not for each bookmark chosen
    }
    refresh();
}

bool CBookmarkDlg::goTo()
{
    if (list_->selectedItems().size() != 1)
        return false;
    const std::optional<BookmarkRow> bookmark = doc_.bookmark(list_->selectedItems().front()->data(Qt::UserRole).toInt());
    if (!bookmark)
        return false;
    const LanguageId language = bookmark->language;
    if (language.language != kSourceLanguage && language.language != kNoLanguage && !doc_.hasTranslation(language)) {
        std::string name(languageDisplayText(language.language, language.sublanguage));
        feedback_.messageText(fillPlaceholders(txt::BookmarkLanguageGone, {name}), Icon::Exclamation);
        return false;  // the dialog stays open
    }
    target_ = bookmark;
    return true;
}

} // namespace qmk
