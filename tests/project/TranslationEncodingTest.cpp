// Translation encodings through the document: the defaults a new translation takes, projects
// written before encodings were kept, and changing an encoding with its texts.
#include <gtest/gtest.h>

#include "common/RecordingFeedback.h"
#include "common/TempDir.h"
#include "database/CProjectDatabase.h"
#include "database/SqliteDatabase.h"
#include "parser/ScriptEncoding.h"
#include "project/CQuillDoc.h"
#include "project/TranslationEncoding.h"

namespace qmk {
namespace {

constexpr LanguageId German{7, 1};
constexpr LanguageId Russian{25, 1};
constexpr LanguageId Japanese{17, 1};

class TranslationEncodingTest : public ::testing::Test {
protected:
    std::unique_ptr<CQuillDoc> open(const std::string& name, const std::string& bytes)
    {
        auto doc = std::make_unique<CQuillDoc>(feedback, std::vector<std::string>{});
        if (!doc->OnOpenDocument(dir.write(name, bytes)))
            return nullptr;
        return doc;
    }
    int encodingOf(CQuillDoc& doc, LanguageId language)
    {
        return translationEncoding(doc.database(), doc.codePage(), language);
    }

    test::TempDir dir;
    test::RecordingFeedback feedback;
};

std::string utf16(std::string_view utf8)
{
    std::string out = "\xFF\xFE";
    utf8ToUtf16LE(utf8, out);
    return out;
}

const std::string kWestern = "LANGUAGE 9, 1\nSTRINGTABLE\nBEGIN\n  1 \"Caf\xE9\"\n  2 \"Tea\"\nEND\n";
const std::string kAscii = "LANGUAGE 9, 1\nSTRINGTABLE\nBEGIN\n  1 \"Coffee\"\nEND\n";

} // namespace

TEST_F(TranslationEncodingTest, ANewTranslationStartsInTheEncodingItsScriptCanBeWrittenIn)
{
    auto western = open("western.rc", kWestern);
    ASSERT_TRUE(western);
    ASSERT_TRUE(western->NewTranslation(German, "de.rc"));
    ASSERT_TRUE(western->NewTranslation(Russian, "ru.rc"));
    EXPECT_EQ(encodingOf(*western, German), 1252);
    EXPECT_EQ(encodingOf(*western, Russian), 65001);  // "Café" has no place in 1251

    auto ascii = open("ascii.rc", kAscii);
    ASSERT_TRUE(ascii->NewTranslation(Russian, "ru.rc"));
    EXPECT_EQ(encodingOf(*ascii, Russian), 1251);

    auto utf8 = open("utf8.rc", "STRINGTABLE\nBEGIN\n  1 \"Caf\xC3\xA9\"\nEND\n");
    ASSERT_TRUE(utf8->NewTranslation(German, "de.rc"));
    EXPECT_EQ(encodingOf(*utf8, German), 65001);

    auto wide = open("wide.rc", utf16(kAscii));
    ASSERT_TRUE(wide);
    EXPECT_EQ(wide->codePage(), 65001);
    ASSERT_TRUE(wide->NewTranslation(Japanese, "ja.rc"));
    EXPECT_EQ(encodingOf(*wide, Japanese), 1200);
    EXPECT_EQ(wide->database().sourceEncoding(), static_cast<int>(ScriptEncoding::Utf16LE));
}

TEST_F(TranslationEncodingTest, ProjectsFromBeforeEncodingsKeepWritingWhatTheyWrote)
{
    auto doc = open("old.rc", kWestern);
    ASSERT_TRUE(doc->NewTranslation(Russian, "ru.rc"));
    doc->OnCloseDocument();
    doc.reset();
    {
        // What an older version left: no encoding fields at all.
        SqliteDatabase raw;
        raw.open(dir / "old_rc.mdb");
        raw.execute("ALTER TABLE Translations DROP COLUMN Encoding");
        raw.execute("ALTER TABLE Project DROP COLUMN SourceEncoding");
        raw.execute("UPDATE Project SET FileVersion = 7");
    }
    doc = open("old.rc", kWestern);
    ASSERT_TRUE(doc);
    EXPECT_EQ(encodingOf(*doc, Russian), 1251);
    EXPECT_FALSE(doc->database().sourceEncoding());
}

TEST_F(TranslationEncodingTest, ChangingTheEncodingConvertsTextsOrRefusesListingThem)
{
    auto doc = open("app.rc", kAscii);
    ASSERT_TRUE(doc->NewTranslation(German, "de.rc"));
    CProjectDatabase& db = doc->database();
    const int line = db.texts().allTextsWithLineKind().front().lineIndex;
    ASSERT_TRUE(db.texts().setTranslation(line, German, "Kaffee \xE4", false));  // 1252

    EncodingChange toUtf8 = changeTranslationEncoding(db, doc->codePage(), German, 65001);
    ASSERT_TRUE(toUtf8.changed);
    EXPECT_EQ(db.texts().translation(line, German)->text, "Kaffee \xC3\xA4");
    EXPECT_EQ(encodingOf(*doc, German), 65001);

    ASSERT_TRUE(db.texts().setTranslation(line, German, "Kaffee \xE2\x98\x95", false));
    EncodingChange back = changeTranslationEncoding(db, doc->codePage(), German, 1252);
    EXPECT_FALSE(back.changed);
    ASSERT_EQ(back.unfit.size(), 1u);
    EXPECT_EQ(back.unfit[0], "line 4: Kaffee \xE2\x98\x95");
    EXPECT_EQ(encodingOf(*doc, German), 65001);
    EXPECT_EQ(db.texts().translation(line, German)->text, "Kaffee \xE2\x98\x95");

    // UTF-8 and UTF-16 keep the same bytes.
    ASSERT_TRUE(changeTranslationEncoding(db, doc->codePage(), German, 1200).changed);
    EXPECT_EQ(db.texts().translation(line, German)->text, "Kaffee \xE2\x98\x95");
    EXPECT_EQ(parseEncodingChoice("UTF-16"), EncodingChoice::Utf16);
    EXPECT_EQ(parseEncodingChoice("Ansi"), EncodingChoice::Ansi);
    EXPECT_FALSE(parseEncodingChoice("latin1"));
}

} // namespace qmk
