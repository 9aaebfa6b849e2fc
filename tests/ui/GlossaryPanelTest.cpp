// The Glossary panel over a project window: the chosen item's terms looked up away from the
// window's thread, a late answer dropped, Ctrl+Shift+1..5 putting a term into the Translation
// box as typing Undo takes back, and a term added from a selection in two keystrokes.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "common/RecordingFeedback.h"
#include "common/TempDir.h"
#include "memory/Glossary.h"
#include "project/CQuillDoc.h"
#include "ui/CChildFrame.h"
#include "ui/CGlossaryTermDlg.h"
#include "ui/CGlossaryView.h"
#include "ui/CTextListView.h"
#include "ui/CTranslDlgView.h"

namespace qmk {
namespace {

constexpr LanguageId German{7, 1};

const char* const kScript = "STRINGTABLE\nBEGIN\n    IDS_HELLO \"Hello\"\n    IDS_BYE \"Goodbye\"\n"
                            "    IDS_LAST \"&Last\"\nEND\n";

GlossaryEntry entry(std::string term, std::string translation)
{
    return GlossaryEntry{std::move(term), "en-US", "de-DE", std::move(translation), {}, {}, "", "", "test"};
}

// The visible controls below `root` that take the focus but give a screen reader no name.
std::vector<std::string> unnamedControls(QWidget* root)
{
    std::vector<std::string> unnamed;
    for (QWidget* widget : root->findChildren<QWidget*>()) {
        if (!widget->isVisible() || widget->focusPolicy() == Qt::NoFocus)
            continue;
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
        if (!accessible || accessible->text(QAccessible::Name).isEmpty())
            unnamed.push_back(widget->metaObject()->className());
    }
    return unnamed;
}

// A project window with its Translate bar and a Glossary panel beside, in one window of their
// own, over a glossary holding "hello" and "Goodbye".
class GlossaryPanelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        static int argc = 1;
        static char name[] = "qmk32";
        static char* argv[] = {name, nullptr};
        app = std::make_unique<QApplication>(argc, argv);
        const std::string memory = (dir / "memory.db").string();
        openGlossary(glossaryLocationBeside(memory))->add({entry("hello", "Hallo"), entry("Goodbye", "Auf Wiedersehen")});
        auto doc = std::make_unique<CQuillDoc>(feedback, std::vector<std::string>{"DLG"});
        ASSERT_TRUE(doc->OnOpenDocument(dir.write("app.rc", kScript)));
        ASSERT_TRUE(doc->reloadRows().done());
        ASSERT_TRUE(doc->NewTranslation(German, "app-German.rc"));
        anyAction = std::make_unique<QAction>();
        host = std::make_unique<QWidget>();
        auto* layout = new QVBoxLayout(host.get());
        child = new CChildFrame(std::move(doc), [this](int) { return anyAction.get(); }, host.get());
        bar = new CTranslDlgView(host.get());
        view = new CGlossaryView(memory, host.get(), dir.path());
        for (QWidget* part : std::initializer_list<QWidget*>{child, bar, view})
            layout->addWidget(part);
        child->textList()->setCurrentLanguage(German);
        bar->bind(child);
        view->bind(child);
        view->addShortcuts(host.get());
        QObject::connect(view, &CGlossaryView::termWanted, bar,
                         [this](const QString& text) { insertGlossaryTerm(*bar->translationEdit(), text); });
        host->show();
        QApplication::setActiveWindow(host.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(host.get()));
    }
    void TearDown() override
    {
        host.reset();
        anyAction.reset();
        app.reset();
    }
    int rowOf(const std::string& ident)
    {
        const TextTableRows& rows = child->document().rows();
        for (int row = 0; row < rows.rowCount(); ++row)
            if (rows.row(row).cell(TextTableColumns::IdColumn) == ident)
                return row;
        return -1;
    }
    void choose(const std::string& ident) { child->textList()->selectRow(rowOf(ident)); }
    bool shown(std::size_t count) { return QTest::qWaitFor([&] { return view->matches().size() == count; }, 5000); }

