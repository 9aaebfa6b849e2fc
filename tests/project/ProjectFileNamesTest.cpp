#include <gtest/gtest.h>

#include "common/TempDir.h"
#include "project/ProjectFileNames.h"

namespace qmk {

TEST(ProjectFileNamesTest, ScriptDatabaseIsTheCurrentFormUnlessOnlyTheOlderExists)
{
    test::TempDir dir;
    const auto script = dir.write("App.RC", "");
    EXPECT_EQ(databaseNamesForScript(script).current, dir / "App_rc.mdb");
    EXPECT_EQ(databaseForScript(script), dir / "App_rc.mdb");

    dir.write("app.mdb", "");  // older form, found although it differs in case
    EXPECT_EQ(databaseForScript(script), dir / "app.mdb");

    dir.write("App_rc.mdb", "");
    EXPECT_EQ(databaseForScript(script), dir / "App_rc.mdb");
}

TEST(ProjectFileNamesTest, ScriptOfADatabaseIsLookedForInTheDatabaseFolder)
{
    const std::filesystem::path folder = "/p";
    EXPECT_EQ(scriptForDatabase(folder / "app_rc.mdb", "x:\\old\\app.rc"), folder / "app.rc");
    EXPECT_EQ(scriptForDatabase(folder / "app_rc.mdb", "/old/place/APP.rc"), folder / "app.rc");
    EXPECT_EQ(scriptForDatabase(folder / "app.mdb", "/old/app.rc2"), folder / "app.rc2");
    EXPECT_EQ(scriptForDatabase(folder / "app.mdb", ""), folder / "app.rc");
    EXPECT_TRUE(isDatabasePath("/p/app_rc.MDB"));
    EXPECT_FALSE(isDatabasePath("/p/app.rc"));
}

TEST(ProjectFileNamesTest, TranslationFileNames)
{
    EXPECT_EQ(defaultTranslationFileName("/p/app.rc", "German"), "app-German.rc");
    EXPECT_EQ(translationFilePath("/p/app.rc", "app-German.rc"), "/p/app-German.rc");
    EXPECT_EQ(translationFilePath("/p/app.rc", "/out/de/app.rc"), "/out/de/app.rc");
    EXPECT_EQ(translationFilePath("/p/app.rc", "c:\\out\\app.rc"), "c:\\out\\app.rc");
}

TEST(ProjectFileNamesTest, TitleCarriesTheStateMarks)
{
    EXPECT_EQ(projectTitle("app.rc", false, false, "/p/app.rc"), "app.rc");
    EXPECT_EQ(projectTitle("app_rc.mdb", true, true, "/p/app.rc"),
              "app_rc.mdb (Source file changed,  update database) (app.rc)");
}

} // namespace qmk
