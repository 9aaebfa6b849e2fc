// The conflicts an import leaves are settled in the window one by one, each way, and Undo takes
// a settled one back.
#include <QPushButton>
#include <QTreeWidget>

#include "WindowFixture.h"
#include "exchange/ImportSource.h"
#include "exchange/PlatformExchange.h"
#include "ui/CConflictsDlg.h"

namespace qmk {
namespace {

using test::German;

class ConflictsWindowTest : public test::WindowFixture {
protected:
    int line(const std::string& ident) { return child->document().rows().item(rowOfString(child, ident)).lineIndex; }
    TranslatedText stored(const std::string& ident)
    {
        return child->document().database().texts().translation(line(ident), German).value_or(TranslatedText{});
    }
    void store(const std::string& ident, const char* text)
    {
        ASSERT_EQ(child->document().storeTranslation(line(ident), German, text), OperationResult::Done);
    }
    CChildFrame* child = nullptr;
};

} // namespace

TEST_F(ConflictsWindowTest, EachConflictIsSettledEitherWayAsAStepUndoTakesBack)
{
    child = openApp();
    ASSERT_NE(child, nullptr);
    CQuillDoc& doc = child->document();
    ASSERT_TRUE(doc.NewTranslation(German, "app-German.rc"));
    ASSERT_TRUE(doc.reloadRows().done());
    store("IDS_HELLO", "Hallo");
    store("IDS_BYE", "Tschuess");
    // Exported, then changed here and on the platform.
    const std::filesystem::path file = dir / "de.xlf";
    ExchangeDocument sent = exchangeDocument(doc, German);
    sent.header.exportId = newExportId();
    std::string problem;
    ASSERT_TRUE(writeExchangeFile(file, ExchangeKind::Xliff, sent, problem)) << problem;
    recordExport(doc, German, sent);
    store("IDS_HELLO", "Hallo hier");
    store("IDS_BYE", "Tschuess hier");
    for (ExchangeUnit& unit : sent.units)
        unit.target = unit.ident == "IDS_HELLO" ? "Hallo dort" : unit.ident == "IDS_BYE" ? "Tschuess dort" : unit.target;
    ASSERT_TRUE(writeExchangeFile(file, ExchangeKind::Xliff, sent, problem)) << problem;

    std::vector<ImportDisagreement> conflicts;
    importFile(doc, German, file, nullptr, &conflicts);
    ASSERT_EQ(conflicts.size(), 2u);
    EXPECT_TRUE(stored("IDS_HELLO").modified);

    CConflictsDlg dialog(doc, German, conflicts, frame.get());
    ASSERT_EQ(dialog.list()->topLevelItemCount(), 2);
    EXPECT_EQ(dialog.list()->currentItem()->text(0), QStringLiteral("IDS_HELLO"));
    ASSERT_TRUE(dialog.settleChosen(true));  // the platform's
    EXPECT_EQ(stored("IDS_HELLO").text, "Hallo dort");
    EXPECT_FALSE(stored("IDS_HELLO").modified);
    ASSERT_TRUE(dialog.settleChosen(false));  // ours, no longer flagged
    EXPECT_EQ(stored("IDS_BYE").text, "Tschuess hier");
    EXPECT_FALSE(stored("IDS_BYE").modified);
    EXPECT_EQ(dialog.list()->topLevelItemCount(), 0);

    doc.undo();  // the last settling only
    EXPECT_EQ(stored("IDS_BYE").text, "Tschuess hier");
    EXPECT_TRUE(stored("IDS_BYE").modified);
    EXPECT_EQ(stored("IDS_HELLO").text, "Hallo dort");
}

} // namespace qmk
