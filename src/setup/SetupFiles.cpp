// The table of installed files and the compressed-name rule.
#include "setup/SetupFiles.h"

#include <array>
#include <vector>

#include "resources/FileNames.h"

namespace qmk::setup {
namespace {

constexpr std::array kFiles{
    SetupFile{FileGroup::Program, kProgramFile, true},
    SetupFile{FileGroup::Program, kManualFile},
    SetupFile{FileGroup::Program, kReadMeFile},
    SetupFile{FileGroup::Demo, "demo.rc"},
    SetupFile{FileGroup::Demo, "resource.h"},
    SetupFile{FileGroup::Demo, "options.dlg"},
    SetupFile{FileGroup::Demo, "demo_rc.mdb"},
    SetupFile{FileGroup::Demo, "usa.bmp"},
    SetupFile{FileGroup::Demo, "french/fdemo.rc"},
    SetupFile{FileGroup::Demo, "french/french.bmp"},
    SetupFile{FileGroup::Demo, "german/gdemo.rc"},
    SetupFile{FileGroup::Demo, "german/german.bmp"},
    SetupFile{FileGroup::Demo, "greek/grdemo.rc"},
    SetupFile{FileGroup::Demo, "russia/rdemo.rc"},
    SetupFile{FileGroup::Demo, "asiademo.rc"},
    SetupFile{FileGroup::Demo, "asiademo_rc.mdb"},
    SetupFile{FileGroup::Demo, "Jap/japdemo.rc"},
    SetupFile{FileGroup::Demo, "Jap/japan.bmp"},
    SetupFile{FileGroup::Demo, "Kor/kordemo.rc"},
    SetupFile{FileGroup::Demo, "Kor/korea.bmp"},
};

} // namespace

std::span<const SetupFile> setupFiles()
{
    return kFiles;
}

std::vector<SetupFile> chosenFiles(bool program, bool demo)
{
    std::vector<SetupFile> files;
    for (const SetupFile& file : kFiles)
        if (file.group == FileGroup::Program ? program : demo)
            files.push_back(file);
    return files;
}

std::string compressedName(std::string_view name)
{
    const std::size_t slash = name.rfind('/');
    const std::size_t base = slash == std::string_view::npos ? 0 : slash + 1;
    std::string result(name);
    const std::size_t dot = name.rfind('.');
    // A leading dot starts a hidden name, not an extension.
    if (dot == std::string_view::npos || dot <= base) {
        result += '_';
        return result;
    }
    const std::size_t extension = name.size() - dot - 1;
    if (extension == 0)
        result += '_';
    else if (extension == 1)
        result[dot] = '_';
    else
        result[dot + 1] = '_';
    return result;
}

bool isProjectScript(std::string_view name)
{
    return equalsIgnoringCase(name, "demo.rc") || equalsIgnoringCase(name, "asiademo.rc");
}

} // namespace qmk::setup
