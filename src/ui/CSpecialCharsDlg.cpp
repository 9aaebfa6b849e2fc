// The special-character picker.
#include "ui/CSpecialCharsDlg.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "resources/UiTexts.h"

namespace qmk {
namespace {

constexpr int kPerRow = 12;

// Where the dialog was last closed, for the next time it opens (unset the first time).
QPoint& lastPosition()
{
    static QPoint position(-1, -1);
    return position;
}

} // namespace

CSpecialCharsDlg::CSpecialCharsDlg(const std::vector<std::string>& characters, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QString::fromUtf8(txt::SpecialCharactersTitle));
    auto* grid = new QGridLayout;
    grid->setSpacing(2);
    // Buttons sized for the screen: the glyph and a margin, at least the classic 15 x 17.
    const int side = std::max(fontMetrics().height() + 8, 17 * logicalDpiY() / 96);
    for (std::size_t i = 0; i < characters.size(); ++i) {
        auto* button = new QToolButton(this);
        const QString character = QString::fromStdString(characters[i]);
        button->setText(character);
        button->setFixedSize(side + 2, side);
        button->setEnabled(!character.isEmpty());
        button->setAccessibleName(character.isEmpty() ? QStringLiteral("None") : character);
        button->setToolTip(QStringLiteral("%1 (U+%2)")
                               .arg(character)
                               .arg(character.isEmpty() ? 0 : character.at(0).unicode(), 4, 16, QLatin1Char('0')));
        connect(button, &QToolButton::clicked, this, [this, character] {
            chosen_ = character;
            accept();
        });
        grid->addWidget(button, static_cast<int>(i) / kPerRow, static_cast<int>(i) % kPerRow);
        ++buttons_;
    }
    auto* cancel = new QDialogButtonBox(this);
    cancel->addButton(QString::fromUtf8(txt::ButtonCancel), QDialogButtonBox::RejectRole)->setAutoDefault(false);
    connect(cancel, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(cancel);
    if (lastPosition().x() >= 0)
        move(lastPosition());
    else if (parent)
        move(parent->mapToGlobal(QPoint(20, 20)));
}

void CSpecialCharsDlg::keyPressEvent(QKeyEvent* event)
{
    auto* button = qobject_cast<QToolButton*>(focusWidget());
    if (button && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        button->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

CSpecialCharsDlg::~CSpecialCharsDlg()
{
    lastPosition() = pos();
}

} // namespace qmk
