// TMX files of the memory: written and read back unchanged, read from other tools' files with
// their variants, and judged by outside readers where they are installed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "common/TempDir.h"
#include "memory/SqliteMemory.h"
#include "memory/TmxFile.h"
#include "resources/TextValidity.h"

namespace qmk {
namespace {

std::vector<MemoryUnit> allUnits(TranslationMemory& memory)
{
    std::vector<MemoryUnit> units;
    memory.forEach(std::nullopt, [&](const MemoryUnit& u) { units.push_back(u); });
    return units;
}

bool installed(const std::string& command)
{
    return std::system((command + " > /dev/null 2>&1").c_str()) == 0;
}

class TmxFileTest : public ::testing::Test {
protected:
    TmxFileTest()
    {
        MemoryUnit open{"&Open <file> \"now\" & then\r\n\ttab", "Datei <öffnen> \"jetzt\" & dann\r\n\tTab", "en-US",
                        "de-DE", "app.rc", "Menu Item", "IDM_OPEN", 1767225600, true};
        MemoryUnit save{"Save", "Enregistrer", "en-US", "fr-FR", "app.rc", "Stringtable String", "IDS_SAVE",
                        1767225660, false};
        MemoryUnit plain{"Close", "Schließen", "en-US", "de-DE", "", "", "", 1767225720, false};
        units = {open, save, plain};
        memory.add(units);
    }

    test::TempDir dir;
    SqliteMemory memory{dir / "memory.db"};
    std::vector<MemoryUnit> units;
};

TEST_F(TmxFileTest, ExportedMemoryReadsBackUnchanged)
{
    const TmxExportResult written = exportTmx(memory, dir / "all.tmx", std::nullopt);
    ASSERT_TRUE(written.ok) << written.problem;
    EXPECT_EQ(written.units, 3);
    SqliteMemory copy(dir / "copy.db");
    const TmxImportResult read = importTmx(copy, dir / "all.tmx");
    ASSERT_TRUE(read.ok) << read.problem;
    EXPECT_EQ(read.units, 3);
    EXPECT_EQ(read.skipped, 0);
    EXPECT_EQ(allUnits(copy), units);
    // Read twice, nothing is doubled.
    EXPECT_TRUE(importTmx(copy, dir / "all.tmx").ok);
    EXPECT_EQ(copy.size(), 3);
}

TEST_F(TmxFileTest, ExportOfOneLanguageHoldsOnlyItsUnits)
{
    ASSERT_TRUE(exportTmx(memory, dir / "de.tmx", std::string("de-de")).ok);
    SqliteMemory copy(dir / "copy.db");
    ASSERT_TRUE(importTmx(copy, dir / "de.tmx").ok);
    EXPECT_EQ(copy.size(), 2);
    const std::string text = test::readFile(dir / "de.tmx");
    EXPECT_EQ(text.find("fr-FR"), std::string::npos);
    EXPECT_NE(text.find("<tuv xml:lang=\"de-DE\">"), std::string::npos);
}

TEST_F(TmxFileTest, OtherToolsFilesAreReadWithTheirVariants)
{
    const auto file = dir.write("other.tmx", R"(<?xml version="1.0" encoding="UTF-8"?>
<tmx version="1.4"><header creationtool="x" creationtoolversion="1" segtype="sentence" o-tmf="x"
 adminlang="en" srclang="EN" datatype="plaintext"/>
<body>
 <tu changedate="20250102T030405Z"><prop type="x-context">IDS_PRINT</prop>
  <tuv xml:lang="de_de"><seg>Drucken <ph>%s</ph></seg></tuv>
  <tuv xml:lang="en-us"><seg>Print <bpt i="1">&lt;b&gt;</bpt>now<ept i="1">&lt;/b&gt;</ept></seg></tuv>
  <tuv lang="FR-fr"><seg>Imprimer</seg></tuv>
  <tuv xml:lang="it-IT"><seg></seg></tuv>
 </tu>
 <tu srclang="fr-FR"><tuv xml:lang="fr-FR"><seg>Oui</seg></tuv><tuv xml:lang="de-DE"><seg>Ja</seg></tuv></tu>
 <tu><tuv xml:lang="de-DE"><seg>Nur Deutsch</seg></tuv></tu>
</body></tmx>)");
    SqliteMemory other(dir / "other.db");
    const TmxImportResult read = importTmx(other, file);
    ASSERT_TRUE(read.ok) << read.problem;
    EXPECT_EQ(read.units, 3);
    EXPECT_EQ(read.skipped, 1);
    const auto german = other.lookup("Print now", "en-US", "de-DE", 5, 100);
    ASSERT_EQ(german.size(), 1u);
    EXPECT_EQ(german[0].unit.target, "Drucken ");
    EXPECT_EQ(german[0].unit.resourceId, "IDS_PRINT");
    EXPECT_EQ(german[0].unit.time, 1735787045);
    EXPECT_EQ(other.lookup("Print now", "en-US", "fr-FR", 5, 100).size(), 1u);
    EXPECT_EQ(other.lookup("Oui", "fr-FR", "de-DE", 5, 100).size(), 1u);
}

TEST_F(TmxFileTest, BrokenFilesAndUnwritableFoldersAreReportedWithNothingHalfDone)
{
    const auto broken = dir.write("broken.tmx", "<tmx><body><tu><tuv xml:lang=\"en\"><seg>x</seg></tuv>");
    const TmxImportResult read = importTmx(memory, broken);
    EXPECT_FALSE(read.ok);
    EXPECT_FALSE(read.problem.empty());
    EXPECT_FALSE(importTmx(memory, dir.write("not.tmx", "<xliff/>")).ok);
    EXPECT_EQ(memory.size(), 3);
    const TmxExportResult written = exportTmx(memory, dir / "missing" / "out.tmx", std::nullopt);
    EXPECT_FALSE(written.ok);
    EXPECT_FALSE(std::filesystem::exists(dir / "missing"));
}

// An export replaces the file in one step: a link stays a link to the new file, a folder of
// the name is never replaced, and no temporary is left beside it either way.
TEST_F(TmxFileTest, ExportReplacesTheFileInOneStepThroughALinkAndNeverAFolder)
{
    const auto real = dir.write("real.tmx", "old");
    std::filesystem::create_symlink(real, dir / "link.tmx");
    ASSERT_TRUE(exportTmx(memory, dir / "link.tmx", std::nullopt).ok);
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "link.tmx"));
    SqliteMemory copy(dir / "copy.db");
    EXPECT_EQ(importTmx(copy, real).units, 3);
    std::filesystem::create_directory(dir / "folder.tmx");
    const TmxExportResult refused = exportTmx(memory, dir / "folder.tmx", std::nullopt);
    EXPECT_FALSE(refused.ok);
    EXPECT_NE(refused.problem.find("folder.tmx"), std::string::npos) << refused.problem;
    EXPECT_TRUE(std::filesystem::is_directory(dir / "folder.tmx"));
    std::vector<std::string> left;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
        if (entry.path().filename().string().find(".tmx") != std::string::npos)
            left.push_back(entry.path().filename().string());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"folder.tmx", "link.tmx", "real.tmx"}));
}

