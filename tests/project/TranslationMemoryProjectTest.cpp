// A project and the translation memory: what the project gives the memory (once per change,
// never its excluded texts or version block headers), what a stored translation adds, and
// pre-translation taking identical texts as translated, alike ones for review, markup-checked,
// as one step Undo takes back.
#include <gtest/gtest.h>

#include "common/RecordingFeedback.h"
#include "common/TempDir.h"
#include "memory/SqliteMemory.h"
#include "project/CQuillDoc.h"
#include "project/MemoryFeed.h"
#include "project/MemorySuggestions.h"
#include "project/PreTranslate.h"
#include "project/SlicedJob.h"
#include "project/TextTableRows.h"

namespace qmk {
namespace {

constexpr LanguageId German{7, 1};

const char* const kScript =
    "LANGUAGE LANG_ENGLISH, SUBLANG_ENGLISH_US\n"
    "STRINGTABLE\nBEGIN\n"
    "    IDS_HELLO \"Hello, world\"\n"
    "    IDS_BYE \"Goodbye, my friend\"\n"
    "    IDS_FILES \"%d files copied\"\n"
    "    IDS_QUOTE \"Say \"\"yes\"\"\\nnow\"\n"
    "    IDS_NEW \"Something new\"\n"
    "    IDS_SKIP \"Excluded text\"\n"
    "END\n";

class TranslationMemoryProjectTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        doc = std::make_unique<CQuillDoc>(feedback, std::vector<std::string>{});
        ASSERT_TRUE(doc->OnOpenDocument(dir.write("app.rc", kScript)));
        ASSERT_TRUE(doc->NewTranslation(German, "app-German.rc").done());
        ASSERT_TRUE(doc->reloadRows().done());
    }
    int lineOf(const std::string& id)
    {
        const TextTableRows& rows = doc->rows();
        for (int row = 0; row < rows.rowCount(); ++row)
            if (rows.displayText(row, TextTableColumns::IdColumn) == id)
                return rows.item(row).lineIndex;
        ADD_FAILURE() << "no row " << id;
        return -1;
    }
    std::string translation(const std::string& id)
    {
        const int row = doc->rows().rowOfLineIndex(lineOf(id));
        return doc->rows().displayText(row, doc->rows().columns().columnOfLanguage(German));
    }
    bool flagged(const std::string& id)
    {
        return doc->rows().item(doc->rows().rowOfLineIndex(lineOf(id))).isModified(German);
    }
    MemoryUnit remembered(std::string source, std::string target)
    {
        return {std::move(source), std::move(target), "en-US", "de-DE", "old.rc", "Stringtable String", "IDS_X", 1, false};
    }

    test::TempDir dir;
    test::RecordingFeedback feedback;
    std::unique_ptr<CQuillDoc> doc;
    SqliteMemory memory{dir / "memory.db"};
};

TEST_F(TranslationMemoryProjectTest, ProjectGivesItsTranslationsOnceAndNeverItsExcludedTexts)
{
    ASSERT_TRUE(doc->storeTranslation(lineOf("IDS_HELLO"), German, "Hallo, Welt").done());
    ASSERT_TRUE(doc->storeTranslation(lineOf("IDS_SKIP"), German, "Ausgeschlossen").done());
    ASSERT_TRUE(doc->setExcluded(lineOf("IDS_SKIP"), true).done());
    const MemoryFeedResult first = addProjectToMemory(*doc, memory, std::nullopt);
    ASSERT_TRUE(first.ok) << first.problem;
    EXPECT_EQ(first.added, 1);
    const auto found = memory.lookup("Hello, world", "en-US", "de-DE", 5, 100);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].unit.target, "Hallo, Welt");
    EXPECT_EQ(found[0].unit.project, "app.rc");
    EXPECT_EQ(found[0].unit.resourceId, "IDS_HELLO");
    EXPECT_TRUE(memory.lookup("Excluded text", "en-US", "de-DE", 5, 50).empty());
    // Opened again with nothing changed: nothing to add.
    const MemoryFeedResult again = addProjectToMemory(*doc, memory, std::nullopt);
    EXPECT_TRUE(again.unchanged);
    EXPECT_EQ(memory.size(), 1);
}

