// XLIFF and PO files as platforms and translators really send them back: line breaks and tabs
// as characters, inline markup, segments, files for another language, review states, entries
// without context or with plural forms; nothing is stored cut or broken, and every unit that
// cannot be taken is listed with its reason.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "app/BatchOperations.h"
#include "common/RecordingFeedback.h"
#include "common/TempDir.h"
#include "database/CProjectDatabase.h"
#include "exchange/PlatformExchange.h"
#include "exchange/PoFile.h"
#include "project/CQuillDoc.h"
#include "project/TranslationForm.h"
#include "writer/TranslatedScripts.h"

namespace qmk {
namespace {

constexpr LanguageId German{7, 1};

const char* const kScript =
    "LANGUAGE LANG_ENGLISH, SUBLANG_ENGLISH_US\n"
    "IDD_ABOUT DIALOG 0, 0, 200, 100\nCAPTION \"About\"\nBEGIN\n"
    "    LTEXT \"Name:\", IDC_NAME, 10, 10, 50, 8\nEND\n"
    "IDM_MAIN MENU\nBEGIN\n    POPUP \"&File\"\n    BEGIN\n        MENUITEM \"&Open\\tCtrl+O\", ID_OPEN\n    END\nEND\n"
    "STRINGTABLE\nBEGIN\n    IDS_TWO \"Line one\\nLine two\"\n    IDS_HELLO \"Hello\"\n    IDS_AGAIN \"Hello\"\n"
    "    IDS_FILE \"File %s of %d\"\nEND\n"
    "1 VERSIONINFO\nBEGIN\n  BLOCK \"StringFileInfo\"\n  BEGIN\n    BLOCK \"040904E4\"\n    BEGIN\n"
    "      VALUE \"FileDescription\", \"Demo\"\n    END\n  END\nEND\n";

class PlatformFilesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        doc = std::make_unique<CQuillDoc>(feedback, std::vector<std::string>{});
        ASSERT_TRUE(doc->OnOpenDocument(dir.write("app.rc", kScript)));
        ASSERT_TRUE(doc->NewTranslation(German, "app-German.rc"));
        ASSERT_TRUE(doc->reloadRows().done());
    }
    int lineOf(const std::string& ident)
    {
        for (const ExchangeUnit& unit : exchangeUnits(*doc, German))
            if (unit.ident == ident)
                return unit.lineIndex;
        ADD_FAILURE() << "no item " << ident;
        return -1;
    }
    std::string idOf(const std::string& ident)
    {
        for (const ExchangeUnit& unit : exchangeUnits(*doc, German))
            if (unit.ident == ident)
                return unit.id;
        return {};
    }
    std::string stored(const std::string& ident)
    {
        return doc->database().texts().translation(lineOf(ident), German).value_or(TranslatedText{}).text;
    }
    bool flagged(const std::string& ident)
    {
        return doc->database().texts().translation(lineOf(ident), German).value_or(TranslatedText{}).modified;
    }
    PlatformImport import(const std::string& name, const std::string& text)
    {
        return importPlatformFile(*doc, German, dir.write(name, text));
    }
    std::string po(const std::string& entries, const std::string& language = "de_DE")
    {
        return "msgid \"\"\nmsgstr \"\"\n\"Language: " + language + "\\n\"\n\"Content-Type: text/plain; charset=UTF-8\\n\"\n\n" +
               entries;
    }
    std::string xliff(const std::string& units, const std::string& target = "de-DE")
    {
        return "<?xml version=\"1.0\"?>\n<xliff version=\"1.2\" xmlns=\"urn:oasis:names:tc:xliff:document:1.2\">"
               "<file original=\"app.rc\" source-language=\"en-US\" target-language=\"" + target +
               "\" datatype=\"winres\"><body>" + units + "</body></file></xliff>";
    }
    std::string unitXml(const std::string& ident, const std::string& source, const std::string& target,
                        const std::string& attributes = "")
    {
        return "<trans-unit id=\"" + idOf(ident) + "\"" + attributes + "><source>" + source + "</source><target>" +
               target + "</target></trans-unit>";
    }

