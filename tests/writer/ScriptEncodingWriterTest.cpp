// The encodings translated scripts are written in: what is copied from the source is
// converted, UTF-16 gets its byte-order mark, UTF-8 its pragma where the source had none, and
// a character the target cannot hold stops the write and keeps the previous file.
#include <gtest/gtest.h>

#include "common/TempDir.h"
#include "parser/ScriptEncoding.h"
#include "writer/TranslatedScriptWriter.h"

namespace qmk {
namespace {

WriterLine line(int kind, std::string_view before, std::string_view source = {}, std::string_view translation = {},
                std::string_view behind = {})
{
    WriterLine l;
    l.kind = kind;
    l.before = before;
    l.behind = behind;
    l.hasText = !behind.empty();
    l.sourceText = source;
    l.translation = translation;
    return l;
}

std::string write(const WriterTarget& target, const std::vector<WriterLine>& lines,
                  const std::filesystem::path& path, bool* ok = nullptr, std::vector<std::string>* unfit = nullptr)
{
    TranslatedScriptWriter writer(target, path);
    EXPECT_TRUE(writer.begin("app.rc"));
    for (const WriterLine& l : lines)
        writer.writeLine(l);
    const bool written = writer.finish();
    if (ok)
        *ok = written;
    if (unfit)
        *unfit = writer.unrepresentable();
    return test::readFile(path);
}

constexpr int kStringKind = 70;
constexpr int kPragmaKind = 106;

} // namespace

TEST(ScriptEncodingWriterTest, Utf16IsWrittenLittleEndianWithAByteOrderMark)
{
    test::TempDir dir;
    WriterTarget target{7, 1, 1200, 65001};
    const std::string bytes =
        write(target, {line(kPragmaKind, "#pragma code_page(1252)"), line(kStringKind, "IDS_A \"", "Close", "Schließen", "\""),
                       line(kStringKind, "IDS_B \"", "日本", "", "\"")},
              dir / "de.rc");
    ASSERT_EQ(bytes.substr(0, 2), "\xFF\xFE");
    const std::string text = utf16ToUtf8(std::string_view(bytes).substr(2), false);
    EXPECT_NE(text.find("#pragma code_page(65001)\r\n"), std::string::npos);
    EXPECT_NE(text.find("  IDS_A \"Schließen\"\r\n"), std::string::npos);
    EXPECT_NE(text.find("  IDS_B \"日本\"\r\n"), std::string::npos);  // untranslated, as in the source
}

TEST(ScriptEncodingWriterTest, Utf8WithoutASourcePragmaGetsOneOnlyWhenItHoldsMoreThanAscii)
{
    test::TempDir dir;
    WriterTarget target{7, 1, 65001, 1252};
    target.sourceHasPragma = false;
    const std::string german = write(target, {line(kStringKind, "IDS_A \"", "Select", "Ausw\xC3\xA4hlen", "\"")}, dir / "a.rc");
    const std::size_t pragma = german.find("#pragma code_page(65001)\r\n");
    ASSERT_NE(pragma, std::string::npos);
    EXPECT_LT(pragma, german.find("IDS_A"));
    EXPECT_EQ(german.rfind("////", pragma), german.find("////\r\n\r\n") );  // right after the header comment
    const std::string ascii = write(target, {line(kStringKind, "IDS_A \"", "Select", "Auswahl", "\"")}, dir / "b.rc");
    EXPECT_EQ(ascii.find("#pragma"), std::string::npos);

    // The byte-order mark only when the source had one.
    target.utf8Bom = true;
    EXPECT_EQ(write(target, {line(kStringKind, "IDS_A \"", "Select", "Auswahl", "\"")}, dir / "c.rc").substr(0, 3),
              "\xEF\xBB\xBF");
}

TEST(ScriptEncodingWriterTest, CopiedSourceTextIsConvertedAndWhatDoesNotFitStopsTheWrite)
{
    test::TempDir dir;
    // A UTF-8 project written as a Western single-byte German script.
    WriterTarget target{7, 1, 1252, 65001};
    const std::string bytes = write(target, {line(kStringKind, "IDS_A \"", "Caf\xC3\xA9", "", "\"")}, dir / "de.rc");
    EXPECT_NE(bytes.find("IDS_A \"Caf\xE9\"\r\n"), std::string::npos);

    const auto previous = dir.write("old.rc", "previous");
    bool ok = true;
    std::vector<std::string> unfit;
    write(target,
          {line(kStringKind, "IDS_A \"", "Caf\xC3\xA9", "", "\""),
           line(kStringKind, "IDS_B \"", "\xE6\x97\xA5\xE6\x9C\xAC", "", "\"")},
          previous, &ok, &unfit);
    EXPECT_FALSE(ok);
    ASSERT_EQ(unfit.size(), 1u);
    EXPECT_EQ(unfit[0], "line 8: IDS_B \"\xE6\x97\xA5\xE6\x9C\xAC\"");
    EXPECT_EQ(test::readFile(previous), "previous");
    for (const auto& e : std::filesystem::directory_iterator(dir.path()))
        EXPECT_EQ(e.path().string().find(".qmk"), std::string::npos) << e.path();
}

} // namespace qmk

namespace qmk {

TEST(ScriptEncodingWriterTest, BytesThatAreNoTextOfTheSourceCodePageAreNamedAsSuch)
{
    test::TempDir dir;
    // 0x98 is no character of 1251, and UTF-16 is made from UTF-8: neither is a character the
    // target lacks.
    TranslatedScriptWriter utf8({7, 1, 65001, 1251}, dir / "u8.rc");
    TranslatedScriptWriter utf16({7, 1, 1200, 65001}, dir / "u16.rc");
    ASSERT_TRUE(utf8.begin("app.rc") && utf16.begin("app.rc"));
    utf8.writeLine(line(65, "#define X \xD0\x98"));
    utf16.writeLine(line(65, "#define Y \xC3"));
    EXPECT_FALSE(utf8.finish() || utf16.finish());
    EXPECT_EQ(utf8.undecodable(), (std::vector<std::string>{"line 7: #define X \xD0\x98"}));
    EXPECT_EQ(utf16.undecodable(), (std::vector<std::string>{"line 7: #define Y \xC3"}));
    EXPECT_TRUE(utf8.unrepresentable().empty() && utf16.unrepresentable().empty());
    EXPECT_FALSE(std::filesystem::exists(dir / "u16.rc"));
}

} // namespace qmk
