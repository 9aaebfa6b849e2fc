// Seeing translations in place: a dialog preview with its controls, coloured by their state and
// following stores; a menu preview; a bitmap preview; one preview per resource, closed with
// its project.
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

#include <fstream>

#include "WindowFixture.h"
#include "resources/CommandIds.h"
#include "ui/CDynBitmapView.h"
#include "ui/CDynDlgView.h"
#include "ui/CDynMenuView.h"
#include "ui/CTextListView.h"

namespace qmk {
namespace {

using test::German;

class PreviewTest : public test::WindowFixture {
protected:
    void openTranslated()
    {
        frame->show();  // previews are told apart from projects by the active window
        child = openApp();
        ASSERT_NE(child, nullptr);
        ASSERT_TRUE(child->document().NewTranslation(German, "app-German.rc"));
        QApplication::processEvents();
        child->textList()->setCurrentLanguage(German);
    }
    int lineOf(const std::string& ident) { return child->document().rows().item(rowOfString(child, ident)).lineIndex; }

    CChildFrame* child = nullptr;
};

} // namespace

TEST_F(PreviewTest, ADialogPreviewShowsItsControlsColouredAndFollowsStores)
{
    openTranslated();
    child->textList()->selectRow(rowOfString(child, "IDC_NAME"));
    frame->action(cmd::ViewDialog)->trigger();
    auto* preview = qobject_cast<CDynDlgView*>(frame->activePreview());
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(preview->selectedLine(), lineOf("IDC_NAME"));
    ASSERT_EQ(preview->itemCount(), 3);  // the caption, "Name:" and OK
    auto* name = qobject_cast<QLabel*>(preview->controlWidget(1));
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->text(), QStringLiteral("Name:"));
    EXPECT_EQ(name->palette().color(QPalette::WindowText), QColor(0, 0, 255));  // untranslated: blue

    ASSERT_EQ(child->document().storeTranslation(lineOf("IDC_NAME"), German, "Name (de):"), OperationResult::Done);
    EXPECT_EQ(name->text(), QStringLiteral("Name (de):"));
    EXPECT_EQ(name->palette().color(QPalette::WindowText), QColor(Qt::black));
    EXPECT_EQ(name->toolTip(), QStringLiteral("IDC_NAME, Translated"));

    // A click selects the control and the bar shows it; next wraps to the caption.
    const QWidget* ok = preview->controlWidget(2);
    preview->clickAt(ok->geometry().center());
    EXPECT_EQ(child->textList()->selectedRow(), rowOfString(child, "IDOK"));
    frame->action(cmd::NextItem)->trigger();
    EXPECT_EQ(preview->selectedLine(), preview->layout().captionLine);

    frame->action(cmd::ViewSourceLanguage)->trigger();
    EXPECT_EQ(name->text(), QStringLiteral("Name:"));
    EXPECT_EQ(name->palette().color(QPalette::WindowText), QColor(Qt::black));  // the source is never blue

    // A second request only brings the one preview forward.
    child->textList()->selectRow(rowOfString(child, "IDOK"));
    frame->action(cmd::ViewDialog)->trigger();
    EXPECT_EQ(frame->previews().size(), 1u);
}

TEST_F(PreviewTest, AMenuPreviewShowsTheWholeMenuWithStateIcons)
{
    openTranslated();
    child->textList()->selectRow(rowOfString(child, "ID_EXIT"));
    frame->action(cmd::ViewMenu)->trigger();
    auto* preview = qobject_cast<CDynMenuView*>(frame->activePreview());
    ASSERT_NE(preview, nullptr);
    ASSERT_EQ(preview->itemCount(), 2);
    EXPECT_EQ(preview->tree()->topLevelItem(0)->text(0), QStringLiteral("&File"));
    EXPECT_TRUE(preview->tree()->topLevelItem(0)->isExpanded());
    EXPECT_EQ(preview->iconIndexes(), (std::vector<int>{0, 6}));  // untranslated popup and item
    ASSERT_EQ(child->document().storeTranslation(lineOf("ID_EXIT"), German, "&Beenden"), OperationResult::Done);
    EXPECT_EQ(preview->iconIndexes(), (std::vector<int>{0, 8}));
    EXPECT_EQ(preview->tree()->topLevelItem(0)->child(0)->text(0), QStringLiteral("&Beenden"));
}

