// A real history: an older English script with its German translation, then the newer English
// script of the next release. The update keeps every unchanged translation, flags every
// changed text with its old source and adds the new texts untranslated.
#include <cstdio>
#include <map>

#include "SourceUpdateFixture.h"
#include "database/CProjectDatabase.h"
#include "exchange/ScriptImport.h"

namespace qmk {
namespace {

using test::German;

struct Item {
    std::string source;
    std::string sourceOld;
    std::string german;
    bool flagged = false;
};

class HistoryUpdateTest : public test::SourceUpdateFixture {
protected:
    // Texts by kind, resource and identifier; statics sharing an identifier by their order too.
    std::map<std::string, Item> items()
    {
        std::map<std::string, Item> byKey;
        std::map<std::string, int> seen;
        CProjectDatabase& db = doc->database();
        const auto owners = db.items().owningResourceIdents();
        std::map<int, TextRow> rows;
        for (TextRow& row : db.texts().allTextsWithLineKind())
            rows[row.lineIndex] = std::move(row);
        db.texts().forEachTextTableRecord([&](const TextTableRecord& record) {
            const auto owner = owners.find(record.text.lineIndex);
            std::string key = std::to_string(record.text.lineKind);
            key += '|';
            key += owner == owners.end() ? std::string() : owner->second;
            key += '|';
            key += record.itemIdent;
            const int nth = seen[key]++;
            key += '#';
            key += std::to_string(nth);
            const TextRow& row = rows[record.text.lineIndex];
            const auto german = db.texts().translation(row.lineIndex, German);
            byKey[key] = {row.sourceText, row.sourceTextOld, german ? german->text : "", german && german->modified};
        });
        return byKey;
    }
};

} // namespace

TEST_F(HistoryUpdateTest, Notepad3KeepsItsGermanThroughTheNextRelease)
{
    const std::filesystem::path history = test::msvcCorpusDir() / "history" / "notepad3";
    if (test::msvcCorpusDir().empty())
        GTEST_SKIP() << "no Visual Studio corpus";
    open(writeScript(test::readFile(history / "en-US.old.rc"), 3600));
    ScriptImport import(*doc, {".DLG"});
    ASSERT_TRUE(import.run(dir.write("de-DE.rc", test::readFile(history / "de-DE.old.rc")), German).ok());
    const auto before = items();

    ASSERT_TRUE(saveAndUpdate(test::readFile(history / "en-US.new.rc")));
    const auto after = items();

    int kept = 0, flagged = 0, added = 0;
    for (const auto& [key, now] : after) {
        const auto old = before.find(key);
        if (old == before.end()) {
            EXPECT_EQ(now.german, "") << key;
            ++added;
        } else if (old->second.source == now.source) {
            EXPECT_EQ(now.german, old->second.german) << key;
            EXPECT_FALSE(now.flagged) << key;
            ++kept;
        } else {
            EXPECT_EQ(now.sourceOld, old->second.source) << key;
            EXPECT_EQ(now.german, old->second.german) << key;
            EXPECT_EQ(now.flagged, !now.german.empty()) << key;
            ++flagged;
        }
    }
    std::printf("  notepad3: %d texts kept, %d changed and flagged, %d new\n", kept, flagged, added);
    EXPECT_GT(kept, 350);
    EXPECT_GT(flagged + added, 0);
}

} // namespace qmk