std::string tmx(const std::string& units)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<tmx version=\"1.4\"><header creationtool=\"x\" "
           "creationtoolversion=\"1\" segtype=\"block\" o-tmf=\"x\" adminlang=\"en\" srclang=\"en-US\" "
           "datatype=\"plaintext\"/><body>\n" + units + "</body></tmx>\n";
}

// A file another tool damaged: a translation that holds the bytes FF FE (a UTF-16 byte-order
// mark pasted into UTF-8), a source in Latin-1, a property no UTF-8. Each such translation is
// refused with its reason and never stored; everything else of the file comes in.
TEST_F(TmxFileTest, TranslationsThatAreNoUtf8AreRefusedAndListedTheRestIsTaken)
{
    const auto file = dir.write("damaged.tmx", tmx(
        "<tu><tuv xml:lang=\"en-US\"><seg>Print</seg></tuv><tuv xml:lang=\"de-DE\"><seg>Drucken</seg></tuv></tu>\n"
        "<tu tuid=\"t2\"><tuv xml:lang=\"en-US\"><seg>Help</seg></tuv>"
        "<tuv xml:lang=\"de-DE\"><seg>\xFF\xFEHilfe</seg></tuv><tuv xml:lang=\"fr-FR\"><seg>Aide</seg></tuv></tu>\n"
        "<tu><tuv xml:lang=\"en-US\"><seg>Caf\xE9</seg></tuv><tuv xml:lang=\"de-DE\"><seg>Kaffee</seg></tuv></tu>\n"
        "<tu><prop type=\"x-project\">a\xFF.rc</prop><tuv xml:lang=\"en-US\"><seg>Quit</seg></tuv>"
        "<tuv xml:lang=\"de-DE\"><seg>Beenden</seg></tuv></tu>\n"));
    SqliteMemory fresh(dir / "fresh.db");
    const TmxImportResult read = importTmx(fresh, file);
    ASSERT_TRUE(read.ok) << read.problem;
    EXPECT_EQ(read.units, 2);  // Drucken, Aide
    EXPECT_EQ(read.skipped, 0);
    ASSERT_EQ(read.refused.size(), 3u);
    EXPECT_EQ(read.refused[0].unit, "unit 2 (tuid t2), de-DE");
    EXPECT_EQ(read.refused[0].reason, "invalid UTF-8 (bytes FF FE) at offset 0 in the translation");
    EXPECT_EQ(read.refused[1].unit, "unit 3, de-DE");
    EXPECT_EQ(read.refused[1].reason, "invalid UTF-8 (byte E9) at offset 3 in the source text");
    EXPECT_EQ(read.refused[2].reason, "invalid UTF-8 (byte FF) at offset 1 in the project");
    const std::vector<MemoryUnit> held = allUnits(fresh);
    ASSERT_EQ(held.size(), 2u);
    for (const MemoryUnit& unit : held)
        EXPECT_EQ(memoryUnitProblem(unit), "") << unit.source;
    EXPECT_EQ(fresh.lookup("Help", "en-US", "fr-FR", 5, 100).size(), 1u);
    EXPECT_TRUE(fresh.lookup("Help", "en-US", "de-DE", 5, 100).empty());
}