    test::TempDir dir;
    test::RecordingFeedback feedback;
    std::unique_ptr<CQuillDoc> doc;
};

} // namespace

TEST(PlatformFormTest, EscapesTravelAsTheCharactersTheyStandForAndComeBackAsEscapes)
{
    EXPECT_EQ(toPlatformForm("&Open\\tCtrl+O"), "&Open\tCtrl+O");
    EXPECT_EQ(toPlatformForm("One\\nTwo\\r\\n"), "One\nTwo\r\n");
    EXPECT_EQ(toPlatformForm("Say \"\"hi\"\""), "Say \"hi\"");
    EXPECT_EQ(toPlatformForm("C:\\\\new"), "C:\\\\new");  // an escaped backslash stays as written
    for (const char* stored : {"&Open\\tCtrl+O", "One\\nTwo\\r\\n", "Say \"\"hi\"\"", "C:\\\\new", "\\x41\\a"})
        EXPECT_EQ(toStoredForm(toPlatformForm(stored)), stored) << stored;
    // What a translator types in the bar with Enter or Tab is stored as escapes too.
    EXPECT_EQ(toStoredForm("Zeile\nZeile\t2"), "Zeile\\nZeile\\t2");
    EXPECT_FALSE(prepareTranslation(std::string("a\0b", 3), 1252).ok);
}

TEST_F(PlatformFilesTest, LineBreaksAndTabsFromAPlatformAreStoredAsTheScriptsEscapes)
{
    const ExchangeDocument exported = exchangeDocument(*doc, German);
    for (const ExchangeUnit& unit : exported.units) {
        if (unit.ident == "ID_OPEN") {
            EXPECT_EQ(unit.source, "&Open\tCtrl+O");  // a tab, as platforms keep accelerators
        }
    }
    const PlatformImport run = import("de.po", po("msgctxt \"" + idOf("IDS_TWO") + "\"\nmsgid \"Line one\\nLine two\"\n"
                                                  "msgstr \"Zeile eins\\nZeile zwei\"\n\n"
                                                  "msgctxt \"" + idOf("ID_OPEN") + "\"\nmsgid \"&Open\\tCtrl+O\"\n"
                                                  "msgstr \"\\u00D6&ffnen\\tStrg+O\"\n"));
    EXPECT_FALSE(run.outcome.done());  // \u is no PO escape: the file is refused whole
    const PlatformImport good = import("de2.po", po("msgctxt \"" + idOf("IDS_TWO") + "\"\nmsgid \"Line one\\nLine two\"\n"
                                                    "msgstr \"Zeile eins\\nZeile zwei\"\n\n"
                                                    "msgctxt \"" + idOf("ID_OPEN") + "\"\nmsgid \"&Open\\tCtrl+O\"\n"
                                                    "msgstr \"&\xC3\x96\x66\x66nen\\tStrg+O\"\n"));
    ASSERT_TRUE(good.outcome.done()) << good.problem;
    EXPECT_EQ(good.result.imported, 2);
    EXPECT_EQ(stored("IDS_TWO"), "Zeile eins\\nZeile zwei");
    EXPECT_EQ(stored("ID_OPEN"), "&\xD6" "ffnen\\tStrg+O");  // German is kept in 1252
    // The same from XLIFF, with a raw line break and a carriage return reference.
    const PlatformImport xlf = import("de.xlf", xliff(unitXml("IDS_TWO", "Line one\nLine two", "Eins&#13;\nZwei")));
    ASSERT_TRUE(xlf.outcome.done()) << xlf.problem;
    EXPECT_EQ(stored("IDS_TWO"), "Eins\\r\\nZwei");
    // The written script holds escapes only, never a line break inside a literal.
    ASSERT_EQ(writeTranslation(*doc, German, dir / "app-German.rc"), 1);
    std::ifstream written(dir / "app-German.rc");
    std::stringstream text;
    text << written.rdbuf();
    EXPECT_NE(text.str().find("\"Eins\\r\\nZwei\""), std::string::npos) << text.str();
}

