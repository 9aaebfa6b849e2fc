// Field names and access of the project's display switches.
#include "database/ProjectRows.h"

namespace qmk {

const char* switchFieldName(ProjectSwitch which)
{
    switch (which) {
    case ProjectSwitch::BitmapEdit:
        return "BitmapEdit";
    case ProjectSwitch::VersionEdit:
        return "VersionEdit";
    case ProjectSwitch::IncludeEdit:
        return "IncludeEdit";
    case ProjectSwitch::ExcludeEdit:
        return "ExcludeEdit";
    case ProjectSwitch::DialogEdit:
        return "DialogEdit";
    case ProjectSwitch::MenuEdit:
        return "MenuEdit";
    case ProjectSwitch::StringtableEdit:
        break;
    }
    return "StringtableEdit";
}

bool ProjectSwitches::get(ProjectSwitch which) const
{
    switch (which) {
    case ProjectSwitch::BitmapEdit:
        return bitmapEdit;
    case ProjectSwitch::VersionEdit:
        return versionEdit;
    case ProjectSwitch::IncludeEdit:
        return includeEdit;
    case ProjectSwitch::ExcludeEdit:
        return excludeEdit;
    case ProjectSwitch::DialogEdit:
        return dialogEdit;
    case ProjectSwitch::MenuEdit:
        return menuEdit;
    case ProjectSwitch::StringtableEdit:
        break;
    }
    return stringtableEdit;
}

void ProjectSwitches::set(ProjectSwitch which, bool on)
{
    switch (which) {
    case ProjectSwitch::BitmapEdit:
        bitmapEdit = on;
        return;
    case ProjectSwitch::VersionEdit:
        versionEdit = on;
        return;
    case ProjectSwitch::IncludeEdit:
        includeEdit = on;
        return;
    case ProjectSwitch::ExcludeEdit:
        excludeEdit = on;
        return;
    case ProjectSwitch::DialogEdit:
        dialogEdit = on;
        return;
    case ProjectSwitch::MenuEdit:
        menuEdit = on;
        return;
    case ProjectSwitch::StringtableEdit:
        stringtableEdit = on;
        return;
    }
}

} // namespace qmk
