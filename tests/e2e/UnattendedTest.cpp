// The unattended run of the real program, for every road and the emulated Windows versions.
#include "E2eFixture.h"

namespace sentrel::e2e {
namespace {

using namespace test;
using namespace test::keys;

const char* const kFullModeZero =
    "/U /NDSTree:ACME_TREE /NDSCx:ou=Kiosk.o=Acme /NDSUsr:kiosk1 /NDSPass:ndspw "
    "/NDSSrv:10.0.0.5 /MSDom:OFFICE /MSUsr:kiosk /MSPass:mspw /RunScript /Mode:0";

class Unattended : public E2e {};

TEST_P(Unattended, ModeZeroOnXpWithTheClientWritesEverythingSilently) {
    BuildWithClient();
    SentrelRun run(kFullModeZero);
    EXPECT_EQ(run.FinishAnsweringOk(), 0);
    EXPECT_EQ(run.MessageTexts(), std::vector<std::string>{});
    EXPECT_EQ(At(kLogin, "AutoAdminLogon"), "SZ:1");
    EXPECT_EQ(At(kLogin, "DefaultPassword"), "SZ:ndspw");
    EXPECT_EQ(At(kLogin, "AutoAdminQueryNDS"), "DWORD:0");
    EXPECT_EQ(At(kLogin, "NMAS Authentication"), "DWORD:0");
    EXPECT_EQ(At(kLogin, "Sentrel NMAS"), "DWORD:1");
    EXPECT_EQ(At(kNwgina, "NetWareAutoAdminLogon"), "SZ:1");
    EXPECT_EQ(At(kNwgina, "DefaultNetWarePassword"), "SZ:ndspw");
    EXPECT_EQ(At(kService + "\\Tab1", "Tree"), "SZ:ACME_TREE");
    EXPECT_EQ(At(kService + "\\Tab2", "Login Script"), "DWORD:1");
    EXPECT_EQ(At(kService + "\\Tab3", "DefaultDomainName"), "SZ:OFFICE");
    EXPECT_EQ(At(kWinlogon, "AutoAdminLogon"), "SZ:1");
    EXPECT_EQ(At(kWinlogon, "ForceAutoLogon"), "SZ:1");
    EXPECT_EQ(At(kWinlogon, "DefaultPassword"), "SZ:mspw");
    EXPECT_EQ(At(kWinlogon, "AutoLogonCount"), "SZ:" + std::string(41, '9'));
    EXPECT_EQ(At(kWinlogon, "GinaDLL"), "SZ:NWGINA.DLL");
    EXPECT_EQ(At(kWorkstationService, "DependOnService"),
              "MULTI_SZ:5463706970004E65744254005352564C4F430000");  // Tcpip, NetBT, SRVLOC
    EXPECT_EQ(At(kBackup, "DependOnService"), "MULTI_SZ:5463706970004E657442540000");
}

TEST_P(Unattended, EachModeWithAndWithoutTheClient) {
    struct Row {
        bool client;
        const char* mode;
        const char* novell;
        const char* winlogon;
        const char* gina;
    } rows[] = {
        {true, "1", "SZ:0", "SZ:1", "SZ:MSGINA.DLL"},
        {true, "2", "SZ:0", "SZ:1", "SZ:NWGINA.DLL"},
        {true, "3", "SZ:0", "SZ:0", "SZ:NWGINA.DLL"},
        {false, "0", "SZ:0", "SZ:1", "SZ:MSGINA.DLL"},
        {false, "2", "SZ:0", "SZ:1", "SZ:MSGINA.DLL"},
        {false, "3", "SZ:0", "SZ:0", "SZ:MSGINA.DLL"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.client ? "client" : "no client") + ", mode " + row.mode);
        TearDown();
        SetUp();
        if (row.client) BuildWithClient();
        SentrelRun run(std::string("/U /NDSUsr:n /MSUsr:kiosk /MSPass:pw /Mode:") + row.mode);
        EXPECT_EQ(run.FinishAnsweringOk(), 0);
        EXPECT_EQ(run.MessageTexts(), std::vector<std::string>{});
        EXPECT_EQ(At(kLogin, "AutoAdminLogon"), row.novell);
        EXPECT_EQ(At(kNwgina, "NetWareAutoAdminLogon"), "SZ:0");
        EXPECT_EQ(At(kWinlogon, "AutoAdminLogon"), row.winlogon);
        EXPECT_EQ(At(kWinlogon, "GinaDLL"), row.gina);
        EXPECT_EQ(At(kWinlogon, "DefaultUserName"), "SZ:kiosk");
    }
}

TEST_P(Unattended, AThirdPartyLogonDialogSurvivesWorkstationOnlyLogonAndDisable) {
    for (bool client : {true, false}) {
        SCOPED_TRACE(client ? "client" : "no client");
        RebuildWithThirdPartyDialog(client, "ACMEGINA.DLL");
        for (int round = 0; round < 2; ++round) {
            SentrelRun enable("/U /MSUsr:kiosk /MSPass:pw /Mode:1");
            EXPECT_EQ(enable.FinishAnsweringOk(), 0);
            EXPECT_EQ(At(kWinlogon, "GinaDLL"), "SZ:MSGINA.DLL");
            SentrelRun disable("/U /Disable");
            EXPECT_EQ(disable.FinishAnsweringOk(), 0);
            EXPECT_EQ(disable.MessageTexts(), std::vector<std::string>{});
            EXPECT_EQ(At(kWinlogon, "GinaDLL"), "SZ:ACMEGINA.DLL");
            EXPECT_FALSE(KeyExists(store(), kGinaBackup));
        }
    }
}

TEST_P(Unattended, DisableWithAndWithoutMode) {
    BuildWithClient();
    for (const char* line : {"/U /Disable", "/U /Disable /Mode:3 /NDSTree:T /MSUsr:kiosk"}) {
        SCOPED_TRACE(line);
        SentrelRun enable("/U /NDSUsr:n /NDSPass:p /MSUsr:u /MSPass:pw /LockWS /Mode:0");
        EXPECT_EQ(enable.FinishAnsweringOk(), 0);
        EXPECT_EQ(At(kRun, "ForceAutoLock"), "SZ:RunDll32.exe user32.dll,LockWorkStation");
        SentrelRun disable(line);
        EXPECT_EQ(disable.FinishAnsweringOk(), 0);
        EXPECT_EQ(disable.MessageTexts(), std::vector<std::string>{});
        EXPECT_EQ(At(kWinlogon, "AutoAdminLogon"), "SZ:0");
        EXPECT_EQ(At(kWinlogon, "DefaultPassword"), "SZ:");
        EXPECT_EQ(At(kLogin, "AutoAdminLogon"), "SZ:0");
        EXPECT_EQ(At(kLogin, "DefaultPassword"), "SZ:");
        EXPECT_EQ(At(kLogin, "NMAS Authentication"), "DWORD:1");
        EXPECT_EQ(At(kNwgina, "DefaultNetWarePassword"), "SZ:");
        EXPECT_EQ(At(kRun, "ForceAutoLock"), "<missing>");
    }
    EXPECT_EQ(At(kNwgina, "DefaultNDSTree"), "SZ:T");
    EXPECT_EQ(At(kWinlogon, "DefaultUserName"), "SZ:kiosk");
}

TEST_P(Unattended, WorkstationNameAndGuesses) {
    BuildWithClient();
    PutString(store(), kService + "\\Tab1", "Tree", "STORED_TREE");
    PutString(store(), kWinlogon, "DefaultDomainName", "STORED_DOMAIN");
    SentrelRun guessed("/U /NDSTree:AuToDeTeCt /MSDom:AuToDeTeCt /MSUsr:AuToDeTeCt "
                       "/NDSPass:AuToDeTeCt /Mode:2");
    EXPECT_EQ(guessed.FinishAnsweringOk(), 0);
    EXPECT_EQ(At(kNwgina, "DefaultNDSTree"), "SZ:STORED_TREE");
    EXPECT_EQ(At(kWinlogon, "DefaultDomainName"), "SZ:STORED_DOMAIN");
    EXPECT_EQ(At(kWinlogon, "DefaultUserName"), "SZ:Administrator");

    char name[17] = {};
    DWORD size = 16;
    ASSERT_TRUE(GetComputerNameA(name, &size));
    SentrelRun named("/U /AutoWSName /MSDom:Office /MSUsr:u /Mode:1");
    EXPECT_EQ(named.FinishAnsweringOk(), 0);
    EXPECT_EQ(At(kWinlogon, "DefaultDomainName"), std::string("SZ:") + name);
}

TEST_P(Unattended, AMissingOrUnknownModeWritesNothingAndFails) {
    BuildWithClient();
    auto before = Snapshot();
    for (const char* line : {"/U", "/U /Mode:7 /MSUsr:x", "/NDSUsr:Jones /MSPass:x"}) {
        SCOPED_TRACE(line);
        SentrelRun run(line);
        EXPECT_EQ(run.FinishAnsweringOk(), 1);
        EXPECT_EQ(run.MessageTexts(),
                  std::vector<std::string>{"Mode switch needs to be either 0, 1 or 2 or 3"});
        EXPECT_EQ(Snapshot(), before);
    }
}

TEST_P(Unattended, ARegistryErrorIsShownAndEndsWithExitCodeOne) {
    BuildWithClient();
    Deny(kNwgina);
    SentrelRun run("/U /MSUsr:u /Mode:2");
    MessageBoxSeen seen;
    ASSERT_TRUE(run.AnswerMessageBox(IDOK, &seen));
    EXPECT_EQ(seen.text, "Failed to create key \\SOFTWARE\\NOVELL\\NWGINA\\Login Screen\r\n\r\n"
                         "Nothing was changed.");
    EXPECT_EQ(seen.caption, "Sentrel for Windows9x, WinNT, W2K & WinXP");
    EXPECT_EQ(run.FinishAnsweringOk(), 1);
    EXPECT_EQ(run.WaitForMainWindow(100), nullptr);
}

TEST_P(Unattended, OlderNtVersionsTakeTheNtRoad) {
    for (const char* version : {"nt40", "win2k"}) {
        SCOPED_TRACE(version);
        TearDown();
        SetUp();
        SentrelRun run("/U /MSDom:D /MSUsr:u /MSPass:p /LockWS /Mode:1", version);
        const bool nt4 = std::string(version) == "nt40";
        // NT 4's user32 has no LockWorkStation: the lock is refused before anything is written.
        EXPECT_EQ(run.FinishAnsweringOk(), nt4 ? 1 : 0);
        EXPECT_EQ(run.MessageTexts(),
                  nt4 ? std::vector<std::string>{"/LockWS needs Windows 2000 or later: Windows "
                                                 "NT 4 cannot lock the workstation\r\n\r\n"
                                                 "Nothing was changed."}
                      : std::vector<std::string>{});
        EXPECT_EQ(At(kWinlogon, "AutoAdminLogon"), nt4 ? "SZ:0" : "SZ:1");
        EXPECT_EQ(At(kRun, "ForceAutoLock"),
                  nt4 ? "<missing>" : "SZ:RunDll32.exe user32.dll,LockWorkStation");
    }
    SentrelRun run("/U /MSDom:D /MSUsr:u /MSPass:p /Mode:1", "nt40");
    EXPECT_EQ(run.FinishAnsweringOk(), 0);
    EXPECT_EQ(At(kWinlogon, "AutoAdminLogon"), "SZ:1");
}

TEST_P(Unattended, Windows98TakesTheNineXRoad) {
    MakeKey(store(), kRealModeNet);
    InstallClient9x();
    SentrelRun enable("/U /NDSSrv:SRV1 /NDSUsr:user1 /NDSPass:pw /RunScript /LockWS /Mode:0",
                      "win98");
    EXPECT_EQ(enable.FinishAnsweringOk(), 0);
    EXPECT_EQ(At(kRun, "Default"), "SZ:LoginW95 SRV1/user1 /Pwd=pw /Cont");
    EXPECT_EQ(At(kRealModeNet, "AutoLogon"), "BINARY:00");
    EXPECT_EQ(At(kRun, "ForceAutoLock"), "<missing>");
    EXPECT_EQ(At(kWinlogon, "AutoAdminLogon"), "SZ:0");

    SentrelRun disable("/U /Disable", "winme");
    EXPECT_EQ(disable.FinishAnsweringOk(), 0);
    EXPECT_EQ(disable.MessageTexts(), std::vector<std::string>{"AutoLogon has been disabled"});
    EXPECT_EQ(At(kRun, "Default"), "<missing>");
    EXPECT_EQ(At(kRealModeNet, "AutoLogon"), "<missing>");
}

TEST_P(Unattended, Windows3xIsRefusedWithNothingWritten) {
    auto before = Snapshot();
    SentrelRun run("/U /MSUsr:u /Mode:1", "win31");
    EXPECT_EQ(run.FinishAnsweringOk(), 0);
    EXPECT_EQ(run.MessageTexts(),
              std::vector<std::string>{
                  "Sorry, but this program is intended for Win9x, WinME, WinNT, Win2000 or WinXP"});
    EXPECT_EQ(Snapshot(), before);
}

TEST_P(Unattended, TheInstallerRunsFirstAndIsWaitedFor) {
    std::string installer = FAKE_INSTALLER_PATH;
    for (char& c : installer)
        if (c == '/') c = '\\';
    installer = "Z:" + installer;
    SentrelRun run("/U \"/ACU:" + installer + "\" \"/ACUParam:/ACU /Q\" /NDSUsr:n /NDSPass:p "
                   "/MSUsr:u /Mode:0");
    EXPECT_EQ(run.FinishAnsweringOk(), 0);
    EXPECT_EQ(run.MessageTexts(), std::vector<std::string>{});
    EXPECT_EQ(At(kClientVersion, "InstallerParameters"), "SZ:/ACU /Q");
    EXPECT_EQ(At(kClientVersion, "InstallerFolder") + "\\",
              "SZ:" + installer.substr(0, installer.rfind('\\') + 1));
    // The client it installed is used: the directory autologon is written.
    EXPECT_EQ(At(kLogin, "AutoAdminLogon"), "SZ:1");
    EXPECT_EQ(At(kNwgina, "DefaultNetWarePassword"), "SZ:p");
}

TEST_P(Unattended, AMissingInstallerIsReportedByTheShellAndTheRunGoesOn) {
    SentrelRun run("/U /ACU:Z:\\no\\such\\setupnw.exe /MSUsr:u /Mode:1");
    EXPECT_EQ(run.FinishAnsweringOk(), 0);
    ASSERT_EQ(run.MessageBoxes().size(), 1u);
    EXPECT_NE(run.MessageTexts()[0], "");
    EXPECT_EQ(At(kWinlogon, "AutoAdminLogon"), "SZ:1");
}

TEST_P(Unattended, HelpEndsWhenAnsweredAndDoesNotWaitInAnUnattendedRun) {
    SentrelRun help("/?");
    MessageBoxSeen seen;
    ASSERT_TRUE(help.AnswerMessageBox(IDOK, &seen));
    EXPECT_EQ(seen.text, "Help is found by running Sentrel.exe and select the Usage Tab");
    EXPECT_EQ(help.FinishAnsweringOk(5000), 0);
    EXPECT_EQ(help.WaitForMainWindow(100), nullptr);

    // With /U the end is pending: the help box closes by itself and the program ends.
    SentrelRun both("/U /? /Disable");
    EXPECT_EQ(both.FinishAnsweringOk(10000), 0);
    EXPECT_EQ(both.WaitForMainWindow(100), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Wine, Unattended, ::testing::ValuesIn(WineRegistryOnly()),
                         test::StoreName);

}  // namespace
}  // namespace sentrel::e2e

