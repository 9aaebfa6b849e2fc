// Translating in the window: what the bar stores for what was typed, moving on with the
// keyboard, the enabling rules, the code page of the translation, undo, the special characters
// and adding or deleting a translation.
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <fstream>

#include "WindowFixture.h"
#include "resources/CommandIds.h"
#include "resources/MessageIds.h"
#include "resources/MenuTexts.h"
#include "resources/UiTexts.h"
#include "ui/CNewTranslationDlg.h"
#include "ui/CSpecialCharsDlg.h"
#include "ui/CTextListView.h"
#include "ui/CTranslDlgView.h"
#include "project/TranslationForm.h"

namespace qmk {
namespace {

using test::German;
using test::Russian;

class TranslationBarTest : public test::WindowFixture {
protected:
    // Opens the project with German (and Russian when asked) and selects IDS_HELLO.
    void openTranslated(bool withRussian = false)
    {
        child = openApp();
        ASSERT_NE(child, nullptr);
        ASSERT_TRUE(doc().NewTranslation(German, "app-German.rc"));
        if (withRussian) {
            ASSERT_TRUE(doc().NewTranslation(Russian, "app-Russian.rc"));
        }
        QApplication::processEvents();
        form = frame->translateForm();
        table = child->textList();
        table->setCurrentLanguage(German);
        table->selectRow(rowOfString(child, "IDS_HELLO"));
    }
    CQuillDoc& doc() { return child->document(); }
    int line(const std::string& ident) { return doc().rows().item(rowOfString(child, ident)).lineIndex; }
    std::string stored(const std::string& ident, LanguageId language)
    {
        return doc().database().texts().translation(line(ident), language).value_or(TranslatedText{}).text;
    }
    void type(const QString& text)
    {
        form->translationEdit()->clear();
        form->translationEdit()->setFocus();
        form->translationEdit()->insertPlainText(text);
    }
    QPushButton* button(const char* text) const
    {
        for (QPushButton* b : form->findChildren<QPushButton*>())
            if (b->text() == QString::fromUtf8(text))
                return b;
        return nullptr;
    }