TEST_F(PlatformFilesTest, XliffInlineMarkupIsReadWholeAndCodesRefuseTheirUnit)
{
    const PlatformImport run = import(
        "de.xlf", xliff(unitXml("IDS_HELLO", "Hello", "Demo <g id=\"1\">Schreiber</g> Programm") +
                        unitXml("IDS_AGAIN", "Hello", "<mrk mtype=\"seg\" mid=\"1\">Hallo</mrk> <mrk mtype=\"seg\" mid=\"2\">du</mrk>") +
                        unitXml("IDS_TWO", "Line one\nLine two", "Zeile<!-- note --> eins") +
                        unitXml("IDC_NAME", "Name:", "Name <x id=\"1\"/>:") +
                        unitXml("IDS_FILE", "File %s of %d", "Datei&#0; %s von %d")));
    ASSERT_TRUE(run.outcome.done()) << run.problem;
    EXPECT_EQ(stored("IDS_HELLO"), "Demo Schreiber Programm");
    EXPECT_EQ(stored("IDS_AGAIN"), "Hallo du");
    EXPECT_EQ(stored("IDS_TWO"), "Zeile eins");
    ASSERT_EQ(run.result.refused.size(), 2u);
    EXPECT_NE(run.result.refused[0].reason.find("<x>"), std::string::npos) << run.result.refused[0].reason;
    EXPECT_NE(run.result.refused[1].reason.find("control character"), std::string::npos);
    EXPECT_EQ(stored("IDC_NAME"), "");
    EXPECT_EQ(stored("IDS_FILE"), "");
}

TEST_F(PlatformFilesTest, AFileForAnotherLanguageIsRefusedUnlessTheTranslatorSaysYes)
{
    const std::string french = po("msgctxt \"" + idOf("IDS_HELLO") + "\"\nmsgid \"Hello\"\nmsgstr \"Bonjour\"\n", "fr_FR");
    feedback.answer = false;
    const std::string before = test::readFile(doc->databasePath());
    const PlatformImport refused = import("fr.po", french);
    EXPECT_EQ(refused.outcome, OperationResult::InputRefused);
    EXPECT_TRUE(test::readFile(doc->databasePath()) == before);  // not a byte of the project changed
    EXPECT_NE(refused.problem.find("fr_FR"), std::string::npos);
    EXPECT_NE(refused.problem.find("German"), std::string::npos);
    EXPECT_EQ(stored("IDS_HELLO"), "");
    EXPECT_EQ(import("fr.xlf", xliff(unitXml("IDS_HELLO", "Hello", "Bonjour"), "fr")).outcome, OperationResult::InputRefused);
    // A file of the language, named in any of the usual spellings, is taken.
    EXPECT_TRUE(languageTagsMatch("de_DE", "de-DE"));
    EXPECT_TRUE(languageTagsMatch("de", "de-DE"));
    EXPECT_FALSE(languageTagsMatch("de-AT", "de-DE"));
    EXPECT_FALSE(languageTagsMatch("fr", "de-DE"));
    EXPECT_FALSE(languageTagsMatch("sr-Latn-RS", "sr-Cyrl-RS"));
    feedback.answer = true;  // "Import it all the same?" Yes
    EXPECT_TRUE(import("fr2.po", french).outcome.done());
    EXPECT_EQ(stored("IDS_HELLO"), "Bonjour");
}

