// The face and character set chooser of the font page.
#include "ui/CFontChoiceDlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontComboBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QLabel>

#include "parser/CharsetTable.h"
#include "resources/UiTexts.h"

namespace qmk {
namespace {

// The writing system a character set's texts are written in, to offer the faces that have it.
QFontDatabase::WritingSystem writingSystemOf(int charSet)
{
    switch (charSet) {
    case 2: return QFontDatabase::Symbol;
    case 128: return QFontDatabase::Japanese;
    case 129:
    case 130: return QFontDatabase::Korean;
    case 134: return QFontDatabase::SimplifiedChinese;
    case 136: return QFontDatabase::TraditionalChinese;
    case 161: return QFontDatabase::Greek;
    case 163: return QFontDatabase::Vietnamese;
    case 177: return QFontDatabase::Hebrew;
    case 178: return QFontDatabase::Arabic;
    case 204: return QFontDatabase::Cyrillic;
    case 222: return QFontDatabase::Thai;
    case 0:
    case 162:
    case 186:
    case 238: return QFontDatabase::Latin;
    default: return QFontDatabase::Any;
    }
}

} // namespace

CFontChoiceDlg::CFontChoiceDlg(const QFont& start, int charSet, QWidget* parent)
    : QDialog(parent), faces_(new QFontComboBox(this)), charsets_(new QComboBox(this)), sample_(new QLabel(this))
{
    setWindowTitle(QString::fromUtf8(txt::FontPageTitle));
    charsets_->addItem(QStringLiteral("Default"), 1);
    for (const CharsetRow& row : charsetRows())
        if (std::string_view name = charsetName(row.charset); !name.empty() && charsets_->findData(row.charset) < 0)
            charsets_->addItem(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())), row.charset);
    charsets_->setCurrentIndex(std::max(0, charsets_->findData(charSet)));
    charsets_->setAccessibleName(QStringLiteral("Characterset"));
    faces_->setAccessibleName(QStringLiteral("Font"));
    sample_->setAccessibleName(QStringLiteral("Sample"));
    sample_->setMinimumHeight(48);
    sample_->setFrameShape(QFrame::StyledPanel);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("C&haracter set:"), charsets_);
    form->addRow(QStringLiteral("&Font:"), faces_);
    form->addRow(QStringLiteral("Sample:"), sample_);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(charsets_, &QComboBox::currentIndexChanged, this, &CFontChoiceDlg::charsetChosen);
    connect(faces_, &QFontComboBox::currentFontChanged, this, [this](const QFont& font) {
        sample_->setFont(font);
    });
    faces_->setCurrentFont(start);
    charsetChosen();
    faces_->setCurrentFont(start);
}

void CFontChoiceDlg::charsetChosen()
{
    const QFontDatabase::WritingSystem system = writingSystemOf(charSet());
    const QFont current = faces_->currentFont();
    faces_->setWritingSystem(system);
    faces_->setCurrentFont(current);
    sample_->setText(QFontDatabase::writingSystemSample(system == QFontDatabase::Any ? QFontDatabase::Latin : system));
    sample_->setFont(faces_->currentFont());
}

std::string CFontChoiceDlg::faceName() const
{
    return faces_->currentFont().family().toStdString();
}

int CFontChoiceDlg::charSet() const
{
    return charsets_->currentData().toInt();
}

} // namespace qmk
