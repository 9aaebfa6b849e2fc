// The window's memory: switched off it is never opened; switched on, a project's stored
// translations reach it until the project is detached.
#include <gtest/gtest.h>

#include "app/MemoryFeeds.h"
#include "common/RecordingFeedback.h"
#include "common/TempDir.h"
#include "memory/SqliteMemory.h"
#include "project/CQuillDoc.h"

namespace qmk {
namespace {

TEST(MemoryFeedsTest, StoredTranslationsReachTheMemoryOnlyWhileAttachedAndSwitchedOn)
{
    test::TempDir dir;
    test::RecordingFeedback feedback;
    CQuillDoc doc(feedback, {});
    ASSERT_TRUE(doc.OnOpenDocument(dir.write("app.rc", "STRINGTABLE\nBEGIN\n 1 \"One\"\n 2 \"Two\"\nEND\n")));
    ASSERT_TRUE(doc.NewTranslation(LanguageId{7, 1}, "app-de.rc").done());
    ASSERT_TRUE(doc.reloadRows().done());
    const int one = doc.rows().item(0).lineIndex;
    const int two = doc.rows().item(1).lineIndex;

    MemoryFeeds off({(dir / "off.db").string(), 70, false});
    off.attach(doc);
    EXPECT_EQ(off.memory(), nullptr);
    EXPECT_FALSE(std::filesystem::exists(dir / "off.db"));

    MemoryFeeds on({(dir / "on.db").string(), 70, true});
    on.attach(doc);
    ASSERT_NE(on.memory(), nullptr);
    ASSERT_TRUE(doc.storeTranslation(one, LanguageId{7, 1}, "Eins").done());
    on.detach(doc);
    ASSERT_TRUE(doc.storeTranslation(two, LanguageId{7, 1}, "Zwei").done());
    EXPECT_EQ(on.memory()->size(), 1);

    MemoryFeeds broken({(dir / "app_rc.mdb").string(), 70, true});  // a project, no memory
    broken.attach(doc);
    EXPECT_EQ(broken.memory(), nullptr);
    EXPECT_NE(broken.problem().find("no translation memory"), std::string::npos) << broken.problem();
}

} // namespace
} // namespace qmk
