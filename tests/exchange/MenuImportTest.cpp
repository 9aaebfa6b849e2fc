// Menus imported from translated scripts whose structure differs from the project's: an item
// more in a popup, a popup moved, a command identifier used at several places. What differs
// stays where it is; every other item finds its own translation.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "database/CProjectDatabase.h"
#include "exchange/ExchangeFixture.h"
#include "exchange/MenuMatcher.h"
#include "exchange/ScriptImport.h"
#include "parser/ParserCodes.h"

namespace qmk {
namespace {

using test::German;

constexpr int kPopup = toInt(LineKind::Popup);
constexpr int kItem = toInt(LineKind::MenuItem);

// The project's menu: "P&roperties" (200) in two popups and at the top, and a popup of
// items that only positions can tell apart.
const char* const kEnglishMenu = R"(IDR_APP MENU
BEGIN
    POPUP "&File"
    BEGIN
        MENUITEM "&New", ID_NEW
        MENUITEM "&Open", ID_OPEN
        MENUITEM SEPARATOR
        MENUITEM "P&roperties", 200
        MENUITEM "E&xit", ID_EXIT
    END
    POPUP "&Edit"
    BEGIN
        MENUITEM "&Undo", ID_UNDO
        POPUP "&Insert"
        BEGIN
            MENUITEM "&Picture", ID_PICTURE
            MENUITEM "&Table", ID_TABLE
        END
        MENUITEM "P&roperties", 200
    END
    POPUP "&View"
    BEGIN
        MENUITEM "&Large", 0
        MENUITEM "&Small", 0
    END
    MENUITEM "P&roperties", 200
    POPUP "&Help"
    BEGIN
        MENUITEM "&About", ID_ABOUT
    END
END
)";

class MenuImportTest : public ::testing::Test, public test::ExchangeFixture {
protected:
    void SetUp() override
    {
        project_ = openProject("menus.rc", kEnglishMenu);
        ASSERT_TRUE(project_);
        ASSERT_TRUE(project_->NewTranslation(German, "menus-German.rc"));
    }

    ScriptImportResult import(const std::string& german)
    {
        return ScriptImport(*project_, extensions()).run(dir().write("menus-de.rc", german), German);
    }

    // Each popup and item of the project's menu: its source text, translation and review flag.
    struct Translated {
        std::string source, translation;
        bool review;
        bool operator==(const Translated&) const = default;
    };
    std::vector<Translated> menu()
    {
        std::vector<Translated> entries;
        for (const MenuItemMatch& item : project_->database().update().menuItemsOfMenusNamed("IDR_APP")) {
            const auto t = project_->database().texts().translation(item.lineIndex, German);
            entries.push_back({item.sourceText, t ? t->text : "", t && t->modified});
        }
        return entries;
    }

    std::unique_ptr<CQuillDoc> project_;
};

} // namespace

TEST_F(MenuImportTest, AnItemMoreEarlyInAPopupShiftsNothingAfterIt)
{
    const ScriptImportResult result = import(R"(IDR_APP MENU
BEGIN
    POPUP "&Datei"
    BEGIN
        MENUITEM "&Neu", ID_NEW
        MENUITEM "&Zuletzt verwendet", ID_RECENT
        MENUITEM "&Öffnen", ID_OPEN
        MENUITEM "&Eigenschaften", 200
        MENUITEM "&Beenden", ID_EXIT
    END
    POPUP "&Bearbeiten"
    BEGIN
        MENUITEM "&Rückgängig", ID_UNDO
        POPUP "&Einfügen"
        BEGIN
            MENUITEM "&Bild", ID_PICTURE
            MENUITEM "&Tabelle", ID_TABLE
        END
        MENUITEM "E&igenschaften", 200
    END
    POPUP "&Ansicht"
    BEGIN
        MENUITEM "&Groß", 0
        MENUITEM "&Klein", 0
    END
    MENUITEM "Ei&genschaften", 200
    POPUP "&Hilfe"
    BEGIN
        MENUITEM "&Info", ID_ABOUT
    END
END
)");
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(menu(), (std::vector<Translated>{
                          {"&File", "&Datei", true},
                          {"&New", "&Neu", false},
                          {"&Open", "&Öffnen", false},
                          {"P&roperties", "&Eigenschaften", false},
                          {"E&xit", "&Beenden", false},
                          {"&Edit", "&Bearbeiten", true},
                          {"&Undo", "&Rückgängig", false},
                          {"&Insert", "&Einfügen", true},
                          {"&Picture", "&Bild", false},
                          {"&Table", "&Tabelle", false},
                          {"P&roperties", "E&igenschaften", false},
                          {"&View", "&Ansicht", true},
                          {"&Large", "&Groß", false},
                          {"&Small", "&Klein", false},
                          {"P&roperties", "Ei&genschaften", false},
                          {"&Help", "&Hilfe", true},
                          {"&About", "&Info", false},
                      }));
    EXPECT_EQ(result.imported, 17);
}

