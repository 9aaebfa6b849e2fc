// TMX as other CAT tools write it: TMX 1.4b with a DOCTYPE, header and unit properties, notes,
// and the target language spelled as each tool spells it ("de-DE", "DE-DE", "de"). Every
// translation is read, under the tag the exchange writes.
#include <gtest/gtest.h>

#include "common/TempDir.h"
#include "memory/SqliteMemory.h"
#include "memory/TmxFile.h"

namespace qmk {
namespace {

const char* const kOtherToolsTmx = R"(<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE tmx SYSTEM "tmx14.dtd">
<tmx version="1.4b">
  <header creationtool="SomeCAT" creationtoolversion="9.1" segtype="sentence" o-tmf="sdlx"
          adminlang="EN-US" srclang="EN-US" datatype="rtf">
    <prop type="x-Client">Contoso</prop>
    <note>Exported from project 42</note>
  </header>
  <body>
    <tu tuid="1" creationdate="20240105T101500Z" creationid="anna">
      <prop type="x-Domain">UI</prop>
      <note>Toolbar button</note>
      <tuv xml:lang="en-US"><prop type="x-origin">tm</prop><seg>Save all</seg></tuv>
      <tuv xml:lang="de-DE"><note>checked</note><seg>Alle speichern</seg></tuv>
    </tu>
    <tu tuid="2">
      <tuv xml:lang="EN-US"><seg>Close window</seg></tuv>
      <tuv xml:lang="DE-DE"><seg>Fenster schlie&#223;en</seg></tuv>
    </tu>
    <tu tuid="3">
      <tuv xml:lang="en-us"><seg>Print <bpt i="1">{b}</bpt>now<ept i="1">{/b}</ept></seg></tuv>
      <tuv xml:lang="de"><seg>Jetzt drucken</seg></tuv>
      <tuv xml:lang="de-de"><seg>Jetzt <hi>drucken</hi></seg></tuv>
    </tu>
  </body>
</tmx>
)";

} // namespace

TEST(TmxFromOtherToolsTest, EverySpellingOfTheLanguageIsRead)
{
    test::TempDir dir;
    SqliteMemory memory(dir / "memory.db");
    const TmxImportResult read = importTmx(memory, dir.write("other.tmx", kOtherToolsTmx));
    ASSERT_TRUE(read.ok) << read.problem;
    EXPECT_EQ(read.units, 4);
    EXPECT_EQ(read.skipped, 0);

    std::vector<MemoryUnit> units;
    memory.forEach(std::nullopt, [&](const MemoryUnit& unit) { units.push_back(unit); });
    ASSERT_EQ(units.size(), 4u);
    for (const MemoryUnit& unit : units)
        EXPECT_EQ(unit.sourceLanguage, "en-US") << unit.source;
    // "DE-DE" and "de-de" are the same language as "de-DE" and are stored as the exchange writes it.
    const auto saveAll = memory.lookup("Save all", "en-US", "de-DE", 5, 100);
    ASSERT_EQ(saveAll.size(), 1u);
    EXPECT_EQ(saveAll[0].unit.target, "Alle speichern");
    const auto close = memory.lookup("Close window", "en-us", "de-de", 5, 100);
    ASSERT_EQ(close.size(), 1u);
    EXPECT_EQ(close[0].unit.target, "Fenster schlie\xC3\x9F" "en");
    EXPECT_EQ(close[0].unit.targetLanguage, "de-DE");
    // A unit may hold a variant of the language without region and one with it: both are kept,
    // each under its own tag, the notes and properties of the tool left out of the texts.
    const auto region = memory.lookup("Print now", "en-US", "de-DE", 5, 100);
    ASSERT_EQ(region.size(), 1u);
    EXPECT_EQ(region[0].unit.target, "Jetzt drucken");
    const auto plain = memory.lookup("Print now", "en-US", "de", 5, 100);
    ASSERT_EQ(plain.size(), 1u);
    EXPECT_EQ(plain[0].unit.targetLanguage, "de");
}

} // namespace qmk
