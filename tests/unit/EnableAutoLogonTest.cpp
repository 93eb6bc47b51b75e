// Switching automatic logon on, on the NT family: what each writer leaves, the result of each
// mode, the NMAS backup, and what happens when a key can't be had.
#include "logon/DirectoryAutoLogon.h"
#include "logon/EnableAutoLogon.h"
#include "logon/LogonParameters.h"
#include "logon/WindowsCredentials.h"
#include "support/Detected.h"
#include "support/ErrorOf.h"
#include "support/RecordingStore.h"
#include "support/Workstation.h"

namespace sentrel::test {
namespace {

using namespace keys;

const std::string L = KeyName(kLogin);
const std::string W = KeyName(kWinlogon);
const std::string S = KeyName(kService);
const std::string G = KeyName(kNwgina);

LogonSettings Sample() {
    LogonSettings s;
    s.NdsTree = "ACME_TREE";
    s.NdsContext = "ou=Kiosk.o=Acme";
    s.NdsUser = "kiosk1";
    s.NdsPassword = "nds pw";
    s.NdsServer = "10.0.0.5";
    s.MsDomain = "OFFICE";
    s.MsUser = "kiosk";
    s.MsPassword = "ms pw";
    s.RunScript = true;
    return s;
}

class Enable : public WorkstationTest {
protected:
    // Each "KEY|name|value" (KeyName's key, Describe's value) is what the registry now holds.
    void ExpectStored(const std::vector<std::string>& values) {
        for (const std::string& line : values) {
            const std::size_t bar = line.find('|'), second = line.find('|', bar + 1);
            const std::string key = line.substr(5, bar - 5);  // without "HKLM\\"
            EXPECT_EQ(At(key, line.substr(bar + 1, second - bar - 1)), line.substr(second + 1))
                << line;
        }
    }
    void Run(const std::string& mode, RegistryStore* through = nullptr) {
        state.ModeText = mode;
        const Environment detected = Detected(platform, clientDetected);
        LogonContext context{through ? *through : store(), platform, state, detected};
        EnableAutoLogon(context, Sample());
    }
};

TEST_P(Enable, LogonParametersLeaveEveryValueInItsOwnKey) {
    BuildWithClient();
    const Environment detected = Detected(platform, clientDetected);
    LogonContext context{store(), platform, state, detected};
    SetLogonParameters(context, Sample());
    ExpectStored({
        L + "|Sentrel NMAS|DWORD:1",
        L + "|NMAS Authentication|DWORD:0",
        S + "\\TAB3|DefaultDomainName|SZ:OFFICE",
        S + "\\TAB3|DefaultUserName|SZ:kiosk",
        S + "\\TAB3|Tab|SZ:NT Credentials",
        W + "|DefaultDomainName|SZ:OFFICE",
        W + "|DefaultUserName|SZ:kiosk",
        W + "|DontDisplayLastUserName|SZ:0",
        W + "|AutoAdminLogon|SZ:0",
        L + "|DefaultUserName|SZ:kiosk1",
        L + "|AutoAdminLogon|SZ:0",
        L + "|DefaultLocationProfile|SZ:Default",
        L + "|AutoAdminQueryNDS|DWORD:1",
        S + "|Tab|SZ:Credentials",
        S + "|UserName|SZ:kiosk1",
        S + "|Save On Exit|DWORD:1",
        S + "\\TAB1|Context|SZ:ou=Kiosk.o=Acme",
        S + "\\TAB1|Tree|SZ:ACME_TREE",
        S + "\\TAB1|Tab|SZ:NDS",
        S + "\\TAB1|Server|SZ:10.0.0.5",
        S + "\\TAB2|Tab|SZ:Script",
        S + "\\TAB2|Display Results|DWORD:0",
        S + "\\TAB2|Login Script|DWORD:1",
        G + "|NetWareAutoAdminLogon|SZ:0",
        G + "|DefaultNetwareUserName|SZ:kiosk1",
        G + "|DefaultNDSContext|SZ:ou=Kiosk.o=Acme",
        G + "|DefaultNDSTree|SZ:ACME_TREE",
        G + "|DefaultNDSServer|SZ:10.0.0.5",
    });
}

TEST_P(Enable, DirectoryAutoLogonLeavesItsTwinsValuesWithPasswordsAndTheDependency) {
    BuildWithClient();
    PutString(store(), kService + "\\TAB2", "Tab", "Other");  // no script tab: a new one is made
    const Environment detected = Detected(platform, clientDetected);
    LogonContext context{store(), platform, state, detected};
    SetDirectoryAutoLogon(context, Sample());
    ExpectStored({
        L + "|Sentrel NMAS|DWORD:1",
        L + "|NMAS Authentication|DWORD:0",
        L + "|DefaultUserName|SZ:kiosk1",
        L + "|AutoAdminLogon|SZ:1",
        L + "|DefaultLocationProfile|SZ:Default",
        L + "|DefaultPassword|SZ:nds pw",
        L + "|AutoAdminQueryNDS|DWORD:0",
        S + "|Tab|SZ:Credentials",
        S + "|UserName|SZ:kiosk1",
        S + "|Save On Exit|DWORD:1",
        S + "\\TAB1|Context|SZ:ou=Kiosk.o=Acme",
        S + "\\TAB1|Tree|SZ:ACME_TREE",
        S + "\\TAB1|Tab|SZ:NDS",
        S + "\\TAB1|Server|SZ:10.0.0.5",
        S + "\\TAB4|Close Results|DWORD:1",
        S + "\\TAB4|Tab|SZ:Script",
        S + "\\TAB4|Display Results|DWORD:0",
        S + "\\TAB4|Login Script|DWORD:1",
        G + "|NetWareAutoAdminLogon|SZ:1",
        G + "|DefaultNetwareUserName|SZ:kiosk1",
        G + "|DefaultNetWarePassword|SZ:nds pw",
        G + "|DefaultNDSContext|SZ:ou=Kiosk.o=Acme",
        G + "|DefaultNDSTree|SZ:ACME_TREE",
        G + "|DefaultNDSServer|SZ:10.0.0.5",
        KeyName(kBackup + "\\inkage\\Disabled") + "|Bind|SZ:x",
        KeyName(kBackup) + "|DependOnService|MULTI_SZ:5463706970004E657442540000",
        KeyName(kWorkstationService) +
            "|DependOnService|MULTI_SZ:5463706970004E65744254005352564C4F430000",
    });
}

TEST_P(Enable, WorkstationOnlyLeavesTheWindowsLogonDialogAndTheLock) {
    BuildWithClient();
    state.ModeText = "1";
    const Environment detected = Detected(platform, clientDetected);
    LogonContext context{store(), platform, state, detected};
    LogonSettings settings = Sample();
    settings.LockWorkstation = true;
    SetWindowsCredentials(context, settings);
    ExpectStored({
        S + "\\TAB3|DefaultDomainName|SZ:OFFICE",
        S + "\\TAB3|DefaultUserName|SZ:kiosk",
        S + "\\TAB3|Tab|SZ:NT Credentials",
        W + "|DefaultDomainName|SZ:OFFICE",
        W + "|DefaultUserName|SZ:kiosk",
        W + "|DontDisplayLastUserName|SZ:0",
        W + "|DefaultPassword|SZ:ms pw",
        W + "|AutoAdminLogon|SZ:1",
        W + "|ForceAutoLogon|SZ:1",
        W + "|AutoLogonCount|SZ:" + std::string(41, '9'),
        KeyName(kRun) + "|ForceAutoLock|SZ:RunDll32.exe user32.dll,LockWorkStation",
        KeyName(kInitialLogin) + "|Login When NWGina Not Loaded|SZ:No",
        KeyName(kGinaBackup) + "|GinaDLL|SZ:NWGINA.DLL",
        W + "|GinaDLL|SZ:MSGINA.DLL",
        KeyName(kNeverLogin) + "|Never Login|DWORD:1",
    });
}

TEST_P(Enable, EachModeLeavesItsAutomaticLogonState) {
    struct Row {
        const char* mode;
        const char* novell;
        const char* nwgina;
        const char* winlogon;
        const char* gina;
    } rows[] = {
        {"0", "SZ:1", "SZ:1", "SZ:1", "SZ:NWGINA.DLL"},
        {"1", "SZ:0", "SZ:0", "SZ:1", "SZ:MSGINA.DLL"},
        {"2", "SZ:0", "SZ:0", "SZ:1", "SZ:NWGINA.DLL"},
        {"3", "SZ:0", "SZ:0", "SZ:0", "SZ:NWGINA.DLL"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string("mode ") + row.mode);
        TearDown();
        SetUp();
        BuildWithClient();
        Run(row.mode);
        EXPECT_EQ(state.ModeText, row.mode);
        EXPECT_EQ(At(kLogin, "AutoAdminLogon"), row.novell);
        EXPECT_EQ(At(kNwgina, "NetWareAutoAdminLogon"), row.nwgina);
        EXPECT_EQ(At(kWinlogon, "AutoAdminLogon"), row.winlogon);
        EXPECT_EQ(At(kWinlogon, "GinaDLL"), row.gina);
        EXPECT_EQ(At(kLogin, "NMAS Authentication"), "DWORD:0");
        EXPECT_EQ(At(kLogin, "Sentrel NMAS"), "DWORD:1");
        EXPECT_EQ(At(kService + "\\TAB1", "Tree"), "SZ:ACME_TREE");
        EXPECT_EQ(At(kWinlogon, "DefaultPassword"),
                  std::string(row.mode) == "3" ? "<missing>" : "SZ:ms pw");
        EXPECT_EQ(At(kLogin, "DefaultPassword"),
                  std::string(row.mode) == "0" ? "SZ:nds pw" : "<missing>");
        EXPECT_EQ(SubkeyNames(store(), kService), (std::vector<std::string>{"Tab1", "Tab2", "Tab3"}));
    }
}

TEST_P(Enable, WithoutAClientEveryAutomaticModeIsWorkstationOnly) {
    struct Row {
        const char* mode;
        const char* result;
        const char* winlogon;
        const char* gina;
    } rows[] = {
        {"0", "1", "SZ:1", "SZ:MSGINA.DLL"},
        {"1", "1", "SZ:1", "SZ:MSGINA.DLL"},
        {"2", "1", "SZ:1", "SZ:MSGINA.DLL"},
        {"3", "3", "SZ:0", "SZ:MSGINA.DLL"},
        {"error", "1", "SZ:1", "SZ:MSGINA.DLL"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string("mode ") + row.mode);
        TearDown();
        SetUp();
        BuildWithoutClient();
        Run(row.mode);
        EXPECT_EQ(state.ModeText, row.result);
        EXPECT_EQ(At(kWinlogon, "AutoAdminLogon"), row.winlogon);
        EXPECT_EQ(At(kWinlogon, "GinaDLL"), row.gina);
        // The directory values still reach the profile; the Novell dialog keys are not made.
        EXPECT_EQ(At(kLogin, "AutoAdminLogon"), "SZ:0");
        EXPECT_EQ(At(kLogin, "Sentrel NMAS"), "SZ:absent");
        EXPECT_EQ(At(kLogin, "NMAS Authentication"), "<missing>");
        EXPECT_EQ(At(kService + "\\Tab1", "Tab"), "SZ:NT Credentials");
        EXPECT_EQ(At(kService + "\\Tab2", "Tree"), "SZ:ACME_TREE");
        EXPECT_FALSE(KeyExists(store(), kInitialLogin));
        EXPECT_FALSE(KeyExists(store(), kNeverLogin));
        EXPECT_FALSE(KeyExists(store(), kBackup));
    }
}

TEST_P(Enable, TextsThatAreNoModeWriteNothing) {
    BuildWithClient();
    for (const char* mode : {"error", "7", "", " 0", "00"}) {
        SCOPED_TRACE(mode);
        RecordingStore recording(store());
        Run(mode, &recording);
        EXPECT_EQ(recording.Writes(), std::vector<std::string>{});
    }
}

TEST_P(Enable, RepeatedEnablesKeepTheFirstNmasBackupAndGrowNothing) {
    BuildWithClient();
    Run("0");
    auto once = Snapshot();
    Run("0");
    EXPECT_EQ(Snapshot(), once);
    EXPECT_EQ(At(kLogin, "Sentrel NMAS"), "DWORD:1");
    // NMAS switched on again by hand: the next enable saves the new setting.
    PutDword(store(), kLogin, "NMAS Authentication", 2);
    Run("2");
    EXPECT_EQ(At(kLogin, "Sentrel NMAS"), "DWORD:2");
    EXPECT_EQ(At(kLogin, "NMAS Authentication"), "DWORD:0");
}

TEST_P(Enable, WithoutNmasTheBackupRecordsTheAbsenceOnceAndIsKeptAfter) {
    BuildWithClient();
    RemoveTree(store(), kLogin);
    Run("2");
    EXPECT_EQ(At(kLogin, "Sentrel NMAS"), "SZ:absent");
    EXPECT_EQ(At(kLogin, "NMAS Authentication"), "<missing>");
    PutDword(store(), kLogin, "Sentrel NMAS", 1);  // saved by an earlier enable
    Run("2");
    EXPECT_EQ(At(kLogin, "Sentrel NMAS"), "DWORD:1");
}

TEST_P(Enable, ANmasSettingOfTheWrongTypeStopsBeforeAnyLoginValue) {
    BuildWithClient();
    PutString(store(), kLogin, "NMAS Authentication", "1");
    RecordingStore recording(store());
    EXPECT_EQ(ErrorOf([&] { Run("0", &recording); }),
              "Invalid data type for 'NMAS Authentication'");
    EXPECT_EQ(recording.Writes(), std::vector<std::string>{});
    EXPECT_FALSE(KeyExists(store(), kBackup));
    PutValue(store(), kLogin, "NMAS Authentication", kRegDword, Bytes(8, 0));
    EXPECT_EQ(ErrorOf([&] { Run("2"); }), "Failed to get data for 'NMAS Authentication'");
}

TEST_P(Enable, ALoginKeyThatCantBeWrittenIsAnErrorNotAMissingClient) {
    BuildWithClient();
    Deny(kLogin);
    RecordingStore recording(store());
    EXPECT_EQ(ErrorOf([&] { Run("0", &recording); }), "Failed to create key \\Software\\Novell\\Login");
    EXPECT_EQ(recording.Writes(), std::vector<std::string>{});
    EXPECT_EQ(ErrorOf([&] { Run("2"); }), "Failed to create key \\Software\\Novell\\Login");
    EXPECT_EQ(At(kWinlogon, "AutoAdminLogon"), "SZ:0");
    // Winlogon itself is checked before anything is written.
    RemoveTree(store(), kLogin);
    Deny(kWinlogon);
    EXPECT_EQ(ErrorOf([&] { Run("1", &recording); }),
              "Failed to open key \\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\WinLogon");
    EXPECT_EQ(recording.Writes(), std::vector<std::string>{});
}

TEST_P(Enable, AKeyThatCantBeCreatedStopsTheRunAtItsFirstValue) {
    struct Case {
        std::string key;
        std::string mode;
        std::string message;
    } cases[] = {
        {kService, "0",
         "Failed to create key \\SOFTWARE\\NOVELL\\Location Profiles\\Services\\"
         "{1E6CEEA1-FB73-11CF-BD76-00001B27DA23}\\Default"},
        {kNwgina, "0", "Failed to create key \\SOFTWARE\\NOVELL\\NWGINA\\Login Screen"},
        {kNwgina, "3", "Failed to create key \\SOFTWARE\\NOVELL\\NWGINA\\Login Screen"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key + " in mode " + c.mode);
        TearDown();
        SetUp();
        BuildWithClient();
        Deny(c.key);
        RecordingStore recording(store());
        EXPECT_EQ(ErrorOf([&] { Run(c.mode, &recording); }), c.message);
        for (const std::string& write : recording.Writes())
            EXPECT_EQ(write.find(KeyName(c.key) + "|"), std::string::npos) << write;
        EXPECT_EQ(At(kLogin, "Sentrel NMAS"), "DWORD:1");  // what came before stays
    }
}

TEST_P(Enable, ATabThatCantBeOpenedIsAnError) {
    BuildWithClient();
    Deny(kService + "\\TAB1");
    EXPECT_EQ(ErrorOf([&] { Run("2"); }), "Failed to open key " + std::string("\\SOFTWARE\\NOVELL\\Location Profiles\\Services\\{1E6CEEA1-FB73-11CF-BD76-00001B27DA23}\\Default\\Tab1"));
    EXPECT_FALSE(KeyExists(store(), kService + "\\TAB4"));
}

INSTANTIATE_TEST_SUITE_P(Stores, Enable, ::testing::ValuesIn(AllStores()), StoreName);

}  // namespace
}  // namespace sentrel::test