TEST_F(TranslationMemoryProjectTest, AFeedInSlicesAddsWhatOneFeedAddsAndAGivenUpFeedIsFedAgain)
{
    for (const char* id : {"IDS_HELLO", "IDS_BYE", "IDS_FILES", "IDS_NEW"})
        ASSERT_TRUE(doc->storeTranslation(lineOf(id), German, std::string("de ") + id).done());
    {
        MemoryFeeder feeder(*doc, memory, MemoryFeeder::ProjectFeed::Sliced);
        ASSERT_NE(feeder.projectFeed(), nullptr);
        EXPECT_EQ(memory.size(), 0);  // its owner runs the feed
        feeder.projectFeedEnded();  // given up
        EXPECT_EQ(feeder.projectFeed(), nullptr);
    }
    ProjectMemoryFeed feed(*doc, memory, std::nullopt);
    int steps = 0;
    JobProgress progress;
    do {
        progress = feed.step(SlicedJob::Budget(0));
        EXPECT_LE(progress.completed, progress.total);
        ++steps;
    } while (!progress.done && steps < 1000);
    ASSERT_TRUE(feed.result().ok) << feed.result().problem;
    EXPECT_FALSE(feed.result().unchanged);
    EXPECT_EQ(feed.result().added, 4);
    EXPECT_EQ(memory.size(), 4);
    EXPECT_EQ(memory.lookup("Something new", "en-US", "de-DE", 5, 100).at(0).unit.target, "de IDS_NEW");
    // The sliced feed's fingerprint is the one of a feed in one go: nothing to add again.
    EXPECT_TRUE(addProjectToMemory(*doc, memory, std::nullopt).unchanged);
}

TEST_F(TranslationMemoryProjectTest, AFeedThroughAWriterOfItsOwnAddsAndStampsOrSaysWhyNot)
{
    ASSERT_TRUE(doc->storeTranslation(lineOf("IDS_HELLO"), German, "Hallo, Welt").done());
    const std::filesystem::path file = dir / "memory.db";
    ProjectMemoryFeed feed(*doc, memory, std::nullopt, false,
                           std::make_unique<MemoryWriter>([file] { return std::make_unique<SqliteMemory>(file); }));
    const JobProgress progress = runToEnd(feed);
    EXPECT_TRUE(progress.done);
    ASSERT_TRUE(feed.result().ok) << feed.result().problem;
    EXPECT_EQ(memory.size(), 1);  // written through the other connection, read through this one
    EXPECT_TRUE(addProjectToMemory(*doc, memory, std::nullopt).unchanged);

    // A writer that cannot open its memory: the feed ends and says so, and nothing is stamped.
    ASSERT_TRUE(doc->storeTranslation(lineOf("IDS_BYE"), German, "Tschüss").done());
    ProjectMemoryFeed failing(*doc, memory, std::nullopt, false, std::make_unique<MemoryWriter>([]() -> std::unique_ptr<TranslationMemory> {
        throw MemoryError("no memory here");
    }));
    runToEnd(failing);
    EXPECT_FALSE(failing.result().ok);
    EXPECT_EQ(failing.result().problem, "no memory here");
    EXPECT_FALSE(addProjectToMemory(*doc, memory, std::nullopt).unchanged);
}

TEST_F(TranslationMemoryProjectTest, FeederAddsEveryStoredTranslationWithItsFlag)
{
    MemoryFeeder feeder(*doc, memory);
    ASSERT_TRUE(doc->storeTranslation(lineOf("IDS_QUOTE"), German, "Sag \"\"ja\"\"\\njetzt").done());
    const auto found = memory.lookup("Say \"yes\"\nnow", "en-US", "de-DE", 5, 100);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].unit.target, "Sag \"ja\"\njetzt");  // as the XLIFF export writes it
    EXPECT_FALSE(found[0].unit.flagged);
    ASSERT_TRUE(doc->storeTranslation(lineOf("IDS_BYE"), German, "Tschüss", true).done());
    const auto bye = memory.lookup("Goodbye, my friend", "en-US", "de-DE", 5, 100);
    ASSERT_EQ(bye.size(), 1u);
    EXPECT_TRUE(bye[0].unit.flagged);
    EXPECT_TRUE(feeder.problem().empty());
}

