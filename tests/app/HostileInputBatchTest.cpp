// The real program on hostile input, as a build server runs it: a translation nesting 60,000
// elements deep is imported by -I without a crash, and bytes that are no UTF-8 in an XLIFF, PO
// or TMX segment refuse their unit (listed, exit status 3) without ever reaching the project or
// the memory, whose TMX export stays UTF-8.
#include <gtest/gtest.h>

// These tests run the real program; it is built only with the user interface.
#ifdef QMK32_EXE

#include <array>
#include <cstdio>
#include <cstdlib>
#include <sys/wait.h>

#include "common/TempDir.h"
#include "resources/TextValidity.h"

namespace qmk {
namespace {

struct ProgramRun {
    int status;        // the exit status; -1 when the program died of a signal
    std::string output;  // standard output and standard error together
};

class HostileInputBatchTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir.write("app.rc", "LANGUAGE LANG_ENGLISH, SUBLANG_ENGLISH_US\nSTRINGTABLE\nBEGIN\n"
                            "    IDS_HELLO \"Hello\"\n    IDS_BYE \"Goodbye\"\nEND\n");
        ASSERT_EQ(qmk32("-C app.rc -A app_rc.mdb German de.rc").status, 0);
    }
    ProgramRun qmk32(const std::string& args)
    {
        const std::string command = "cd '" + dir.path().string() + "' && QMK32_INI='" + (dir / "qmk32.ini").string() +
                                    "' QMK32_TM='" + (dir / "memory.db").string() + "' '" QMK32_EXE "' " + args + " 2>&1";
        ProgramRun run{-1, ""};
        FILE* pipe = popen(command.c_str(), "r");
        if (!pipe)
            return run;
        std::array<char, 512> buffer{};
        while (fgets(buffer.data(), buffer.size(), pipe))
            run.output += buffer.data();
        const int raw = pclose(pipe);
        run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        return run;
    }
    std::string xliff(const std::string& helloTarget, const std::string& byeTarget)
    {
        return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<xliff version=\"1.2\" "
               "xmlns=\"urn:oasis:names:tc:xliff:document:1.2\"><file original=\"app.rc\" source-language=\"en-US\" "
               "target-language=\"de-DE\" datatype=\"winres\"><body>\n"
               "<trans-unit id=\"Stringtable_String/IDS_HELLO\"><source>Hello</source><target>" + helloTarget +
               "</target></trans-unit>\n<trans-unit id=\"Stringtable_String/IDS_BYE\"><source>Goodbye</source><target>" +
               byeTarget + "</target></trans-unit>\n</body></file></xliff>\n";
    }

    test::TempDir dir;
};

} // namespace

TEST_F(HostileInputBatchTest, ATargetNestingSixtyThousandElementsIsImportedByI)
{
    // The ids the export gives, so that the file is one a platform could have sent back.
    ASSERT_EQ(qmk32("/XLIFF app_rc.mdb German export.xlf").status, 0);
    const std::string exported = test::readFile(dir / "export.xlf");
    ASSERT_NE(exported.find("Stringtable_String/IDS_HELLO"), std::string::npos) << exported;

    std::string deep;
    for (int i = 0; i < 60000; ++i)
        deep += "<g id=\"1\">";
    deep += "Hallo";
    for (int i = 0; i < 60000; ++i)
        deep += "</g>";
    dir.write("deep.xlf", xliff(deep, "Auf Wiedersehen"));
    const ProgramRun run = qmk32("-I deep.xlf German app_rc.mdb");
    ASSERT_NE(run.status, -1) << "qmk32 died: " << run.output;
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_NE(run.output.find("2 translations imported"), std::string::npos) << run.output;
    ASSERT_EQ(qmk32("/XLIFF app_rc.mdb German back.xlf").status, 0);
    EXPECT_NE(test::readFile(dir / "back.xlf").find(">Hallo</target>"), std::string::npos);
}