#include <tlhelp32.h>

namespace sentrel::e2e {
namespace {

int RunningSentrels() {
    int count = 0;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry))
        if (lstrcmpiA(entry.szExeFile, "Sentrel.exe") == 0) ++count;
    CloseHandle(snapshot);
    return count;
}

class LongRun : public E2e {};

// A login script that enables at every logon and an administrator who disables now and then:
// a hundred runs leave the registry as two did, and every run ends cleanly.
TEST_P(LongRun, AHundredAlternatingRunsEndAsTwoDid) {
    BuildWithClient();
    const std::string enable = std::string(kFullModeZero) + " /LockWS";
    std::map<std::string, std::string> afterTwo;
    for (int run = 1; run <= 100; ++run) {
        SCOPED_TRACE("run " + std::to_string(run));
        SentrelRun sentrel(run % 2 ? enable : "/U /Disable");
        ASSERT_EQ(sentrel.FinishAnsweringOk(), 0);
        ASSERT_EQ(sentrel.MessageTexts(), std::vector<std::string>{});
        if (run == 2) afterTwo = Snapshot();
    }
    EXPECT_EQ(Snapshot(), afterTwo);
    EXPECT_EQ(RunningSentrels(), 0);
}

INSTANTIATE_TEST_SUITE_P(Wine, LongRun, ::testing::ValuesIn(WineRegistryOnly()),
                         test::StoreName);

}  // namespace
}  // namespace sentrel::e2e
