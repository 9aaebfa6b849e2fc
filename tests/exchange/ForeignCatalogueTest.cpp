// Catalogues other tools made come in whole: a gettext catalogue with one entry per distinct
// text fills every text with that source, translate-toolkit's rc2po PO files (and the XLIFF
// po2xliff makes of them) are placed by the locations they name, and sources are compared as
// the resource compiler reads them. Every file is made by the tool itself; a test whose tool is
// not installed is skipped.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "common/RecordingFeedback.h"
#include "common/TempDir.h"
#include "database/CProjectDatabase.h"
#include "exchange/GettextMatching.h"
#include "exchange/PeerLocations.h"
#include "exchange/PlatformExchange.h"
#include "project/CQuillDoc.h"
#include "project/TextTableRows.h"

namespace qmk {
namespace {

constexpr LanguageId German{7, 1};

bool installed(const std::string& program)
{
    return std::system(("command -v " + program + " > /dev/null 2>&1").c_str()) == 0;
}

std::string quoted(const std::filesystem::path& path) { return "'" + path.string() + "'"; }

// "OK", "&Copy" and "Cancel" stand in several places, as in any real program.
const char* const kEnglish =
    "LANGUAGE LANG_ENGLISH, SUBLANG_ENGLISH_US\n"
    "IDD_FIND DIALOGEX 0, 0, 200, 100\nCAPTION \"Find\"\nBEGIN\n"
    "    LTEXT \"Name:\", IDC_STATIC, 10, 10, 50, 8\n    LTEXT \"Name:\", IDC_STATIC, 10, 30, 50, 8\n"
    "    LTEXT \"What:\", IDC_WHAT, 10, 50, 50, 8\n"
    "    DEFPUSHBUTTON \"OK\", IDOK, 140, 60, 50, 14\n    PUSHBUTTON \"Cancel\", IDCANCEL, 140, 80, 50, 14\nEND\n"
    "IDD_GOTO DIALOGEX 0, 0, 200, 100\nCAPTION \"Go To\"\nBEGIN\n"
    "    DEFPUSHBUTTON \"OK\", IDOK, 140, 60, 50, 14\n    PUSHBUTTON \"Cancel\", IDCANCEL, 140, 80, 50, 14\nEND\n"
    "IDM_MAIN MENU\nBEGIN\n    POPUP \"&File\"\n    BEGIN\n        MENUITEM \"&Open\\tCtrl+O\", ID_OPEN\n"
    "        POPUP \"Recent files\"\n        BEGIN\n            MENUITEM \"&Clear\", ID_CLEAR\n        END\n    END\n"
    "    POPUP \"&Edit\"\n    BEGIN\n        MENUITEM \"&Copy\", ID_COPY\n    END\nEND\n"
    "STRINGTABLE\nBEGIN\n    IDS_COPY \"&Copy\"\n    IDS_QUOTE \"Say \"\"hi\"\"\"\n"
    "    IDS_LONG \"First part, \\\n               second part\"\n    IDS_TWO \"Line one\\nLine two\"\nEND\n";

const char* const kGerman =
    "#pragma code_page(65001)\nLANGUAGE LANG_GERMAN, SUBLANG_GERMAN\n"
    "IDD_FIND DIALOGEX 0, 0, 200, 100\nCAPTION \"Suchen\"\nBEGIN\n"
    "    LTEXT \"Name:\", IDC_STATIC, 10, 10, 50, 8\n    LTEXT \"Name:\", IDC_STATIC, 10, 30, 50, 8\n"
    "    LTEXT \"Was:\", IDC_WHAT, 10, 50, 50, 8\n"
    "    DEFPUSHBUTTON \"OK\", IDOK, 140, 60, 50, 14\n    PUSHBUTTON \"Abbrechen\", IDCANCEL, 140, 80, 50, 14\nEND\n"
    "IDD_GOTO DIALOGEX 0, 0, 200, 100\nCAPTION \"Gehe zu\"\nBEGIN\n"
    "    DEFPUSHBUTTON \"OK\", IDOK, 140, 60, 50, 14\n    PUSHBUTTON \"Abbrechen\", IDCANCEL, 140, 80, 50, 14\nEND\n"
    "IDM_MAIN MENU\nBEGIN\n    POPUP \"&Datei\"\n    BEGIN\n        MENUITEM \"\xC3\x96&ffnen\\tStrg+O\", ID_OPEN\n"
    "        POPUP \"Letzte Dateien\"\n        BEGIN\n            MENUITEM \"&Leeren\", ID_CLEAR\n        END\n    END\n"
    "    POPUP \"&Bearbeiten\"\n    BEGIN\n        MENUITEM \"&Kopieren\", ID_COPY\n    END\nEND\n"
    "STRINGTABLE\nBEGIN\n    IDS_COPY \"&Kopieren\"\n    IDS_QUOTE \"Sag \"\"hallo\"\"\"\n"
    "    IDS_LONG \"Erster Teil, \\\n               zweiter Teil\"\n    IDS_TWO \"Zeile eins\\nZeile zwei\"\nEND\n";

class ForeignCatalogueTest : public ::testing::Test {
protected:
    void open(const std::filesystem::path& script)
    {
        doc = std::make_unique<CQuillDoc>(feedback, std::vector<std::string>{});
        ASSERT_TRUE(doc->OnOpenDocument(script));
        ASSERT_TRUE(doc->NewTranslation(German, "de-out.rc"));
        ASSERT_TRUE(doc->reloadRows().done());
    }
    void SetUp() override { open(dir.write("en.rc", kEnglish)); }
    // Runs a shell command; its output when it failed.
    std::string run(const std::string& command)
    {
        const std::filesystem::path log = dir / "tool.log";
        if (std::system((command + " > " + quoted(log) + " 2>&1").c_str()) == 0)
            return {};
        return "failed: " + command + "\n" + test::readFile(log);
    }
    // The peer's catalogue of the German script against the English one.
    std::filesystem::path peerPo()
    {
        const std::filesystem::path po = dir / "de.po";
        EXPECT_EQ(run("rc2po --progress=none -t " + quoted(dir / "en.rc") + " " +
                      quoted(dir.write("de.rc", kGerman)) + " " + quoted(po)),
                  "");
        return po;
    }
    const ExchangeUnit* unitOf(const std::string& ident, int nth = 0)
    {
        units = exchangeUnits(*doc, German);
        for (const ExchangeUnit& unit : units)
            if (unit.ident == ident && nth-- == 0)
                return &unit;
        ADD_FAILURE() << "no item " << ident;
        return nullptr;
    }
    std::string translationOf(const std::string& ident, int nth = 0)
    {
        const ExchangeUnit* unit = unitOf(ident, nth);
        return unit ? unit->target : std::string();
    }
    std::string storedOf(const std::string& ident, int nth = 0)
    {
        const ExchangeUnit* unit = unitOf(ident, nth);
        return unit ? doc->database().texts().translation(unit->lineIndex, German).value_or(TranslatedText{}).text
                    : std::string();
    }