    CChildFrame* child = nullptr;
    CTranslDlgView* form = nullptr;
    CTextListView* table = nullptr;
};

} // namespace

TEST_F(TranslationBarTest, QuotesTypedAreStoredDoubledAndShownSingle)
{
    openTranslated();
    type(QStringLiteral("Sag \"Hallo\""));
    ASSERT_TRUE(form->store());
    EXPECT_EQ(stored("IDS_HELLO", German), "Sag \"\"Hallo\"\"");
    EXPECT_EQ(form->translationEdit()->toPlainText(), QStringLiteral("Sag \"Hallo\""));

    // A backslash-quote pair from elsewhere shows as one quote and is stored doubled again.
    ASSERT_EQ(doc().storeTranslation(line("IDS_BYE"), German, "Tsch\\\"uss"), OperationResult::Done);
    table->selectRow(rowOfString(child, "IDS_BYE"));
    EXPECT_EQ(form->translationEdit()->toPlainText(), QStringLiteral("Tsch\"uss"));
    form->translationEdit()->insertPlainText(QStringLiteral("!"));
    ASSERT_TRUE(form->store());
    EXPECT_EQ(stored("IDS_BYE", German), "Tsch\"\"uss!");
}

TEST_F(TranslationBarTest, CtrlReturnStoresAndMovesToTheNextUntranslatedTextWithTheCaretInTheEdit)
{
    openTranslated();
    ASSERT_EQ(doc().storeTranslation(line("IDS_BYE"), German, "Tschuess"), OperationResult::Done);
    table->selectRow(rowOfString(child, "IDS_HELLO"));
    frame->show();
    QApplication::processEvents();
    type(QStringLiteral("Hallo"));
    QTest::keyClick(form->translationEdit(), Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(stored("IDS_HELLO", German), "Hallo");
    EXPECT_EQ(table->selectedRow(), rowOfString(child, "IDS_LAST"));  // IDS_BYE is translated
    EXPECT_EQ(form->shownLine(), line("IDS_LAST"));
    EXPECT_TRUE(form->translationEdit()->hasFocus());
    EXPECT_TRUE(form->translationEdit()->toPlainText().isEmpty());
}

TEST_F(TranslationBarTest, CopyAndExcludedItemsFollowTheRules)
{
    openTranslated();
    QPushButton* copy = button(txt::ButtonCopy);
    ASSERT_NE(copy, nullptr);
    EXPECT_TRUE(copy->isEnabled());  // untranslated, with a source text
    form->copySource();
    EXPECT_EQ(form->translationEdit()->toPlainText(), QStringLiteral("Hello"));
    ASSERT_TRUE(form->store());
    table->selectRow(rowOfString(child, "IDS_BYE"));
    table->selectRow(rowOfString(child, "IDS_HELLO"));
    EXPECT_FALSE(copy->isEnabled());  // translated now
    form->translationEdit()->insertPlainText(QStringLiteral("x"));
    EXPECT_TRUE(copy->isEnabled());  // any edit offers it again

    ASSERT_EQ(doc().setExcluded(line("IDS_HELLO"), true), OperationResult::Done);
    for (const char* text : {txt::ButtonOk, txt::ButtonOkNext, txt::ButtonCopy, txt::ButtonCharacter})
        EXPECT_FALSE(button(text)->isEnabled()) << text;
    EXPECT_TRUE(button(txt::ButtonCancelNext)->isEnabled());
    EXPECT_TRUE(form->translationEdit()->isReadOnly());
}

TEST_F(TranslationBarTest, TextsAreStoredInTheTranslationsCodePageOrRefusedNamingTheCharacter)
{
    openTranslated(true);
    table->setCurrentLanguage(Russian);
    type(QString::fromUtf8("\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82"));  // "Privet" in Cyrillic
    ASSERT_TRUE(form->store());
    EXPECT_EQ(stored("IDS_HELLO", Russian), "\xCF\xF0\xE8\xE2\xE5\xF2");  // as code page 1251

    type(QString::fromUtf8("\xCE\xB1"));  // Greek alpha: not in 1251
    feedback.texts.clear();
    EXPECT_FALSE(form->store());
    ASSERT_EQ(feedback.texts.size(), 1u);
    EXPECT_NE(feedback.texts[0].find("\xCE\xB1"), std::string::npos) << feedback.texts[0];
    EXPECT_EQ(stored("IDS_HELLO", Russian), "\xCF\xF0\xE8\xE2\xE5\xF2");  // nothing stored
}

TEST_F(TranslationBarTest, UndoAfterAStoreRestoresTheOldTextEverywhere)
{
    openTranslated();
    type(QStringLiteral("Hallo"));
    ASSERT_TRUE(form->store());
    EXPECT_TRUE(frame->action(uicmd::Undo)->isEnabled());
    frame->action(uicmd::Undo)->trigger();
    EXPECT_EQ(stored("IDS_HELLO", German), "");
    const int column = doc().rows().columns().columnOfLanguage(German);
    EXPECT_EQ(doc().rows().displayText(rowOfString(child, "IDS_HELLO"), column), "");
    EXPECT_TRUE(form->translationEdit()->toPlainText().isEmpty());
    frame->action(uicmd::Redo)->trigger();
    EXPECT_EQ(stored("IDS_HELLO", German), "Hallo");
}

TEST_F(TranslationBarTest, TheSpecialCharactersAreNinetyFive)
{
    CSpecialCharsDlg dialog(specialCharacters(1252));
    EXPECT_EQ(dialog.buttonCount(), 95);
}

TEST_F(TranslationBarTest, ANewTranslationProposesItsFileNameAndRefusesOneInUse)
{
    openTranslated();
    CNewTranslationDlg dialog(doc());
    const int french = dialog.languageList()->findText(QStringLiteral("French"));
    ASSERT_GE(french, 0);
    dialog.languageList()->setCurrentIndex(french);
    EXPECT_EQ(dialog.fileNameEdit()->text(), QStringLiteral("app-French.rc"));
    dialog.fileNameEdit()->setText(QStringLiteral("APP-GERMAN.RC"));  // German's file, in another case
    feedback.said.clear();
    dialog.accept();
    EXPECT_EQ(feedback.said, (std::vector<int>{msg::TranslationFileNameInUse}));
    EXPECT_EQ(dialog.result(), 0);  // still open
    EXPECT_FALSE(doc().hasTranslation(LanguageId{12, 1}));

    // Deleting the only other translation empties the bar.
    ASSERT_TRUE(doc().DeleteTranslation(German));
    QApplication::processEvents();
    EXPECT_EQ(form->shownLine(), -1);
    EXPECT_FALSE(button(txt::ButtonCancelNext)->isEnabled());
}

} // namespace qmk

#include <QMenu>

#include "ui/CFontChoiceDlg.h"
#include "ui/CTranslationSettingsSheet.h"

namespace qmk {

TEST_F(TranslationBarTest, TheSettingsSheetChecksTheFileNameAndChangesTheEncoding)
{
    openTranslated(true);
    std::ofstream(dir / "app-Russian.rc") << "// an old translated script";
    ASSERT_EQ(doc().storeTranslation(line("IDS_HELLO"), Russian, "\xCF\xF0\xE8\xE2\xE5\xF2"), OperationResult::Done);
    {
        CTranslationSettingsSheet sheet(doc(), Russian, QFont());
        sheet.fileNameEdit()->setText(QStringLiteral("APP.RC"));  // the source script's name
        feedback.said.clear();
        sheet.accept();
        EXPECT_EQ(feedback.said, (std::vector<int>{msg::TranslationFileIsSourceFile}));
        EXPECT_EQ(sheet.result(), 0);
        // Its own name in another case: no question although the file exists.
        sheet.fileNameEdit()->setText(QStringLiteral("APP-RUSSIAN.RC"));
        sheet.encodingList()->setCurrentIndex(sheet.encodingList()->findText(QStringLiteral("UTF-8")));
        feedback.asked.clear();
        sheet.accept();
        EXPECT_TRUE(feedback.asked.empty());
        EXPECT_EQ(sheet.result(), int(QDialog::Accepted));
    }
    EXPECT_EQ(doc().translationEncoding(Russian), 65001);
    EXPECT_EQ(stored("IDS_HELLO", Russian), "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82");  // now UTF-8
    EXPECT_EQ(doc().database().languages().fileName(Russian), "APP-RUSSIAN.RC");
}

TEST_F(TranslationBarTest, TheSettingsMenuListsTheSourceAndEveryTranslation)
{
    openTranslated();
    frame->action(cmd::DeleteTranslation);  // the menus are built with the window
    QMenu* settings = nullptr;
    for (QMenu* menu : frame->findChildren<QMenu*>())
        if (menu->title() == QString::fromUtf8(txt::MenuTranslationSettings))
            settings = menu;
    ASSERT_NE(settings, nullptr);
    ASSERT_TRUE(doc().DeleteTranslation(German));
    frame->openDocument(script);  // comes forward: the menus follow the active project
    QApplication::processEvents();
    QStringList entries;
    for (QAction* entry : settings->actions())
        entries << entry->text();
    EXPECT_EQ(entries, QStringList{QString::fromUtf8(txt::MenuSourceTextSettings)});
}

} // namespace qmk

#include <QTextBlock>
#include <QTextLayout>

#include "project/SpellCheck.h"

namespace qmk {

TEST_F(TranslationBarTest, MisspeltWordsAreUnderlinedWithTheTranslationsDictionary)
{
    if (!SpellChecker::forLanguage(German))
        GTEST_SKIP() << "no German dictionary installed";
    openTranslated();
    auto underlined = [&](const QString& text) {
        type(text);
        QStringList marked;
        const QTextBlock block = form->translationEdit()->document()->firstBlock();
        for (const QTextLayout::FormatRange& range : block.layout()->formats())
            if (range.format.underlineStyle() == QTextCharFormat::SpellCheckUnderline)
                marked << text.mid(range.start, range.length);
        return marked;
    };
    EXPECT_EQ(underlined(QStringLiteral("Ausgabe&datei")), QStringList{});
    EXPECT_EQ(underlined(QStringLiteral("Ausgabedatie \\n%1")), QStringList{QStringLiteral("Ausgabedatie")});
}

TEST_F(TranslationBarTest, AProjectWithoutTranslationsShowsTheChosenSourceAndHowToBegin)
{
    child = openApp();
    ASSERT_NE(child, nullptr);
    form = frame->translateForm();
    child->textList()->selectRow(rowOfString(child, "IDS_HELLO"));
    QApplication::processEvents();
    EXPECT_EQ(form->sourceEdit()->toPlainText(), QStringLiteral("Hello"));
    EXPECT_TRUE(form->sourceEdit()->isEnabled());
    EXPECT_FALSE(form->translationEdit()->isEnabled());
    EXPECT_EQ(form->translationEdit()->placeholderText(), QString::fromUtf8(txt::AddATranslationFirst));
    // Once there is a translation, the bar translates into it.
    ASSERT_TRUE(doc().NewTranslation(German, "app-German.rc"));
    QApplication::processEvents();
    child->textList()->setCurrentLanguage(German);
    child->textList()->selectRow(rowOfString(child, "IDS_BYE"));
    EXPECT_TRUE(form->translationEdit()->isEnabled());
    EXPECT_EQ(form->sourceEdit()->toPlainText(), QStringLiteral("Goodbye"));
    // The empty box of a chosen text asks for nothing more: no hint to choose a text.
    EXPECT_EQ(form->translationEdit()->placeholderText(), QString());
}

TEST_F(TranslationBarTest, TheSourceSettingsShowWhatTheProjectReadsAsItsSource)
{
    openTranslated();
    CTranslationSettingsSheet sheet(doc(), std::nullopt, QFont());
    QLineEdit* shown = nullptr;
    for (QLineEdit* edit : sheet.findChildren<QLineEdit*>())
        if (edit->accessibleName() == QStringLiteral("Source Language"))
            shown = edit;
    ASSERT_NE(shown, nullptr);
    EXPECT_TRUE(shown->isReadOnly());
    EXPECT_FALSE(shown->text().isEmpty());
    EXPECT_EQ(shown->text().toStdString(), doc().sourceLanguageDescription());
}

TEST_F(TranslationBarTest, TheFontPageKeepsTheChosenCharacterSetAndSetsTheLanguagesDefault)
{
    openTranslated(true);
    CTranslationSettingsSheet sheet(doc(), Russian, QFont());
    auto click = [&](const char* text) {
        for (QPushButton* b : sheet.findChildren<QPushButton*>())
            if (b->text() == QString::fromUtf8(text))
                b->click();
    };
    // The chooser's character set comes back with its face.
    QTimer::singleShot(0, [] {
        auto* choice = qobject_cast<CFontChoiceDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(choice, nullptr);
        choice->charsetList()->setCurrentIndex(choice->charsetList()->findData(161));
        choice->accept();
    });
    click(txt::ButtonSelect);
    EXPECT_EQ(sheet.charsetField()->text(), QStringLiteral("Greek"));
    EXPECT_FALSE(sheet.faceNameField()->text().isEmpty());
    // Set Default is the language's own set, not the desktop's.
    click(txt::ButtonSetDefault);
    EXPECT_EQ(sheet.charsetField()->text(), QStringLiteral("Cyrillic"));
    sheet.accept();
    EXPECT_EQ(doc().font(Russian, false).charSet, 204);
}

TEST_F(TranslationBarTest, TheBarShowsTheSourceInTheSourceFontAndRowsFitTheTallestFont)
{
    openTranslated();
    const std::optional<LanguageId> source = doc().firstSourceLanguage();
    const LanguageId sourceLanguage = source.value_or(LanguageId{9, 1});
    doc().setFont(sourceLanguage, true, "DejaVu Serif", 0);
    doc().setFont(German, false, "DejaVu Sans Mono", 0);
    table->selectRow(rowOfString(child, "IDS_BYE"));
    QApplication::processEvents();
    if (source) {
        EXPECT_EQ(form->sourceEdit()->font().family(), QStringLiteral("DejaVu Serif"));
    }
    EXPECT_EQ(form->translationEdit()->font().family(), QStringLiteral("DejaVu Sans Mono"));
    QFont big;
    big.setPointSize(40);
    table->setFont(big);
    QApplication::processEvents();
    EXPECT_GE(table->rowHeight(0), QFontMetrics(big).height());
}

} // namespace qmk

#include "database/SqliteDatabase.h"
#include "ui/CBookmarkDlg.h"

namespace qmk {

// A database that fails under the window (another program spoiled the project) is reported
// through the feedback channel; the bar and the Bookmarks dialog answer false and keep what
// the translator typed, where before the database's exception escaped to the event loop.
TEST_F(TranslationBarTest, ADatabaseFailureWhileStoringOrBookmarkingIsReportedAndNothingIsLost)
{
    openTranslated();
    SqliteDatabase other;
    other.open(doc().databasePath());
    other.execute("ALTER TABLE Translations RENAME TO TranslationsAway;"
                  "CREATE TABLE Translations (Encoding INTEGER);"
                  "ALTER TABLE Bookmark RENAME TO BookmarkAway;");
    feedback.texts.clear();

    type(QStringLiteral("Hallo"));
    EXPECT_FALSE(form->store());
    EXPECT_FALSE(form->keepTyped());
    EXPECT_EQ(form->translationEdit()->toPlainText(), QStringLiteral("Hallo"));

    CBookmarkDlg bookmarks(doc(), feedback, {line("IDS_HELLO"), "Text", German}, frame.get());
    bookmarks.nameEdit()->setText(QStringLiteral("Greeting"));
    EXPECT_FALSE(bookmarks.add());
    EXPECT_EQ(bookmarks.nameEdit()->text(), QStringLiteral("Greeting"));

    ASSERT_EQ(feedback.texts.size(), 4u);  // the store, the keep, the list and the add
    for (const std::string& text : feedback.texts)
        EXPECT_EQ(text.rfind("Dao Error (", 0), 0u) << text;

    other.execute("DROP TABLE Translations;"
                  "ALTER TABLE TranslationsAway RENAME TO Translations;"
                  "ALTER TABLE BookmarkAway RENAME TO Bookmark;");
    EXPECT_TRUE(form->store());
    EXPECT_EQ(stored("IDS_HELLO", German), "Hallo");
    EXPECT_TRUE(bookmarks.add());
}

} // namespace qmk