TEST_F(PreviewTest, ABitmapPreviewLoadsItsFileOrSaysItIsNotFoundAndPreviewsCloseWithTheProject)
{
    openTranslated();
    frame->action(cmd::ShowBitmapResources);  // bitmaps are shown (excluded, but with Excluded Text on)
    child->textList()->selectRow(rowOfString(child, "IDB_LOGO"));
    frame->action(cmd::ViewBitmap)->trigger();
    auto* preview = qobject_cast<CDynBitmapView*>(frame->activePreview());
    ASSERT_NE(preview, nullptr);
    EXPECT_FALSE(preview->loaded());
    EXPECT_EQ(preview->file(), dir / "logo.bmp");

    // A 2 x 1 bitmap appears once the file is there.
    std::string bmp(62, '\0');
    const unsigned char header[] = {'B', 'M', 62, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0, 2, 0, 0, 0, 1, 0,
                                    0, 0, 1, 0, 24, 0};
    std::copy(std::begin(header), std::end(header), bmp.begin());
    std::ofstream(dir / "logo.bmp", std::ios::binary) << bmp;
    frame->action(cmd::ViewSourceLanguage)->trigger();
    EXPECT_TRUE(preview->loaded());

    // Closing the project closes its previews.
    child->parentWidget()->close();
    QApplication::processEvents();
    EXPECT_TRUE(frame->previews().empty());
    EXPECT_TRUE(frame->children().empty());
}

} // namespace qmk

namespace qmk {

TEST_F(PreviewTest, ATranslatedTextTooWideForItsControlIsOutlinedAndCounted)
{
    openTranslated();
    child->textList()->selectRow(rowOfString(child, "IDC_NAME"));
    frame->action(cmd::ViewDialog)->trigger();
    auto* preview = qobject_cast<CDynDlgView*>(frame->activePreview());
    ASSERT_NE(preview, nullptr);
    ASSERT_EQ(child->document().storeTranslation(lineOf("IDC_NAME"), German, "Name:"), OperationResult::Done);
    EXPECT_EQ(preview->unfitCount(), 0);
    ASSERT_EQ(child->document().storeTranslation(lineOf("IDC_NAME"), German,
                                              "Vollst\xE4ndiger Name des Benutzers mit Abteilung:"),
              OperationResult::Done);
    EXPECT_EQ(preview->unfitCount(), 1);
    EXPECT_TRUE(preview->isUnfit(1));
    EXPECT_TRUE(preview->controlWidget(1)->toolTip().endsWith(QStringLiteral(", does not fit")));
    frame->action(cmd::ViewSourceLanguage)->trigger();
    EXPECT_EQ(preview->unfitCount(), 0);  // the source is what the dialog was made for
}

TEST_F(PreviewTest, ADialogWithoutACaptionHasNoCaptionStrip)
{
    dir.write("plain.rc", "IDD_PLAIN DIALOG 0, 0, 100, 40\nBEGIN\n    LTEXT \"Only\", IDC_ONLY, 0, 0, 40, 8\nEND\n");
    frame->show();
    CChildFrame* plain = frame->openDocument(dir / "plain.rc");
    ASSERT_NE(plain, nullptr);
    plain->textList()->selectRow(0);
    frame->action(cmd::ViewDialog)->trigger();
    auto* preview = qobject_cast<CDynDlgView*>(frame->activePreview());
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(preview->layout().captionHeight, 0);
    EXPECT_EQ(preview->controlWidget(0)->geometry().top(), 0);  // the controls start at the top edge
}

} // namespace qmk