// Another tool wrote a NUL as a character reference. A reader decoding it would keep only what
// stands before it ("Dru" for "Dru&#0;cken"): the file is refused with the line instead, and
// the memory keeps what it held.
TEST_F(TmxFileTest, ACharacterReferenceToNulRefusesTheFileWithItsLine)
{
    const std::int64_t before = memory.size();
    for (const char* reference : {"&#0;", "&#x0;", "&#X000;"}) {
        const auto file = dir.write("nul.tmx", tmx(
            "<tu><tuv xml:lang=\"en-US\"><seg>Print</seg></tuv><tuv xml:lang=\"de-DE\"><seg>Drucken</seg></tuv></tu>\n"
            "<tu><tuv xml:lang=\"en-US\"><seg>Help</seg></tuv><tuv xml:lang=\"de-DE\"><seg>Hil" +
            std::string(reference) + "fe</seg></tuv></tu>\n"));
        const TmxImportResult read = importTmx(memory, file);
        EXPECT_FALSE(read.ok) << reference;
        EXPECT_NE(read.problem.find("nul.tmx, line 4: a reference to the character U+0000"), std::string::npos)
            << read.problem;
    }
    EXPECT_EQ(memory.size(), before);
    const auto fine = dir.write("tens.tmx", tmx("<tu><tuv xml:lang=\"en-US\"><seg>A&#10;B&#x30;</seg></tuv>"
                                                "<tuv xml:lang=\"de-DE\"><seg>C&#10;D</seg></tuv></tu>\n"));
    const TmxImportResult read = importTmx(memory, fine);
    ASSERT_TRUE(read.ok) << read.problem;
    EXPECT_EQ(read.units, 1);
    EXPECT_EQ(memory.lookup("A\nB0", "en-US", "de-DE", 5, 100).size(), 1u);
}

// Formatting nested hundreds of thousands deep (a hostile file, or a tool gone wrong) is read
// without running out of stack, its text whole. (A reader walking <hi> by recursion survives
// 60,000 levels in an optimised build, but not this many.)
TEST_F(TmxFileTest, SegmentsNestedAQuarterMillionDeepAreRead)
{
    constexpr int kDepth = 250000;
    std::string deep;
    deep.reserve(kDepth * 11 + 64);
    for (int i = 0; i < kDepth; ++i)
        deep += "<hi>";
    deep += "Tief";
    for (int i = 0; i < kDepth; ++i)
        deep += "</hi>";
    const auto file = dir.write("deep.tmx", tmx("<tu><tuv xml:lang=\"en-US\"><seg>Deep</seg></tuv><tuv xml:lang=\"de-DE\"><seg>" +
                                                deep + " unten</seg></tuv></tu>\n"));
    SqliteMemory fresh(dir / "fresh.db");
    const TmxImportResult read = importTmx(fresh, file);
    ASSERT_TRUE(read.ok) << read.problem;
    EXPECT_EQ(read.units, 1);
    const auto found = fresh.lookup("Deep", "en-US", "de-DE", 1, 100);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].unit.target, "Tief unten");
}

