// Unnumbered texts of the setup program: its dialogs, status lines and messages,
// and the names of the menu group it creates.
#pragma once

namespace qmk::txt {

inline constexpr char SetupTitle[] = "Setup";
inline constexpr char SetupDestinationLabel[] = "Destination Directory:";
inline constexpr char SetupDefaultDestination[] = "c:\\qmk32";
inline constexpr char SetupBrowseDirectory[] = "...";
inline constexpr char SetupDirectorySelectTitle[] = "Directory Select";
inline constexpr char SetupDemoFiles[] = "  &Demo Resource Files";
inline constexpr char SetupInstall[] = "&Install";
inline constexpr char SetupDeinstall[] = "&Deinstall";
inline constexpr char SetupCancel[] = "&Cancel";

// Diskette dialog (printf-style).
inline constexpr char DisketteTitle[] = "Quillmark Setup";
inline constexpr char DiskettePrompt[] = "Please insert diskette #%d and press OK.";
inline constexpr char DisketteFile[] = "(File: %s)";
inline constexpr char DisketteCount[] = "%d of %d";
inline constexpr char DisketteDirectoryLabel[] = "Directory:";
inline constexpr char DisketteDefaultDirectory[] = "a:";
inline constexpr char DisketteBrowse[] = "Browse...";
inline constexpr char DisketteOk[] = "OK";
inline constexpr char DisketteCancel[] = "Cancel";

// Messages and status lines.
inline constexpr char SetupSameDirectory[] =
    "%1\nYou cannot install Quillmark in the same directory like the installation files !";
inline constexpr char SetupCantChangeDrive[] =
    "Install at Disk Drive  '%1'\nCannot change to Disk Drive.\nInstallation stoped.";
inline constexpr char SetupCantCreateDirectory[] = "Cannot ceate Directory !\n%1\nInstallation stoped.";
inline constexpr char SetupInUse[] = "is currently in use:";
inline constexpr char SetupBufferTooSmall[] = " Buffer size is to small to hold directory strings:";
inline constexpr char SetupContinueQuestion[] = " Do you wish to continue ?";
inline constexpr char SetupFileNotFound[] = "Install File\nFile '%1' not found.";
inline constexpr char SetupOutOfDiskSpace[] = "Out of diskspace. Stop installation.";
inline constexpr char SetupSourceNotReadable[] = "Error: File not found.\n%1";
inline constexpr char SetupComplete[] = "The Lexmoor Quillmark  is complete installed.";
inline constexpr char SetupCantCreateGroup[] = "Program Manager: Cannot create Groupe";
inline constexpr char SetupCancelled[] = "Quillmark setup canceled.\nDo you want to exit the setup program ?";
inline constexpr char SetupCopyFailed[] =
    "Error copy files.\nNot all files could be copied. Installation not compled.";
inline constexpr char SetupDeleteFile[] = "Delete File\n%1.";
inline constexpr char SetupDeleteDirectory[] = "Delete Directory:  %1";
inline constexpr char SetupRemoveGroup[] = "Remove Program Group.";
inline constexpr char SetupRemoveRegistry[] = "Remove Quillmark from the Registery.";
inline constexpr char SetupDeinstalledStatus[] = "Quillmark is complete deinstalled.";
inline constexpr char SetupDeinstalledMessage[] = "Quillmark is complete deinstalled. ";

// The menu group and its entries; ProgramItem is also the caption of the in-use question.
inline constexpr char ProgramGroup[] = "Lexmoor";
inline constexpr char ProgramItem[] = "QMK 3.2";
inline constexpr char HelpItem[] = "Quillmark Help";
inline constexpr char ReadMeItem[] = "Read Me";

} // namespace qmk::txt
