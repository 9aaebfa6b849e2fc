// Texts of the setup program on Linux that the Windows dialog did not have: the default
// destination below the home folder, the program check box, the closing sentences of Deinstall,
// the command-line usage and the failures of files the Windows services wrote.
#pragma once

namespace qmk::setup::strings {

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

inline constexpr char Usage[] =
    "Usage: qmk32-setup [--help | --version]\n"
    "Installs Quillmark and its demonstration projects into a folder of your choice, adds it to the\n"
    "desktop menu, or removes an installation (Deinstall). Everything is chosen in the window.\n";
inline constexpr char UnknownArgument[] = "qmk32-setup: unknown argument '%1'\n";

} // namespace qmk::setup::strings
