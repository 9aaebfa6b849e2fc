// The install and deinstall runs of the setup program.
#include "setup/SetupEngine.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <optional>

#include "app/ProfileFile.h"
#include "app/ProjectFileList.h"
#include "app/Settings.h"
#include "resources/FileNames.h"
#include "resources/Messages.h"
#include "resources/SetupTexts.h"
#include "setup/FileInstaller.h"
#include "setup/InstallRecord.h"
#include "setup/SetupFiles.h"
#include "setup/SetupLocations.h"
#include "setup/SetupManifest.h"
#include "setup/SetupStrings.h"

namespace qmk::setup {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kShortestDestination = 4;

struct Located {
    fs::path path;
    bool compressed = false;
};

// A file of the distribution in one folder: its compressed name first, then its own name.
std::optional<Located> findIn(const fs::path& folder, std::string_view name)
{
    std::error_code ec;
    const fs::path compressed = folder / compressedName(name);
    if (fs::exists(compressed, ec))
        return Located{compressed, true};
    const fs::path plain = folder / name;
    if (fs::exists(plain, ec))
        return Located{plain, false};
    return std::nullopt;
}

bool isInside(const fs::path& path, const fs::path& folder)
{
    const fs::path relative = path.lexically_normal().lexically_relative(folder);
    return !relative.empty() && *relative.begin() != ".." && *relative.begin() != ".";
}

std::size_t depth(const fs::path& path)
{
    return static_cast<std::size_t>(std::distance(path.begin(), path.end()));
}

// Regular files, links and the like below `folder`, at any depth.
int countFilesBelow(const fs::path& folder)
{
    int count = 0;
    std::error_code ec;
    for (fs::recursive_directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        if (!it->is_directory(ec))
            ++count;
    return count;
}

} // namespace

SetupOptions SetupOptions::fromEnvironment()
{
    return {programFolder(), installRecordPath(), settingsFilePath(), menuLocations(), QMK_VERSION};
}

std::string defaultDestination()
{
    const char* home = std::getenv("HOME");
    return (fs::path(home && *home ? home : "/") / strings::DefaultDestinationBelowHome).string();
}

bool installEnabled(std::string_view destination, bool program, bool demo)
{
    const bool blank = std::any_of(destination.begin(), destination.end(),
                                   [](unsigned char c) { return std::isspace(c) || std::iscntrl(c); });
    return destination.size() >= kShortestDestination && destination.front() == '/' && !blank && (program || demo);
}

bool deinstallEnabled(const fs::path& installRecord)
{
    return !installedPath(installRecord).empty();
}

SetupEngine::SetupEngine(SetupOptions options, SetupFeedback& feedback)
    : options_(std::move(options)), feedback_(feedback)
{
}

// One installation: the state that its steps share.
class SetupEngine::Run {
public:
    Run(const SetupOptions& options, SetupFeedback& feedback, const fs::path& destination)
        : options_(options), feedback_(feedback), destination_(destination),
          manifest_(SetupManifest::pathIn(destination))
    {
        searched_.push_back(options.sourceFolder);
    }

    // Creates every missing folder along `folder`; the ones created go to the manifest.
    bool createFolders(const fs::path& folder)
    {
        fs::path partial;
        for (const fs::path& part : folder) {
            partial /= part;
            std::error_code ec;
            if (fs::is_directory(partial, ec))
                continue;
            if (!fs::create_directory(partial, ec) && !fs::is_directory(partial, ec)) {
                feedback_.message(fillPlaceholders(txt::SetupCantCreateDirectory, {folder.string()}), Icon::Stop);
                return false;
            }
            manifest_.addFolder(partial);
            if (fs::exists(destination_))
                manifest_.save();
        }
        return true;
    }

    // Where the file is shipped: beside the setup program, in the data folder of a package
    // (everything but the program itself; the demo files in its demo folder, as installed), or
    // in a folder the person named for an earlier file.
    std::optional<Located> locate(const SetupFile& file) const
    {
        std::vector<fs::path> folders = searched_;
        const fs::path packageData = packageDataFolder(options_.sourceFolder);
        if (file.group == FileGroup::Demo)
            folders.insert(folders.begin() + 1, packageData / kDemoFolder);
        else if (file.name != kProgramFile)
            folders.insert(folders.begin() + 1, packageData);
        for (const fs::path& folder : folders)
            if (auto found = findIn(folder, file.name))
                return found;
        return std::nullopt;
    }