TEST_F(PlatformFilesTest, ReviewStatesTravelBothWays)
{
    const PlatformImport run = import(
        "de.po", po("#, fuzzy\nmsgctxt \"" + idOf("IDS_HELLO") + "\"\nmsgid \"Hello\"\nmsgstr \"Hallo\"\n\n"
                    "msgctxt \"" + idOf("IDS_AGAIN") + "\"\nmsgid \"Hello\"\nmsgstr \"Nochmals hallo\"\n"));
    ASSERT_TRUE(run.outcome.done()) << run.problem;
    EXPECT_TRUE(flagged("IDS_HELLO"));  // an unreviewed suggestion stays to be reviewed
    EXPECT_FALSE(flagged("IDS_AGAIN"));
    const PlatformImport xlf = import("de.xlf", xliff(unitXml("IDS_TWO", "Line one\nLine two", "Zwei Zeilen", " approved=\"no\"") +
                                                      unitXml("IDS_HELLO", "Hello", "Hallo", " approved=\"yes\"")));
    ASSERT_TRUE(xlf.outcome.done());
    EXPECT_TRUE(flagged("IDS_TWO"));
    EXPECT_FALSE(flagged("IDS_HELLO"));  // reviewed there: the same text, now reviewed

    std::string problem;
    ASSERT_TRUE(writeExchangeFile(dir / "out.xlf", ExchangeKind::Xliff, exchangeDocument(*doc, German), problem));
    std::ifstream out(dir / "out.xlf");
    std::stringstream xml;
    xml << out.rdbuf();
    EXPECT_NE(xml.str().find("approved=\"yes\""), std::string::npos);
    EXPECT_NE(xml.str().find("needs-review-translation"), std::string::npos);
    EXPECT_NE(xml.str().find("maxwidth=\"75\" size-unit=\"pixel\""), std::string::npos);  // 50 units wide
    EXPECT_NE(xml.str().find("original=\"app.rc\""), std::string::npos);
}

TEST_F(PlatformFilesTest, PoAsItComesBomNoContextAndPluralForms)
{
    const PlatformImport run = import(
        "de.po", "\xEF\xBB\xBF" + po("msgid \"Name:\"\nmsgstr \"Name:\"\n\n"  // the only such source: placed
                                     "msgid \"Hello\"\nmsgstr \"Hallo\"\n\n"   // two texts have it: both
                                     "msgctxt \"" + idOf("IDS_FILE") + "\"\nmsgid \"File %s of %d\"\n"
                                     "msgid_plural \"Files %s of %d\"\nmsgstr[0] \"Datei\"\nmsgstr[1] \"Dateien\"\n"));
    ASSERT_TRUE(run.outcome.done()) << run.problem;
    EXPECT_EQ(stored("IDC_NAME"), "Name:");
    EXPECT_EQ(stored("IDS_HELLO"), "Hallo");
    EXPECT_EQ(stored("IDS_AGAIN"), "Hallo");
    EXPECT_EQ(run.result.imported, 3);  // texts, not entries
    ASSERT_EQ(run.result.refused.size(), 1u);
    EXPECT_NE(run.result.refused[0].reason.find("plural"), std::string::npos);
    EXPECT_EQ(stored("IDS_FILE"), "");
    // A file named .xlf that is no XLIFF says so.
    const PlatformImport notXliff = import("fake.xlf", "<html><body/></html>");
    EXPECT_FALSE(notXliff.outcome.done());
    EXPECT_NE(notXliff.problem.find("<html>"), std::string::npos);
    // Nothing new: done, and says why nothing was stored.
    const PlatformImport again = import("again.po", po("msgid \"Name:\"\nmsgstr \"Name:\"\n"));
    EXPECT_EQ(again.result.imported, 0);
    EXPECT_FALSE(again.problem.empty());
}

TEST_F(PlatformFilesTest, ABlockHeaderMustNameALanguageAndACodePage)
{
    std::string id;
    for (const ExchangeUnit& unit : exchangeDocument(*doc, German).units)
        if (unit.itemType == "Block Header")
            id = unit.id;
    const PlatformImport run = import("de.po", po("msgctxt \"" + id + "\"\nmsgid \"040904E4\"\nmsgstr \"ZZZZ\"\n"));
    ASSERT_TRUE(run.outcome.done());
    ASSERT_EQ(run.result.refused.size(), 1u) << id;
    EXPECT_NE(run.result.refused[0].reason.find("block header"), std::string::npos);
    const PlatformImport good = import("de2.po", po("msgctxt \"" + id + "\"\nmsgid \"040904E4\"\nmsgstr \"040704B0\"\n"));
    EXPECT_EQ(good.result.imported, 1);
}

