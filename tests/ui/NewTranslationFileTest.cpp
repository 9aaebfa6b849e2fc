// New Translation onto a file that exists and is a translation made by hand: the window asks
// whether to import it as the translation, choose another name or replace it, and whatever is
// chosen the file is never lost.
#include <QComboBox>
#include <QLineEdit>

#include <filesystem>

#include "WindowFixture.h"
#include "ui/CNewTranslationDlg.h"
#include "writer/TranslatedScripts.h"

namespace qmk {
namespace {

namespace fs = std::filesystem;
using test::German;

enum Choice { Import = 0, OtherName = 1, Replace = 2 };

// The fixture's script translated by hand, with a translator's comment the writer would drop.
const std::string kHumanGerman =
    "// Deutsch, von Hand gepflegt\nIDD_ABOUT DIALOG 0, 0, 200, 100\nCAPTION \"Info\"\nBEGIN\n"
    "    LTEXT \"Name:\", IDC_NAME, 10, 10, 50, 8\n    DEFPUSHBUTTON \"OK\", IDOK, 140, 80, 50, 14\nEND\n"
    "IDB_LOGO BITMAP \"logo.bmp\"\n"
    "STRINGTABLE\nBEGIN\n    IDS_HELLO \"Hallo\"\n    IDS_BYE \"Auf Wiedersehen\"\n    IDS_LAST \"Zuletzt\"\nEND\n"
    "IDM_MAIN MENU\nBEGIN\n    POPUP \"&Datei\"\n    BEGIN\n        MENUITEM \"&Beenden\", ID_EXIT\n    END\nEND\n";

class NewTranslationFileTest : public test::WindowFixture {
protected:
    void SetUp() override
    {
        WindowFixture::SetUp();
        human = dir.write("de.rc", kHumanGerman);
        child = openApp();
        ASSERT_NE(child, nullptr);
    }
    CQuillDoc& doc() { return child->document(); }
    // Fills the dialog with German and the name of the human translation, and presses OK.
    void acceptGermanAs(CNewTranslationDlg& dialog, const QString& name)
    {
        dialog.languageList()->setCurrentIndex(dialog.languageList()->findText(QStringLiteral("German")));
        dialog.fileNameEdit()->setText(name);
        dialog.accept();
    }
    std::string storedHello()
    {
        const int row = rowOfString(child, "IDS_HELLO");
        return doc().database().texts().translation(doc().rows().item(row).lineIndex, German).value_or(TranslatedText{}).text;
    }

    CChildFrame* child = nullptr;
    fs::path human;
};

} // namespace

TEST_F(NewTranslationFileTest, AnotherNameKeepsTheDialogOpenAndTheFileUntouched)
{
    CNewTranslationDlg dialog(doc());
    feedback.choice = OtherName;
    acceptGermanAs(dialog, QStringLiteral("de.rc"));
    ASSERT_EQ(feedback.chosenFrom.size(), 1u);
    EXPECT_NE(feedback.chosenFrom[0].find(human.string()), std::string::npos) << feedback.chosenFrom[0];
    EXPECT_EQ(dialog.result(), 0);  // still open, the name ready to be typed over
    EXPECT_EQ(dialog.fileNameEdit()->selectedText(), QStringLiteral("de.rc"));
    EXPECT_FALSE(doc().hasTranslation(German));

    // A name of no file is taken without a question.
    feedback.chosenFrom.clear();
    acceptGermanAs(dialog, QStringLiteral("de-neu.rc"));
    EXPECT_TRUE(feedback.chosenFrom.empty());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(doc().translationFileName(German), "de-neu.rc");
    EXPECT_EQ(test::readFile(human), kHumanGerman);
}

TEST_F(NewTranslationFileTest, ReplaceIsConfirmedFirstAndTheSaveKeepsTheFileAsBak)
{
    CNewTranslationDlg dialog(doc());
    feedback.choice = Replace;
    feedback.answer = false;  // not confirmed: nothing happens
    acceptGermanAs(dialog, QStringLiteral("de.rc"));
    ASSERT_EQ(feedback.askedTexts.size(), 1u);
    EXPECT_NE(feedback.askedTexts[0].find("de.rc.bak"), std::string::npos) << feedback.askedTexts[0];
    EXPECT_EQ(dialog.result(), 0);
    EXPECT_FALSE(doc().hasTranslation(German));

    feedback.answer = true;
    feedback.askedTexts.clear();
    acceptGermanAs(dialog, QStringLiteral("de.rc"));
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    ASSERT_TRUE(doc().hasTranslation(German));
    EXPECT_EQ(doc().translationFileName(German), "de.rc");
    EXPECT_EQ(test::readFile(human), kHumanGerman);  // replaced only when saved

    // Saving does not ask again, and keeps the human translation beside the written one.
    feedback.askedTexts.clear();
    ASSERT_TRUE(WriteTranslatedScripts(doc()).done());
    EXPECT_TRUE(feedback.askedTexts.empty());
    EXPECT_EQ(test::readFile(dir / "de.rc.bak"), kHumanGerman);
    EXPECT_NE(test::readFile(human), kHumanGerman);
}

TEST_F(NewTranslationFileTest, ImportTakesTheFilesTextsAndTheFirstSaveAsksAndKeepsIt)
{
    CNewTranslationDlg dialog(doc());
    feedback.choice = Import;
    acceptGermanAs(dialog, QStringLiteral("de.rc"));
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    ASSERT_TRUE(doc().hasTranslation(German));
    EXPECT_EQ(doc().translationFileName(German), "de.rc");
    EXPECT_EQ(storedHello(), "Hallo");
    EXPECT_EQ(test::readFile(human), kHumanGerman);

    // Save over the translation made by hand: asked, and declined it stays as it is.
    feedback.answer = false;
    EXPECT_FALSE(WriteTranslatedScripts(doc()).done());
    ASSERT_EQ(feedback.askedTexts.size(), 1u);
    EXPECT_NE(feedback.askedTexts[0].find(human.string()), std::string::npos);
    EXPECT_EQ(test::readFile(human), kHumanGerman);
    EXPECT_FALSE(fs::exists(dir / "de.rc.bak"));
    feedback.answer = true;
    ASSERT_TRUE(WriteTranslatedScripts(doc()).done());
    EXPECT_EQ(test::readFile(dir / "de.rc.bak"), kHumanGerman);
    EXPECT_NE(test::readFile(human).find("Hallo"), std::string::npos);
}

} // namespace qmk
