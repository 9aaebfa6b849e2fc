// Texts of the setup program on Linux that the Windows dialog did not have: the default
// destination below the home folder, the program check box, the closing sentences of Deinstall,
// what setup refuses to touch, the question about a changed demo project, the command line and
// the failures of files the Windows services wrote.
#pragma once

#include <string>
#include <vector>

namespace qmk::setup::strings {

// Items of a message's list, one a line.
inline std::string oneALine(const std::vector<std::string>& items)
{
    std::string text;
    for (const std::string& item : items)
        text += (text.empty() ? "" : "\n") + item;
    return text;
}

inline constexpr char DefaultDestinationBelowHome[] = "qmk32";
inline constexpr char ProgramCheckBox[] = "&Quillmark";
inline constexpr char MessageCaption[] = "Quillmark Setup";

// Status while copying: %1 the file's name, %2 the folder it goes to.
inline constexpr char CopyStatus[] = "Copy \"%1\" to \"%2\"";

inline constexpr char CannotWrite[] = "Cannot write %1.";
// Deinstall could not take everything away; %1 the paths that stay, one a line.
inline constexpr char NotDeinstalled[] = "Quillmark could not be deinstalled completely. These could not be removed:\n%1";

// Appended to the closing message of Deinstall; %1 a number, %2 the installation folder.
inline constexpr char KeptNoFiles[] = "Setup removed only what it had installed; no other files were in %2.";
inline constexpr char KeptOneFile[] = "Setup removed only what it had installed; 1 other file in %2 was kept.";
inline constexpr char KeptFiles[] = "Setup removed only what it had installed; %1 other files in %2 were kept.";
inline constexpr char NoManifest[] =
    "Setup found no list of the files it installed in %2 and removed nothing there; %1 files were kept.";
inline constexpr char NoInstallationFolder[] = "No installation folder was recorded; nothing was removed from the disk.";

// Something in the way inside the installation folder, which setup neither follows nor replaces.
inline constexpr char LinkInTheWay[] =
    "%1 is a symbolic link. Setup neither writes through a link nor replaces it, so nothing was "
    "installed there. Move the link away and install again.";
inline constexpr char FileInTheWay[] =
    "%1 is in the way: it is not a folder, so nothing was installed there.";
inline constexpr char NotAFileInTheWay[] = "%1 is in the way: it is not a regular file, so it was not replaced.";
// The list of installed files names places outside the folder; %1 the folder, %2 the entries.
inline constexpr char ListPointsOutside[] =
    "The list of installed files in %1 names places outside the folder; they were ignored:\n%2";
// Deinstall: what it did not remove because it would have meant going outside the folder.
inline constexpr char LeftAlone[] = "Setup left these alone and removed nothing through them:\n%1";
inline constexpr char LeftAloneLink[] = "%1 (a symbolic link)";
inline constexpr char LeftAloneOutside[] = "%1 (outside the installation folder)";

// Reinstalling over a demo project the person has worked on; %1 the demo folder, %2 some of
// the changed files.
inline constexpr char DemoChangedQuestion[] =
    "The demo project in %1 has been changed since setup installed it (%2).\n"
    "Do you want to keep your changed demo project? Overwriting replaces it with the original demo files.";
inline constexpr char KeepDemoButton[] = "&Keep my changed demo project";
inline constexpr char OverwriteDemoButton[] = "&Overwrite it with the original demo files";
inline constexpr char DemoKept[] = "Kept the changed demo project in %1; its files were not installed again.";

inline constexpr char Usage[] =
    "Usage: qmk32-setup [--help | --version]\n"
    "       qmk32-setup --install <folder> [--program] [--demo] [--overwrite-demo]\n"
    "       qmk32-setup --deinstall <folder>\n"
    "Installs Quillmark and its demonstration projects into a folder of your choice, adds it to the\n"
    "desktop menu, or removes an installation (Deinstall). Without options everything is chosen in\n"
    "the window; the options do the same without one:\n"
    "  --install <folder>   install into <folder>, an absolute path without blanks: the program\n"
    "                       (--program) and the demo projects (--demo), both when neither is given\n"
    "  --overwrite-demo     replace a demo project changed since it was installed (it is kept otherwise)\n"
    "  --deinstall <folder> remove the installation in <folder>: only what setup installed there\n"
    "Each step is printed. Exit status: 0 done, 1 a failure or something setup refused to touch,\n"
    "2 a wrong command line.\n";
inline constexpr char UnknownArgument[] = "qmk32-setup: unknown argument '%1'\n";
inline constexpr char UsageProblem[] = "qmk32-setup: %1\n";
inline constexpr char DemoKeptByDefault[] = "Keeping the changed demo project (--overwrite-demo replaces it).";
inline constexpr char DemoOverwritten[] = "Overwriting the changed demo project (--overwrite-demo).";
inline constexpr char SourceMissing[] = "File '%1' was not found in %2.";
inline constexpr char InstalledElsewhere[] =
    "Quillmark is installed in %2, not in %1; nothing was removed.";
inline constexpr char NothingInstalledThere[] = "Setup has installed nothing in %1; nothing was removed.";

} // namespace qmk::setup::strings
