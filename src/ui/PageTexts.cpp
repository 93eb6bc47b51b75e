#include "ui/PageTexts.h"

#include "switches/SwitchTable.h"

namespace sentrel {

const char* const kAboutText =
    "Welcome to Sentrel.\r\n"
    "\r\n"
    "Sentrel sets a workstation up to log on by itself at start-up: to the workstation or "
    "Windows domain, and to eDirectory (NDS) through the Novell client.\r\n"
    "\r\n"
    "It can also run unattended from a login script or a software roll-out; see the Usage tab "
    "for the parameters.\r\n"
    "\r\n"
    "Use it for:\r\n"
    "- a kiosk PC that must come up logged on;\r\n"
    "- a PC that runs a service which must be authenticated to the network;\r\n"
    "- an automatic local logon on Windows NT, 2000 or XP that still prompts for the "
    "eDirectory credentials;\r\n"
    "- a terminal server on which the workstation manager is switched off, logging on as a "
    "local user with restricted rights;\r\n"
    "- an automatic logon to the workstation only.\r\n"
    "\r\n"
    "Sentrel is given free of charge, without any warranty and without support. You use it at "
    "your own risk.\r\n"
    "\r\n"
    "The Sentrel team";

namespace {

const char* const kUsageNotes =
    "\r\n"
    "The NDS tree, context, server and user and the Windows domain and user may be given as "
    "AuToDeTeCt: the value already stored on the workstation is used. When none is stored "
    "the run stops before it writes anything.\r\n"
    "\r\n"
    "/Mode:1 puts the Windows logon dialog in place of the Novell one (GinaDLL). Windows Vista "
    "and later have no logon dialog to replace: there /Mode:1 writes the rest and leaves "
    "GinaDLL as it is. /LockWS needs Windows 2000 or later.\r\n"
    "\r\n"
    "Exit codes of an unattended run: 0 done; 1 an operation failed or the command line is "
    "wrong; 2 the client installer could not be started; 3 the settings were written but the "
    "log could not be; 4 (/Check) the run would change something.\r\n"
    "\r\n"
    "An argument @path stands for the lines of that text file, one switch per line: no quotes "
    "are needed, a line may hold blanks and double quotes, and a long command line fits a "
    "batch file. Lines that begin with # are comments; any other line that is no switch stops "
    "the run. The file may be ANSI, UTF-8 or UTF-16 (Unicode).\r\n"
    "\r\n"
    "Repair only where needed, from a start-up script:\r\n"
    "Sentrel.exe /U /Quiet /Check @kiosk.txt || Sentrel.exe /U /Quiet @kiosk.txt\r\n"
    "\r\n"
    "From a roll-out job nobody watches, with a record on a file share:\r\n"
    "Sentrel.exe /U /Quiet \"/Log:\\\\server\\logs\\sentrel.log\" /MSUsr:kiosk /MSPass:secret "
    "/Mode:1\r\n"
    "\r\n"
    "Log on to eDirectory and the workstation, with the login script:\r\n"
    "Sentrel.exe /U /NDSTree:ACME_TREE /NDSCx:ou=Kiosk.o=Acme /NDSUsr:kiosk1 "
    "/NDSPass:secret /MSDom:OFFICE /MSUsr:kiosk /MSPass:secret /RunScript /Mode:0\r\n"
    "\r\n"
    "Disable automatic logon and clear all settings:\r\n"
    "Sentrel.exe /U /Disable\r\n"
    "\r\n"
    "Log on with the Windows user and domain guessed from the workstation:\r\n"
    "Sentrel.exe /U /MSDom:AuToDeTeCt /MSUsr:AuToDeTeCt /MSPass:secret /Mode:1\r\n"
    "\r\n"
    "Install the client with its installer, then set the parameters and show the result:\r\n"
    "Sentrel.exe /U \"/ACU:\\\\server\\share\\setupnw.exe\" \"/ACUParam:/ACU /U\" "
    "/NDSTree:ACME_TREE /NDSCx:ou=Kiosk.o=Acme /NDSUsr:kiosk1 /NDSPass:secret "
    "/MSDom:OFFICE /MSUsr:kiosk /MSPass:secret /ShowResult /Mode:0";

}  // namespace

// The switch list comes from the switch table, so the page lists exactly what the program reads.
std::string UsageText() {
    return "Use the following parameters:\r\n"
           "\r\n" +
           UsageSwitchList() + kUsageNotes;
}

const char* const kFaqText =
    "Q: How do I get past the automatic logon to log on as an administrator?\r\n"
    "A: On Windows NT, 2000 and XP hold down Shift while logging off and while the logon "
    "dialog comes up. On Windows 9x just hold down Shift.\r\n"
    "\r\n"
    "Q: How do I roll Sentrel out to many workstations?\r\n"
    "A: Run it unattended from a login script or a roll-out job; see the Usage tab.\r\n"
    "\r\n"
    "Q: How do I disable automatic logon but still set the parameters unattended?\r\n"
    "A: Run Sentrel.exe /U /Disable /Mode:3 with the parameters.\r\n"
    "\r\n"
    "Q: How do I give an empty Windows password unattended?\r\n"
    "A: Leave the /MSPass: switch out.\r\n"
    "\r\n"
    "Q: How do I set the parameters without enabling automatic logon?\r\n"
    "A: Run Sentrel.exe /U /Mode:3 with the parameters.\r\n"
    "\r\n"
    "Q: Why do not all switches work on Windows 9x?\r\n"
    "A: Windows 9x never learned to lock a workstation or to keep a domain password; we "
    "stopped asking it to.";

const char* const kHistoryText =
    "What's new with version 3.0.1.3:\r\n"
    "NMAS authentication is switched off when automatic logon is enabled and restored when it "
    "is disabled. Client installer support: /ACU: and /ACUParam: run the Novell client "
    "installer before the settings are written.\r\n"
    "\r\n"
    "What's new with version 3.0.1.0:\r\n"
    "Runs on workstations without the Novell client: automatic logon to the workstation "
    "only. The version is shown in the window title.\r\n"
    "\r\n"
    "What's new with version 2.5:\r\n"
    "The Copy to Clipboard button turns the window's fields into an unattended command line. "
    "/LockWS locks the workstation after the automatic logon.\r\n"
    "\r\n"
    "What's new with version 2.0:\r\n"
    "The /Mode: switch replaces two older switches. AuToDeTeCt guesses values from the "
    "workstation. Fixed: the context was lost when the tree was changed (reported by a "
    "user).\r\n"
    "\r\n"
    "What's new with version 1.5:\r\n"
    "The login result window (/ShowResult). Uninstall by command line (/Disable). Empty "
    "passwords are allowed. Fixed: the login script option was ignored on Windows 2000 "
    "(reported by an administrator).\r\n"
    "\r\n"
    "What's new with version 1.1:\r\n"
    "Windows 9x support. Unattended setup with /U.\r\n"
    "\r\n"
    "May 2002:\r\n"
    "The first release.";

}  // namespace sentrel