    test::TempDir dir;
    test::RecordingFeedback feedback;
    std::unique_ptr<CQuillDoc> doc;
    std::vector<ExchangeUnit> units;
};

} // namespace

// A catalogue as gettext keeps it: one entry per distinct source, no context. Each entry fills
// every text with its source; a text that holds another translation keeps it and is listed with
// both texts; the report counts texts, not entries.
TEST_F(ForeignCatalogueTest, AGettextCatalogueFillsEveryTextWithItsSource)
{
    if (!installed("msguniq") || !installed("msgen") || !installed("msgfilter"))
        GTEST_SKIP() << "gettext is not installed";
    std::string problem;
    ASSERT_TRUE(writeExchangeFile(dir / "all.po", ExchangeKind::Po, exchangeDocument(*doc, German), problem));
    const std::filesystem::path catalogue = dir / "catalogue.po";
    ASSERT_EQ(run("sed -e '/^msgctxt /d' -e '/^#: /d' " + quoted(dir / "all.po") + " | msguniq --use-first | msgen - | "
                  "msgfilter --keep-header -o " + quoted(catalogue) + " sed -e 's/^/DE /'"),
              "");
    const std::string text = test::readFile(catalogue);
    ASSERT_EQ(text.find("msgctxt"), std::string::npos);
    ASSERT_EQ(text.find("msgid \"OK\""), text.rfind("msgid \"OK\"")) << "one entry per distinct text";

    // Before the import, one "OK" already holds another translation.
    ASSERT_TRUE(doc->storeTranslation(unitOf("IDOK", 1)->lineIndex, German, "Gut").done());
    feedback.answer = false;  // replacing existing translations is declined
    const PlatformImport run = importPlatformFile(*doc, German, catalogue);
    ASSERT_TRUE(run.outcome.done()) << run.problem;
    EXPECT_EQ(translationOf("IDOK"), "DE OK");
    EXPECT_EQ(translationOf("IDOK", 1), "Gut");
    EXPECT_EQ(translationOf("IDCANCEL"), "DE Cancel");
    EXPECT_EQ(translationOf("IDCANCEL", 1), "DE Cancel");
    EXPECT_EQ(translationOf("ID_COPY"), "DE &Copy");
    EXPECT_EQ(translationOf("IDS_COPY"), "DE &Copy");
    EXPECT_EQ(translationOf("IDC_STATIC", 1), "DE Name:");
    EXPECT_EQ(translationOf("IDS_TWO"), "DE Line one\nDE Line two");
    // Every text but the one kept is filled, and only that one is listed, naming both texts.
    EXPECT_EQ(run.result.imported, static_cast<int>(units.size()) - 1);
    ASSERT_EQ(run.result.refused.size(), 1u) << refusedLines(run.result).front();
    EXPECT_EQ(run.result.refused[0].id, unitOf("IDOK", 1)->id);
    EXPECT_NE(run.result.refused[0].reason.find("Gut"), std::string::npos) << run.result.refused[0].reason;
    EXPECT_NE(run.result.refused[0].reason.find("DE OK"), std::string::npos) << run.result.refused[0].reason;
}

// Two entries of one file without context that give one source two translations: the first
// translates its texts and the second is listed, rather than the last silently winning.
TEST_F(ForeignCatalogueTest, ASecondTranslationOfOneSourceIsListed)
{
    std::vector<ExchangeUnit> file(2);
    file[0].source = file[1].source = "Cancel";
    file[0].target = "Abbrechen";
    file[1].target = "Stornieren";
    const ExchangeImportResult result = importExchangeUnits(*doc, German, file);
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.imported, 2);
    EXPECT_EQ(translationOf("IDCANCEL", 1), "Abbrechen");
    ASSERT_EQ(result.refused.size(), 1u);
    EXPECT_EQ(result.refused[0].id, "Cancel");
}