    // Asks for the folder of a missing file until it is found there; nullopt on Cancel.
    std::optional<Located> askForSource(const SetupFile& file)
    {
        feedback_.beep();
        SourceFolderRequest request;
        request.part = file.group == FileGroup::Program ? 1 : 2;
        request.file = std::string(file.name);
        request.folder = searched_.back();
        for (;;) {
            std::optional<fs::path> folder = feedback_.askSourceFolder(request);
            if (!folder)
                return std::nullopt;
            if (auto found = findIn(*folder, file.name)) {
                // The rest of the distribution is most likely there too.
                searched_.push_back(*folder);
                return found;
            }
            feedback_.message(fillPlaceholders(txt::SetupFileNotFound, {std::string(file.name)}), Icon::Exclamation);
            request.folder = *folder;
        }
    }

    enum class Step { Next, Stop, Cancel };

    Step copy(const SetupFile& file)
    {
        const fs::path relative(file.name);
        const fs::path folder = file.group == FileGroup::Program
                                    ? destination_
                                    : (destination_ / kDemoFolder / relative.parent_path()).lexically_normal();
        const fs::path target = folder / relative.filename();
        feedback_.status(fillPlaceholders(strings::CopyStatus, {relative.filename().string(), normalFolder(folder)}));
        std::optional<Located> source = locate(file);
        if (!source)
            source = askForSource(file);
        if (!source)
            return Step::Cancel;
        if (file.group == FileGroup::Demo && !createFolders(folder))
            return Step::Stop;

        const CopyOutcome outcome = installFile(source->path, source->compressed, target, file.executable);
        switch (outcome.result) {
        case CopyResult::Copied:
            manifest_.addFile(target);
            manifest_.save();
            ++result.copied;
            if (isProjectScript(relative.filename().string()))
                result.projectFiles.push_back(target.string());
            return Step::Next;
        case CopyResult::OutOfDiskSpace:
            ++result.notCopied;
            feedback_.message(txt::SetupOutOfDiskSpace, Icon::Stop);
            return Step::Stop;
        case CopyResult::SourceUnreadable:
            ++result.notCopied;
            feedback_.message(fillPlaceholders(txt::SetupSourceNotReadable, {source->path.string()}), Icon::Stop);
            return Step::Next;
        case CopyResult::Failed:
            ++result.notCopied;
            return Step::Next;
        }
        return Step::Next;
    }

    bool saveManifest() { return manifest_.empty() || manifest_.save(); }
    bool installedAnything() const { return !manifest_.empty(); }

