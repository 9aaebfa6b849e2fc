// Adding a translation.
#include "ui/CNewTranslationDlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>

#include <filesystem>
#include <optional>

#include "exchange/ScriptImport.h"
#include "parser/LanguageTable.h"
#include "project/CQuillDoc.h"
#include "project/ProjectFileNames.h"
#include "project/WrittenFiles.h"
#include "resources/Feedback.h"
#include "resources/Messages.h"
#include "resources/UiTexts.h"

namespace qmk {
namespace {

constexpr int kFileNameLength = 50;

} // namespace

CNewTranslationDlg::CNewTranslationDlg(CQuillDoc& doc, QWidget* parent)
    : QDialog(parent), doc_(doc), languages_(new QComboBox(this)), fileName_(new QLineEdit(this))
{
    setWindowTitle(QString::fromUtf8(txt::NewTranslationTitle));
    for (const LanguageRow& row : languageRows())
        languages_->addItem(QString::fromUtf8(displayText(row)), QVariant::fromValue(row.language * 1024 + row.sublanguage));
    languages_->setCurrentIndex(-1);
    languages_->setAccessibleName(QStringLiteral("Language"));
    fileName_->setMaxLength(kFileNameLength);
    fileName_->setEnabled(false);
    fileName_->setAccessibleName(QStringLiteral("Output File Name"));
    auto* form = new QFormLayout(this);
    form->addRow(QString::fromUtf8(txt::LabelLanguage), languages_);
    form->addRow(QString::fromUtf8(txt::LabelOutputFileName), fileName_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &CNewTranslationDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(languages_, &QComboBox::currentIndexChanged, this, &CNewTranslationDlg::proposeFileName);
    connect(fileName_, &QLineEdit::textEdited, this, [this] { typed_ = true; });
}

void CNewTranslationDlg::proposeFileName()
{
    fileName_->setEnabled(languages_->currentIndex() >= 0);
    if (typed_ || languages_->currentIndex() < 0)
        return;
    fileName_->setText(QString::fromStdString(
        defaultTranslationFileName(doc_.documentPath(), languages_->currentText().toStdString())));
}

void CNewTranslationDlg::accept()
{
    std::optional<LanguageId> language;
    if (languages_->currentIndex() >= 0) {
        const int code = languages_->currentData().toInt();
        language = LanguageId{code / 1024, code % 1024};
    }
    std::optional<std::filesystem::path> importFrom;
    const OperationResult result = doc_.NewTranslation(
        language, fileName_->text().toStdString(),
        [&](const std::filesystem::path& file) { return takeExistingFile(file, importFrom); });
    if (result == OperationResult::InputRefused)
        return;  // the message said why; the choice can be corrected
    if (result.done()) {
        // The translation takes the texts of the file it is to write; the import reports them.
        if (importFrom && language)
            ScriptImport(doc_, doc_.includeExtensions()).run(*importFrom, *language);
        QDialog::accept();
    } else
        reject();
}

bool CNewTranslationDlg::takeExistingFile(const std::filesystem::path& file, std::optional<std::filesystem::path>& importFrom)
{
    enum Answer { Import, OtherName, Replace };
    Feedback& feedback = doc_.feedback();
    const std::string language = languages_->currentText().toStdString();
    const int answer = feedback.choose(fillPlaceholders(txt::NewTranslationFileExists, {file.string(), language}),
                                       {txt::ButtonImportAsTranslation, txt::ButtonChooseAnotherName, txt::ButtonReplaceFile},
                                       OtherName);
    if (answer == Import) {
        importFrom = file;
        return true;
    }
    if (answer == Replace &&
        feedback.askText(fillPlaceholders(txt::ConfirmReplaceFile, {file.string(), language, backupPathFor(file).string()}),
                         false)) {
        doc_.allowReplacing(file);
        return true;
    }
    // Another name: the field is ready to take it.
    fileName_->setFocus();
    fileName_->selectAll();
    return false;
}

} // namespace qmk