// Units placed by their source alone wait until the whole file is read, since a later unit may
// name one of their texts by its id; yet what the import reports stays in the file's order.
TEST_F(ForeignCatalogueTest, UnitsPlacedBySourceWaitForTheFileButReportInItsOrder)
{
    std::vector<ExchangeUnit> file(4);
    file[0].source = "Nothing like this";
    file[0].target = "Nichts";
    file[1].id = "Stringtable_String/IDS_NONE";
    file[1].source = "None";
    file[1].target = "Keins";
    file[2].source = "Cancel";
    file[2].target = "Abbrechen";
    file[3] = *unitOf("IDCANCEL", 1);  // named by its id after the entry that reaches it by source
    file[3].target = "Zur\xC3\xBC" "ck";
    const ExchangeImportResult result = importExchangeUnits(*doc, German, file);
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(translationOf("IDCANCEL"), "Abbrechen");
    EXPECT_EQ(translationOf("IDCANCEL", 1), "Zur\xC3\xBC" "ck");
    EXPECT_EQ(result.imported, 2);
    ASSERT_EQ(result.refused.size(), 2u);
    EXPECT_EQ(result.refused[0].id, "Nothing like this");
    EXPECT_EQ(result.refused[0].reason, "no context and no text of the project has this source");
    EXPECT_EQ(result.refused[1].id, "Stringtable_String/IDS_NONE");
    EXPECT_EQ(result.refused[1].reason, "no such item in the project");
}

