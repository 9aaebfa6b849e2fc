// Installing again into the same folder: what setup installed is renewed, a demo project the
// person has worked on is kept or overwritten as they choose.
#include <fstream>

#include "SetupFixture.h"
#include "app/ProfileFile.h"

namespace qmk::setup::test {

class SetupReinstallTest : public SetupFixture {
protected:
    void workOnTheDemo()
    {
        ASSERT_EQ(install().end, InstallEnd::Complete);
        std::ofstream(demo / "german/gdemo.rc", std::ios::app) << "// translated further\n";
        ProfileFile(options.settingsFile).writeStrings("PROJECTFILES", {{"File0", "/mine/app.rc"}});
        feedback = {};
    }

    fs::path demo = destination / "demoproj";
    const std::string changed = standInContent("german/gdemo.rc") + "// translated further\n";
};

TEST_F(SetupReinstallTest, UnchangedDemoProjectIsRenewedWithoutAsking)
{
    install();
    feedback = {};
    EXPECT_EQ(install().copied, 20);
    EXPECT_TRUE(feedback.demoQuestions.empty());
}

TEST_F(SetupReinstallTest, ChangedDemoProjectIsKeptWhenThePersonSaysSo)
{
    workOnTheDemo();
    fs::remove(source / "usa.bmp");  // not even looked for
    const InstallResult result = install();
    EXPECT_EQ(result.end, InstallEnd::Complete);
    EXPECT_TRUE(result.demoKept);
    EXPECT_EQ(result.copied, 3);
    EXPECT_EQ(feedback.lastProgress, std::make_pair(20, 20));
    ASSERT_EQ(feedback.demoQuestions.size(), 1u);
    EXPECT_EQ(feedback.demoQuestions[0], "The demo project in " + demo.string() +
                                             " has been changed since setup installed it (german/gdemo.rc).\n"
                                             "Do you want to keep your changed demo project? Overwriting replaces "
                                             "it with the original demo files.");
    EXPECT_TRUE(feedback.requests.empty());
    EXPECT_EQ(qmk::test::readFile(demo / "german/gdemo.rc"), changed);
    // The person's own project list is not preset again with demo projects they kept anyway.
    EXPECT_EQ(ProfileFile(options.settingsFile).getString("PROJECTFILES", "File0", ""), "/mine/app.rc");

    // Kept files still count as setup's when unchanged, and the changed one as the person's.
    engine().deinstall();
    EXPECT_EQ(filesBelow(destination), std::vector<std::string>{"demoproj/german/gdemo.rc"});
}

TEST_F(SetupReinstallTest, ChangedDemoProjectIsOverwrittenWhenThePersonSaysSo)
{
    workOnTheDemo();
    feedback.keepDemo = false;
    const InstallResult result = install();
    EXPECT_FALSE(result.demoKept);
    EXPECT_EQ(result.copied, 20);
    EXPECT_EQ(qmk::test::readFile(demo / "german/gdemo.rc"), standInContent("german/gdemo.rc"));
}

TEST_F(SetupReinstallTest, DemoFilesSetupNeverInstalledAreThePersonsToo)
{
    fs::create_directories(demo);
    std::ofstream(demo / "demo.rc") << "my own demo";
    std::ofstream(demo / "usa.bmp") << "my own bitmap";
    const InstallResult result = install(false, true);
    ASSERT_EQ(feedback.demoQuestions.size(), 1u);
    EXPECT_NE(feedback.demoQuestions[0].find("(demo.rc, usa.bmp)"), std::string::npos);
    EXPECT_TRUE(result.demoKept);
    EXPECT_EQ(qmk::test::readFile(demo / "demo.rc"), "my own demo");
}

} // namespace qmk::setup::test
