// A text the script wrote as several literals ("a" "b", across lines, across a backslash
// continuation, around a comment) is one text to translate. Untranslated it is written back
// exactly as it stood; translated, as one literal.
#include <gtest/gtest.h>

#include <memory>

#include "ResourceCompiler.h"
#include "common/RecordingFeedback.h"
#include "common/TempDir.h"
#include "database/CProjectDatabase.h"
#include "project/CQuillDoc.h"
#include "writer/TranslatedScripts.h"

namespace qmk {
namespace {

constexpr LanguageId kGerman{7, 1};

const std::string kCaption = "\"About \" \\\n  \"this program\"";
const std::string kControl = "\"Use your finger to\"  \" activate the program.\"";
const std::string kString = "\"Line1\\n\"\r\n    \"Line2\"";
const std::string kItem = "\"&Open\" /* the file */ \"...\"";

std::string scriptWith(const std::string& caption)
{
    return "LANGUAGE 9, 1\n"
           "100 DIALOGEX 0, 0, 200, 80\nCAPTION " + caption + "\nBEGIN\n"
           "  CTEXT " + kControl + ",101,17,50,175,17\nEND\n"
           "STRINGTABLE\nBEGIN\n  1 " + kString + "\n  2 \"Two\"\nEND\n"
           "200 MENU\nBEGIN\n  POPUP \"&File\"\n  BEGIN\n    MENUITEM " + kItem + ", 202\n  END\nEND\n";
}

class JoinedLiteralWriteTest : public testing::Test {
protected:
    std::string german(const std::string& name)
    {
        if (!doc->hasTranslation(kGerman))
            EXPECT_TRUE(doc->NewTranslation(kGerman, name));
        EXPECT_EQ(writeTranslation(*doc, kGerman, dir / name), 1);
        return test::readFile(dir / name);
    }

    void translate(const std::string& source, const std::string& text)
    {
        int line = -1;
        doc->database().texts().forEachTextInLineOrder([&](const TextRow& row) {
            if (row.sourceText == source)
                line = row.lineIndex;
        });
        ASSERT_GE(line, 0) << source;
        EXPECT_EQ(doc->storeTranslation(line, kGerman, text), OperationResult::Done);
    }

    test::TempDir dir;
    test::RecordingFeedback feedback;
    std::unique_ptr<CQuillDoc> doc = std::make_unique<CQuillDoc>(feedback, std::vector<std::string>{});
};

TEST_F(JoinedLiteralWriteTest, UntranslatedLiteralsStayAsWrittenAndATranslationIsOneLiteral)
{
    ASSERT_TRUE(doc->OnOpenDocument(dir.write("app.rc", scriptWith(kCaption))));
    const std::string untranslated = german("app-de.rc");
    dir.write("untranslated-de.rc", untranslated);
    dir.write("source.rc", scriptWith(kCaption));
    for (const std::string& written : {"CAPTION " + kCaption, kControl, "1 " + kString, "MENUITEM " + kItem})
        EXPECT_NE(untranslated.find(written), std::string::npos) << written << "\n" << untranslated;

    translate("Line1\\nLine2", "Zeile1\\nZeile2");
    translate("Use your finger to activate the program.", "Mit dem Finger aktivieren.");
    const std::string translated = german("app-de.rc");
    EXPECT_NE(translated.find("1 \"Zeile1\\nZeile2\""), std::string::npos) << translated;
    EXPECT_NE(translated.find("CTEXT \"Mit dem Finger aktivieren.\","), std::string::npos) << translated;
    EXPECT_NE(translated.find("CAPTION " + kCaption), std::string::npos) << translated;
    EXPECT_NE(translated.find("MENUITEM " + kItem), std::string::npos) << translated;

    // An update keeps them; a caption the script now writes as one literal is written as one.
    ASSERT_EQ(doc->UpdateDatabase(), OperationResult::Done);
    EXPECT_NE(german("app-de.rc").find("CAPTION " + kCaption), std::string::npos);
    dir.write("app.rc", scriptWith("\"About this program\""));
    ASSERT_EQ(doc->UpdateDatabase(), OperationResult::Done);
    const std::string updated = german("app-de.rc");
    EXPECT_NE(updated.find("CAPTION \"About this program\""), std::string::npos) << updated;
    EXPECT_NE(updated.find("MENUITEM " + kItem), std::string::npos) << updated;
    EXPECT_NE(updated.find("1 \"Zeile1\\nZeile2\""), std::string::npos) << updated;

    if (!test::resourceCompilerAvailable())
        return;
    // The literals as written compile to the texts the source's compile to.
    const std::optional<std::string> source = test::compiledDump(dir / "source.rc");
    ASSERT_TRUE(source);
    EXPECT_EQ(test::compiledDump(dir / "untranslated-de.rc"), source);
}

} // namespace
} // namespace qmk