TEST_F(TranslationMemoryProjectTest, PreTranslationTakesIdenticalTextsAsTranslatedAndAlikeOnesForReview)
{
    memory.add({remembered("Hello, world", "Hallo, Welt"), remembered("Goodbye, my friends", "Auf Wiedersehen, meine Freunde"),
                remembered("%d files copied", "Dateien kopiert"), remembered("Say \"yes\"\nnow", "Sag \"ja\"\njetzt")});
    const PreTranslateResult result = preTranslate(*doc, memory, German, 70);
    ASSERT_TRUE(result.ok) << result.problem;
    EXPECT_EQ(result.exact, 2);
    EXPECT_EQ(result.fuzzy, 1);
    EXPECT_EQ(result.disagreeing, 1);  // the memory's translation lost the placeholder
    EXPECT_EQ(result.withoutMatch, 2);
    EXPECT_EQ(translation("IDS_HELLO"), "Hallo, Welt");
    EXPECT_FALSE(flagged("IDS_HELLO"));
    EXPECT_EQ(translation("IDS_QUOTE"), "Sag \"\"ja\"\"\\njetzt");  // stored as the script needs it
    EXPECT_EQ(translation("IDS_BYE"), "Auf Wiedersehen, meine Freunde");
    EXPECT_TRUE(flagged("IDS_BYE"));
    EXPECT_EQ(translation("IDS_FILES"), "");
    // One step of the history takes all of it back.
    EXPECT_TRUE(doc->undo().result.done());
    EXPECT_EQ(translation("IDS_HELLO"), "");
    EXPECT_EQ(translation("IDS_BYE"), "");
    EXPECT_TRUE(doc->redo().result.done());
    EXPECT_TRUE(flagged("IDS_BYE"));
}

// Cancelled after three texts (Hello, Bye, Files), pre-translation keeps the two it filled as
// one step and reports itself cancelled, not failed.
TEST_F(TranslationMemoryProjectTest, CancelledPreTranslationKeepsWhatItStoredAsOneStep)
{
    memory.add({remembered("Hello, world", "Hallo, Welt"), remembered("Goodbye, my friend", "Tschüss"),
                remembered("Something new", "Etwas Neues")});
    feedback.cancelAfterPolls = 3;
    const PreTranslateResult result = preTranslate(*doc, memory, German, 100);
    EXPECT_TRUE(result.ok);
    EXPECT_TRUE(result.cancelled);
    EXPECT_EQ(result.exact, 2);
    EXPECT_EQ(translation("IDS_BYE"), "Tschüss");
    EXPECT_EQ(translation("IDS_NEW"), "");
    EXPECT_EQ(feedback.tasks.back(), "Pre-translate from the translation memory");
    ASSERT_TRUE(doc->undo().result.done());
    EXPECT_EQ(translation("IDS_HELLO"), "");
    EXPECT_EQ(translation("IDS_BYE"), "");
}

// Passes everything on to a memory and counts the transactions it was given.
class CountingMemory : public TranslationMemory {
public:
    explicit CountingMemory(TranslationMemory& memory) : memory_(memory) {}
    using TranslationMemory::add;
    void add(const std::vector<MemoryUnit>& units) override
    {
        ++transactions;
        this->units += static_cast<int>(units.size());
        memory_.add(units);
    }
    std::vector<MemoryMatch> lookup(std::string_view source, std::string_view sourceLanguage,
                                    std::string_view targetLanguage, int n, int minimumScore) override
    {
        return memory_.lookup(source, sourceLanguage, targetLanguage, n, minimumScore);
    }
    void forEach(const std::optional<std::string>& language, const std::function<void(const MemoryUnit&)>& visit) override
    {
        memory_.forEach(language, visit);
    }
    std::int64_t size() override { return memory_.size(); }
    std::string projectStamp(const std::string& key) override { return memory_.projectStamp(key); }
    void setProjectStamp(const std::string& key, const std::string& stamp) override { memory_.setProjectStamp(key, stamp); }
    std::string location() const override { return memory_.location(); }

