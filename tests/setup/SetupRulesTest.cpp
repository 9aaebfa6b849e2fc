// The rules that need no disk: when Install may start, the compressed names, the file groups.
#include <gtest/gtest.h>

#include "setup/SetupEngine.h"
#include "setup/SetupFiles.h"

namespace qmk::setup {

TEST(SetupRulesTest, InstallNeedsAnAbsoluteDestinationWithoutBlanksAndAGroup)
{
    EXPECT_TRUE(installEnabled("/home/me/qmk32", true, true));
    EXPECT_TRUE(installEnabled("/opt", false, true));
    EXPECT_FALSE(installEnabled("/home/my work/qmk32", true, true));
    EXPECT_FALSE(installEnabled("/home/me/qmk32 ", true, true));
    EXPECT_FALSE(installEnabled("/home/me\tqmk32", true, true));
    EXPECT_FALSE(installEnabled("/tmp\nqmk32", true, true));
    EXPECT_FALSE(installEnabled("/ab", true, true));  // three characters are not enough
    EXPECT_FALSE(installEnabled("home/me/qmk32", true, true));
    EXPECT_FALSE(installEnabled("c:\\qmk32", true, true));
    EXPECT_FALSE(installEnabled("/home/me/qmk32", false, false));
}

TEST(SetupRulesTest, CompressedNameReplacesTheFirstCharacterOfTheExtension)
{
    EXPECT_EQ(compressedName("ReadMe.txt"), "ReadMe._xt");
    EXPECT_EQ(compressedName("demo_rc.mdb"), "demo_rc._db");
    EXPECT_EQ(compressedName("manual.md"), "manual._d");
    EXPECT_EQ(compressedName("french/fdemo.rc"), "french/fdemo._c");
    EXPECT_EQ(compressedName("options.dlg"), "options._lg");
    // One character: the dot itself goes.
    EXPECT_EQ(compressedName("resource.h"), "resource_h");
    // No extension: "_" is appended; a dot in a folder or a leading dot is no extension.
    EXPECT_EQ(compressedName("qmk32"), "qmk32_");
    EXPECT_EQ(compressedName("v1.2/qmk32"), "v1.2/qmk32_");
    EXPECT_EQ(compressedName(".hidden"), ".hidden_");
}

TEST(SetupRulesTest, GroupsAreCopiedProgramFirstAndCountTheProgress)
{
    EXPECT_EQ(chosenFiles(true, false).size(), 3u);
    EXPECT_EQ(chosenFiles(false, true).size(), 17u);
    const auto both = chosenFiles(true, true);
    ASSERT_EQ(both.size(), setupFiles().size());
    EXPECT_EQ(both.front().name, "qmk32");
    EXPECT_TRUE(both.front().executable);
    EXPECT_EQ(both.back().name, "Kor/korea.bmp");
    EXPECT_TRUE(isProjectScript("DEMO.RC"));
    EXPECT_TRUE(isProjectScript("asiademo.rc"));
    EXPECT_FALSE(isProjectScript("french/fdemo.rc"));
}

} // namespace qmk::setup
