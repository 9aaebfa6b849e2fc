// XLIFF and PO files read from disk a block and a unit at a time give what reading them whole
// gives: the same header and units wherever a block ends (in a tag, a text, a comment longer
// than a block, a line ended by CR LF), the header of a PO file wherever it stands, and a file
// that breaks off far into it is refused with the same reason.
#include <gtest/gtest.h>

#include "common/TempDir.h"
#include "exchange/PoFile.h"
#include "exchange/UnitReader.h"
#include "exchange/XliffFile.h"

namespace qmk {
namespace {

// Several of the reader's blocks long, with markup characters, line breaks and texts of every
// length, so that the ends of blocks fall anywhere.
ExchangeDocument largeDocument()
{
    ExchangeDocument document{{"en-US", "de-DE", "big.rc", false, "1765000000-0123456789ab"}, {}};
    for (int n = 0; n < 9000; ++n) {
        ExchangeUnit unit;
        unit.id = "Stringtable_String/IDS_" + std::to_string(n);
        unit.ident = "IDS_" + std::to_string(n);
        unit.itemType = "Stringtable String";
        unit.source = "Text " + std::to_string(n) + " <b> & \"q\"\nline two " + std::string(n % 97 * 3, 'x');
        unit.target = n % 7 ? "\xC3\x9C" "bersetzung " + std::to_string(n) + std::string(n % 89 * 5, 'y') : "";
        unit.needsReview = n % 5 == 1;
        document.units.push_back(unit);
    }
    return document;
}

struct ReadBack {
    bool opened = false;
    bool blockwise = false;  // not read whole
    bool read = false;
    std::string problem;
    ExchangeHeader header;
    std::vector<ExchangeUnit> units;
};

ReadBack readBlockwise(const std::filesystem::path& path, bool xliff)
{
    ReadBack back;
    const std::unique_ptr<UnitReader> reader = openUnitReader(path, xliff, back.problem);
    back.opened = reader != nullptr;
    if (!reader)
        return back;
    back.blockwise = dynamic_cast<const DocumentUnitReader*>(reader.get()) == nullptr;
    back.header = reader->header();
    back.read = reader->readUnits([&](ExchangeUnit&& unit) { back.units.push_back(std::move(unit)); }, back.problem);
    return back;
}

void expectSame(const ReadBack& back, const ExchangeDocument& whole)
{
    EXPECT_EQ(back.header.exportId, whole.header.exportId);
    EXPECT_EQ(back.header.targetLanguage, whole.header.targetLanguage);
    EXPECT_EQ(back.header.original, whole.header.original);
    ASSERT_EQ(back.units.size(), whole.units.size());
    for (std::size_t i = 0; i < whole.units.size(); ++i) {
        const ExchangeUnit& a = back.units[i];
        const ExchangeUnit& b = whole.units[i];
        ASSERT_EQ(a.id, b.id) << i;
        EXPECT_EQ(a.ident, b.ident) << i;
        EXPECT_EQ(a.source, b.source) << i;
        EXPECT_EQ(a.target, b.target) << i;
        EXPECT_EQ(a.needsReview, b.needsReview) << i;
        EXPECT_EQ(a.unreadable, b.unreadable) << i;
        EXPECT_EQ(a.references, b.references) << i;
    }
}

void replaceFirst(std::string& text, const std::string& what, const std::string& with)
{
    const std::size_t at = text.find(what);
    ASSERT_NE(at, std::string::npos) << what;
    text.replace(at, what.size(), with);
}

} // namespace

TEST(UnitReader, AnXliffFileReadUnitByUnitGivesWhatReadingItWholeGives)
{
    test::TempDir dir;
    std::string bytes = writeXliff(largeDocument());
    // A comment longer than a block that looks like units, and a reference to NUL in a text.
    replaceFirst(bytes, "<body>", "<body>\n<!-- " + std::string(1500000, '<') + "<trans-unit id=\"x\"> -->");
    replaceFirst(bytes, "bersetzung 4000", "bersetzung &#0;4000");
    const std::filesystem::path path = dir.write("big.xlf", bytes);
    ASSERT_GT(bytes.size(), 3u << 20);
    std::string problem;
    const std::optional<ExchangeDocument> whole = readXliff(bytes, problem);
    ASSERT_TRUE(whole) << problem;
    const ReadBack back = readBlockwise(path, true);
    ASSERT_TRUE(back.opened && back.read) << back.problem;
    EXPECT_TRUE(back.blockwise);
    expectSame(back, *whole);
    EXPECT_FALSE(back.units[4000].unreadable.empty());
}

TEST(UnitReader, APoFileReadLineByLineGivesWhatReadingItWholeGives)
{
    test::TempDir dir;
    std::string bytes = writePo(largeDocument(), "2026-12-10 10:00+0000");
    // Lines ended by CR LF, behind a byte order mark.
    std::string crlf = "\xEF\xBB\xBF";
    for (char c : bytes)
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    const std::filesystem::path path = dir.write("big.po", crlf);
    std::string problem;
    const std::optional<ExchangeDocument> whole = readPo(crlf, problem);
    ASSERT_TRUE(whole) << problem;
    ASSERT_EQ(whole->header.exportId, "1765000000-0123456789ab");
    const ReadBack back = readBlockwise(path, false);
    ASSERT_TRUE(back.opened && back.read) << back.problem;
    EXPECT_TRUE(back.blockwise);
    expectSame(back, *whole);

    // A header after the entries is found too, before any unit is handed over.
    const std::string late = "msgctxt \"Stringtable_String/IDS_1\"\nmsgid \"One\"\nmsgstr \"Eins\"\n\n"
                             "msgid \"\"\nmsgstr \"Language: de\\nX-Quillmark-Export-Id: late-1\\n\"\n";
    const ReadBack lateBack = readBlockwise(dir.write("late.po", late), false);
    ASSERT_TRUE(lateBack.opened && lateBack.read) << lateBack.problem;
    EXPECT_EQ(lateBack.header.exportId, "late-1");
    EXPECT_EQ(lateBack.header.targetLanguage, "de");
    expectSame(lateBack, *readPo(late, problem));
}

TEST(UnitReader, AFileBrokenFarIntoItIsRefusedWithTheReasonOfReadingItWhole)
{
    test::TempDir dir;
    std::string xliff = writeXliff(largeDocument());
    replaceFirst(xliff, "<source>Text 8500 ", "<source>Text 8500 </target>");
    std::string wholeProblem;
    ASSERT_FALSE(readXliff(xliff, wholeProblem));
    const ReadBack xliffBack = readBlockwise(dir.write("broken.xlf", xliff), true);
    EXPECT_TRUE(xliffBack.opened && xliffBack.blockwise);  // the skeleton holds
    EXPECT_FALSE(xliffBack.read);
    EXPECT_EQ(xliffBack.problem, wholeProblem);

    std::string po = writePo(largeDocument(), "2026-12-10 10:00+0000");
    replaceFirst(po, "msgid \"Text 8500 ", "msgid Text 8500 \"");
    ASSERT_FALSE(readPo(po, wholeProblem));
    const ReadBack poBack = readBlockwise(dir.write("broken.po", po), false);
    EXPECT_TRUE(poBack.opened);  // the header stands before the fault
    EXPECT_FALSE(poBack.read);
    EXPECT_EQ(poBack.problem, wholeProblem);
    EXPECT_FALSE(readBlockwise(dir / "missing.po", false).opened);
}

} // namespace qmk
