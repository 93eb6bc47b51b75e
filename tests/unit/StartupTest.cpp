// Start-up and the unattended run, on a fake platform and an in-memory registry.
#include "logon/LogonSettings.h"
#include "registry/unitEXRegistry.h"
#include "support/StartupFixture.h"

namespace sentrel::test {
namespace {

using namespace keys;

TEST_F(Startup, WithoutArgumentsTheWindowOpensWithBothVersionFields) {
    InstallClient();
    Start("");
    EXPECT_EQ(form.caption, "Sentrel for Windows9x, WinNT, W2K & WinXP Version: 3.0.1.3");
    EXPECT_EQ(state.ProfileName, "Default");
    EXPECT_EQ(form.edCliVer, "4.91");
    EXPECT_EQ(form.edWinVer, "Running WinNT or above");
    EXPECT_EQ(form.settings.MsDomain, "XP-PC");
    EXPECT_FALSE(form.settingsTabsVisible);
    EXPECT_FALSE(platform.EndRequested());
    EXPECT_EQ(platform.messageBoxes.size(), 0u);
    EXPECT_EQ(state.ExitCode, 0);
}

TEST_F(Startup, AMissingOrUnknownModeShowsTheMessageWritesNothingAndFails) {
    InstallClient();
    for (const char* line : {"/U", "/U /Mode:7", "/U /Mode:error", "/NDSUsr:Jones /MSPass:x",
                             "/U /Mode: /MSDom:D"}) {
        SCOPED_TRACE(line);
        platform = FakePlatform();
        SetUp();
        store.Clear();
        state.ExitCode = 0;
        Start(line);
        EXPECT_EQ(platform.MessageTexts(),
                  std::vector<std::string>{"Mode switch needs to be either 0, 1 or 2 or 3"});
        EXPECT_EQ(platform.messageBoxes[0].flags, kMbOk | kMbIconError);
        EXPECT_EQ(store.Writes(), std::vector<std::string>{});
        EXPECT_TRUE(platform.EndRequested());
        EXPECT_EQ(state.ExitCode, 1);
    }
}

TEST_F(Startup, WithoutAClientAMissingModeStillWritesNothing) {
    Start("/U /LockWS /MSUsr:kiosk");
    EXPECT_EQ(platform.MessageTexts().size(), 1u);
    EXPECT_EQ(store.Writes(), std::vector<std::string>{});
    On9x();
    Start("/U /NDSUsr:u");
    EXPECT_EQ(At(kRun, "Default"), "<missing>");
}

TEST_F(Startup, ModeZeroWritesTheTypicalLoginScriptRequest) {
    InstallClient();
    Start("/U /NDSTree:ACME /NDSCx:ou=k.o=acme /NDSUsr:kiosk1 /NDSPass:pw /MSDom:OFFICE "
          "/MSUsr:kiosk /MSPass:mspw /RunScript /Mode:0");
    EXPECT_EQ(platform.messageBoxes.size(), 0u);
    EXPECT_TRUE(platform.EndRequested());
    EXPECT_EQ(state.ExitCode, 0);
    EXPECT_EQ(At(kLogin, "AutoAdminLogon"), "SZ:1");
    EXPECT_EQ(At(kLogin, "DefaultPassword"), "SZ:pw");
    EXPECT_EQ(At(kNwgina, "DefaultNDSTree"), "SZ:ACME");
    EXPECT_EQ(At(kWinlogon, "AutoAdminLogon"), "SZ:1");
    EXPECT_EQ(At(kWinlogon, "DefaultDomainName"), "SZ:OFFICE");
    EXPECT_EQ(At(kWinlogon, "DefaultPassword"), "SZ:mspw");
    EXPECT_EQ(At(kWorkstationService, "DependOnService"),
              "MULTI_SZ:5463706970005352564C4F430000");  // Tcpip, SRVLOC
    EXPECT_EQ(At(kService + "\\Tab2", "Login Script"), "DWORD:1");  // Tab1 is the NDS tab
}

TEST_F(Startup, ModeThreeStoresTheNamesWithoutAutomaticLogon) {
    InstallClient();
    Start("/U /Mode:3 /NDSUsr:kiosk1 /MSUsr:kiosk /MSPass:secret");
    EXPECT_EQ(At(kWinlogon, "AutoAdminLogon"), "SZ:0");
    EXPECT_EQ(At(kWinlogon, "DefaultUserName"), "SZ:kiosk");
    EXPECT_EQ(At(kWinlogon, "DefaultPassword"), "<missing>");
    EXPECT_EQ(At(kLogin, "DefaultUserName"), "SZ:kiosk1");
}

TEST_F(Startup, DisableNeedsNoModeAndKeepsTheRestoredNmas) {
    InstallClient();
    Start("/U /Mode:0 /MSUsr:kiosk /MSPass:pw /NDSUsr:n");
    EXPECT_EQ(At(kLogin, "NMAS Authentication"), "DWORD:0");
    platform = FakePlatform();
    SetUp();
    Start("/U /Disable /NDSTree:T");
    EXPECT_EQ(platform.messageBoxes.size(), 0u);
    EXPECT_EQ(state.ExitCode, 0);
    EXPECT_EQ(At(kLogin, "NMAS Authentication"), "DWORD:1");
    EXPECT_EQ(At(kLogin, "Sentrel NMAS"), "<missing>");  // used once, and gone
    EXPECT_EQ(At(kWinlogon, "AutoAdminLogon"), "SZ:0");
    EXPECT_EQ(At(kWinlogon, "DefaultPassword"), "SZ:");
    EXPECT_EQ(At(kWinlogon, "DefaultUserName"), "SZ:");  // the names given: none
    EXPECT_EQ(At(kLogin, "AutoAdminLogon"), "SZ:0");
    EXPECT_EQ(At(kNwgina, "DefaultNDSTree"), "SZ:T");
}

TEST_F(Startup, StrayTabKeysNeitherHangStartUpNorAnyWriter) {
    InstallClient();
    PutString(memory, kService + "\\Tab999999999", "Tab", "NDS");
    PutString(memory, kService + "\\Tab999999999", "Tree", "FOUND");
    for (const char* name : {"Tab4294967296", "Tab007", "TABX", "Tab"})
        PutString(memory, kService + "\\" + name, "Tab", "Other");
    const char* runs[] = {"", "/U /NDSTree:AuToDeTeCt /MSUsr:AuToDeTeCt /Mode:0", "/U /Mode:1",
                          "/U /Mode:2", "/U /Mode:3", "/U /Disable", "/U /NDSTree:ACME /Mode:0"};
    for (const char* arguments : runs) {
        SCOPED_TRACE(arguments);
        store.LimitOpens(200);
        Start(arguments);
        EXPECT_EQ(platform.messageBoxes.size(), 0u);
        EXPECT_EQ(state.ExitCode, 0);
    }
    // The directory tab behind the gap was found and written, never duplicated.
    EXPECT_EQ(At(kService + "\\Tab999999999", "Tree"), "SZ:ACME");
    EXPECT_EQ(SubkeyNames(memory, kService).size(), 7u);  // five, and the script and NT tabs
}

TEST_F(Startup, FlagsInsideValuesChangeNothing) {
    InstallClient();
    Start("/U /Mode:0 /NDSTree:DISABLED /MSPass:Lockws7 /MSUsr:u");
    EXPECT_EQ(At(kWinlogon, "AutoAdminLogon"), "SZ:1");
    EXPECT_EQ(At(kRun, "ForceAutoLock"), "<missing>");
    EXPECT_EQ(At(kWinlogon, "DefaultPassword"), "SZ:Lockws7");
}

TEST_F(Startup, AutoWsNameAndLockWsOnTheNtFamily) {
    platform.computerName = "KIOSK-07";
    Start("/U /Mode:1 /AutoWSName /MSDom:Office /MSUsr:u /LockWS");
    EXPECT_EQ(At(kWinlogon, "DefaultDomainName"), "SZ:KIOSK-07");
    EXPECT_EQ(At(kRun, "ForceAutoLock"), "SZ:RunDll32.exe user32.dll,LockWorkStation");
}

TEST_F(Startup, GuessesReplaceOnlyTheExactKeywordWithStoredStrings) {
    InstallClient();
    PutString(memory, kService + "\\Tab1", "Tab", "NDS");
    PutString(memory, kService + "\\Tab1", "Tree", "STORED_TREE");
    PutValue(memory, kWinlogon, "DefaultUserName", kRegExpandSz, Sz("Administrator"));
    // A guess that finds nothing is an error of the run, found before anything is written.
    Start("/U /Mode:2 /NDSCx:AuToDeTeCt /MSUsr:kiosk");
    EXPECT_EQ(platform.MessageTexts(), std::vector<std::string>{
                                           "Nothing is stored on this workstation to take "
                                           "/NDSCx:AuToDeTeCt from\r\n\r\nNothing was changed."});
    EXPECT_EQ(state.ExitCode, 1);
    EXPECT_EQ(store.Writes(), std::vector<std::string>{});
    platform = FakePlatform();
    SetUp();
    state.ExitCode = 0;
    Start("/U /Mode:2 /NDSTree:AuToDeTeCt /NDSUsr:autodetect "
          "/MSDom:AuToDeTeCt /MSUsr:AuToDeTeCt /NDSPass:AuToDeTeCt /MSPass:x");
    EXPECT_EQ(state.ExitCode, 0);
    EXPECT_EQ(At(kNwgina, "DefaultNDSTree"), "SZ:STORED_TREE");
    EXPECT_EQ(At(kNwgina, "DefaultNetwareUserName"), "SZ:autodetect");
    EXPECT_EQ(At(kWinlogon, "DefaultDomainName"), "SZ:XP-PC");
    EXPECT_EQ(At(kWinlogon, "DefaultUserName"), "SZ:Administrator");
}

TEST_F(Startup, NtFourHasNoLockWorkStationSoTheLockIsRefusedBeforeAnyWrite) {
    platform.version = {4, 0, 1381, 2, "Service Pack 6"};
    Start("/U /Mode:1 /MSUsr:u /LockWS");
    EXPECT_EQ(platform.MessageTexts(),
              std::vector<std::string>{"/LockWS needs Windows 2000 or later: Windows NT 4 cannot "
                                       "lock the workstation\r\n\r\nNothing was changed."});
    EXPECT_EQ(state.ExitCode, 1);
    EXPECT_EQ(store.Writes(), std::vector<std::string>{});
    // The window offers no lock box there, even where an entry was stored by hand.
    PutString(memory, kRun, "ForceAutoLock", "RunDll32.exe user32.dll,LockWorkStation");
    platform = FakePlatform();
    platform.version = {4, 0, 1381, 2, "Service Pack 6"};
    SetUp();
    Start("");
    EXPECT_FALSE(form.cbLockWkstnEnabled);
    EXPECT_FALSE(form.settings.LockWorkstation);
}

TEST_F(Startup, NineXTakesItsOwnRoadAndIgnoresTheLock) {
    On9x();
    InstallClient();
    MakeKey(memory, kRealModeNet);
    Start("/U /Mode:0 /NDSSrv:SRV1 /NDSUsr:user1 /NDSPass:pw /LockWS");
    EXPECT_EQ(At(kRun, "Default"), "SZ:LoginW95 SRV1/user1 /Pwd=pw /Cont /NS");
    EXPECT_EQ(At(kRun, "ForceAutoLock"), "<missing>");
    platform = FakePlatform();
    SetUp();
    On9x();
    Start("/U /Disable");
    EXPECT_EQ(At(kRun, "Default"), "<missing>");
    EXPECT_EQ(platform.MessageTexts(), std::vector<std::string>{"AutoLogon has been disabled"});
}

TEST_F(Startup, TheInstallerRunsFirstAndItsClientIsUsed) {
    platform.waitTimeouts = 3;
    platform.exitCode = 1641;
    platform.onStart = [&](const StartRequest&) { InstallClient(); };
    Start("/U \"/ACU:C:\\Setup Files\\setupnw.exe\" \"/ACUParam:/ACU /U\" /Mode:0 /NDSUsr:n "
          "/NDSPass:p /MSUsr:u");
    ASSERT_EQ(platform.shellCalls.size(), 1u);
    const auto& call = platform.shellCalls[0];
    EXPECT_EQ(call.verb, "Open");
    EXPECT_EQ(call.file, "C:\\Setup Files\\setupnw.exe");
    EXPECT_EQ(call.parameters, "/ACU /U");
    EXPECT_EQ(call.directory, "C:\\Setup Files\\");
    EXPECT_EQ(call.showCommand, 1);
    EXPECT_EQ(platform.messagePumps, 3);
    EXPECT_EQ(platform.closedProcesses, 1);
    EXPECT_EQ(program.environment.clientVersion, "4.91");
    EXPECT_EQ(form.modeEntries.size(), 4u);  // the cut list is whole again
    EXPECT_TRUE(form.directoryFieldsVisible);
    EXPECT_EQ(At(kLogin, "AutoAdminLogon"), "SZ:1");
    EXPECT_EQ(At(kNwgina, "DefaultNetWarePassword"), "SZ:p");
}

TEST_F(Startup, AnInstallerThatDoesNotStartDoesNotStopTheRun) {
    platform.shellStarts = false;
    Start("/U /ACU:setup.exe /Mode:1 /MSUsr:u");
    EXPECT_EQ(platform.shellCalls[0].directory, "");
    EXPECT_EQ(platform.shellCalls[0].parameters, "");
    EXPECT_EQ(At(kWinlogon, "AutoAdminLogon"), "SZ:1");
    EXPECT_EQ(state.ExitCode, 0);
}

TEST_F(Startup, HelpEndsOnlyWhenAnsweredWithOk) {
    Start("/?");
    EXPECT_EQ(platform.MessageTexts(),
              std::vector<std::string>{"Help is found by running Sentrel.exe and select the Usage Tab"});
    EXPECT_TRUE(platform.EndRequested());
    platform = FakePlatform();
    platform.messageBoxAnswers = {kIdCancel};
    Start("/?");
    EXPECT_FALSE(platform.EndRequested());
    platform = FakePlatform();
    Start("/U /? /Disable");  // the end is pending: the help box closes at once
    EXPECT_EQ(platform.messageBoxes.back().answer, kIdCancel);
    EXPECT_EQ(state.ExitCode, 0);
}

TEST_F(Startup, Windows3xIsRefusedBeforeAnythingIsWritten) {
    platform.version = {3, 10, 0, 0, ""};
    Start("/U /Mode:1 /MSUsr:u");
    EXPECT_EQ(platform.MessageTexts(), std::vector<std::string>{
                                           "Sorry, but this program is intended for Win9x, "
                                           "WinME, WinNT, Win2000 or WinXP"});
    EXPECT_TRUE(platform.EndRequested());
    EXPECT_EQ(store.Writes(), std::vector<std::string>{});
    EXPECT_FALSE(KeyExists(memory, "SOFTWARE\\Novell"));
}

TEST_F(Startup, AnErrorInAnUnattendedRunEndsItWithExitCodeOne) {
    RemoveTree(memory, kWinlogon);
    Start("/U /Mode:1 /MSUsr:u");
    EXPECT_EQ(platform.MessageTexts(),
              std::vector<std::string>{
                  "Failed to set data for 'DefaultDomainName'\r\n\r\nNothing was changed."});
    EXPECT_EQ(platform.messageBoxes[0].caption, "Sentrel for Windows9x, WinNT, W2K & WinXP");
    EXPECT_TRUE(platform.EndRequested());
    EXPECT_EQ(state.ExitCode, 1);
    EXPECT_EQ(store.Writes(), std::vector<std::string>{});  // the values before it stay unwritten
}

TEST_F(Startup, AnErrorAtStartUpWithoutUnattendedRunOpensTheWindow) {
    PutString(memory, kClientVersion, "MajorVersion", "4");
    Start("");
    EXPECT_EQ(platform.MessageTexts(),
              std::vector<std::string>{"Invalid data type for 'MajorVersion'"});
    EXPECT_FALSE(platform.EndRequested());
    EXPECT_EQ(state.ExitCode, 0);
    platform = FakePlatform();
    Start("/U /Mode:1");  // the same error stops an unattended run before anything is written
    EXPECT_EQ(state.ExitCode, 1);
    EXPECT_EQ(store.Writes(), std::vector<std::string>{});
}

TEST(RunAndWait, GivesTheExitCodeOrMinusOne) {
    FakePlatform platform;
    platform.exitCode = 3;
    platform.waitTimeouts = 2;
    EXPECT_EQ(RunAndWait(platform, "Open", "x.exe", "", "", 1, true), 3);
    EXPECT_EQ(platform.messagePumps, 2);
    EXPECT_EQ(RunAndWait(platform, "Open", "x.exe", "", "", 1, false), 0);
    platform.exitCode.reset();
    EXPECT_EQ(RunAndWait(platform, "Open", "x.exe", "", "", 1, true), -1);
    platform.shellStarts = false;
    EXPECT_EQ(RunAndWait(platform, "Open", "x.exe", "", "", 1, true), -1);
    EXPECT_EQ(platform.closedProcesses, 3);
}

TEST(FolderOf, IsEverythingUpToTheLastBackslashOrColon) {
    EXPECT_EQ(FolderOf("C:\\Novell\\setupnw.exe"), "C:\\Novell\\");
    EXPECT_EQ(FolderOf("D:setup.exe"), "D:");
    EXPECT_EQ(FolderOf("setup.exe"), "");
    EXPECT_EQ(FolderOf("\\\\server\\share\\acu.exe"), "\\\\server\\share\\");
}

}  // namespace
}  // namespace sentrel::test
