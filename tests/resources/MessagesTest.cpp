#include <gtest/gtest.h>

#include <set>
#include <string>

#include "resources/Messages.h"

namespace qmk {
namespace {

struct NamedId {
    const char* name;
    int id;
};

// Every constant of MessageIds.h, walked from the same list that defines them.
#define QMK_NAMED_ID(name, number) NamedId{#name, msg::name},
constexpr NamedId kAllIds[] = {QMK_MESSAGE_IDS(QMK_NAMED_ID)};
#undef QMK_NAMED_ID

} // namespace

TEST(MessagesTest, PlaceholdersAreFilledInAnyOrderAndMissingOnesVanish)
{
    EXPECT_EQ(fillPlaceholders("%2 before %1", {"a", "b"}), "b before a");
    EXPECT_EQ(fillPlaceholders("100% sure: %1 %3", {"x"}), "100% sure: x ");
    EXPECT_EQ(formatMessage(msg::CantOpenFile, {"a.rc"}), "Error: Can't open file 'a.rc'.");
    EXPECT_TRUE(messageText(-12345).empty());
}

TEST(MessagesTest, EveryNamedNumberHasItsOwnText)
{
    std::set<int> seen;
    for (const NamedId& entry : kAllIds) {
        EXPECT_FALSE(messageText(entry.id).empty()) << entry.name << " (" << entry.id << ") has no text";
        EXPECT_TRUE(seen.insert(entry.id).second) << entry.name << " reuses number " << entry.id;
    }
}

TEST(MessagesTest, PlaceholdersInTextsAreOnlyNumbered)
{
    // A stray "%s" or "%d" in a numbered text would never be filled by fillPlaceholders.
    for (const NamedId& entry : kAllIds) {
        std::string_view text = messageText(entry.id);
        for (std::size_t pos = text.find('%'); pos != std::string_view::npos; pos = text.find('%', pos + 1)) {
            ASSERT_LT(pos + 1, text.size()) << entry.name;
            EXPECT_TRUE(text[pos + 1] >= '1' && text[pos + 1] <= '9') << entry.name << ": " << text;
        }
    }
}

TEST(MessagesTest, RealTextsKeepTheirWordingAndPlaceholders)
{
    EXPECT_EQ(formatMessage(msg::WrongIncludeExtensions, {".H  .CPP  "}),
              "Read include extensions from INI file.\n.H  .CPP  \nWrong extension(s).");
    EXPECT_EQ(formatMessage(msg::BuildDatabaseFirst, {"c:\\p\\app.rc", "c:\\p\\app_rc.mdb"}),
              "Open file c:\\p\\app.rc.\nQuillmark will build a database file c:\\p\\app_rc.mdb first.\n"
              "Do you want to procced ?");
    EXPECT_EQ(formatMessage(msg::SaveFileStatus, {"app-German.rc"}), "Save File  app-German.rc");
    EXPECT_EQ(formatMessage(msg::LanguageAlreadyExists, {"German"}), "The language  German  already exists. ");
    EXPECT_EQ(formatMessage(msg::TemplateDatabaseMissing, {"qmkdb.mdb"}),
              "Can not find  file \"qmkdb.mdb\" at the Quillmark directory.\n"
              "Execute the Quillmark Setup program to complete the files.");
    EXPECT_EQ(formatMessage(msg::CharsetListEntry, {"Greek"}), "  - Greek");
    EXPECT_EQ(formatMessage(msg::CopyFileTo, {"demo.rc", "c:\\qmk32\\demoproj"}),
              "Copy \"demo.rc\" to \"c:\\qmk32\\demoproj\"");
}

TEST(MessagesTest, OddSpellingIsKeptAsWritten)
{
    EXPECT_NE(messageText(msg::MissingDatabaseEngine).find("following  Micrsosoft products"), std::string_view::npos);
    EXPECT_EQ(messageText(msg::CharsetVietnamese), "Vitnamese");
    EXPECT_EQ(formatMessage(msg::UpdateFailed, {"a.rc"}), "Error updateing resource file a.rc !");
}

TEST(MessagesTest, CommandPromptsShareTheCommandNumber)
{
    EXPECT_EQ(messageText(cmd::ExportToExcel), "Exports text to an Excel worksheet.\nExport to Excel");
    EXPECT_EQ(messageText(cmd::ExportToDatabase), "Exports the text to a new database.\nExport to Database");
}

} // namespace qmk