// The peer's catalogue of a script and its translation: every translated entry goes to its
// place, by dialog and control, string id, menu and item, popup; a text that stands twice at
// one location is one entry whose msgctxt names the place twice; a string continued with a
// backslash arrives joined; doubled quotes and the menu's tab come back as the script has them.
TEST_F(ForeignCatalogueTest, ThePeersCatalogueIsPlacedByItsLocations)
{
    if (!installed("rc2po"))
        GTEST_SKIP() << "translate-toolkit (rc2po) is not installed";
    const std::filesystem::path po = peerPo();
    std::string text = test::readFile(po);
    // What the peer writes, as the placing relies on it: one entry for the two "Name:" statics
    // whose context names their place, a nested popup's items under "&File", the continued
    // string joined.
    EXPECT_NE(text.find("#: DIALOGEX.IDD_FIND.LTEXT.IDC_STATIC\nmsgctxt \"DIALOGEX.IDD_FIND.LTEXT.IDC_STATIC\"\n"
                        "msgid \"Name:\""),
              std::string::npos)
        << text;
    EXPECT_EQ(text.find("msgid \"Name:\""), text.rfind("msgid \"Name:\""));
    EXPECT_NE(text.find("#: MENU.IDM_MAIN.%26File.MENUITEM.ID_CLEAR\nmsgid \"&Clear\"\nmsgstr \"\""), std::string::npos);
    EXPECT_NE(text.find("msgid \"First part,                second part\""), std::string::npos);
    // The peer leaves the nested popup untranslated; the translator fills it in.
    for (const auto& [source, translation] : {std::pair{"&Clear", "&Leeren"}, {"Recent files", "Letzte Dateien"}}) {
        const std::string entry = std::string("msgid \"") + source + "\"\nmsgstr \"";
        ASSERT_NE(text.find(entry), std::string::npos) << text;
        text.insert(text.find(entry) + entry.size(), translation);
    }

    const PlatformImport run = importPlatformFile(*doc, German, dir.write("translated.po", text));
    ASSERT_TRUE(run.outcome.done()) << run.problem;
    EXPECT_TRUE(run.result.refused.empty()) << refusedLines(run.result).front();
    EXPECT_EQ(translationOf("IDCANCEL"), "Abbrechen");
    EXPECT_EQ(translationOf("IDCANCEL", 1), "Abbrechen");
    EXPECT_EQ(translationOf("IDC_STATIC"), "Name:");
    EXPECT_EQ(translationOf("IDC_STATIC", 1), "Name:");
    EXPECT_EQ(translationOf("IDC_WHAT"), "Was:");
    EXPECT_EQ(translationOf("ID_OPEN"), "\xC3\x96&ffnen\tStrg+O");
    EXPECT_EQ(translationOf("ID_CLEAR"), "&Leeren");
    EXPECT_EQ(translationOf("ID_COPY"), "&Kopieren");
    EXPECT_EQ(translationOf("IDS_COPY"), "&Kopieren");
    EXPECT_EQ(storedOf("IDS_QUOTE"), "Sag \"\"hallo\"\"");
    EXPECT_EQ(storedOf("IDS_TWO"), "Zeile eins\\nZeile zwei");
    EXPECT_EQ(translationOf("IDS_LONG"), "Erster Teil,                zweiter Teil");
    // The popups by their place in the menu and in "&File"; the peer gives both top popups the
    // translation of the first, and each is placed as the file says.
    std::vector<std::string> popups;
    for (const ExchangeUnit& unit : exchangeUnits(*doc, German))
        if (unit.itemType == "Popup Menu")
            popups.push_back(unit.source + "=" + unit.target);
    const std::vector<std::string> expected = {"&File=&Datei", "Recent files=Letzte Dateien", "&Edit=&Datei"};
    EXPECT_EQ(popups, expected);
}

