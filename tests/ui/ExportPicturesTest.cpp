// File > Export Pictures: the dialog offers the source and the project's translations, one
// language or two side by side, and the export writes the pictures and their index, reports
// what it wrote, and stops between pictures when cancelled.
#include <QComboBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QTimer>

#include "WindowFixture.h"
#include "common/RecordingFeedback.h"
#include "ui/CExportPicturesDlg.h"
#include "ui/CPreviewPictures.h"

namespace qmk {
namespace {

namespace fs = std::filesystem;
using test::German;

class ExportPicturesTest : public test::WindowFixture {
protected:
    void SetUp() override
    {
        WindowFixture::SetUp();
        child = openApp();
        ASSERT_NE(child, nullptr);
        ASSERT_TRUE(doc().NewTranslation(German, "de.rc").done());
    }
    CQuillDoc& doc() { return child->document(); }
    QJsonArray languagesOf(const fs::path& folder)
    {
        const QByteArray json = QByteArray::fromStdString(test::readFile(folder / "shots.json"));
        return QJsonDocument::fromJson(json).object()["languages"].toArray();
    }

    CChildFrame* child = nullptr;
    CPreviewPictures renderer;
};

} // namespace

TEST_F(ExportPicturesTest, TheDialogOffersTheSourceAndTheTranslationsAloneOrSideBySide)
{
    CExportPicturesDlg dialog(doc());
    EXPECT_EQ(dialog.languageList()->count(), 2);  // the source and German
    EXPECT_EQ(dialog.languageList()->currentText(), QStringLiteral("German"));
    EXPECT_EQ(dialog.besideList()->count(), 3);  // nothing, the source, German
    EXPECT_EQ(dialog.chosenLanguages(), (std::vector<std::optional<LanguageId>>{German}));
    dialog.besideList()->setCurrentIndex(1);
    EXPECT_EQ(dialog.chosenLanguages(), (std::vector<std::optional<LanguageId>>{std::nullopt, German}));
    EXPECT_EQ(dialog.chosenFolder(), dir / "pictures");

    // Without a folder the dialog stays open.
    dialog.folderEdit()->setText(QStringLiteral("  "));
    dialog.accept();
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    dialog.folderEdit()->setText(QString::fromStdString((dir / "review").string()));
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);

    exportPictures(doc(), renderer, dialog.chosenLanguages(), dialog.chosenFolder());
    EXPECT_EQ(languagesOf(dir / "review"), (QJsonArray{"source", "German"}));
    EXPECT_TRUE(fs::is_regular_file(dir / "review" / "dialog-IDD_ABOUT.png"));
    EXPECT_TRUE(fs::is_regular_file(dir / "review" / "menu-IDM_MAIN.png"));
    ASSERT_FALSE(feedback.texts.empty());
    EXPECT_EQ(feedback.texts.back(), "2 pictures of 5 texts were written to " + (dir / "review").string() +
                                         ", with shots.json.");
}

TEST_F(ExportPicturesTest, FileExportPicturesAsksFirstAndCancelWritesNothing)
{
    QString asked;
    QTimer::singleShot(0, [&] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            asked = dialog->windowTitle();
            dialog->reject();
        }
    });
    trigger(uicmd::ExportPictures);
    EXPECT_EQ(asked, QStringLiteral("Export Pictures"));
    EXPECT_FALSE(fs::exists(dir / "pictures"));
}

TEST_F(ExportPicturesTest, ACancelStopsBetweenPicturesAndWritesNoIndex)
{
    test::RecordingFeedback cancelling;
    CQuillDoc project(cancelling, {".DLG"});
    ASSERT_TRUE(project.OnOpenDocument(doc().databasePath()));
    ASSERT_TRUE(project.reloadRows().done());
    cancelling.polls = 0;
    cancelling.cancelAfterPolls = 1;  // after the first picture
    exportPictures(project, renderer, {German}, dir / "cut");
    EXPECT_TRUE(fs::is_regular_file(dir / "cut" / "dialog-IDD_ABOUT.png"));
    EXPECT_FALSE(fs::exists(dir / "cut" / "menu-IDM_MAIN.png"));
    EXPECT_FALSE(fs::exists(dir / "cut" / "shots.json"));
    ASSERT_FALSE(cancelling.said.empty());
    EXPECT_NE(cancelling.said.back().text.find("cancelled"), std::string::npos);
    ASSERT_FALSE(cancelling.tasks.empty());
    EXPECT_NE(cancelling.tasks.back().find((dir / "cut").string()), std::string::npos);

    // A folder that is a file: nothing written, and said why.
    dir.write("taken", "x");
    exportPictures(project, renderer, {German}, dir / "taken");
    EXPECT_NE(cancelling.said.back().text.find("could not be written"), std::string::npos);
    project.OnCloseDocument();
}

} // namespace qmk