    int transactions = 0;
    int units = 0;

private:
    TranslationMemory& memory_;
};

// What a step of many stores puts into the memory goes in at the step's end, in one
// transaction, and so does its Redo; a single store goes in at once.
TEST_F(TranslationMemoryProjectTest, FeederAddsAStepOfManyStoresInOneTransaction)
{
    memory.add({remembered("Hello, world", "Hallo, Welt"), remembered("Goodbye, my friends", "Auf Wiedersehen"),
                remembered("Something new", "Etwas Neues")});
    CountingMemory counting(memory);
    MemoryFeeder feeder(*doc, counting);
    counting.transactions = 0;
    const PreTranslateResult result = preTranslate(*doc, memory, German, 70);
    ASSERT_EQ(result.exact + result.fuzzy, 3);
    EXPECT_EQ(counting.transactions, 1);
    EXPECT_EQ(counting.units, 3);
    ASSERT_TRUE(doc->undo().result.done());
    EXPECT_EQ(counting.transactions, 1);  // emptied texts are nothing to remember
    ASSERT_TRUE(doc->redo().result.done());
    EXPECT_EQ(counting.transactions, 2);
    EXPECT_EQ(counting.units, 6);
    ASSERT_TRUE(doc->storeTranslation(lineOf("IDS_FILES"), German, "%d Dateien kopiert").done());
    EXPECT_EQ(counting.transactions, 3);
    EXPECT_EQ(memory.lookup("%d files copied", "en-US", "de-DE", 5, 100).size(), 1u);
}

TEST_F(TranslationMemoryProjectTest, PreTranslationAtTheDefaultTakesOnlyIdenticalTextsAndKeepsTranslations)
{
    ASSERT_TRUE(doc->storeTranslation(lineOf("IDS_HELLO"), German, "Servus").done());
    memory.add({remembered("Hello, world", "Hallo, Welt"), remembered("Goodbye, my friends", "Auf Wiedersehen")});
    const PreTranslateResult result = preTranslate(*doc, memory, German, 100);
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.exact + result.fuzzy, 0);
    EXPECT_EQ(translation("IDS_HELLO"), "Servus");
    EXPECT_EQ(translation("IDS_BYE"), "");
}

} // namespace
TEST_F(TranslationMemoryProjectTest, SuggestionsShowTheBarsFormTheirOriginAndHowTheirSourceDiffers)
{
    MemoryUnit quote = remembered("Say \"yes\"\nnow", "Sag \"ja\"\njetzt");
    quote.resourceId = "IDS_QUOTE";
    MemoryUnit alike = remembered("Goodbye, my dear friend", "Auf Wiedersehen, mein lieber Freund");
    alike.flagged = true;
    memory.add({quote, alike});
    const std::vector<MemorySuggestion> exact = memorySuggestions(*doc, memory, lineOf("IDS_QUOTE"), German, 60);
    ASSERT_EQ(exact.size(), 1u);
    EXPECT_TRUE(exact[0].exact);
    EXPECT_EQ(exact[0].translation, "Sag \"ja\"\\njetzt");  // as the bar shows it: quotes single, escapes typed
    EXPECT_EQ(exact[0].origin, "old.rc: IDS_QUOTE");
    const std::vector<MemorySuggestion> fuzzy = memorySuggestions(*doc, memory, lineOf("IDS_BYE"), German, 60);
    ASSERT_EQ(fuzzy.size(), 1u);
    EXPECT_FALSE(fuzzy[0].exact);
    EXPECT_LT(fuzzy[0].score, 100);
    EXPECT_EQ(fuzzy[0].origin, "old.rc: IDS_X (to review)");
    bool deletion = false;
    for (const DiffSegment& segment : fuzzy[0].diff)
        deletion = deletion || (segment.kind == DiffSegment::Kind::Deleted && segment.text.find("dear") != std::string::npos);
    EXPECT_TRUE(deletion);  // "dear" is in the match's source, not in this one
    EXPECT_TRUE(memorySuggestions(*doc, memory, lineOf("IDS_NEW"), German, 60).empty());
}

} // namespace qmk
