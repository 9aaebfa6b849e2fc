// The rules of the quality checks on one text, with pairs taken from real translations of the
// corpus (the faults among them are in released software) and the good pairs beside them.
#include <gtest/gtest.h>

#include "checks/PseudoTranslation.h"
#include "checks/TextRules.h"

namespace qmk {
namespace {

constexpr LanguageId kGerman{7, 1};
constexpr LanguageId kFrench{12, 1};
constexpr LanguageId kJapanese{17, 1};
constexpr LanguageId kGreek{8, 1};

CheckedText text(std::string_view source, std::string_view translation, ItemType type = ItemType::StringtableString,
                 LanguageId language = kGerman)
{
    const bool keys = type == ItemType::MenuItem || type == ItemType::PopupMenu || type == ItemType::DialogItem;
    return {source, translation, type, keys, language};
}

TEST(PlaceholderRule, PrintfPositionalAndBracedPlaceholdersMustMatch)
{
    // powercfg: the French and Russian strings give FormatMessage's "%1" to a printf "%s".
    EXPECT_TRUE(checkPlaceholders(text("Settings for %s power scheme", "Réglages pour le profil d'alimentation %1")));
    // powercfg: the French question lost the scheme's name.
    const auto lost = checkPlaceholders(text("Are you sure you want to delete the power scheme: \"\"%s\"\"?",
                                             "Êtes-vous sûr de vouloir supprimer le profil d'alimentation ?"));
    ASSERT_TRUE(lost);
    EXPECT_NE(lost->find("the source has %s, the translation none"), std::string::npos);
    // The German and Japanese strings keep it, quoted or bracketed.
    EXPECT_FALSE(checkPlaceholders(text("Settings for %s power scheme", "Einstellungen für Energieschema \"\"%s\"\"")));
    EXPECT_FALSE(checkPlaceholders(text("Settings for %s power scheme", "[%s] の電源設定")));
    // winfile: "%d " keeps its conversion in front of the words.
    EXPECT_FALSE(checkPlaceholders(text("Directories read: %d ", "%d Verzeichnisse gelesen")));

    // printf conversions take their arguments in order; positional ones may move and repeat.
    EXPECT_TRUE(checkPlaceholders(text("%s of %d", "%d von %s")));
    EXPECT_FALSE(checkPlaceholders(text("%1 of %2", "%2 von %1")));
    EXPECT_FALSE(checkPlaceholders(text("%1!s! in %2!d!", "in %2!d!: %1!s!")));
    EXPECT_FALSE(checkPlaceholders(text("{0} files in {1:N0}", "{1:N0}: {0} Dateien")));
    EXPECT_TRUE(checkPlaceholders(text("{0} files", "Dateien")));
    EXPECT_TRUE(checkPlaceholders(text("%5.2f%% done", "%5.2f fertig")));
    EXPECT_TRUE(checkPlaceholders(text("%ld bytes", "%d Bytes")));
    // A percent sign in running text is no conversion.
    EXPECT_FALSE(checkPlaceholders(text("100% of the disk", "100 % des Datenträgers")));
    EXPECT_EQ(placeholdersOf("%-5.2lf and %1 and %%").ordered, std::vector<std::string>{"%-5.2lf"});
}

TEST(MnemonicRule, OneAccessKeyWhereTheSourceHasOneNoneWhereItHasNone)
{
    // solitaire: the German radio button keeps its key, the French one of winmine's menu lost it.
    EXPECT_FALSE(checkMnemonic(text("Draw &One", "&Eine ziehen", ItemType::DialogItem)));
    EXPECT_EQ(checkMnemonic(text("&Custom...", "Personnalisé...", ItemType::MenuItem)),
              "no access key (&) where the source has one");
    EXPECT_TRUE(checkMnemonic(text("&Save", "&Spei&chern", ItemType::DialogItem)));
    EXPECT_TRUE(checkMnemonic(text("Progress", "&Fortschritt", ItemType::DialogItem)));
    // "&&" is a literal ampersand; East Asian labels write the key apart.
    EXPECT_FALSE(checkMnemonic(text("Copy && Paste", "Kopieren && Einfügen", ItemType::MenuItem)));
    EXPECT_FALSE(checkMnemonic(text("&Open...\\tCtrl+O", "開く(&O)...\\tCtrl+O", ItemType::MenuItem, kJapanese)));
    // An accelerator's "&" is not a key; strings draw none.
    EXPECT_FALSE(checkMnemonic(text("Save\\tCtrl+&S", "Speichern\\tStrg+&S", ItemType::MenuItem)));
    EXPECT_FALSE(checkMnemonic(text("Tom & Jerry", "Tom und Jerry")));
}

TEST(AcceleratorRule, MenuItemsKeepTheirAccelerator)
{
    // mplay32: the German, French and Russian "Open" items lost "\tCtrl+O"; the Japanese kept it.
    EXPECT_EQ(checkAccelerator(text("&Open...\\tCtrl+O", "Ö&ffnen...", ItemType::MenuItem)),
              "the accelerator (\\tCtrl+O) of the source is missing");
    EXPECT_FALSE(checkAccelerator(text("&Open...\\tCtrl+O", "開く(&O)...\\tCtrl+O", ItemType::MenuItem, kJapanese)));
    EXPECT_FALSE(checkAccelerator(text("&New\\tCtrl+N", "&Neu\\tStrg+N", ItemType::MenuItem)));
    EXPECT_TRUE(checkAccelerator(text("&New", "&Neu\\tStrg+N", ItemType::MenuItem)));
    EXPECT_FALSE(checkAccelerator(text("Tab\\tstop", "Tabulator", ItemType::StringtableString)));
}

TEST(EscapeRule, OnlyEscapesTheCompilerKnowsAndNoBareQuotesOrBreaks)
{
    // explorerpp: the Japanese caption still has the backslash a Shift-JIS script needed after
    // 表; in its UTF-16 script "\示" is an escape the compiler does not know.
    EXPECT_EQ(checkEscapes(text("Change Display Window Colors", "表\\示ウィンドウの色の変更", ItemType::DialogCaption)),
              "unknown escape \\示");
    // explorerpp: the Japanese help text starts with a line break inside its literal.
    EXPECT_EQ(checkEscapes(text("Allows a new bookmark to be created", "\r\n新しいブックマークを作成します")),
              "a raw line break (write \\n)");
    EXPECT_FALSE(checkEscapes(text("Line\\none", "Zeile\\neins\\t\\x41\\012 \"\"zitiert\"\"")));
    EXPECT_TRUE(checkEscapes(text("Path", "C:\\Pfad\\")));
    EXPECT_TRUE(checkEscapes(text("say \"\"hi\"\"", "sag \"hallo\"\"")));
    EXPECT_TRUE(checkEscapes(text("code", "Code \\xZZ")));
    // An escape the source uses itself is the program's convention.
    EXPECT_FALSE(checkEscapes(text("Field\\bValue", "Feld\\bWert")));
    EXPECT_TRUE(checkEscapes(text("Field Value", "Feld\\bWert")));
}

TEST(WhitespaceRule, BlanksAndLineBreaksAtTheEndsAsInTheSource)
{
    // winfile: the source's blank after "%d " separates a count appended at run time.
    EXPECT_EQ(checkWhitespace(text("Directories read: %d ", "Gelesene Verzeichnisse: %d")),
              "the source ends with a blank, the translation does not");
    EXPECT_FALSE(checkWhitespace(text("Directories read: %d ", "%d Verzeichnisse gelesen ")));
    EXPECT_TRUE(checkWhitespace(text("Done.\\n", "Fertig.")));
    EXPECT_TRUE(checkWhitespace(text("  Indented", "Eingerückt")));
    EXPECT_FALSE(checkWhitespace(text("Name: \\n", "Name: \\n")));
    EXPECT_FALSE(checkWhitespace(text("Path\\\\n", "Pfad\\\\n")));  // an escaped backslash and an "n"
}

TEST(PunctuationRule, FinalMarksAsTheSourceHasThemInTheLanguagesWay)
{
    // winmine: the German menu item that opens a dialog lost its ellipsis.
    EXPECT_EQ(checkPunctuation(text("&Fastest Times...", "&Beste Zeiten", ItemType::MenuItem)),
              "ends with no punctuation where the source ends with '...'");
    // powercfg: French labels put a blank before the colon, Japanese ones a full-width colon.
    EXPECT_FALSE(checkPunctuation(text("Turn off &monitor:", "Éteindre le &moniteur :", ItemType::DialogItem, kFrench)));
    EXPECT_FALSE(checkPunctuation(text("Turn off &monitor:", "モニタの電源を切る(&M)：", ItemType::DialogItem, kJapanese)));
    EXPECT_FALSE(checkPunctuation(text("&Open...\\tCtrl+O", "開く(&O)…\\tCtrl+O", ItemType::MenuItem, kJapanese)));
    EXPECT_FALSE(checkPunctuation(text("Delete the file?", "Διαγραφή του αρχείου;", ItemType::StringtableString, kGreek)));
    EXPECT_TRUE(checkPunctuation(text("Delete the file?", "Datei löschen.")));
    // A full stop comes and goes with style and abbreviations; a help menu may be "?" alone.
    EXPECT_FALSE(checkPunctuation(text("After 1 min", "Nach 1 Min.")));
    EXPECT_FALSE(checkPunctuation(text("&Help", "&?", ItemType::PopupMenu)));
    // mplay32: every translation gives "About" the ellipsis of an item that opens a dialog.
    EXPECT_FALSE(checkPunctuation(text("&About", "&Über...", ItemType::MenuItem)));
}

TEST(StringRules, LengthLimitAndTextsLeftAsTheSource)
{
    EXPECT_EQ(resourceStringLength("a\\n\\x41\\101\"\"ä😀"), 8);
    EXPECT_FALSE(checkLength(text("x", std::string(kResourceStringLimit, 'y'))));
    EXPECT_TRUE(checkLength(text("x", std::string(kResourceStringLimit + 1, 'y'))));
    EXPECT_FALSE(checkLength(text("x", std::string(kResourceStringLimit * 2, '\\').substr(0, kResourceStringLimit + 2))));
    EXPECT_EQ(checkUntranslated(text("Demo Writer", "Demo Writer")), "the same as the source");
    EXPECT_FALSE(checkUntranslated(text("1.0.0.1", "1.0.0.1")));
    EXPECT_FALSE(checkUntranslated(text("Demo Writer", "Demo-Schreiber")));
}

TEST(PseudoText, AccentedBracketedLongerAndKeepsWhatTheProgramReads)
{
    auto all = [](std::string_view) { return true; };
    EXPECT_EQ(pseudoText("&Open file...", ItemType::MenuItem, all), "[&Oƥēŋ ƒîļē !!!]...");
    const std::string menu = pseudoText("&Save %s as...\\tCtrl+S", ItemType::MenuItem, all);
    EXPECT_EQ(menu, "[&Sāṽē %s āš !!!]...\\tCtrl+S");
    EXPECT_EQ(pseudoText("Line\\none \"\"{0}\"\"\\n", ItemType::StringtableString, all),
              "[Ļîŋē\\nŏŋē \"\"{0}\"\" !!!!]\\n");
    EXPECT_EQ(pseudoText("1.0.0.1", ItemType::VersionValue, all), "");
    // A code page without Latin Extended letters gets Latin-1 ones, or the letter itself.
    auto latin1 = [](std::string_view c) { return c.size() == 1 || static_cast<unsigned char>(c[0]) == 0xC3; };
    EXPECT_EQ(pseudoText("Open", ItemType::DialogItem, latin1), "[Öþéñ !!]");

    // Every rule is quiet on a pseudo text.
    for (const char* source : {"&Open file...", "Save %s as...\\tCtrl+S", "Name:", "Delete \"\"%1\"\"?", " Hello\\n"}) {
        const std::string pseudo = pseudoText(source, ItemType::MenuItem, all);
        const CheckedText checked = text(source, pseudo, ItemType::MenuItem);
        EXPECT_FALSE(checkPlaceholders(checked)) << pseudo;
        EXPECT_FALSE(checkMnemonic(checked)) << pseudo;
        EXPECT_FALSE(checkAccelerator(checked)) << pseudo;
        EXPECT_FALSE(checkEscapes(checked)) << pseudo;
        EXPECT_FALSE(checkWhitespace(checked)) << pseudo;
        EXPECT_FALSE(checkPunctuation(checked)) << pseudo;
    }
}

} // namespace
} // namespace qmk
