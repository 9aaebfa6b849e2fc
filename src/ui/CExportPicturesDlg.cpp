// Exporting the pictures of dialogs and menus from the window.
#include "ui/CExportPicturesDlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

#include "app/BatchPictures.h"
#include "project/CQuillDoc.h"
#include "resources/Feedback.h"
#include "resources/Messages.h"
#include "resources/PictureTexts.h"
#include "ui/CPreviewPictures.h"

namespace qmk {
namespace {

constexpr int kSourceChoice = -1;
constexpr int kNoChoice = -2;

int languageCode(LanguageId id)
{
    return id.language * 1024 + id.sublanguage;
}

// A combo box entry's language: none for the source.
std::optional<LanguageId> languageOf(const QComboBox& list)
{
    const int code = list.currentData().toInt();
    if (code < 0)
        return std::nullopt;
    return LanguageId{code / 1024, code % 1024};
}

} // namespace

CExportPicturesDlg::CExportPicturesDlg(CQuillDoc& doc, QWidget* parent)
    : QDialog(parent), language_(new QComboBox(this)), beside_(new QComboBox(this)), folder_(new QLineEdit(this))
{
    setWindowTitle(QString::fromUtf8(txt::ExportPicturesTitle));
    beside_->addItem(QString::fromUtf8(txt::ExportPicturesNothingBeside), kNoChoice);
    for (QComboBox* list : {language_, beside_}) {
        list->addItem(QString::fromUtf8(txt::ExportPicturesSource), kSourceChoice);
        for (LanguageId id : doc.database().languages().translationIds())
            list->addItem(QString::fromStdString(CQuillDoc::languageName(id)), languageCode(id));
    }
    // A translation when there is one, drawn alone.
    language_->setCurrentIndex(language_->count() > 1 ? 1 : 0);
    language_->setAccessibleName(QStringLiteral("Language"));
    beside_->setAccessibleName(QStringLiteral("Beside it"));
    folder_->setAccessibleName(QStringLiteral("Folder"));
    folder_->setText(QString::fromStdString((doc.documentPath().parent_path() / "pictures").string()));
    auto* browse = new QPushButton(QString::fromUtf8(txt::ExportPicturesBrowse), this);
    connect(browse, &QPushButton::clicked, this, &CExportPicturesDlg::browse);
    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(folder_, 1);
    folderRow->addWidget(browse);
    auto* form = new QFormLayout(this);
    form->addRow(QString::fromUtf8(txt::ExportPicturesLanguage), language_);
    form->addRow(QString::fromUtf8(txt::ExportPicturesBeside), beside_);
    form->addRow(QString::fromUtf8(txt::ExportPicturesFolder), folderRow);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &CExportPicturesDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

std::vector<std::optional<LanguageId>> CExportPicturesDlg::chosenLanguages() const
{
    std::vector<std::optional<LanguageId>> languages;
    if (beside_->currentData().toInt() != kNoChoice)
        languages.push_back(languageOf(*beside_));
    languages.push_back(languageOf(*language_));
    return languages;
}

std::filesystem::path CExportPicturesDlg::chosenFolder() const
{
    return folder_->text().trimmed().toStdString();
}

void CExportPicturesDlg::browse()
{
    const QString folder = QFileDialog::getExistingDirectory(this, QString::fromUtf8(txt::ExportPicturesTitle), folder_->text());
    if (!folder.isEmpty())
        folder_->setText(folder);
}

void CExportPicturesDlg::accept()
{
    if (chosenFolder().empty()) {
        folder_->setFocus();
        folder_->setPlaceholderText(QString::fromUtf8(txt::ExportPicturesNoFolder));
        return;
    }
    QDialog::accept();
}

void exportPictures(CQuillDoc& doc, PictureRenderer& renderer, const std::vector<std::optional<LanguageId>>& languages,
                    const std::filesystem::path& folder)
{
    Feedback& feedback = doc.feedback();
    if (!doc.rows().columns().count() && !doc.reloadRows().done())
        return;
    const PicturesWritten written = writeProjectPictures(doc, renderer, languages, folder);
    if (written.outcome == OperationResult::Cancelled) {
        feedback.messageText(fillPlaceholders(txt::ExportPicturesCancelled, {folder.string()}), Icon::Information);
        return;
    }
    if (!written.outcome.done()) {
        feedback.messageText(fillPlaceholders(txt::ExportPicturesFailed, {folder.string(), written.problem}), Icon::Stop);
        return;
    }
    std::string said = fillPlaceholders(txt::ExportPicturesDone, {std::to_string(written.pictures),
                                                                  std::to_string(written.units), folder.string()});
    if (written.undrawn > 0)
        said += "\n" + fillPlaceholders(txt::ExportPicturesUndrawn, {std::to_string(written.undrawn)});
    feedback.messageText(said, Icon::Information);
}

void exportPictures(CQuillDoc& doc, QWidget* parent)
{
    CExportPicturesDlg dialog(doc, parent);
    if (dialog.exec() != QDialog::Accepted)
        return;
    CPreviewPictures renderer;
    exportPictures(doc, renderer, dialog.chosenLanguages(), dialog.chosenFolder());
}

} // namespace qmk
