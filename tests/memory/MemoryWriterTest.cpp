// The memory's writing thread stops soon after it is asked to, however large the batch it is
// writing, and a connection opened only for adding writes what lookups then find.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "common/TempDir.h"
#include "memory/MemoryWriter.h"
#include "memory/SqliteMemory.h"

namespace qmk::test {
namespace {

std::vector<MemoryUnit> units(std::size_t count)
{
    std::vector<MemoryUnit> made(count);
    for (std::size_t i = 0; i < count; ++i) {
        made[i].source = "Save file " + std::to_string(i);
        made[i].target = "Datei speichern " + std::to_string(i);
        made[i].sourceLanguage = "en-US";
        made[i].targetLanguage = "de-DE";
        made[i].project = "app.rc";
        made[i].resourceType = "STRINGTABLE";
        made[i].resourceId = "IDS_" + std::to_string(i);
    }
    return made;
}

} // namespace

TEST(MemoryWriterTest, StoppingGivesUpTheBatchBeingWrittenAtOnceAndLeavesNothingOfIt)
{
    TempDir dir;
    const std::filesystem::path file = dir / "memory.db";
    auto writer = std::make_unique<MemoryWriter>([file] { return std::make_unique<SqliteMemory>(file, SqliteMemory::Use::Adding); });
    // Far more than one transaction writes in the time stopping may take.
    std::vector<MemoryUnit> batch = units(40000);
    ASSERT_TRUE(writer->offer(batch));
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    ASSERT_FALSE(writer->idle()) << "the batch was written before the test could stop it";
    const auto asked = std::chrono::steady_clock::now();
    writer.reset();
    EXPECT_LT(std::chrono::steady_clock::now() - asked, std::chrono::milliseconds(100));
    SqliteMemory lookups(file);
    EXPECT_EQ(lookups.size(), 0);
}

TEST(MemoryWriterTest, AConnectionForAddingWritesWhatLookupsFind)
{
    TempDir dir;
    const std::filesystem::path file = dir / "memory.db";
    {
        MemoryWriter writer([file] { return std::make_unique<SqliteMemory>(file, SqliteMemory::Use::Adding); });
        std::vector<MemoryUnit> batch = units(250);
        ASSERT_TRUE(writer.offer(batch));
        writer.stampWhenWritten("app.rc|de-DE", "stamp");
        while (!writer.idle())
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        EXPECT_EQ(writer.problem(), "");
    }
    SqliteMemory lookups(file);
    EXPECT_EQ(lookups.size(), 250);
    EXPECT_EQ(lookups.projectStamp("app.rc|de-DE"), "stamp");
    const std::vector<MemoryMatch> found = lookups.lookup("Save file 17", "en-US", "de-DE", 1, 100);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].unit.target, "Datei speichern 17");
}

} // namespace qmk::test