// The XLIFF po2xliff makes of the peer's catalogue keeps the locations as contexts: it is
// placed the same, and the catalogue's header is no unit.
TEST_F(ForeignCatalogueTest, Po2xliffsXliffIsPlacedLikeItsCatalogue)
{
    if (!installed("rc2po") || !installed("po2xliff"))
        GTEST_SKIP() << "translate-toolkit (rc2po, po2xliff) is not installed";
    const std::filesystem::path xliff = dir / "de.xlf";
    ASSERT_EQ(run("po2xliff --progress=none " + quoted(peerPo()) + " " + quoted(xliff)), "");
    const PlatformImport run = importPlatformFile(*doc, German, xliff);
    ASSERT_TRUE(run.outcome.done()) << run.problem;
    EXPECT_TRUE(run.result.refused.empty()) << refusedLines(run.result).front();
    EXPECT_EQ(translationOf("IDC_WHAT"), "Was:");
    EXPECT_EQ(translationOf("ID_OPEN"), "\xC3\x96&ffnen\tStrg+O");
    EXPECT_EQ(translationOf("IDS_LONG"), "Erster Teil,                zweiter Teil");
    EXPECT_EQ(storedOf("IDS_QUOTE"), "Sag \"\"hallo\"\"");
}

// A real program's scripts: the peer's catalogue of the German translation places at least
// 99 % of its translated entries.
TEST(ForeignCatalogueCorpusTest, ThePeersCatalogueOfACorpusScriptIsPlaced)
{
    const std::filesystem::path corpus = test::msvcCorpusDir();
    if (corpus.empty() || !std::filesystem::exists(corpus / "akelpad" / "de-DE.rc"))
        GTEST_SKIP() << "no corpus";
    if (!installed("rc2po") || !installed("msgattrib"))
        GTEST_SKIP() << "translate-toolkit (rc2po) or gettext is not installed";
    test::TempDir dir;
    std::filesystem::copy(corpus / "akelpad", dir.path(), std::filesystem::copy_options::recursive);
    const std::filesystem::path po = dir / "de.po";
    ASSERT_EQ(std::system(("rc2po --progress=none -t " + quoted(dir / "en-US.rc") + " " + quoted(dir / "de-DE.rc") +
                           " " + quoted(po) + " > /dev/null 2>&1").c_str()),
              0);
    test::RecordingFeedback feedback;
    CQuillDoc doc(feedback, {});
    ASSERT_TRUE(doc.OnOpenDocument(dir / "en-US.rc"));
    ASSERT_TRUE(doc.NewTranslation(German, "de-out.rc"));
    ASSERT_TRUE(doc.reloadRows().done());
    std::string problem;
    const std::optional<ExchangeDocument> file = readExchangeFile(po, ExchangeKind::Po, problem);
    ASSERT_TRUE(file) << problem;
    int translated = 0;
    for (const ExchangeUnit& unit : file->units)
        translated += unit.target.empty() ? 0 : 1;
    const ExchangeImportResult result = importExchangeUnits(doc, German, file->units);
    ASSERT_TRUE(result.ok);
    const int placed = translated - static_cast<int>(result.refused.size());
    std::printf("  akelpad de-DE.rc: %d of %d translated entries placed, %d texts stored\n", placed, translated,
                result.imported);
    ASSERT_GT(translated, 300);
    EXPECT_GE(placed * 100, translated * 99) << refusedLines(result).front();
    // A text the script writes with doubled quotes comes back with them, not doubled again.
    for (const ExchangeUnit& unit : exchangeUnits(doc, German))
        if (unit.ident == "MSG_ERROR_BINARY")
            EXPECT_EQ(unit.target.find("\"\""), std::string::npos) << unit.target;
}