    InstallResult result;

private:
    const SetupOptions& options_;
    SetupFeedback& feedback_;
    fs::path destination_;
    SetupManifest manifest_;
    std::vector<fs::path> searched_;
};

InstallResult SetupEngine::install(const std::string& destinationText, bool program, bool demo)
{
    const fs::path destination = normalFolder(destinationText);
    const fs::path source = normalFolder(options_.sourceFolder);
    if (equalsIgnoringCase(destination.string(), source.string()) || sameFile(destination, source)) {
        feedback_.message(fillPlaceholders(txt::SetupSameDirectory, {destinationText}), Icon::Exclamation);
        return {};
    }
    SetupOptions options = options_;
    options.sourceFolder = source;
    Run run(options, feedback_, destination);
    InstallResult& result = run.result;
    result.end = InstallEnd::Stopped;
    if (!run.createFolders(destination))
        return result;

    const std::vector<SetupFile> files = chosenFiles(program, demo);
    const int total = static_cast<int>(files.size());
    feedback_.progress(0, total);
    Run::Step step = Run::Step::Next;
    for (const SetupFile& file : files) {
        step = feedback_.cancelled() ? Run::Step::Cancel : run.copy(file);
        if (step != Run::Step::Next)
            break;
        feedback_.progress(result.copied, total);
    }
    const bool listed = run.saveManifest();

    // Whatever of the program reached the disk is recorded, also when the copy was stopped,
    // so that Deinstall can take it away again.
    bool recorded = true;
    if (program && run.installedAnything())
        recorded = writeInstallRecord(options_.installRecord, options_.version, destination.string());

    if (step == Run::Step::Cancel) {
        result.end = InstallEnd::Cancelled;
        result.closeProgram = feedback_.askYesNo(txt::SetupCancelled);
        return result;
    }
    if (step == Run::Step::Stop)
        return result;
    result.end = InstallEnd::Incomplete;
    if (!listed || !recorded) {
        const fs::path file = !listed ? SetupManifest::pathIn(destination) : options_.installRecord;
        feedback_.message(fillPlaceholders(strings::CannotWrite, {file.string()}), Icon::Stop);
        return result;
    }
    if (result.notCopied > 0) {
        feedback_.message(txt::SetupCopyFailed, Icon::Stop);
        return result;
    }
    if (!result.projectFiles.empty()) {
        ProfileFile settings(options_.settingsFile);
        if (!WriteProjectFiles(settings, result.projectFiles)) {
            feedback_.message(fillPlaceholders(strings::CannotWrite, {options_.settingsFile.string()}), Icon::Stop);
            return result;
        }
    }
    if (!program) {
        result.end = InstallEnd::DemoInstalled;
        return result;
    }
    std::string detail;
    if (!createProgramGroup(options_.menus, destination, detail)) {
        result.end = InstallEnd::GroupFailed;
        feedback_.message(txt::SetupCantCreateGroup, Icon::Stop);
        return result;
    }
    result.end = InstallEnd::Complete;
    feedback_.message(txt::SetupComplete, Icon::Information);
    result.closeProgram = true;
    return result;
}

DeinstallResult SetupEngine::deinstall()
{
    DeinstallResult result;
    std::vector<std::string> stayed;  // what should have gone and could not
    auto remove = [&](const fs::path& path) {
        std::error_code ec;
        if (fs::remove(path, ec))
            return true;
        if (ec)
            stayed.push_back(path.string());
        return false;
    };

    const std::string installed = installedPath(options_.installRecord);
    std::string closing = strings::NoInstallationFolder;
    if (!installed.empty()) {
        const fs::path folder = normalFolder(installed);
        SetupManifest manifest(SetupManifest::pathIn(folder));
        for (const fs::path& file : manifest.files()) {
            std::error_code ec;
            const fs::file_status status = fs::symlink_status(file, ec);
            if (ec || !isInside(file, folder) || !fs::exists(status) || fs::is_directory(status))
                continue;
            if (!manifest.unchangedSinceInstall(file))
                continue;  // changed since: the user's work, kept and counted with the others
            feedback_.status(fillPlaceholders(txt::SetupDeleteFile, {file.string()}));
            result.removedFiles += remove(file) ? 1 : 0;
        }
        if (manifest.found())
            remove(manifest.file());
        std::vector<fs::path> folders = manifest.folders();
        std::stable_sort(folders.begin(), folders.end(),
                         [](const fs::path& a, const fs::path& b) { return depth(a) > depth(b); });
        for (const fs::path& created : folders) {
            std::error_code ec;
            // A folder that holds something of the user's stays, with what it holds.
            if (!fs::is_directory(fs::symlink_status(created, ec)) || !fs::is_empty(created, ec))
                continue;
            feedback_.status(fillPlaceholders(txt::SetupDeleteDirectory, {created.string()}));
            result.removedFolders += remove(created) ? 1 : 0;
        }
        std::error_code ec;
        result.keptFiles = fs::is_directory(folder, ec) ? countFilesBelow(folder) : 0;
        const char* sentence = !manifest.found()        ? strings::NoManifest
                               : result.keptFiles == 0 ? strings::KeptNoFiles
                               : result.keptFiles == 1 ? strings::KeptOneFile
                                                       : strings::KeptFiles;
        closing = fillPlaceholders(sentence, {std::to_string(result.keptFiles), folder.string()});
    }

    feedback_.status(txt::SetupRemoveGroup);
    for (const fs::path& file : programGroupFiles(options_.menus))
        remove(file);

    feedback_.status(txt::SetupRemoveRegistry);
    remove(options_.settingsFile);
    if (!removeInstallRecord(options_.installRecord))
        stayed.push_back(options_.installRecord.string());

    feedback_.status("");
    result.stillInstalled = deinstallEnabled(options_.installRecord);
    if (!result.stillInstalled)
        feedback_.status(txt::SetupDeinstalledStatus);
    if (stayed.empty()) {
        feedback_.message(std::string(txt::SetupDeinstalledMessage) + closing, Icon::Information);
    } else {
        std::string list;
        for (const std::string& path : stayed)
            list += (list.empty() ? "" : "\n") + path;
        feedback_.message(fillPlaceholders(strings::NotDeinstalled, {list}), Icon::Stop);
    }
    return result;
}

} // namespace qmk::setup