    std::unique_ptr<QApplication> app;
    test::TempDir dir;
    test::RecordingFeedback feedback;
    std::unique_ptr<QAction> anyAction;  // what the window's menus would hold
    std::unique_ptr<QWidget> host;
    CChildFrame* child = nullptr;
    CTranslDlgView* bar = nullptr;
    CGlossaryView* view = nullptr;
};

TEST_F(GlossaryPanelTest, ShowsTheChosenItemsTermsAndDropsTheAnswerForAnItemLeft)
{
    QSignalSpy answers(view, &CGlossaryView::matchesShown);
    choose("IDS_HELLO");
    choose("IDS_BYE");  // before the first answer came back
    ASSERT_TRUE(shown(1));
    EXPECT_EQ(view->matches()[0].translation, "Auf Wiedersehen");
    QTest::qWait(50);
    EXPECT_EQ(answers.count(), 1);  // Hello's answer was not shown in between
    EXPECT_EQ(view->list()->topLevelItem(0)->text(0), QStringLiteral("Ctrl+Shift+1"));
    EXPECT_EQ(view->list()->topLevelItem(0)->text(2), QStringLiteral("Auf Wiedersehen"));
    choose("IDS_LAST");
    ASSERT_TRUE(QTest::qWaitFor([&] { return answers.count() == 2; }, 5000));
    EXPECT_TRUE(view->matches().empty());
    EXPECT_FALSE(view->stateLine()->text().isEmpty());  // says no term stands there
}

TEST_F(GlossaryPanelTest, CtrlShiftDigitPutsATermAtTheCursorAsTypingUndoTakesBack)
{
    choose("IDS_HELLO");
    ASSERT_TRUE(shown(1));
    QPlainTextEdit* box = bar->translationEdit();
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, "Sag");
    QTest::keyClick(box, Qt::Key_1, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(box->toPlainText(), QStringLiteral("Sag Hallo"));  // a blank where it met a word
    EXPECT_TRUE(bar->isEdited());
    QTest::keyClick(box, Qt::Key_2, Qt::ControlModifier | Qt::ShiftModifier);  // no second term: nothing
    EXPECT_EQ(box->toPlainText(), QStringLiteral("Sag Hallo"));
    box->undo();
    EXPECT_EQ(box->toPlainText(), QStringLiteral("Sag"));
    box->setReadOnly(true);
    EXPECT_FALSE(insertGlossaryTerm(*box, QStringLiteral("Hallo")));
    EXPECT_EQ(box->toPlainText(), QStringLiteral("Sag"));
}

TEST_F(GlossaryPanelTest, ATermSelectedInTheSourceIsAddedWithEnter)
{
    choose("IDS_LAST");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !view->stateLine()->text().isEmpty(); }, 5000));
    CGlossaryTermDlg* dialog = view->addTerm(QStringLiteral("&Last"), QStringLiteral("Letzte"));
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->termEdit()->text(), QStringLiteral("Last"));
    EXPECT_EQ(dialog->translationEdit()->text(), QStringLiteral("Letzte"));
    EXPECT_EQ(unnamedControls(dialog), std::vector<std::string>{});
    QTest::keyClick(dialog->translationEdit(), Qt::Key_Return);
    ASSERT_TRUE(shown(1));
    EXPECT_EQ(view->matches()[0].translation, "Letzte");
    const std::vector<GlossaryEntry> stored = openGlossary((dir / "glossary.db").string())->entries("de-DE");
    ASSERT_EQ(stored.size(), 3u);
    EXPECT_EQ(stored[2].term, "Last");
    EXPECT_EQ(stored[2].origin, "app.rc");
}

TEST_F(GlossaryPanelTest, EveryControlHasANameAndNoTranslationChosenAddsNothing)
{
    EXPECT_EQ(unnamedControls(view), std::vector<std::string>{});
    view->bind(nullptr);
    EXPECT_EQ(view->addTerm(QStringLiteral("Last"), QString()), nullptr);
    EXPECT_FALSE(view->stateLine()->text().isEmpty());
}

} // namespace
} // namespace qmk
