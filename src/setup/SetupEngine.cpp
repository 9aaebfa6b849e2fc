// The install run of the setup program, and the rules of its two buttons.
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
#include "setup/InstallFolder.h"
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

// What is wrong with finding `kind` where setup wants to write or read a file of its own.
const char* inTheWay(EntryKind kind)
{
    switch (kind) {
    case EntryKind::Link: return strings::LinkInTheWay;
    case EntryKind::Folder:
    case EntryKind::Other: return strings::NotAFileInTheWay;
    default: return nullptr;
    }
}

// A few of the names, for a question that must stay short.
std::string someOf(const std::vector<std::string>& names)
{
    constexpr std::size_t kShown = 3;
    std::string text;
    for (std::size_t i = 0; i < names.size() && i < kShown; ++i)
        text += (i == 0 ? "" : ", ") + names[i];
    if (names.size() > kShown)
        text += " and " + std::to_string(names.size() - kShown) + " more";
    return text;
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
        : options_(options), feedback_(feedback), destination_(destination)
    {
        searched_.push_back(options.sourceFolder);
    }

    // Opens the destination, creating what is missing of it, and reads the list of what an
    // earlier installation put there; false, with the reason said, when either cannot be done.
    bool openDestination()
    {
        int createdLevels = 0;
        std::string why;
        folder_ = InstallFolder::open(destination_, true, createdLevels, why);
        if (!folder_) {
            feedback_.message(fillPlaceholders(txt::SetupCantCreateDirectory, {destination_.string()}), Icon::Stop);
            return false;
        }
        Walk walked;
        Entry found;
        if (const auto text = folder_->readFile(SetupManifest::kFileName, walked, found)) {
            manifest_ = SetupManifest::parse(*text, destination_);
            reportOutsideLines(manifest_.refusedLines());
        } else if (const char* problem = inTheWay(found.kind)) {
            // Nothing is installed that Deinstall could not find on the list afterwards.
            refuse(SetupManifest::kFileName, problem);
            return false;
        }
        manifest_.addCreatedLevels(createdLevels);
        if (createdLevels > 0)
            saveManifest();
        return true;
    }

    // Demo files that are there and not as setup installed them last time: changed since, or
    // never installed by setup at all. A link in the way is not counted; it is refused later.
    std::vector<std::string> changedDemoFiles(const std::vector<SetupFile>& files) const
    {
        std::vector<std::string> changed;
        for (const SetupFile& file : files) {
            if (file.group != FileGroup::Demo)
                continue;
            const fs::path relative = targetOf(file);
            const Walk walked = folder_->walk(relative);
            if (!walked.reached())
                continue;
            const Entry found = InstallFolder::entry(walked.folder.get(), walked.name);
            if (found.kind != EntryKind::File)
                continue;
            const auto& listed = manifest_.files();
            const auto stamp = manifest_.stamp(relative);
            const bool setupsOwn = std::find(listed.begin(), listed.end(), relative) != listed.end() &&
                                   (!stamp || *stamp == SetupManifest::Stamp{found.size, found.time});
            if (!setupsOwn)
                changed.push_back(std::string(file.name));
        }
        return changed;
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
        const fs::path relative = targetOf(file);
        const fs::path folder = (destination_ / relative).parent_path();
        if (file.group == FileGroup::Demo && keepDemo_) {
            ++kept_;
            return Step::Next;
        }
        feedback_.status(fillPlaceholders(strings::CopyStatus, {relative.filename().string(), normalFolder(folder)}));
        std::optional<Located> source = locate(file);
        if (!source)
            source = askForSource(file);
        if (!source)
            return Step::Cancel;

        std::vector<fs::path> created;
        const Walk walked = folder_->walk(relative, true, &created);
        for (const fs::path& made : created)
            manifest_.addFolder(made);
        if (!created.empty())
            saveManifest();
        if (!walked.reached()) {
            if (walked.stop == Walk::Stop::Link || walked.stop == Walk::Stop::NotFolder) {
                refuse(walked.at, walked.stop == Walk::Stop::Link ? strings::LinkInTheWay : strings::FileInTheWay);
                ++result.notCopied;
                return Step::Next;
            }
            feedback_.message(fillPlaceholders(txt::SetupCantCreateDirectory, {folder.string()}), Icon::Stop);
            return Step::Stop;
        }

        const CopyOutcome outcome =
            installFile(source->path, source->compressed, walked.folder.get(), walked.name, file.executable);
        switch (outcome.result) {
        case CopyResult::Copied: {
            const Entry installed = InstallFolder::entry(walked.folder.get(), walked.name);
            manifest_.addFile(relative, installed.kind == EntryKind::File
                                            ? std::optional(SetupManifest::Stamp{installed.size, installed.time})
                                            : std::nullopt);
            saveManifest();
            ++result.copied;
            if (isProjectScript(relative.filename().string()))
                result.projectFiles.push_back((destination_ / relative).string());
            return Step::Next;
        }
        case CopyResult::Refused:
            ++result.notCopied;
            refuse(relative, inTheWay(InstallFolder::entry(walked.folder.get(), walked.name).kind));
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

    void keepDemo() { keepDemo_ = true; }
    int done() const { return result.copied + kept_; }
    bool saveManifest()
    {
        std::string detail;
        return manifest_.empty() || (folder_ && replaceFileIn(folder_->fd(), SetupManifest::kFileName, manifest_.text(), detail));
    }
    bool installedAnything() const { return !manifest_.empty(); }

    InstallResult result;

private:
    static fs::path targetOf(const SetupFile& file)
    {
        return file.group == FileGroup::Program ? fs::path(file.name) : fs::path(kDemoFolder) / file.name;
    }

    // Says once per place that something in the way is left as it is.
    void refuse(const fs::path& relative, const char* problem)
    {
        const std::string where = (destination_ / relative).string();
        if (std::find(result.refused.begin(), result.refused.end(), where) != result.refused.end())
            return;
        result.refused.push_back(where);
        feedback_.message(fillPlaceholders(problem ? problem : strings::NotAFileInTheWay, {where}), Icon::Exclamation);
    }

    void reportOutsideLines(const std::vector<std::string>& refused)
    {
        if (!refused.empty())
            feedback_.message(fillPlaceholders(strings::ListPointsOutside, {destination_.string(), strings::oneALine(refused)}),
                              Icon::Exclamation);
    }

    const SetupOptions& options_;
    SetupFeedback& feedback_;
    fs::path destination_;
    std::optional<InstallFolder> folder_;
    SetupManifest manifest_;
    std::vector<fs::path> searched_;
    bool keepDemo_ = false;
    int kept_ = 0;
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
    if (!run.openDestination())
        return result;

    const std::vector<SetupFile> files = chosenFiles(program, demo);
    if (const std::vector<std::string> changed = run.changedDemoFiles(files); !changed.empty()) {
        const std::string demoFolder = (destination / kDemoFolder).string();
        if (feedback_.askKeepChangedDemo(fillPlaceholders(strings::DemoChangedQuestion, {demoFolder, someOf(changed)}))) {
            run.keepDemo();
            result.demoKept = true;
            feedback_.status(fillPlaceholders(strings::DemoKept, {demoFolder}));
        }
    }
    const int total = static_cast<int>(files.size());
    feedback_.progress(0, total);
    Run::Step step = Run::Step::Next;
    for (const SetupFile& file : files) {
        step = feedback_.cancelled() ? Run::Step::Cancel : run.copy(file);
        if (step != Run::Step::Next)
            break;
        feedback_.progress(run.done(), total);
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
        // The person's own projects stay listed; the demonstration projects join them.
        if (!AddProjectFiles(settings, result.projectFiles)) {
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

} // namespace qmk::setup
