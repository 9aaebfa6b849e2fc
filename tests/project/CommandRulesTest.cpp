// The window's commands can run exactly when what they act on is there.
#include <gtest/gtest.h>

#include "project/CommandRules.h"
#include "resources/CommandIds.h"

namespace qmk {
namespace {

bool enabled(int id, const CommandState& state) { return commandRule(id)->enabled(state); }
bool checked(int id, const CommandState& state) { return commandRule(id)->checked(state); }

TEST(CommandRules, CommandsFollowTheProjectTheChosenItemAndThePreview)
{
    CommandState none;
    for (int id : {cmd::Save, cmd::Find, cmd::Bookmark, cmd::ExportToExcel, cmd::NextItem, uicmd::Undo})
        EXPECT_FALSE(enabled(id, none)) << id;
    EXPECT_EQ(commandRule(uicmd::Open), nullptr);  // always there

    CommandState project;
    project.project = true;
    EXPECT_TRUE(enabled(cmd::Find, project));
    EXPECT_FALSE(enabled(cmd::ExportToExcel, project));  // nothing to export without rows
    EXPECT_FALSE(enabled(cmd::Replace, project));        // nothing to replace in without translations
    project.rows = 3;
    project.translations = 1;
    EXPECT_TRUE(enabled(cmd::ExportToExcel, project));
    EXPECT_TRUE(enabled(cmd::Replace, project));

    // The chosen item decides Exclude (and its check), the old source text and the previews.
    project.item.found = true;
    project.item.excluded = true;
    project.chosenType = ItemType::MenuItem;
    EXPECT_TRUE(checked(cmd::ExcludeItem, project));
    EXPECT_FALSE(enabled(cmd::ShowChangedSourceText, project));
    EXPECT_TRUE(enabled(cmd::ViewMenu, project));
    EXPECT_FALSE(enabled(cmd::ViewDialog, project));

    // In a preview the item steps go through its items, and there must be more than one.
    project.preview = true;
    project.previewItems = 1;
    EXPECT_FALSE(enabled(cmd::NextItem, project));
    project.previewItems = 4;
    EXPECT_TRUE(enabled(cmd::NextItem, project));
    EXPECT_TRUE(checked(cmd::ViewSourceLanguage, project));
    project.previewTranslated = true;
    EXPECT_TRUE(checked(cmd::ViewTranslated, project));

    project.switches.set(ProjectSwitch::IncludeEdit, true);
    EXPECT_TRUE(checked(cmd::ShowFileIncludes, project));
    project.switches.set(ProjectSwitch::IncludeEdit, false);
    EXPECT_FALSE(checked(cmd::ShowFileIncludes, project));
}

} // namespace
} // namespace qmk
