// The settings sheet of the source text or a translation.
#include "ui/CTranslationSettingsSheet.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "parser/CharsetTable.h"
#include "project/CQuillDoc.h"
#include "project/TranslationEncoding.h"
#include "resources/Messages.h"
#include "resources/PrintfText.h"
#include "resources/UiTexts.h"
#include "ui/CFontChoiceDlg.h"

namespace qmk {
namespace {

QString qs(const char* text) { return QString::fromUtf8(text); }
QString qs(const std::string& text) { return QString::fromStdString(text); }

constexpr EncodingChoice kChoices[] = {EncodingChoice::Ansi, EncodingChoice::Utf8, EncodingChoice::Utf16};

} // namespace

CTranslationSettingsSheet::CTranslationSettingsSheet(CQuillDoc& doc, std::optional<LanguageId> language,
                                                     const QFont& tableFont, QWidget* parent)
    : QDialog(parent), doc_(doc), language_(language)
{
    const TextTableColumns& columns = doc.rows().columns();
    const std::string name = language ? columns.header(columns.columnOfLanguage(*language)) : std::string();
    setWindowTitle(language ? qs(formatMessage(msg::TranslationSettingsTitle, {name})) : qs(txt::SourceTextSettingsTitle));
    // The source text's font is kept per source language; the first one stands for them.
    if (language) {
        fontLanguage_ = *language;
    } else if (const std::optional<LanguageId> source = doc.firstSourceLanguage()) {
        fontLanguage_ = *source;
    }
    auto* tabs = new QTabWidget(this);
    tabs->addTab(filePage(), language ? qs(txt::TranslationFileNamePageTitle) : qs(txt::FileNamePageTitle));
    tabs->addTab(fontPage(tableFont), qs(txt::FontPageTitle));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CTranslationSettingsSheet::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    layout->addWidget(buttons);
}

QWidget* CTranslationSettingsSheet::filePage()
{
    auto* page = new QWidget(this);
    auto* form = new QFormLayout(page);
    if (!language_) {
        auto* path = new QLineEdit(qs(doc_.documentPath().string()), page);
        path->setReadOnly(true);
        path->setAccessibleName(QStringLiteral("Source File"));
        form->addRow(qs(txt::LabelSourceFile), path);
        // Which of the script's LANGUAGE blocks the project translates (chosen when it was built).
        auto* language = new QLineEdit(qs(doc_.sourceLanguageDescription()), page);
        language->setReadOnly(true);
        language->setAccessibleName(QStringLiteral("Source Language"));
        form->addRow(qs(txt::LabelSourceLanguage), language);
        return page;
    }
    const TextTableColumns& columns = doc_.rows().columns();
    auto* prompt = new QLabel(qs(printfText(txt::TranslationFileNamePrompt,
                                            {columns.header(columns.columnOfLanguage(*language_))})),
                              page);
    form->addRow(prompt);
    fileName_ = new QLineEdit(qs(doc_.translationFileName(*language_)), page);
    fileName_->setAccessibleName(QStringLiteral("Translation file name"));
    prompt->setBuddy(fileName_);
    form->addRow(fileName_);
    encodings_ = new QComboBox(page);
    encodings_->setAccessibleName(QStringLiteral("Encoding"));
    const int current = doc_.translationEncoding(*language_);
    for (EncodingChoice choice : kChoices) {
        const int encoding = encodingOfChoice(choice, *language_);
        encodings_->addItem(qs(encodingName(encoding)), encoding);
        if (encoding == current)
            encodings_->setCurrentIndex(encodings_->count() - 1);
    }
    form->addRow(QStringLiteral("&Encoding of the translated script:"), encodings_);
    return page;
}

QWidget* CTranslationSettingsSheet::fontPage(const QFont& tableFont)
{
    auto* page = new QWidget(this);
    auto* form = new QFormLayout(page);
    faceName_ = new QLineEdit(page);
    faceName_->setReadOnly(true);
    faceName_->setAccessibleName(QStringLiteral("Face Name"));
    charset_ = new QLineEdit(page);
    charset_->setReadOnly(true);
    charset_->setAccessibleName(QStringLiteral("Characterset"));
    form->addRow(qs(txt::LabelFaceName), faceName_);
    form->addRow(qs(txt::LabelCharacterset), charset_);
    auto* select = new QPushButton(qs(txt::ButtonSelect), page);
    auto* byDefault = new QPushButton(qs(txt::ButtonSetDefault), page);
    auto* row = new QHBoxLayout;
    row->addWidget(select);
    row->addWidget(byDefault);
    row->addStretch();
    form->addRow(row);

    const FontSetting font = doc_.font(fontLanguage_, !language_);
    face_ = font.fontName.empty() ? tableFont.family().toStdString() : font.fontName;
    charSet_ = font.charSet;
    showFont();
    connect(select, &QPushButton::clicked, this, [this, tableFont] {
        QFont start(tableFont);
        start.setFamilies({qs(face_)});
        CFontChoiceDlg choice(start, charSet_, this);
        if (choice.exec() != QDialog::Accepted)
            return;
        face_ = choice.faceName();
        charSet_ = choice.charSet();
        fontChosen_ = true;
        showFont();
    });
    connect(byDefault, &QPushButton::clicked, this, [this, tableFont] {
        // The language's usual face and character set; the Text Table's face where it has none.
        const FontSetting usual = CQuillDoc::languageFont(fontLanguage_);
        face_ = usual.fontName.empty() ? tableFont.family().toStdString() : usual.fontName;
        charSet_ = usual.charSet;
        fontChosen_ = true;
        showFont();
    });
    return page;
}

void CTranslationSettingsSheet::showFont()
{
    faceName_->setText(qs(face_));
    charset_->setText(qs(std::string(charsetName(charSet_))));
}

void CTranslationSettingsSheet::accept()
{
    if (language_) {
        const std::string name = fileName_->text().toStdString();
        if (!doc_.checkTranslationFileName(*language_, name).done())
            return;
        const int encoding = encodings_->currentData().toInt();
        if (doc_.changeEncoding(*language_, encoding) == OperationResult::InputRefused)
            return;
        doc_.setTranslationFileName(*language_, name);
    }
    if (fontChosen_)
        doc_.setFont(fontLanguage_, !language_, face_, charSet_);
    QDialog::accept();
}

} // namespace qmk
