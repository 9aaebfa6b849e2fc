// The Glossary panel and the term check in the main window: both use the glossary beside the
// memory the window's own settings name, and the panel's keys work from the Translate bar.
#include <QPlainTextEdit>
#include <QTest>
#include <QTextCursor>

#include "WindowFixture.h"
#include "checks/TranslationFindings.h"
#include "memory/Glossary.h"
#include "ui/CGlossaryTermDlg.h"
#include "ui/CGlossaryView.h"
#include "ui/CTextListView.h"
#include "ui/CTranslDlgView.h"

namespace qmk {
namespace {

using test::German;

class GlossaryWindowTest : public test::WindowFixture {
protected:
    void SetUp() override
    {
        WindowFixture::SetUp();
        // The glossary beside this test's memory, not beside the one the settings file names.
        openGlossary((dir / "glossary.db").string())
            ->add({GlossaryEntry{"Hello", "en-US", "de-DE", "Hallo", {}, {}, "", "", "test"}});
        child = openApp();
        ASSERT_NE(child, nullptr);
        ASSERT_TRUE(child->document().NewTranslation(German, "app-German.rc"));
        child->textList()->setCurrentLanguage(German);
        frame->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    }
    int lineOf(const std::string& ident) { return child->document().rows().item(rowOfString(child, ident)).lineIndex; }

    CChildFrame* child = nullptr;
};

TEST_F(GlossaryWindowTest, TheTermCheckReadsTheGlossaryTheWindowsSettingsName)
{
    ASSERT_TRUE(child->document().storeTranslation(lineOf("IDS_HELLO"), German, "Servus"));
    const bool found = QTest::qWaitFor([&] {
        for (const CheckFinding& finding : child->findings().all())
            if (finding.check == "term" && finding.lineIndex == lineOf("IDS_HELLO"))
                return true;
        return false;
    }, 10000);
    EXPECT_TRUE(found);
}

TEST_F(GlossaryWindowTest, ThePanelsKeysWorkFromTheTranslationBox)
{
    auto* view = frame->findChild<CGlossaryView*>();
    auto* bar = frame->findChild<CTranslDlgView*>();
    ASSERT_NE(view, nullptr);
    ASSERT_NE(bar, nullptr);
    child->textList()->selectRow(rowOfString(child, "IDS_HELLO"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return view->matches().size() == 1; }, 5000));
    QPlainTextEdit* box = bar->translationEdit();
    box->setFocus();
    QTest::keyClick(box, Qt::Key_1, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(box->toPlainText(), QStringLiteral("Hallo"));
    // A word selected in the source, then Ctrl+Shift+T: the dialog holds it, Enter stores it.
    QTextCursor selection = bar->sourceEdit()->textCursor();
    selection.select(QTextCursor::Document);
    bar->sourceEdit()->setTextCursor(selection);
    bar->sourceEdit()->setFocus();
    QTest::keyClick(bar->sourceEdit(), Qt::Key_T, Qt::ControlModifier | Qt::ShiftModifier);
    auto* dialog = frame->findChild<CGlossaryTermDlg*>();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->termEdit()->text(), QStringLiteral("Hello"));
}

} // namespace
} // namespace qmk
