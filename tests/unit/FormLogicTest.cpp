// The window's logic on its state: mode selection, current settings, the command line, and the
// Enable and Disable buttons.
#include "support/Detected.h"
#include "support/MemoryStore.h"
#include "support/Workstation.h"
#include "switches/Switches.h"
#include "ui/CommandLineBuilder.h"
#include "ui/CurrentSettings.h"
#include "ui/FormActions.h"
#include "ui/ModeSelection.h"

namespace sentrel::test {
namespace {

using namespace keys;

TEST(ModeSelection, ModesWithoutStoredPasswordsEmptyAndDisableTheirFields) {
    FormState form;
    ProgramState state;
    form.settings.NdsPassword = "nds";
    form.settings.MsPassword = "ms";
    form.modeIndex = 1;
    ModeSelected(form, state);
    EXPECT_EQ(state.ModeText, "1");
    EXPECT_EQ(form.settings.NdsPassword, "");
    EXPECT_FALSE(form.edtNDSPassEnabled);
    EXPECT_EQ(form.settings.MsPassword, "ms");
    EXPECT_TRUE(form.EdtMSPassEnabled);
    form.modeIndex = 3;
    ModeSelected(form, state);
    EXPECT_EQ(state.ModeText, "3");
    EXPECT_EQ(form.settings.MsPassword, "");
    EXPECT_FALSE(form.EdtMSPassEnabled);
    form.modeIndex = -1;  // nothing selected: nothing changes
    ModeSelected(form, state);
    EXPECT_EQ(state.ModeText, "3");
    form.modeIndex = 2;  // the Windows password is stored again
    ModeSelected(form, state);
    EXPECT_TRUE(form.EdtMSPassEnabled);
    form.modeIndex = 0;
    ModeSelected(form, state);
    EXPECT_EQ(state.ModeText, "0");
    EXPECT_TRUE(form.edtNDSPassEnabled);
    EXPECT_TRUE(form.EdtMSPassEnabled);
    EXPECT_TRUE(form.EdtUsrEnabled);
    EXPECT_EQ(form.settings.NdsPassword, "");
}

FormState Filled() {
    FormState form;
    form.settings.NdsTree = "T";
    form.settings.NdsUser = "U";
    form.settings.NdsServer = "S";
    form.settings.NdsContext = "C";
    form.settings.MsDomain = "D";
    form.settings.MsUser = "W";
    form.settings.RunScript = true;
    return form;
}

// What the clipboard button builds: the mode the window stands for, and the line.
std::string Build(const std::string& path, const FormState& form, ProgramState& state) {
    state.ModeText = form.ModeCode();
    return BuildCommandLine(path, form.settings, state.ModeText);
}

TEST(CommandLine, ListsEverySwitchInOrder) {
    ProgramState state;
    EXPECT_EQ(Build("C:\\Tools\\Sentrel.exe", Filled(), state),
              "C:\\Tools\\Sentrel.exe /U /NDSTree:T /NDSUsr:U /NDSPass: /NDSSrv:S /NDSCx:C "
              "/MSDom:D /MSUsr:W /MSPass: /RunScript /Mode:0");
    EXPECT_EQ(state.ModeText, "0");
    FormState empty;
    empty.settings.ShowResult = empty.settings.RunScript = empty.settings.LockWorkstation = true;
    empty.modeIndex = 2;
    EXPECT_EQ(Build("S.exe", empty, state),
              "S.exe /U /NDSTree: /NDSUsr: /NDSPass: /NDSSrv: /NDSCx: /MSDom: /MSUsr: /MSPass: "
              "/ShowResult /RunScript /LockWS /Mode:2");
    EXPECT_EQ(state.ModeText, "2");
    empty.modeIndex = -1;  // nothing selected: the first mode, as Enable takes it
    std::string line = Build("S.exe", empty, state);
    EXPECT_EQ(line.substr(line.size() - 8), " /Mode:0");
    // Without the client the list shows the workstation-only mode, and the line says so.
    empty.SetModeEntries({kModeEntries[1]});
    empty.modeIndex = -1;
    line = Build("S.exe", empty, state);
    EXPECT_EQ(line.substr(line.size() - 8), " /Mode:1");
}

TEST(CommandLine, ArgumentsWithBlanksAreQuotedAndReadBackUnchanged) {
    FormState form = Filled();
    form.settings.NdsContext = "OU=Sales Dept.O=Acme";
    form.settings.MsPassword = "pass\tword";
    form.settings.NdsPassword = "p/NDSTree:x";
    form.modeIndex = 3;
    ProgramState state;
    std::string line = Build("C:\\Program Files\\Sentrel\\Sentrel.exe", form, state);
    EXPECT_EQ(line.substr(0, 41), "\"C:\\Program Files\\Sentrel\\Sentrel.exe\" /U");
    EXPECT_NE(line.find(" \"/NDSCx:OU=Sales Dept.O=Acme\" "), std::string::npos);
    // cmd's own characters are quoted too, so a batch file hands the argument over whole.
    for (const char* special : {"R&D", "a|b", "a<b", "a>b", "a^b", "(a)"}) {
        LogonSettings settings;
        settings.MsDomain = special;
        EXPECT_NE(BuildCommandLine("S.exe", settings, "0")
                      .find(std::string(" \"/MSDom:") + special + "\" "),
                  std::string::npos)
            << special;
    }
    Switches parsed = Switches::FromCommandLine(line);
    EXPECT_EQ(parsed.Arguments()[0], "C:\\Program Files\\Sentrel\\Sentrel.exe");
    auto value = [&](const char* name, bool ignoreCase) {
        return parsed.GetSwitch(name, ignoreCase).value_or("<absent>");
    };
    EXPECT_EQ(value("NDSTree:", false), form.settings.NdsTree);
    EXPECT_EQ(value("NDSUsr:", false), form.settings.NdsUser);
    EXPECT_EQ(value("NDSPass:", true), form.settings.NdsPassword);
    EXPECT_EQ(value("NDSSrv:", false), form.settings.NdsServer);
    EXPECT_EQ(value("NDSCx:", false), form.settings.NdsContext);
    EXPECT_EQ(value("MSDom:", true), form.settings.MsDomain);
    EXPECT_EQ(value("MSUsr:", true), form.settings.MsUser);
    EXPECT_EQ(value("MSPass:", true), form.settings.MsPassword);
    EXPECT_EQ(value("Mode:", true), "3");
    EXPECT_TRUE(parsed.HasFlag("RunScript"));
    EXPECT_FALSE(parsed.HasFlag("ShowResult"));
    EXPECT_TRUE(parsed.HasLooseFlag("U"));
}

TEST(CommandLine, AFieldWithADoubleQuoteIsRefusedByName) {
    FormState form = Filled();
    form.settings.NdsPassword = "a\"b\"c";  // read back, it would be the password abc
    form.settings.MsDomain = "ab\"";        // read back, it would swallow every later switch
    form.modeIndex = 2;
    try {
        BuildCommandLine("S.exe", form.settings, "2");
        ADD_FAILURE() << "a line was built";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(),
                     "A command line cannot carry a double quote (\"), so nothing was copied to "
                     "the clipboard. Remove it from: NDS Password, MS Domain/Wkstn. A response "
                     "file can carry it: Sentrel.exe @path reads one "
                     "whole switch from each line of the file.");
    }
}

class FormWork : public WorkstationTest {};

TEST_P(FormWork, TheClipboardGetsTheLineAndTheUserTwoMessages) {
    FormState window = Filled();
    platform.moduleFileName = "C:\\Tools\\Sentrel.exe";
    const Environment detected = Detected(platform, true);
    LogonContext context{store(), platform, state, detected};
    CopyCommandLineToClipboard(context, window);
    EXPECT_EQ(platform.clipboard,
              "C:\\Tools\\Sentrel.exe /U /NDSTree:T /NDSUsr:U /NDSPass: /NDSSrv:S /NDSCx:C "
              "/MSDom:D /MSUsr:W /MSPass: /RunScript /Mode:0");
    EXPECT_EQ(platform.MessageTexts(),
              (std::vector<std::string>{
                  "Commandline parameters has been copied to the clipboard",
                  "Remember to replace the /MSDom with /AutoWSName if needed, and to add the "
                  "/ACU:, /ACUParam: or /Disable if needed"}));
    platform.messageBoxes.clear();
    platform.clipboardOpens = false;
    window.modeIndex = 3;
    EXPECT_THROW(
        {
            try {
                CopyCommandLineToClipboard(context, window);
            } catch (const std::exception& e) {
                EXPECT_STREQ(e.what(), "Cannot open clipboard");
                throw;
            }
        },
        std::exception);
    EXPECT_EQ(platform.messageBoxes.size(), 0u);
    EXPECT_EQ(state.ModeText, "3");
}

TEST_P(FormWork, NothingIsReportedCopiedThatDidNotReachTheClipboard) {
    FormState window = Filled();
    const Environment detected = Detected(platform, true);
    LogonContext context{store(), platform, state, detected};
    auto copyError = [&]() -> std::string {
        try {
            CopyCommandLineToClipboard(context, window);
        } catch (const std::exception& e) {
            return e.what();
        }
        return "no error";
    };
    platform.clipboard = "what the user had";
    window.settings.MsPassword = "pass\"word";
    EXPECT_EQ(copyError(),
              "A command line cannot carry a double quote (\"), so nothing was copied to the "
              "clipboard. Remove it from: MS Password. A response file can carry it: Sentrel.exe "
              "@path reads one "
              "whole switch from each line of the file.");
    EXPECT_EQ(platform.clipboard, "what the user had");

    window.settings.MsPassword = "password";
    platform.clipboardTakesText = false;  // emptied, then the memory or the data is refused
    EXPECT_EQ(copyError(), "Cannot put the command line on the clipboard");
    EXPECT_EQ(platform.messageBoxes.size(), 0u);
}

TEST_P(FormWork, NineXSettingsComeFromTheRequesterAndHideTheWindowsGroup) {
    const std::string requester = "Network\\Novell\\System Config\\NetWare DOS Requester";
    FormState window;
    ReadCurrentSettings9x(store(), "Default", true, window);
    EXPECT_EQ(window.settings.NdsTree + window.settings.NdsContext + window.settings.NdsServer +
                  window.settings.NdsUser,
              "");
    EXPECT_FALSE(window.windowsGroupVisible);
    PutString(store(), requester + "\\Preferred Tree", "0", "ACME");
    PutString(store(), requester + "\\Preferred Tree\\Trees", "OTHER", "o=other");
    PutString(store(), requester + "\\Preferred Server", "0", "SRV1");
    PutString(store(), "Network\\Logon", "NetwareUsername", "jones");
    ReadCurrentSettings9x(store(), "Default", true, window);
    EXPECT_EQ(window.settings.NdsTree, "ACME");
    EXPECT_EQ(window.settings.NdsContext, "");
    EXPECT_EQ(window.settings.NdsServer, "SRV1");
    EXPECT_EQ(window.settings.NdsUser, "jones");
    PutString(store(), requester + "\\Preferred Tree\\Trees", "ACME", "ou=kiosk.o=acme");
    ReadCurrentSettings9x(store(), "Default", true, window);
    EXPECT_EQ(window.settings.NdsContext, "ou=kiosk.o=acme");
}

TEST_P(FormWork, WithoutAClientTheDirectoryGroupGoesAndOneModeStays) {
    BuildWithoutClient();
    FormState window;
    ReadCurrentSettings(store(), "Default", false, window);
    EXPECT_FALSE(window.directoryFieldsVisible);
    EXPECT_TRUE(window.noClientWarningVisible);
    EXPECT_TRUE(window.windowsGroupVisible);
    EXPECT_EQ(window.modeEntries, std::vector<std::string>{"AutoLogon to Wkstn, don't use E-Dir"});
    EXPECT_EQ(window.modeIndex, 0);
    EXPECT_EQ(window.ModeCode(), "1");
    EXPECT_EQ(window.settings.MsDomain, "XP-PC");
    EXPECT_EQ(window.settings.MsUser, "Administrator");

    BuildWithClient();  // a client installed since: everything is offered again
    PutString(store(), kService + "\\Tab1", "Tree", "ACME");
    window.settings.NdsContext = "stale";
    ReadCurrentSettings(store(), "Default", true, window);
    EXPECT_TRUE(window.directoryFieldsVisible);
    EXPECT_FALSE(window.noClientWarningVisible);
    EXPECT_EQ(window.modeEntries.size(), 4u);
    EXPECT_EQ(window.modeIndex, 0);
    EXPECT_EQ(window.ModeCode(), "0");
    EXPECT_EQ(window.settings.NdsTree, "ACME");
    EXPECT_EQ(window.settings.NdsContext, "");
}

TEST_P(FormWork, EnableAndDisableRunTheFamilysWritersAndSaySo) {
    BuildWithClient();
    FormState window = Filled();
    window.edCliVer = "4.91 SP2";
    window.settings.MsPassword = "pw";
    window.modeIndex = 1;
    const Environment detected = Detected(platform, true);
    LogonContext context{store(), platform, state, detected};
    EnableClicked(context, window);
    EXPECT_EQ(state.ModeText, "1");
    EXPECT_EQ(At(kWinlogon, "GinaDLL"), "SZ:MSGINA.DLL");
    EXPECT_EQ(At(kWinlogon, "DefaultPassword"), "SZ:pw");
    DisableClicked(context, window);
    EXPECT_EQ(At(kWinlogon, "GinaDLL"), "SZ:NWGINA.DLL");
    EXPECT_EQ(platform.MessageTexts(), (std::vector<std::string>{"Auto Login has been enabled",
                                                                 "Auto Login has been disabled"}));

    platform.messageBoxes.clear();
    platform.version = {4, 90, 3000, 1, ""};
    const Environment me = Detected(platform, true);
    LogonContext contextMe{store(), platform, state, me};
    window.settings.NdsPassword = "nds";
    EnableClicked(contextMe, window);
    EXPECT_EQ(At(kRun, "Default"), "SZ:LoginW95 S/U /Pwd=nds /Cont");
    DisableClicked(contextMe, window);
    EXPECT_EQ(At(kRun, "Default"), "<missing>");
    EXPECT_EQ(platform.MessageTexts(),
              (std::vector<std::string>{"Auto Login has been enabled", "AutoLogon has been disabled",
                                        "Auto Login has been disabled"}));
}

INSTANTIATE_TEST_SUITE_P(Stores, FormWork, ::testing::ValuesIn(AllStores()), StoreName);

}  // namespace
}  // namespace sentrel::test
