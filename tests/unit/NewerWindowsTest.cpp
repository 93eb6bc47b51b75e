// Workstations that report Windows Vista or later: the family text stays "Windows NT", but the
// lock works there, no logon dialog (GINA) is written, kept or put back, and a run refused for
// want of rights says to start the program with "Run as administrator".
#include "detect/Environment.h"
#include "support/StartupFixture.h"

namespace sentrel::test {
namespace {

using namespace keys;

const char* const kLog = "C:\\r.log";

TEST(Environment, TellsWhatAWindowsVersionHasByItsNumberNotItsFamily) {
    struct Case {
        std::uint32_t platformId, major, minor, build;
        std::uint32_t ntVersion;
        bool withoutLock, withoutGina;
        const char* text;
    } cases[] = {
        {1, 4, 10, 2222, 0, false, false, "Windows 95 (4.10.2222)"},
        {2, 4, 0, 1381, 400, true, false, "Windows NT (4.0.1381)"},
        {2, 5, 1, 2600, 501, false, false, "Windows 2000 (5.1.2600)"},
        {2, 6, 0, 6002, 600, false, true, "Windows NT (6.0.6002)"},
        {2, 6, 1, 7601, 601, false, true, "Windows NT (6.1.7601)"},
        {2, 6, 2, 9200, 602, false, true, "Windows NT (6.2.9200)"},
        {2, 6, 3, 9600, 603, false, true, "Windows NT (6.3.9600)"},
        {2, 10, 0, 19045, 1000, false, true, "Windows NT (10.0.19045)"},
    };
    FakePlatform platform;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        platform.version = {c.major, c.minor, c.build, c.platformId, ""};
        Environment environment;
        DetectWindows(platform, environment);
        EXPECT_EQ(environment.windowsVersion, c.text);
        EXPECT_EQ(environment.ntVersion, c.ntVersion);
        EXPECT_EQ(environment.NtWithoutLock(), c.withoutLock);
        EXPECT_EQ(environment.WithoutGina(), c.withoutGina);
        EXPECT_EQ(environment.WithUserAccountControl(), c.withoutGina);
    }
}

class NewerWindows : public Startup {
protected:
    void OnWindows(std::uint32_t major, std::uint32_t minor, std::uint32_t build) {
        platform.version = {major, minor, build, 2, ""};
    }
    std::string Record() { return platform.files[kLog]; }
};

TEST_F(NewerWindows, ModeOneLocksAndLeavesTheLogonDialogAloneAndSaysSo) {
    InstallClient();
    PutString(memory, kInitialLogin, "Login When NWGina Not Loaded", "Yes");
    // A dialog kept by mode 1 on the Windows this machine was upgraded from.
    PutString(memory, kGinaBackup, "GinaDLL", "CUSTOM.DLL");
    OnWindows(6, 1, 7601);
    Start(std::string("/U /Quiet /Log:") + kLog + " /MSUsr:kiosk /MSPass:p /LockWS /Mode:1");
    EXPECT_EQ(state.ExitCode, kExitDone) << Record();
    EXPECT_EQ(At(kRun, "ForceAutoLock"), "SZ:RunDll32.exe user32.dll,LockWorkStation");
    EXPECT_EQ(At(kWinlogon, "AutoAdminLogon"), "SZ:1");
    EXPECT_EQ(At(kWinlogon, "GinaDLL"), "SZ:NWGINA.DLL");
    EXPECT_EQ(At(kGinaBackup, "GinaDLL"), "SZ:CUSTOM.DLL");
    EXPECT_NE(Record().find("\r\nNote: Windows Vista and later have no logon dialog to replace: "
                            "GinaDLL is not written.\r\n"),
              std::string::npos)
        << Record();
    // What mode 1 wrote reads back as mode 1, though the dialog stayed.
    EXPECT_NE(Record().find("\r\nIn force after: mode 1, "), std::string::npos) << Record();
    EXPECT_EQ(Record().find("GinaDLL |"), std::string::npos) << Record();

    // Another mode and a disable put no dialog back either.
    for (const char* run : {"/U /MSUsr:kiosk /Mode:2", "/U /Disable"}) {
        SCOPED_TRACE(run);
        state = ProgramState();
        Start(run);
        EXPECT_EQ(state.ExitCode, kExitDone);
        EXPECT_EQ(At(kWinlogon, "GinaDLL"), "SZ:NWGINA.DLL");
        EXPECT_EQ(At(kGinaBackup, "GinaDLL"), "SZ:CUSTOM.DLL");
    }
}

TEST_F(NewerWindows, EveryModeCanFollowModeOne) {
    for (const auto& [major, minor, build] : {std::tuple{6u, 1u, 7601u}, std::tuple{10u, 0u, 19045u}})
        for (const char* mode : {"0", "2"}) {
            SCOPED_TRACE(std::to_string(major) + " mode " + mode);
            memory = MemoryStore();
            platform = FakePlatform();
            state = ProgramState();
            SetUp();
            InstallClient();
            PutString(memory, kInitialLogin, "Login When NWGina Not Loaded", "Yes");
            PutDword(memory, kNeverLogin, "Never Login", 0);
            OnWindows(major, minor, build);
            const std::string names = " /NDSUsr:k /NDSPass:p /MSUsr:kiosk /MSPass:p /Mode:";
            Start("/U /Quiet" + names + "1");
            ASSERT_EQ(At(kInitialLogin, "Login When NWGina Not Loaded"), "SZ:No");
            Start(std::string("/U /Quiet /Log:") + kLog + names + mode);
            EXPECT_EQ(state.ExitCode, kExitDone) << Record();
            EXPECT_EQ(At(kInitialLogin, "Login When NWGina Not Loaded"), "SZ:Yes");
            EXPECT_EQ(At(kNeverLogin, "Never Login"), "DWORD:0");
            EXPECT_NE(Record().find(std::string("\r\nIn force after: mode ") + mode + ", "),
                      std::string::npos)
                << Record();
            state = ProgramState();
            Start(std::string("/U /Quiet /Check") + names + mode);
            EXPECT_EQ(state.ExitCode, kExitDone);
        }
}

TEST_F(NewerWindows, ARefusalForWantOfRightsSaysToRunAsAdministratorFromVistaOn) {
    for (const bool vista : {true, false}) {
        SCOPED_TRACE(vista ? "Windows 10" : "XP");
        memory = MemoryStore();
        platform = FakePlatform();
        state = ProgramState();
        SetUp();
        if (vista) OnWindows(10, 0, 19045);
        // As an administrator's program without elevation: HKLM may be read, not written.
        memory.Deny(kHkeyLocalMachine, "SOFTWARE");
        memory.Deny(kHkeyLocalMachine, kWinlogon);
        Start(std::string("/U /Log:") + kLog + " /MSUsr:kiosk /Mode:1");
        EXPECT_EQ(state.ExitCode, kExitFailed);
        ASSERT_EQ(platform.MessageTexts().size(), 1u);
        const std::string hint = ". Start Sentrel with 'Run as administrator'.";
        const std::string box = platform.MessageTexts()[0];
        EXPECT_EQ(box.find("Failed to open key \\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion"
                           "\\WinLogon" + hint + "\r\n\r\nNothing was changed.") != std::string::npos,
                  vista)
            << box;
        EXPECT_EQ(Record().find(hint) != std::string::npos, vista) << Record();
        // A journal it may not read says the same.
        memory.Deny(kHkeyLocalMachine, "SOFTWARE", false);
        PutString(memory, "SOFTWARE\\Pellam\\Sentrel\\Journal", "1", "unreadable here");
        memory.Deny(kHkeyLocalMachine, "SOFTWARE");
        platform.messageBoxes.clear();
        Start("/U /MSUsr:kiosk /Mode:1");
        ASSERT_EQ(platform.MessageTexts().size(), 1u);
        EXPECT_EQ(platform.MessageTexts()[0],
                  std::string("Cannot read the journal HKLM\\SOFTWARE\\Pellam\\Sentrel\\Journal. "
                              "Check it, then remove it with: reg delete "
                              "\"HKLM\\SOFTWARE\\Pellam\\Sentrel\\Journal\" /f") +
                      (vista ? hint : "") + "\r\n\r\nNothing was changed.");
        memory.Deny(kHkeyLocalMachine, "SOFTWARE", false);
        memory.Deny(kHkeyLocalMachine, kWinlogon, false);
    }
}

TEST_F(NewerWindows, OnlyNtFourRefusesTheLockAndDisablesItsBox) {
    for (const auto& [major, minor, refused] :
         {std::tuple{4u, 0u, true}, std::tuple{5u, 0u, false}, std::tuple{6u, 2u, false}}) {
        SCOPED_TRACE(std::to_string(major) + "." + std::to_string(minor));
        platform = FakePlatform();
        state = ProgramState();
        SetUp();
        OnWindows(major, minor, 1000);
        Start("/U /Quiet /MSUsr:kiosk /LockWS /Mode:1");
        EXPECT_EQ(state.ExitCode, refused ? kExitFailed : kExitDone);
        EXPECT_EQ(At(kRun, "ForceAutoLock") == "<missing>", refused);
        // The window's lock box likewise.
        Start("");
        EXPECT_EQ(form.cbLockWkstnEnabled, !refused);
    }
}

}  // namespace
}  // namespace sentrel::test