// The places the peer writes, one or several run together, and sources as the resource
// compiler reads them.
TEST(PeerLocationsTest, OneOrSeveralPlacesAreRead)
{
    const std::vector<PeerLocation> one = peerLocations("DIALOGEX.IDD_X.PUSHBUTTON.IDOK");
    ASSERT_EQ(one.size(), 1u);
    EXPECT_EQ(one[0].place, PeerPlace::Control);
    EXPECT_EQ(one[0].resource, "IDD_X");
    EXPECT_EQ(one[0].keyword, "PUSHBUTTON");
    EXPECT_EQ(one[0].ident, "IDOK");
    const std::vector<PeerLocation> several =
        peerLocations("STRINGTABLE.IDS_MENUMENU.IDR_MAIN.&File.Recent_files.MENUITEM.ID_CLEAR"
                      "DIALOG.IDD_GOTO.CAPTIONMENU.IDR_MAIN.POPUP.CAPTIONMENU.IDR_MAIN.&File.POPUP.CAPTION");
    ASSERT_EQ(several.size(), 5u);
    EXPECT_EQ(several[0].place, PeerPlace::String);
    EXPECT_EQ(several[0].ident, "IDS_MENU");
    EXPECT_EQ(several[1].place, PeerPlace::MenuItem);
    EXPECT_EQ(several[1].resource, "IDR_MAIN");
    EXPECT_EQ(several[1].popupPath, "&File.Recent_files");
    EXPECT_EQ(several[1].ident, "ID_CLEAR");
    EXPECT_EQ(several[2].place, PeerPlace::DialogCaption);
    EXPECT_EQ(several[2].resource, "IDD_GOTO");
    EXPECT_EQ(several[3].place, PeerPlace::Popup);
    EXPECT_EQ(several[3].popupPath, "");
    EXPECT_EQ(several[4].popupPath, "&File");
    // A comment separates places by blanks and escapes characters.
    const std::vector<PeerLocation> comment = peerReferenceLocations("MENU.IDR_MAIN.%26File.MENUITEM.ID_A STRINGTABLE.B");
    ASSERT_EQ(comment.size(), 2u);
    EXPECT_EQ(comment[0].popupPath, "&File");
    EXPECT_EQ(comment[1].ident, "B");
    // Nothing that is no place: gettext's source references, Quillmark's ids, half a place.
    EXPECT_TRUE(peerLocations("src/main.c:12").empty());
    EXPECT_TRUE(peerLocations("Stringtable_String/IDS_X").empty());
    EXPECT_TRUE(peerLocations("DIALOGEX.IDD_X").empty());
    EXPECT_TRUE(peerLocations("STRINGTABLE.IDS_AMENU.").empty());

    EXPECT_EQ(compiledText("a\\\n   b\\\r\nc", false), "a   bc");
    EXPECT_EQ(compiledText("Say \"\"hi\"\"", true), "Say \"hi\"");
    EXPECT_EQ(compiledText("C:\\\\dir\\x41\\101\\q", false), "C:\\dirAA\\q");
    EXPECT_EQ(compiledText("one\\ntwo", false), "one\ntwo");
}

} // namespace qmk

#include "app/BatchOperations.h"

namespace qmk {

// A template is written from the source alone, before any translation exists; an export that
// would hold no unit says so and fails.
TEST(TemplateExportTest, TheTemplateNeedsNoTranslationAndAnEmptyOneFails)
{
    test::TempDir dir;
    test::RecordingFeedback feedback;
    std::string database, empty;
    {
        CQuillDoc doc(feedback, {});
        ASSERT_TRUE(doc.OnOpenDocument(dir.write("app.rc", "STRINGTABLE\nBEGIN\n    IDS_A \"Open\"\n    IDS_B \"Close\"\nEND\n")));
        database = doc.databasePath().string();
        doc.OnCloseDocument();
        CQuillDoc none(feedback, {});
        ASSERT_TRUE(none.OnOpenDocument(dir.write("icon.rc", "1 ICON \"app.ico\"\n")));
        empty = none.databasePath().string();
        none.OnCloseDocument();
    }
    std::ostringstream out, err;
    BatchReport report(out, err, "");
    const std::filesystem::path pot = dir / "app.pot";
    ASSERT_EQ(batchExportTemplate({database, pot.string()}, report, {}), BatchStatus::Success) << err.str();
    const std::string text = test::readFile(pot);
    EXPECT_NE(text.find("msgid \"Open\"\nmsgstr \"\""), std::string::npos) << text;
    EXPECT_NE(text.find("msgid \"Close\"\nmsgstr \"\""), std::string::npos) << text;
    EXPECT_NE(out.str().find("2 units written"), std::string::npos) << out.str();

    std::ostringstream out2, err2;
    BatchReport again(out2, err2, "");
    EXPECT_EQ(batchExportTemplate({empty, (dir / "icon.pot").string()}, again, {}), BatchStatus::Failed);
    EXPECT_NE(err2.str().find("holds no unit"), std::string::npos) << out2.str() << err2.str();
}

} // namespace qmk