TEST_F(MenuImportTest, AMovedPopupTakesItsItemsAlong)
{
    // The translation puts Edit first and has no View: every popup still finds its own, and
    // the repeated 200 is taken at each of its places.
    ASSERT_TRUE(import(R"(IDR_APP MENU
BEGIN
    POPUP "&Bearbeiten"
    BEGIN
        MENUITEM "&Rückgängig", ID_UNDO
        POPUP "&Einfügen"
        BEGIN
            MENUITEM "&Bild", ID_PICTURE
            MENUITEM "&Tabelle", ID_TABLE
        END
        MENUITEM "E&igenschaften", 200
    END
    POPUP "&Datei"
    BEGIN
        MENUITEM "&Neu", ID_NEW
        MENUITEM "&Öffnen", ID_OPEN
        MENUITEM "&Eigenschaften", 200
        MENUITEM "&Beenden", ID_EXIT
    END
    MENUITEM "Ei&genschaften", 200
    POPUP "&Hilfe"
    BEGIN
        MENUITEM "&Info", ID_ABOUT
    END
END
)").ok());
    const std::vector<Translated> entries = menu();
    ASSERT_EQ(entries.size(), 17u);
    EXPECT_EQ(entries[0].translation, "&Datei");
    EXPECT_EQ(entries[3].translation, "&Eigenschaften");
    EXPECT_EQ(entries[5].translation, "&Bearbeiten");
    EXPECT_EQ(entries[7].translation, "&Einfügen");
    EXPECT_EQ(entries[10].translation, "E&igenschaften");
    EXPECT_EQ(entries[11].translation, "");  // View: the translation has none
    EXPECT_EQ(entries[12].translation, "");
    EXPECT_EQ(entries[14].translation, "Ei&genschaften");
    EXPECT_EQ(entries[15].translation, "&Hilfe");
    EXPECT_EQ(entries[16].translation, "&Info");
}

TEST_F(MenuImportTest, AnOlderTranslationWithFewerPopupsPutsNoTextOnAnotherPopup)
{
    // Help is the translation's second popup but the project's fifth entry.
    ASSERT_TRUE(import(R"(IDR_APP MENU
BEGIN
    POPUP "&Datei"
    BEGIN
        MENUITEM "&Beenden", ID_EXIT
    END
    POPUP "&Hilfe"
    BEGIN
        MENUITEM "&Info", ID_ABOUT
    END
END
)").ok());
    const std::vector<Translated> entries = menu();
    EXPECT_EQ(entries[0].translation, "&Datei");
    EXPECT_EQ(entries[4].translation, "&Beenden");
    EXPECT_EQ(entries[5].translation, "");   // Edit
    EXPECT_EQ(entries[11].translation, "");  // View
    EXPECT_EQ(entries[15].translation, "&Hilfe");
    EXPECT_EQ(entries[16].translation, "&Info");
}

TEST_F(MenuImportTest, AnItemMovedToAnotherPopupIsFoundByItsIdentifierAndTakesNoOthersPlace)
{
    ASSERT_TRUE(import(R"(IDR_APP MENU
BEGIN
    POPUP "&Datei"
    BEGIN
        MENUITEM "&Neu", ID_NEW
        MENUITEM "&Info", ID_ABOUT
    END
END
)").ok());
    const std::vector<Translated> entries = menu();
    EXPECT_EQ(entries[0].translation, "&Datei");
    EXPECT_EQ(entries[1].translation, "&Neu");
    EXPECT_EQ(entries[2].translation, "");  // Open, the next place in File
    EXPECT_EQ(entries[15].translation, "");  // Help
    EXPECT_EQ(entries[16].translation, "&Info");
    EXPECT_FALSE(entries[16].review);
}

// The pairing itself, on menus written as entries.
TEST(MenuMatcherTest, RunsBetweenPairedEntriesArePairedInOrderAndNoFurther)
{
    // Project: popup A (no identifiers), item 1, popups B and C (no identifiers).
    const std::vector<MenuEntry> ours = {{kPopup, 0, "", "A"},     {kItem, 1, "", "a"}, {kItem, 0, "ID_1", "one"},
                                         {kPopup, 0, "", "B"},     {kItem, 1, "", "b"}, {kPopup, 0, "", "C"},
                                         {kItem, 1, "", "c"}};
    // Translation: an extra popup X before item 1.
    const std::vector<MenuEntry> theirs = {{kPopup, 0, "", "A'"}, {kItem, 1, "", "a'"}, {kPopup, 0, "", "X'"},
                                           {kItem, 1, "", "x'"},  {kItem, 0, "ID_1", "eins"}, {kPopup, 0, "", "B'"},
                                           {kItem, 1, "", "b'"},  {kPopup, 0, "", "C'"}, {kItem, 1, "", "c'"}};
    const std::vector<MenuPair> pairs = pairMenuEntries(ours, theirs);
    std::vector<int> partners;
    for (const MenuPair& pair : pairs)
        partners.push_back(pair.partner);
    EXPECT_EQ(partners, (std::vector<int>{0, 1, -1, -1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(pairs[4].by, MenuPairing::Identifier);
    EXPECT_EQ(pairs[0].by, MenuPairing::Position);
}

TEST(MenuMatcherTest, RepeatedIdentifiersPairInTurnAndTextsPairWhatIsLeft)
{
    const std::vector<MenuEntry> ours = {{kItem, 0, "200", "Properties"}, {kItem, 0, "ID_X", "Extra"},
                                         {kItem, 0, "200", "Properties"}};
    const std::vector<MenuEntry> theirs = {{kItem, 0, "200", "Eigenschaften 1"}, {kItem, 0, "200", "Eigenschaften 2"},
                                           {kItem, 0, "ID_Y", "Extra"}, {kItem, 0, "200", "zu viel"}};
    const std::vector<MenuPair> pairs = pairMenuEntries(ours, theirs);
    EXPECT_EQ(pairs[0].partner, 0);
    EXPECT_EQ(pairs[1].partner, 2);
    EXPECT_EQ(pairs[2].partner, 1);  // an identifier of its own, the source's text left untranslated
    EXPECT_EQ(pairs[2].by, MenuPairing::Text);
    EXPECT_EQ(pairs[3].partner, -1);
}

} // namespace qmk
