// A project opened a second time, by whatever name, is found among the open ones; the recent
// list keeps the newest four, each once.
#include <gtest/gtest.h>

#include "app/OpenProjects.h"
#include "common/TempDir.h"

namespace qmk {
namespace {

TEST(OpenProjectsTest, AProjectIsTheSameThroughItsScriptItsDatabaseALinkOrAnotherCase)
{
    test::TempDir dir;
    const auto script = dir.write("App.rc", "");
    dir.write("App_rc.mdb", "");
    std::filesystem::create_symlink(dir / "App_rc.mdb", dir / "link.mdb");

    OpenProjects open;
    const int app = open.add(script);
    EXPECT_EQ(open.find(dir / "App_rc.mdb"), app);
    EXPECT_EQ(open.find(dir / "APP.RC"), app);
    EXPECT_EQ(open.find(dir / "link.mdb"), app);
    EXPECT_EQ(open.find(dir / "other.rc"), std::nullopt);

    const int other = open.add(dir / "other.rc");
    EXPECT_NE(other, app);
    EXPECT_EQ(open.databases().size(), 2u);
    open.remove(app);
    EXPECT_EQ(open.find(script), std::nullopt);
    EXPECT_EQ(open.find(dir / "other_rc.mdb"), other);
}

TEST(OpenProjectsTest, TheRecentListHoldsTheNewestFourEachOnce)
{
    RecentFiles recent({"/p/a.rc", "/p/b.rc", "/p/A.RC", ""});
    EXPECT_EQ(recent.entries(), (std::vector<std::string>{"/p/a.rc", "/p/b.rc"}));
    for (const char* path : {"/p/c.rc", "/p/d.rc", "/p/e.rc"})
        recent.opened(path);
    EXPECT_EQ(recent.entries(), (std::vector<std::string>{"/p/e.rc", "/p/d.rc", "/p/c.rc", "/p/a.rc"}));
    recent.opened("/p/C.rc");
    EXPECT_EQ(recent.entries(), (std::vector<std::string>{"/p/C.rc", "/p/e.rc", "/p/d.rc", "/p/a.rc"}));
}

} // namespace
} // namespace qmk

#include <fstream>

#include "app/ProjectFileRows.h"
#include "common/RecordingFeedback.h"
#include "project/CQuillDoc.h"

namespace qmk {
namespace {

TEST(ProjectFileRowsTest, AScriptShowsItsSizeItsTranslationsAndWhetherItChanged)
{
    test::TempDir dir;
    const auto script = dir.write("app.rc", "STRINGTABLE\nBEGIN\n    IDS_A \"A\"\nEND\n");
    ProjectFileRow row = projectFileRow(script);
    EXPECT_EQ(row.file, "app.rc");
    EXPECT_EQ(row.size, std::filesystem::file_size(script));
    EXPECT_EQ(row.state, "No Translation");
    EXPECT_EQ(row.directory, dir.path().string());

    {
        test::RecordingFeedback feedback;
        CQuillDoc doc(feedback, {});
        ASSERT_TRUE(doc.OnOpenDocument(script));
        ASSERT_TRUE(doc.NewTranslation(LanguageId{7, 1}, "app-de.rc"));
        doc.OnCloseDocument();
    }
    row = projectFileRow(script);
    EXPECT_EQ(row.translations, "German");
    EXPECT_EQ(row.state, "Not Complete");

    std::ofstream(script, std::ios::app) << "// edited\n";
    EXPECT_EQ(projectFileRow(script).state, "Changed");
    // A damaged database is not a reason to fail the list.
    dir.write("app_rc.mdb", "not a database");
    EXPECT_EQ(projectFileRow(script).state, "No Translation");
}

} // namespace
} // namespace qmk
