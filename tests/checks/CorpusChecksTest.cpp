// The checks over the real translations of the corpus: quiet wherever the translation is right.
// What they find is listed here, each a fault of the released translation (an access key or an
// accelerator lost, a printf argument given a FormatMessage placeholder, a menu item that opens a
// dialog without its ellipsis, two controls sharing a key). The fit check is left out: without
// the program's font its measure is an approximation, tested on its own.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "checks/CheckEngine.h"
#include "common/RecordingFeedback.h"
#include "common/TempDir.h"
#include "exchange/ScriptImport.h"
#include "project/CQuillDoc.h"

namespace qmk {
namespace {

namespace fs = std::filesystem;

const std::map<std::string, LanguageId> kLanguages = {
    {"de-DE.rc", {7, 1}}, {"fr-FR.rc", {12, 1}}, {"ru-RU.rc", {25, 1}}, {"ja-JP.rc", {17, 1}}};

// "<program>/<translation> [<check>] <resource> <Id>" of every finding.
std::set<std::string> corpusFindings()
{
    std::set<std::string> found;
    for (const auto& app : fs::directory_iterator(test::corpusDir())) {
        if (!fs::exists(app.path() / "en-US.rc"))
            continue;
        for (const auto& [file, language] : kLanguages) {
            if (!fs::exists(app.path() / file))
                continue;
            test::TempDir work;
            for (const auto& e : fs::directory_iterator(app.path()))
                if (e.is_regular_file())
                    fs::copy_file(e.path(), work / e.path().filename());
            test::RecordingFeedback feedback;
            CQuillDoc doc(feedback, {".DLG"});
            EXPECT_TRUE(doc.OnOpenDocument(work / "en-US.rc"));
            EXPECT_TRUE(ScriptImport(doc, {".DLG"}).run(work / file, language).ok()) << app.path() / file;
            doc.setCheckEnabled(check::Fit, false);
            for (const CheckFinding& f : TranslationChecks(doc, language).run())
                found.insert(app.path().filename().string() + "/" + file + " [" + f.check + "] " + f.resource + " " +
                             f.ident);
        }
    }
    return found;
}

TEST(CorpusChecksTest, QuietOnTheRealTranslationsButForTheirRealFaults)
{
    if (test::corpusDir().empty())
        GTEST_SKIP() << "no corpus";
    const std::set<std::string> expected = {
        "mplay32/de-DE.rc [accelerator] IDR_MAINMENU IDM_CLOSE_FILE",
        "mplay32/de-DE.rc [accelerator] IDR_MAINMENU IDM_OPEN_FILE",
        "mplay32/de-DE.rc [mnemonic-clash] IDR_MAINMENU \"Popup\"",
        "mplay32/fr-FR.rc [accelerator] IDR_MAINMENU IDM_CLOSE_FILE",
        "mplay32/fr-FR.rc [accelerator] IDR_MAINMENU IDM_OPEN_FILE",
        "mplay32/ru-RU.rc [accelerator] IDR_MAINMENU IDM_CLOSE_FILE",
        "mplay32/ru-RU.rc [accelerator] IDR_MAINMENU IDM_OPEN_FILE",
        "powercfg/fr-FR.rc [mnemonic] IDD_PROPPAGEADVANCED IDC_SPOWERBUTTON",
        "powercfg/fr-FR.rc [mnemonic] IDD_PROPPAGEADVANCED IDC_SSLEEPBUTTON",
        "powercfg/fr-FR.rc [mnemonic] IDD_PROPPAGEALARMS -1",
        "powercfg/fr-FR.rc [placeholder] STRINGTABLE IDS_CONFIG1",
        "powercfg/fr-FR.rc [placeholder] STRINGTABLE IDS_CONFIG2",
        "powercfg/fr-FR.rc [placeholder] STRINGTABLE IDS_DEL_SCHEME",
        "powercfg/fr-FR.rc [whitespace] IDD_PROPPAGEHIBERNATE -1",
        "powercfg/fr-FR.rc [whitespace] IDD_PROPPAGEHIBERNATE IDC_TOLESSFREESPACE",
        "powercfg/ru-RU.rc [placeholder] STRINGTABLE IDS_CONFIG1",
        "powercfg/ru-RU.rc [placeholder] STRINGTABLE IDS_CONFIG2",
        "powercfg/ru-RU.rc [placeholder] STRINGTABLE IDS_DEL_SCHEME",
        "solitaire/fr-FR.rc [mnemonic-clash] IDD_OPTIONS IDC_OPT_KEEPSCORE",
        "solitaire/fr-FR.rc [mnemonic] IDD_OPTIONS IDC_OPT_DRAWONE",
        "solitaire/fr-FR.rc [mnemonic] IDD_OPTIONS IDC_OPT_DRAWTHREE",
        "winmine/de-DE.rc [punctuation] IDM_WINEMINE IDM_TIMES",
        "winmine/fr-FR.rc [punctuation] IDM_WINEMINE IDM_TIMES",
        "winmine/ja-JP.rc [punctuation] IDM_WINEMINE IDM_CUSTOM",
        "winmine/ja-JP.rc [punctuation] IDM_WINEMINE IDM_TIMES",
        "winmine/ru-RU.rc [mnemonic] IDM_WINEMINE IDM_CUSTOM",
        "winmine/ru-RU.rc [punctuation] IDM_WINEMINE IDM_TIMES",
    };
    const std::set<std::string> found = corpusFindings();
    std::string unexpected, missing;
    for (const std::string& f : found)
        if (!expected.count(f))
            unexpected += "        \"" + f + "\",\n";
    for (const std::string& f : expected)
        if (!found.count(f))
            missing += f + "\n";
    EXPECT_TRUE(unexpected.empty()) << unexpected;
    EXPECT_TRUE(missing.empty()) << missing;
}

} // namespace
} // namespace qmk
