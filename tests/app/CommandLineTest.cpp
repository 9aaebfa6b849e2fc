#include <gtest/gtest.h>

#include "app/CBatchCommandLineInfo.h"

namespace qmk {
namespace {

CBatchCommandLineInfo parse(const std::vector<std::string>& args)
{
    CBatchCommandLineInfo cmd;
    cmd.parseArguments(args);
    return cmd;
}

} // namespace

TEST(CommandLineTest, FlagsAreMatchedIgnoringCaseUnderShortAndLongNames)
{
    EXPECT_EQ(CBatchCommandLineInfo::FindFlag("update"), 7);
    EXPECT_EQ(CBatchCommandLineInfo::FindFlag("U"), 7);
    EXPECT_EQ(CBatchCommandLineInfo::FindFlag("u"), 7);
    EXPECT_EQ(CBatchCommandLineInfo::FindFlag("wRiTeRc"), 10);
    EXPECT_EQ(CBatchCommandLineInfo::FindFlag("lids"), 11);
    EXPECT_EQ(CBatchCommandLineInfo::FindFlag(""), 0);
    EXPECT_EQ(CBatchCommandLineInfo::FindFlag("X"), -1);
    EXPECT_EQ(CBatchCommandLineInfo::FindFlag("Updates"), -1);
    EXPECT_EQ(CBatchCommandLineInfo::FindFlag("fit"), 13);
    EXPECT_EQ(CBatchCommandLineInfo::FindFlag("xliff"), 14);
    EXPECT_EQ(CBatchCommandLineInfo::FindFlag("Po"), 15);
    EXPECT_EQ(CBatchCommandLineInfo::FindFlag("xlsx"), 16);
    EXPECT_EQ(CBatchCommandLineInfo::FindFlag("ExportXLSX"), 16);
    EXPECT_EQ(CBatchCommandLineInfo::FindFlag("check"), 30);
    EXPECT_EQ(CBatchCommandLineInfo::FindFlag("PseudoTranslate"), 31);
    EXPECT_EQ(CBatchCommandLineInfo::FindFlag("STAT"), 32);
    EXPECT_EQ(CBatchCommandLineInfo::FindFlag("tm-add"), 40);
    EXPECT_EQ(CBatchCommandLineInfo::FindFlag("TMX-import"), 41);
    EXPECT_EQ(CBatchCommandLineInfo::FindFlag("exporttmx"), 42);
    EXPECT_EQ(CBatchCommandLineInfo::FindFlag("PRE"), 43);
    EXPECT_EQ(flagTable().size(), 61u);  // with /OVERWRITE, /SRC and /SHOTS-INDEX, switches of the operation before them

    // /OVERWRITE is no operation: it stands among the parameters of the one before it.
    auto withSwitch = parse({"-I", "de.xlf", "German", "p.mdb", "/OVERWRITE", "-U", "p.rc"});
    ASSERT_EQ(withSwitch.operations().size(), 2u);
    EXPECT_EQ(withSwitch.parametersOf(0), (std::vector<std::string>{"de.xlf", "German", "p.mdb", OverwriteParameter}));
    EXPECT_EQ(withSwitch.parametersOf(1), (std::vector<std::string>{"p.rc"}));

    for (const char* arg : {"-update", "/U", "-u"}) {
        auto cmd = parse({arg});
        ASSERT_EQ(cmd.operations().size(), 1u) << arg;
        EXPECT_EQ(cmd.operations()[0].code, FlagCode::Update) << arg;
        EXPECT_EQ(cmd.currentCode(), 7) << arg;
    }
}

TEST(CommandLineTest, LoneDashIsAnOperationWithCodeZero)
{
    auto cmd = parse({"-"});
    ASSERT_EQ(cmd.operations().size(), 1u);
    EXPECT_EQ(cmd.operations()[0].code, FlagCode::Empty);
    EXPECT_TRUE(cmd.isBatch());
}

TEST(CommandLineTest, LogFileAfterOperationsIsCapturedAndNotAnOperation)
{
    auto cmd = parse({"a.rc", "-U", "-LOG", "run.log"});
    EXPECT_EQ(cmd.fileName(), "a.rc");
    ASSERT_EQ(cmd.operations().size(), 1u);
    EXPECT_EQ(cmd.operations()[0].text, "U");
    EXPECT_TRUE(cmd.parameters().empty());
    EXPECT_EQ(cmd.logFile(), "run.log");
    EXPECT_TRUE(cmd.isBatch());
}

TEST(CommandLineTest, LogFlagBeforeAnyOperationTakesItsFileToo)
{
    auto cmd = parse({"-LOG", "run.log", "a.rc", "/U", "a_rc.mdb"});
    EXPECT_EQ(cmd.logFile(), "run.log");
    EXPECT_EQ(cmd.fileName(), "a.rc");
    ASSERT_EQ(cmd.operations().size(), 1u);
    EXPECT_EQ(cmd.parametersOf(0), (std::vector<std::string>{"a_rc.mdb"}));
    EXPECT_TRUE(cmd.isBatch());
    // Between an operation's parameters, /LOG takes one name and the operation goes on.
    auto between = parse({"/E", "s.mdb", "/LOG", "run.log", "d.mdb"});
    EXPECT_EQ(between.logFile(), "run.log");
    EXPECT_EQ(between.parametersOf(0), (std::vector<std::string>{"s.mdb", "d.mdb"}));
}

TEST(CommandLineTest, ParametersOfSeveralOperationsAreDividedWhereEachStarted)
{
    auto cmd = parse({"-T", "x.mdb", "1031", "-C", "a.rc", "-E", "s.mdb", "d.mdb", "German", "French"});
    ASSERT_EQ(cmd.operations().size(), 3u);
    EXPECT_EQ(cmd.parameters(), (std::vector<std::string>{"x.mdb", "1031", "a.rc", "s.mdb", "d.mdb", "German", "French"}));
    EXPECT_EQ(cmd.parametersOf(0), (std::vector<std::string>{"x.mdb", "1031"}));
    EXPECT_EQ(cmd.parametersOf(1), (std::vector<std::string>{"a.rc"}));
    EXPECT_EQ(cmd.parametersOf(2), (std::vector<std::string>{"s.mdb", "d.mdb", "German", "French"}));
    EXPECT_TRUE(cmd.fileName().empty());
}

TEST(CommandLineTest, UnknownFlagIsRememberedAndOnlyMattersInBatchMode)
{
    auto batch = parse({"a.rc", "-T", "1031", "out.txt", "-X"});
    EXPECT_TRUE(batch.isBatch());
    EXPECT_EQ(batch.unrecognisedFlag(), "X");

    // Also without operations, or first: a usage error, never a window that waits.
    auto alone = parse({"a.rc", "-print"});
    EXPECT_TRUE(alone.isBatch());
    EXPECT_EQ(alone.unrecognisedFlag(), "print");
    EXPECT_EQ(alone.fileName(), "a.rc");
    EXPECT_TRUE(parse({"/BOGUS", "x.mdb"}).isBatch());
}

TEST(CommandLineTest, OnlyAFileMeansInteractiveAndLaterPlainArgumentsAreIgnored)
{
    auto cmd = parse({"first.rc", "second.rc"});
    EXPECT_FALSE(cmd.isBatch());
    EXPECT_EQ(cmd.fileName(), "first.rc");
}

TEST(CommandLineTest, AbsolutePathsAreFilesNotFlags)
{
    auto cmd = parse({"/home/translator/app.rc", "/U", "/tmp/app_rc.mdb"});
    EXPECT_EQ(cmd.fileName(), "/home/translator/app.rc");
    ASSERT_EQ(cmd.operations().size(), 1u);
    EXPECT_EQ(cmd.parametersOf(0), (std::vector<std::string>{"/tmp/app_rc.mdb"}));
}

TEST(CommandLineTest, HelpIsRecognisedBeforeTheFlagTable)
{
    EXPECT_TRUE(parse({"--help"}).helpRequested());
    EXPECT_TRUE(parse({"-h"}).helpRequested());
    EXPECT_TRUE(parse({"/H"}).helpRequested());
    EXPECT_TRUE(parse({"--usage"}).helpRequested());
    EXPECT_TRUE(parse({"--help"}).unrecognisedFlag().empty());
}

} // namespace qmk
