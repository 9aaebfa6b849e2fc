// The enabling rules of the window's commands.
#include "project/CommandRules.h"

#include <vector>

#include "resources/CommandIds.h"

namespace qmk {
namespace {

using State = const CommandState&;

bool never(State) { return false; }
bool project(State s) { return s.project; }
bool itemFound(State s) { return s.item.found; }
bool projectWithTranslations(State s) { return s.project && s.translations > 0; }
bool previewActive(State s) { return s.preview; }
bool projectWithTranslationCurrent(State s) { return s.project && s.translationCurrent; }

bool isDialogItem(ItemType t) { return t == ItemType::Dialog || t == ItemType::DialogItem || t == ItemType::DialogCaption; }
bool isMenuItem(ItemType t) { return t == ItemType::Menu || t == ItemType::MenuItem || t == ItemType::PopupMenu; }
bool isBitmapItem(ItemType t) { return t == ItemType::BitmapNode || t == ItemType::BitmapFile; }

template <ProjectSwitch Which>
bool switchOn(State s)
{
    return s.project && s.switches.get(Which);
}

const std::vector<CommandRule>& rules()
{
    static const std::vector<CommandRule> table = {
        {cmd::Save, project},
        {uicmd::Close, project},
        {cmd::UpdateDatabase, project},
        {cmd::NewTranslation, project},
        {cmd::DeleteTranslation, project},
        {cmd::RemoveMarks, project},
        {cmd::Translate, project},
        {cmd::FileOptions, never},
        {cmd::ResourceEditor, never},
        {cmd::ProjectFileOpen, [](State s) { return s.projectFileSelected; }},
        {cmd::ProjectFileRemove, [](State s) { return s.projectFileSelected; }},
        // The commands act on the chosen item, wherever it was chosen and whether or not its
        // row is shown.
        {cmd::ExcludeItem, itemFound, [](State s) { return s.item.found && s.item.excluded; }},
        {uicmd::PseudoTranslate, [](State s) { return s.translationCurrent; }},
        {uicmd::Statistics, [](State s) { return s.project; }},
        {uicmd::PreTranslate, [](State s) { return s.translationCurrent; }},
        {uicmd::AcceptSourceChange, [](State s) { return s.translationCurrent && s.item.found && s.item.flagged; }},
        {cmd::ShowChangedSourceText, [](State s) { return s.item.found && s.item.flagged; }},
        {cmd::VersionBlockHeader, [](State s) { return s.item.found && s.item.itemType == ItemType::BlockHeader; }},
        {cmd::ViewDialog, [](State s) { return isDialogItem(s.chosenType); }},
        {cmd::ViewMenu, [](State s) { return isMenuItem(s.chosenType); }},
        {cmd::ViewBitmap, [](State s) { return isBitmapItem(s.chosenType); }},
        {uicmd::Undo, [](State s) { return s.canUndo; }},
        {uicmd::Redo, [](State s) { return s.canRedo; }},
        // In a preview the item steps go through its items; in the Text Table Next goes on.
        {cmd::NextItem, [](State s) { return s.preview ? s.previewItems > 1 : s.project; }},
        {uicmd::NextUntranslated, projectWithTranslationCurrent},
        {uicmd::PreviousUntranslated, projectWithTranslationCurrent},
        {uicmd::NextFlagged, projectWithTranslationCurrent},
        {uicmd::PreviousFlagged, projectWithTranslationCurrent},
        {cmd::PreviousItem, [](State s) { return s.preview && s.previewItems > 1; }},
        {cmd::ViewSourceLanguage, previewActive, [](State s) { return s.preview && !s.previewTranslated; }},
        {cmd::ViewTranslated, [](State s) { return s.preview && s.translations > 0; },
         [](State s) { return s.preview && s.previewTranslated; }},
        {cmd::ShowInTextTable, [](State s) { return s.preview && s.previewItemSelected; }},
        {cmd::Find, project},
        {cmd::Replace, projectWithTranslations},
        {cmd::FindNext, [](State s) { return s.project && s.findRepeatable; }},
        {cmd::Bookmark, project},
        {cmd::ImportText, project},
        {cmd::ExportToExcel, [](State s) { return s.project && s.rows > 0; }},
        {cmd::ExportToDatabase, project},
        {uicmd::ExportForPlatforms, [](State s) { return s.project && s.translationCurrent; }},
        {uicmd::ExportPictures, project},
        {cmd::ShowDialogResources, project, switchOn<ProjectSwitch::DialogEdit>},
        {cmd::ShowMenuResources, project, switchOn<ProjectSwitch::MenuEdit>},
        {cmd::ShowStringtableResources, project, switchOn<ProjectSwitch::StringtableEdit>},
        {cmd::ShowVersionInfoResources, project, switchOn<ProjectSwitch::VersionEdit>},
        {cmd::ShowBitmapResources, project, switchOn<ProjectSwitch::BitmapEdit>},
        {cmd::ShowFileIncludes, project, switchOn<ProjectSwitch::IncludeEdit>},
        {cmd::ShowExcludedText, project, switchOn<ProjectSwitch::ExcludeEdit>},
    };
    return table;
}

} // namespace

const CommandRule* commandRule(int id)
{
    for (const CommandRule& rule : rules())
        if (rule.id == id)
            return &rule;
    return nullptr;
}

} // namespace qmk
