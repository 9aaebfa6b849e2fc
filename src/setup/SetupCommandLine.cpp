// Reading the command line, and the feedback that prints what the window would show.
#include "setup/SetupCommandLine.h"

#include <ostream>

#include "resources/FileNames.h"
#include "resources/Messages.h"
#include "setup/InstallRecord.h"
#include "setup/SetupLocations.h"
#include "setup/SetupManifest.h"
#include "setup/SetupStrings.h"

namespace qmk::setup {

namespace fs = std::filesystem;

namespace {

// What the window shows in message boxes and on its status line, as lines of text: a message's
// further lines are indented under its first, a status is one line.
class PrintedFeedback : public SetupFeedback {
public:
    PrintedFeedback(std::ostream& out, std::ostream& err, bool overwriteDemo)
        : out_(out), err_(err), overwriteDemo_(overwriteDemo)
    {
    }

    void message(const std::string& text, Icon icon) override
    {
        print(icon == Icon::Stop || icon == Icon::Exclamation ? err_ : out_, text, "\n  ");
    }
    bool askYesNo(const std::string& text) override
    {
        print(out_, text, "\n  ");
        return true;  // the only question is whether to leave after a cancel: there is nothing else to do
    }
    bool askKeepChangedDemo(const std::string& question) override
    {
        print(out_, question, "\n  ");
        print(out_, overwriteDemo_ ? strings::DemoOverwritten : strings::DemoKeptByDefault, "\n");
        return !overwriteDemo_;
    }
    void status(const std::string& text) override
    {
        if (!text.empty() && text != lastStatus_)
            print(out_, text, " ");
        lastStatus_ = text;
    }
    void progress(int, int) override {}
    std::optional<fs::path> askSourceFolder(const SourceFolderRequest& request) override
    {
        print(err_, fillPlaceholders(strings::SourceMissing, {request.file, request.folder.string()}), "\n");
        return std::nullopt;
    }

private:
    static void print(std::ostream& stream, const std::string& text, const char* lineBreak)
    {
        std::string line;
        for (char c : text)
            line += c == '\n' ? std::string(lineBreak) : std::string(1, c);
        stream << line << '\n';
        stream.flush();  // steps and refusals stay in order when both streams go to one place
    }

    std::ostream& out_;
    std::ostream& err_;
    bool overwriteDemo_;
    std::string lastStatus_;
};

SetupCommand only(SetupCommand::Action action, std::string problem = {})
{
    SetupCommand command;
    command.action = action;
    command.problem = std::move(problem);
    return command;
}

SetupCommand wrong(std::string problem)
{
    return only(SetupCommand::Action::Wrong, std::move(problem));
}

bool sameFolder(const fs::path& a, const fs::path& b)
{
    return normalFolder(a) == normalFolder(b) || sameFile(a, b);
}

int deinstall(const SetupCommand& command, const SetupOptions& options, PrintedFeedback& feedback, std::ostream& err)
{
    SetupEngine engine(options, feedback);
    const fs::path folder = normalFolder(command.folder);
    const std::string recorded = installedPath(options.installRecord);
    DeinstallResult result;
    if (!recorded.empty()) {
        if (!sameFolder(recorded, folder)) {
            err << fillPlaceholders(strings::InstalledElsewhere, {folder.string(), recorded}) << '\n';
            return kSetupFailed;
        }
        result = engine.deinstall();
    } else {
        // Only the demo projects were installed there: no record, but the folder's list.
        std::error_code ec;
        if (!fs::exists(fs::symlink_status(SetupManifest::pathIn(folder), ec))) {
            err << fillPlaceholders(strings::NothingInstalledThere, {folder.string()}) << '\n';
            return kSetupFailed;
        }
        result = engine.deinstall(folder);
    }
    return result.notRemoved.empty() && result.refused.empty() && !result.stillInstalled ? kSetupDone : kSetupFailed;
}

} // namespace

SetupCommand parseSetupCommand(const std::vector<std::string_view>& arguments)
{
    SetupCommand command;
    bool option = false;  // --program, --demo or --overwrite-demo was given
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        if (argument == "--help" || argument == "-h")
            return only(SetupCommand::Action::Help);
        if (argument == "--version")
            return only(SetupCommand::Action::Version);
        if (argument == "--install" || argument == "--deinstall") {
            if (command.action != SetupCommand::Action::Window)
                return wrong("give one of --install and --deinstall, once");
            if (i + 1 == arguments.size())
                return wrong(std::string(argument) + " needs the installation folder");
            command.action = argument == "--install" ? SetupCommand::Action::Install : SetupCommand::Action::Deinstall;
            command.folder = arguments[++i];
        } else if (argument == "--program") {
            command.program = option = true;
        } else if (argument == "--demo") {
            command.demo = option = true;
        } else if (argument == "--overwrite-demo") {
            command.overwriteDemo = option = true;
        } else {
            return wrong(fillPlaceholders(strings::UnknownArgument, {std::string(argument)}));
        }
    }
    if (option && command.action != SetupCommand::Action::Install)
        return wrong("--program, --demo and --overwrite-demo go with --install");
    if (command.action == SetupCommand::Action::Install) {
        if (!command.program && !command.demo)
            command.program = command.demo = true;
        if (!installEnabled(command.folder, true, true))
            return wrong("the installation folder must be an absolute path without blanks: '" + command.folder + "'");
    }
    if (command.action == SetupCommand::Action::Deinstall && !fs::path(command.folder).is_absolute())
        return wrong("the installation folder must be an absolute path: '" + command.folder + "'");
    return command;
}

int runSetupCommand(const SetupCommand& command, const SetupOptions& options, std::ostream& out, std::ostream& err)
{
    PrintedFeedback feedback(out, err, command.overwriteDemo);
    switch (command.action) {
    case SetupCommand::Action::Help:
        out << strings::Usage;
        return kSetupDone;
    case SetupCommand::Action::Version:
        out << "qmk32-setup " << options.version << '\n';
        return kSetupDone;
    case SetupCommand::Action::Install: {
        const InstallResult result = SetupEngine(options, feedback).install(command.folder, command.program, command.demo);
        const bool done = result.end == InstallEnd::Complete || result.end == InstallEnd::DemoInstalled;
        return done && result.refused.empty() ? kSetupDone : kSetupFailed;
    }
    case SetupCommand::Action::Deinstall:
        return deinstall(command, options, feedback, err);
    case SetupCommand::Action::Window:
    case SetupCommand::Action::Wrong:
        break;
    }
    const std::string problem = command.problem.empty() ? "the window is not opened from here" : command.problem;
    err << (problem.starts_with("qmk32-setup:") ? problem : fillPlaceholders(strings::UsageProblem, {problem}));
    err << strings::Usage;
    return kSetupUsage;
}

} // namespace qmk::setup