TEST_F(HostileInputBatchTest, SegmentsThatAreNoUtf8AreRefusedListedAndEndWithStatus3)
{
    dir.write("bad.xlf", xliff("\xFF\xFEHallo", "Auf Wiedersehen"));
    const ProgramRun xlf = qmk32("-I bad.xlf German app_rc.mdb");
    EXPECT_EQ(xlf.status, 3) << xlf.output;
    EXPECT_NE(xlf.output.find("Not imported: Stringtable_String/IDS_HELLO: invalid UTF-8 (bytes FF FE) at offset 0 "
                              "in the translation"),
              std::string::npos)
        << xlf.output;
    EXPECT_NE(xlf.output.find("1 translation imported"), std::string::npos) << xlf.output;

    dir.write("bad.po", "msgid \"\"\nmsgstr \"Language: de_DE\\n\"\n\nmsgctxt \"Stringtable_String/IDS_HELLO\"\n"
                        "msgid \"Hello\"\nmsgstr \"Hal\xFFlo\"\n");
    const ProgramRun po = qmk32("-I bad.po German app_rc.mdb");
    EXPECT_EQ(po.status, 3) << po.output;
    EXPECT_NE(po.output.find("invalid UTF-8 (byte FF) at offset 3 in the translation"), std::string::npos) << po.output;

    // Nothing of it reached the project: its German export is UTF-8 and has no Hallo.
    ASSERT_EQ(qmk32("/XLIFF app_rc.mdb German de.xlf").status, 0);
    const std::string german = test::readFile(dir / "de.xlf");
    EXPECT_EQ(utf8Problem(german), "");
    EXPECT_EQ(german.find("Hal"), std::string::npos) << german;
}

TEST_F(HostileInputBatchTest, TmxWithBytesFfFeIsRefusedPerUnitAndTheExportStaysUtf8)
{
    dir.write("damaged.tmx",
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<tmx version=\"1.4\"><header creationtool=\"x\" "
              "creationtoolversion=\"1\" segtype=\"block\" o-tmf=\"x\" adminlang=\"en\" srclang=\"en-US\" "
              "datatype=\"plaintext\"/><body>\n"
              "<tu><tuv xml:lang=\"en-US\"><seg>Hello</seg></tuv><tuv xml:lang=\"de-DE\"><seg>\xFF\xFEHallo</seg></tuv></tu>\n"
              "<tu><tuv xml:lang=\"en-US\"><seg>Goodbye</seg></tuv><tuv xml:lang=\"de-DE\"><seg>Auf Wiedersehen</seg></tuv></tu>\n"
              "</body></tmx>\n");
    const ProgramRun imported = qmk32("/TMX-IMPORT damaged.tmx");
    EXPECT_EQ(imported.status, 3) << imported.output;
    EXPECT_NE(imported.output.find("1 translation imported"), std::string::npos) << imported.output;
    EXPECT_NE(imported.output.find("Not imported: unit 1, de-DE: invalid UTF-8 (bytes FF FE) at offset 0 in the translation"),
              std::string::npos)
        << imported.output;

    const ProgramRun exported = qmk32("/TMX-EXPORT out.tmx");
    EXPECT_EQ(exported.status, 0) << exported.output;
    EXPECT_NE(exported.output.find("1 unit written, 0 with characters"), std::string::npos) << exported.output;
    const std::string tmx = test::readFile(dir / "out.tmx");
    EXPECT_EQ(utf8Problem(tmx), "");
    EXPECT_NE(tmx.find("<seg>Auf Wiedersehen</seg>"), std::string::npos) << tmx;
    EXPECT_EQ(tmx.find("Hallo"), std::string::npos) << tmx;
    if (std::system("command -v xmllint > /dev/null 2>&1") == 0) {
        EXPECT_EQ(std::system(("xmllint --noout '" + (dir / "out.tmx").string() + "'").c_str()), 0);
    }
}

} // namespace qmk

#endif // QMK32_EXE
