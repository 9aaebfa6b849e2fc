// The deinstall run of the setup program: what it installed goes, everything else stays.
#include <algorithm>
#include <fcntl.h>
#include <unistd.h>

#include "resources/Messages.h"
#include "resources/SetupTexts.h"
#include "setup/InstallFolder.h"
#include "setup/InstallRecord.h"
#include "setup/SetupEngine.h"
#include "setup/SetupLocations.h"
#include "setup/SetupManifest.h"
#include "setup/SetupStrings.h"

namespace qmk::setup {

namespace fs = std::filesystem;

namespace {

std::size_t depth(const fs::path& path)
{
    return static_cast<std::size_t>(std::distance(path.begin(), path.end()));
}

// Regular files, links and the like below `folder`, at any depth; links are not gone through.
int countFilesBelow(const fs::path& folder)
{
    int count = 0;
    std::error_code ec;
    for (fs::recursive_directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        if (it->is_symlink(ec) || !it->is_directory(ec))
            ++count;
    return count;
}

} // namespace

// Takes away what the manifest of `folder` lists, reaching each entry without following a link:
// the files as setup installed them, then the folders it created once they are empty, then the
// installation folder and the folders setup made for it. Returns the closing sentence.
std::string SetupEngine::removeInstalled(const fs::path& folder, DeinstallResult& result)
{
    auto leaveAlone = [&](const std::string& what) {
        if (std::find(result.refused.begin(), result.refused.end(), what) == result.refused.end())
            result.refused.push_back(what);
    };
    auto blocked = [&](const fs::path& relative, const Walk& walked) {
        if (walked.stop == Walk::Stop::Link)
            leaveAlone(fillPlaceholders(strings::LeftAloneLink, {(folder / walked.at).string()}));
        else if (walked.reached() && InstallFolder::entry(walked.folder.get(), walked.name).kind == EntryKind::Link)
            leaveAlone(fillPlaceholders(strings::LeftAloneLink, {(folder / relative).string()}));
    };

    int levels = 0;
    std::string why;
    std::optional<InstallFolder> opened = InstallFolder::open(folder, false, levels, why);
    SetupManifest manifest;
    bool found = false;
    if (opened) {
        Walk walked;
        Entry listed;
        if (const auto text = opened->readFile(SetupManifest::kFileName, walked, listed)) {
            manifest = SetupManifest::parse(*text, folder);
            found = true;
        } else {
            blocked(SetupManifest::kFileName, walked);
        }
    }
    for (const std::string& line : manifest.refusedLines())
        leaveAlone(fillPlaceholders(strings::LeftAloneOutside, {line}));

    for (const fs::path& file : manifest.files()) {
        const Walk walked = opened->walk(file);
        const Entry entry = walked.reached() ? InstallFolder::entry(walked.folder.get(), walked.name) : Entry{};
        if (entry.kind != EntryKind::File) {
            blocked(file, walked);
            continue;
        }
        if (const auto stamp = manifest.stamp(file); stamp && *stamp != SetupManifest::Stamp{entry.size, entry.time})
            continue;  // changed since: the user's work, kept and counted with the others
        feedback_.status(fillPlaceholders(txt::SetupDeleteFile, {(folder / file).string()}));
        if (::unlinkat(walked.folder.get(), walked.name.c_str(), 0) == 0)
            ++result.removedFiles;
        else
            result.notRemoved.push_back((folder / file).string());
    }
    if (found) {
        const Walk walked = opened->walk(SetupManifest::kFileName);
        if (::unlinkat(walked.folder.get(), walked.name.c_str(), 0) != 0)
            result.notRemoved.push_back(SetupManifest::pathIn(folder).string());
    }
    std::vector<fs::path> folders = manifest.folders();
    std::stable_sort(folders.begin(), folders.end(),
                     [](const fs::path& a, const fs::path& b) { return depth(a) > depth(b); });
    for (const fs::path& created : folders) {
        const Walk walked = opened->walk(created);
        if (!walked.reached() || InstallFolder::entry(walked.folder.get(), walked.name).kind != EntryKind::Folder) {
            blocked(created, walked);
            continue;
        }
        // A folder that holds something of the user's stays, with what it holds.
        if (::unlinkat(walked.folder.get(), walked.name.c_str(), AT_REMOVEDIR) == 0) {
            feedback_.status(fillPlaceholders(txt::SetupDeleteDirectory, {(folder / created).string()}));
            ++result.removedFolders;
        }
    }
    result.keptFiles = opened ? countFilesBelow(folder) : 0;
    opened.reset();
    std::vector<fs::path> removed;
    InstallFolder::removeCreatedLevels(folder, manifest.createdLevels(), removed);
    for (const fs::path& gone : removed) {
        feedback_.status(fillPlaceholders(txt::SetupDeleteDirectory, {gone.string()}));
        ++result.removedFolders;
    }

    const char* sentence = !found                  ? strings::NoManifest
                           : result.keptFiles == 0 ? strings::KeptNoFiles
                           : result.keptFiles == 1 ? strings::KeptOneFile
                                                   : strings::KeptFiles;
    return fillPlaceholders(sentence, {std::to_string(result.keptFiles), folder.string()});
}

DeinstallResult SetupEngine::deinstall()
{
    return deinstall(installedPath(options_.installRecord));
}

DeinstallResult SetupEngine::deinstall(const fs::path& installed)
{
    DeinstallResult result;
    std::string closing = strings::NoInstallationFolder;
    if (!installed.empty())
        closing = removeInstalled(normalFolder(installed), result);

    auto remove = [&](const fs::path& path) {
        std::error_code ec;
        if (!fs::remove(path, ec) && ec)
            result.notRemoved.push_back(path.string());
    };
    feedback_.status(txt::SetupRemoveGroup);
    for (const fs::path& file : programGroupFiles(options_.menus))
        remove(file);

    feedback_.status(txt::SetupRemoveRegistry);
    remove(options_.settingsFile);
    if (!removeInstallRecord(options_.installRecord))
        result.notRemoved.push_back(options_.installRecord.string());

    feedback_.status("");
    result.stillInstalled = deinstallEnabled(options_.installRecord);
    if (!result.stillInstalled)
        feedback_.status(txt::SetupDeinstalledStatus);
    std::string text = std::string(txt::SetupDeinstalledMessage) + closing;
    if (!result.notRemoved.empty())
        text = fillPlaceholders(strings::NotDeinstalled, {strings::oneALine(result.notRemoved)});
    if (!result.refused.empty())
        text += "\n" + fillPlaceholders(strings::LeftAlone, {strings::oneALine(result.refused)});
    feedback_.message(text, !result.notRemoved.empty() ? Icon::Stop
                            : result.refused.empty()   ? Icon::Information
                                                       : Icon::Exclamation);
    return result;
}

} // namespace qmk::setup