// A memory that holds texts no XML file can carry (fed before its feeds were checked, or by
// another program) is written without them: the file is UTF-8 XML, the units left out counted.
TEST_F(TmxFileTest, ExportLeavesOutWhatIsNoUtf8AndWritesOnlyUtf8)
{
    memory.add(std::vector<MemoryUnit>{{"Help", "\xFF\xFEHilfe", "en-US", "de-DE", "app.rc", "", "", 1767225800, false},
                                       {"Caf\xE9", "Kaffee", "en-US", "de-DE", "", "", "", 1767225801, false},
                                       {"Next", "Weiter", "en-US", "de-DE", "a\xFF.rc", "", "", 1767225802, false},
                                       {"Odd", "Seltsam\xEF\xBF\xBE", "en-US", "de-DE", "", "", "", 1767225803, false}});
    const auto file = dir / "all.tmx";
    const TmxExportResult written = exportTmx(memory, file, std::nullopt);
    ASSERT_TRUE(written.ok) << written.problem;
    EXPECT_EQ(written.units, 3);
    EXPECT_EQ(written.skipped, 4);
    EXPECT_EQ(utf8Problem(test::readFile(file)), "");
    SqliteMemory copy(dir / "copy.db");
    const TmxImportResult read = importTmx(copy, file);
    ASSERT_TRUE(read.ok) << read.problem;
    EXPECT_EQ(allUnits(copy), units);
    if (installed("command -v xmllint"))
        EXPECT_TRUE(installed("xmllint --noout '" + file.string() + "'"));
}

TEST(TmxLanguageTags, AreWrittenAsTheExchangeWritesThem)
{
    EXPECT_EQ(canonicalLanguageTag("DE_de"), "de-DE");
    EXPECT_EQ(canonicalLanguageTag("sr-latn-rs"), "sr-Latn-RS");
    EXPECT_EQ(canonicalLanguageTag("es-419"), "es-419");
    EXPECT_EQ(canonicalLanguageTag("JA"), "ja");
}

// The export as outside readers see it: well-formed XML, valid against the TMX DTD where one is
// installed, and every unit read by translate-toolkit's TMX reader.
TEST_F(TmxFileTest, OutsideReadersTakeTheExport)
{
    const auto file = dir / "all.tmx";
    ASSERT_TRUE(exportTmx(memory, file, std::nullopt).ok);
    if (!installed("command -v xmllint") || !installed("/usr/bin/python3 -c 'import translate.storage.tmx'"))
        GTEST_SKIP() << "xmllint (libxml2-utils) or translate-toolkit is not installed";
    EXPECT_TRUE(installed("xmllint --noout '" + file.string() + "'"));
    const char* dtd = std::getenv("QMK_TMX_DTD");
    for (const char* place : {"/usr/share/xml/tmx/tmx14.dtd", "/usr/share/xml/tmx/1.4/tmx14.dtd"})
        if (!dtd && std::filesystem::exists(place))
            dtd = place;
    if (dtd)
        EXPECT_TRUE(installed("xmllint --noout --dtdvalid '" + std::string(dtd) + "' '" + file.string() + "'"));
    else
        std::printf("TMX DTD not installed (QMK_TMX_DTD names one): the export was checked for well-formedness only\n");
    const auto out = dir / "read.txt";
    const std::string script =
        "import sys\nfrom translate.storage import tmx\nf = tmx.tmxfile.parsefile(sys.argv[1])\n"
        "out = open(sys.argv[2], 'w', encoding='utf-8')\n"
        "for u in f.units:\n    out.write(u.source + '|' + u.target + '\\n')\n";
    dir.write("read.py", script);
    ASSERT_TRUE(installed("/usr/bin/python3 '" + (dir / "read.py").string() + "' '" + file.string() + "' '" + out.string() + "'"));
    const std::string read = test::readFile(out);
    EXPECT_NE(read.find("Save|Enregistrer\n"), std::string::npos) << read;
    EXPECT_NE(read.find("Close|Schließen\n"), std::string::npos) << read;
    EXPECT_NE(read.find("&Open <file> \"now\" & then"), std::string::npos) << read;
}

} // namespace
} // namespace qmk