TEST_F(PlatformFilesTest, APoTemplateAndAPoHeaderCarryWhatPlatformsRead)
{
    ExchangeDocument templ = exchangeDocument(*doc, std::nullopt);
    const std::string pot = writePo(templ, "2026-12-09 10:00+0000");
    EXPECT_NE(pot.find("\"Language: \\n\""), std::string::npos);
    EXPECT_EQ(pot.find("msgstr \"040704E4\""), std::string::npos);  // no translation in a template
    const std::string de = writePo(exchangeDocument(*doc, German), "2026-12-09 10:00+0000");
    EXPECT_NE(de.find("PO-Revision-Date: 2026-12-09 10:00+0000"), std::string::npos);
    EXPECT_NE(de.find("X-Generator: Quillmark "), std::string::npos);
    EXPECT_NE(de.find("Plural-Forms: nplurals=2; plural=(n != 1);"), std::string::npos);
    EXPECT_NE(de.find("Project-Id-Version: app.rc"), std::string::npos);
    EXPECT_NE(de.find("#, c-format\nmsgctxt \"" + idOf("IDS_FILE")), std::string::npos);
    // A line break in an id or a header value stays inside its quotes (found by the fuzzer).
    ExchangeDocument odd;
    odd.header.original = "a\"b\nc.rc";
    odd.units.push_back(ExchangeUnit{});
    odd.units[0].id = "one\ntwo";
    odd.units[0].source = "s";
    std::string problem;
    const std::optional<ExchangeDocument> back = readPo(writePo(odd, "2026-12-09 10:00+0000"), problem);
    ASSERT_TRUE(back) << problem;
    ASSERT_EQ(back->units.size(), 1u);
    EXPECT_EQ(back->units[0].id, "one\ntwo");
    EXPECT_EQ(pluralForms("ja-JP"), "nplurals=1; plural=0;");
    EXPECT_EQ(pluralForms("pt_BR"), "nplurals=2; plural=(n > 1);");
    EXPECT_EQ(printfConversions("%d of %5.2f, 100%% %ls"), "%d%5.2f%ls");
}

TEST_F(PlatformFilesTest, TheBatchImportListsRefusedUnitsAndExitsThree)
{
    const std::filesystem::path file = dir.write(
        "de.po", po("msgctxt \"" + idOf("IDS_HELLO") + "\"\nmsgid \"Hello\"\nmsgstr \"Hallo\"\n\n"
                    "msgctxt \"Stringtable_String/IDS_GONE\"\nmsgid \"Gone\"\nmsgstr \"Weg\"\n"));
    const std::string database = doc->databasePath().string();
    doc->OnCloseDocument();
    doc.reset();
    std::ostringstream out, err;
    BatchReport report(out, err, "");
    EXPECT_EQ(batchImport({file.string(), "German", database}, report, {}), BatchStatus::UnitsRefused);
    EXPECT_NE(out.str().find("1 translation imported"), std::string::npos) << out.str();
    EXPECT_NE(out.str().find("Not imported: Stringtable_String/IDS_GONE: no such item"), std::string::npos) << out.str();
    // A file without units stores nothing: not a success either, and it says why.
    std::ostringstream out2, err2;
    BatchReport again(out2, err2, "");
    EXPECT_EQ(batchImport({dir.write("empty.po", po("")).string(), "German", database}, again, {}), BatchStatus::Failed);
    EXPECT_NE(err2.str().find("no units"), std::string::npos) << err2.str();
}

} // namespace qmk

namespace qmk {

TEST_F(PlatformFilesTest, TheBatchWritesATemplateGettextAccepts)
{
    const std::string database = doc->databasePath().string();
    doc->OnCloseDocument();
    doc.reset();
    std::ostringstream out, err;
    BatchReport report(out, err, "");
    const std::filesystem::path pot = dir / "app.pot";
    ASSERT_EQ(batchExportTemplate({database, pot.string()}, report, {}), BatchStatus::Success) << err.str();
    std::ifstream in(pot);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_NE(text.str().find("msgid \"Line one\\nLine two\""), std::string::npos);
    EXPECT_EQ(text.str().find("msgstr \"0407"), std::string::npos);  // no translation
    if (std::system("command -v msgfmt > /dev/null 2>&1") == 0) {
        EXPECT_EQ(std::system(("msgfmt --check -o /dev/null '" + pot.string() + "' 2>/dev/null").c_str()), 0);
    }
}

} // namespace qmk
