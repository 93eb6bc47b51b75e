// Switching automatic logon off again, on both families, and the round trips with enable.
#include "logon/DisableAutoLogon.h"
#include "logon/EnableAutoLogon.h"
#include "support/Descriptors.h"
#include "support/Detected.h"
#include "support/ErrorOf.h"
#include <map>

#include "support/RecordingStore.h"
#include "support/Workstation.h"

namespace sentrel::test {
namespace {

using namespace keys;

class Disable : public WorkstationTest {
protected:
    void Run(RegistryStore* through = nullptr) {
        const Environment detected = Detected(platform, clientDetected);
        LogonContext context{through ? *through : store(), platform, state, detected};
        DisableAutoLogon(context);
    }
    void EnableMode(const std::string& mode) {
        LogonSettings s;
        s.NdsUser = "kiosk1";
        s.NdsPassword = "nds";
        s.MsUser = "kiosk";
        s.MsPassword = "ms";
        s.LockWorkstation = lock;
        state.ModeText = mode;
        LogonContext context = Context();
        EnableAutoLogon(context, s);
    }
    bool lock = false;  // the enable's lock box
};

TEST_P(Disable, UndoesEveryEnablingValue) {
    BuildWithClient();
    PutDword(store(), kLogin, "Sentrel NMAS", 1);
    PutString(store(), kRun, "ForceAutoLock", "RunDll32.exe user32.dll,LockWorkStation");
    PutString(store(), kWinlogon, "GinaDLL", "msgina.dll");  // the Windows dialog, any case
    // As an enable of mode 0 left it.
    PutString(store(), kWinlogon, "AutoAdminLogon", "1");
    PutString(store(), kLogin, "AutoAdminLogon", "1");
    PutDword(store(), kLogin, "NMAS Authentication", 0);
    PutString(store(), kNwgina, "NetWareAutoAdminLogon", "1");
    PutString(store(), kLgnXTier, "AutoAdminLogon", "1");
    // and mode 1's dialog values, and another profile used last.
    PutString(store(), kInitialLogin, "Login When NWGina Not Loaded", "No");
    PutDword(store(), kNeverLogin, "Never Login", 1);
    PutString(store(), kProfiles, "Last Used", "Other");
    const auto before = Snapshot();
    Run();
    const std::string W = KeyName(kWinlogon);
    const std::string L = KeyName(kLogin);
    const std::string G = KeyName(kNwgina);
    EXPECT_EQ(ChangedSince(before), (std::map<std::string, std::string>{
                                        {W + "|AutoAdminLogon", "SZ:0"},
                                        {W + "|DefaultPassword", "SZ:"},
                                        {W + "|ForceAutoLogon", "SZ:0"},
                                        {W + "|GinaDLL", "SZ:NWGINA.DLL"},
                                        {KeyName(kRun) + "|ForceAutoLock", "<missing>"},
                                        {KeyName(kLgnXTier) + "|AutoAdminLogon", "<missing>"},
                                        {KeyName(kLgnXTier) + "|DefaultPassword", "<missing>"},
                                        {L + "|AutoAdminLogon", "SZ:0"},
                                        {L + "|DefaultPassword", "SZ:"},
                                        {L + "|NMAS Authentication", "DWORD:1"},
                                        {L + "|Sentrel NMAS", "<missing>"},
                                        {L + "|DefaultLocationProfile", "SZ:Default"},
                                        {G + "|NetWareAutoAdminLogon", "SZ:0"},
                                        {G + "|DefaultNetWarePassword", "SZ:"},
                                        {KeyName(kProfiles) + "|Last Used", "SZ:Default"},
                                        {KeyName(kInitialLogin) + "|Login When NWGina Not Loaded",
                                         "SZ:Yes"},
                                        {KeyName(kNeverLogin) + "|Never Login", "DWORD:0"},
                                    }));
}

TEST_P(Disable, WithoutAClientOnlyTheTwoNovellKeysAreMade) {
    BuildWithoutClient();
    Run();
    EXPECT_EQ(At(kWinlogon, "AutoAdminLogon"), "SZ:0");
    EXPECT_EQ(At(kWinlogon, "GinaDLL"), "SZ:MSGINA.DLL");
    EXPECT_EQ(At(kLogin, "AutoAdminLogon"), "SZ:0");
    EXPECT_EQ(At(kLogin, "DefaultPassword"), "SZ:");
    EXPECT_EQ(At(kLogin, "NMAS Authentication"), "<missing>");  // nothing was saved
    EXPECT_EQ(At(kLogin, "DefaultLocationProfile"), "SZ:");
    EXPECT_EQ(At(kNwgina, "NetWareAutoAdminLogon"), "SZ:0");
    EXPECT_EQ(At(kNwgina, "DefaultNetWarePassword"), "SZ:");
    EXPECT_EQ(ValueNames(store(), kLogin).size(), 3u);
    EXPECT_EQ(ValueNames(store(), kNwgina).size(), 2u);
    EXPECT_EQ(SubkeyNames(store(), "SOFTWARE\\Novell"), (std::vector<std::string>{"Login", "NWGINA"}));
}

TEST_P(Disable, NmasComesBackOnceAndOnlyWhatWasSaved) {
    BuildWithClient();
    PutDword(store(), kLogin, "NMAS Authentication", 0);
    PutDword(store(), kLogin, "Sentrel NMAS", 1);
    Run();
    EXPECT_EQ(At(kLogin, "NMAS Authentication"), "DWORD:1");
    EXPECT_EQ(At(kLogin, "Sentrel NMAS"), "<missing>");
    PutDword(store(), kLogin, "NMAS Authentication", 0);  // the administrator's own choice
    Run();
    EXPECT_EQ(At(kLogin, "NMAS Authentication"), "DWORD:0");
    // An enable that found no value saved its absence, and the disable brings the absence back.
    PutString(store(), kLogin, "Sentrel NMAS", "absent");
    Run();
    EXPECT_EQ(At(kLogin, "NMAS Authentication"), "<missing>");
    EXPECT_EQ(At(kLogin, "Sentrel NMAS"), "<missing>");
}

TEST_P(Disable, TheFirstListedProfileBecomesDefaultAndLastUsed) {
    BuildWithClient();
    PutString(store(), kProfileList, "0", "Home");
    PutString(store(), kLogin, "DefaultLocationProfile", "Default");
    Run();
    EXPECT_EQ(At(kLogin, "DefaultLocationProfile"), "SZ:Home");
    EXPECT_EQ(At(kProfiles, "Last Used"), "SZ:Home");
    RemoveTree(store(), kProfileList);
    MakeKey(store(), kProfileList);
    Run();
    EXPECT_EQ(At(kLogin, "DefaultLocationProfile"), "SZ:");
    EXPECT_EQ(At(kProfiles, "Last Used"), "SZ:");
}

TEST_P(Disable, RunningTwiceLeavesTheRegistryAsOnce) {
    BuildWithClient();
    EnableMode("0");
    Run();
    auto once = Snapshot();
    Run();
    EXPECT_EQ(Snapshot(), once);
}

TEST_P(Disable, EveryModeRoundTripsBackToNoAutomaticLogon) {
    for (const char* mode : {"0", "1", "2", "3"}) {
        SCOPED_TRACE(std::string("mode ") + mode);
        TearDown();
        SetUp();
        BuildWithClient();
        lock = true;
        EnableMode(mode);
        EnableMode(mode);  // login scripts enable at every logon
        Run();
        EXPECT_EQ(At(kLogin, "NMAS Authentication"), "DWORD:1");
        EXPECT_EQ(At(kWinlogon, "AutoAdminLogon"), "SZ:0");
        EXPECT_EQ(At(kWinlogon, "DefaultPassword"), "SZ:");
        EXPECT_EQ(At(kWinlogon, "ForceAutoLogon"), "SZ:0");
        EXPECT_EQ(At(kLogin, "AutoAdminLogon"), "SZ:0");
        EXPECT_EQ(At(kLogin, "DefaultPassword"), "SZ:");
        EXPECT_EQ(At(kNwgina, "NetWareAutoAdminLogon"), "SZ:0");
        EXPECT_EQ(At(kNwgina, "DefaultNetWarePassword"), "SZ:");
        EXPECT_EQ(At(kRun, "ForceAutoLock"), "<missing>");
        EXPECT_EQ(At(kWinlogon, "GinaDLL"), "SZ:NWGINA.DLL");
        EXPECT_EQ(At(kInitialLogin, "Login When NWGina Not Loaded"), "SZ:Yes");
        EXPECT_EQ(At(kNeverLogin, "Never Login"), "DWORD:0");
        EXPECT_EQ(SubkeyNames(store(), kService), (std::vector<std::string>{"Tab1", "Tab2", "Tab3"}));
    }
}

TEST_P(Disable, AThirdPartyLogonDialogComesBackWithAndWithoutTheClient) {
    for (bool client : {true, false}) {
        SCOPED_TRACE(client ? "with the client" : "without the client");
        RebuildWithThirdPartyDialog(client, "ACMEGINA.DLL");
        for (int round = 0; round < 2; ++round) {
            EnableMode("1");
            EnableMode("1");  // the first backup stays
            EXPECT_EQ(At(kWinlogon, "GinaDLL"), "SZ:MSGINA.DLL");
            EXPECT_EQ(At(kGinaBackup, "GinaDLL"), "SZ:ACMEGINA.DLL");
            Run();
            EXPECT_EQ(At(kWinlogon, "GinaDLL"), "SZ:ACMEGINA.DLL");
            EXPECT_FALSE(KeyExists(store(), "SOFTWARE\\Pellam\\Sentrel\\SOFTWARE"));
        }
    }
}

TEST_P(Disable, AKeptWindowsOrMissingDialogLeavesTheDialogAsBefore) {
    BuildWithClient();
    RemoveTree(store(), kWinlogon);  // no GinaDLL at all
    MakeKey(store(), kWinlogon);
    EnableMode("1");
    EXPECT_TRUE(KeyExists(store(), kGinaBackup));
    EXPECT_EQ(At(kGinaBackup, "GinaDLL"), "<missing>");
    Run();
    EXPECT_EQ(At(kWinlogon, "GinaDLL"), "SZ:NWGINA.DLL");
    EXPECT_FALSE(KeyExists(store(), kGinaBackup));

    PutString(store(), kWinlogon, "GinaDLL", "msgina.dll");
    EnableMode("1");
    clientDetected = false;
    PutString(store(), kWinlogon, "GinaDLL", "OTHER.DLL");  // changed by hand meanwhile
    Run();
    EXPECT_EQ(At(kWinlogon, "GinaDLL"), "SZ:OTHER.DLL");
    EXPECT_FALSE(KeyExists(store(), kGinaBackup));
}

TEST_P(Disable, ALogonDialogThatCannotBeKeptIsNotReplaced) {
    PutString(store(), kWinlogon, "GinaDLL", "ACMEGINA.DLL");
    MakeKey(store(), kGinaBackup);
    Deny(kGinaBackup);
    // A key Everyone may change the list of (Wine's denial does so too): no backup of the
    // program's, so it must go before a new one is kept.
    if (GetParam().name == "Memory") {
        ScopedKey key(store());
        store().OpenKey(kHkeyLocalMachine, kGinaBackup, kKeyRead, key.Out());
        store().SetKeySecurity(key.Get(), Descriptor(kAdministratorsSid, {{kEveryoneSid, 0x40000}}));
    }
    const std::string error = ErrorOf([&] { EnableMode("1"); });
    if (GetParam().name == "Win32" && error == "<no error>") {
        // Wine lets the key be deleted all the same: the dialog is kept anew.
        EXPECT_EQ(At(kGinaBackup, "GinaDLL"), "SZ:ACMEGINA.DLL");
        return;
    }
    EXPECT_EQ(error, "Failed to delete key \\SOFTWARE\\Pellam\\Sentrel\\SOFTWARE\\Microsoft"
                     "\\Windows NT\\CurrentVersion\\Winlogon");
    EXPECT_EQ(At(kWinlogon, "GinaDLL"), "SZ:ACMEGINA.DLL");
}

TEST_P(Disable, AKeyWithoutWriteRightsStopsTheSequenceNamingIt) {
    BuildWithClient();
    Deny(kLogin);
    RecordingStore recording(store());
    EXPECT_EQ(ErrorOf([&] { Run(&recording); }), "Failed to create key \\Software\\Novell\\Login");
    for (const std::string& write : recording.Writes())
        EXPECT_EQ(write.find("NOVELL"), std::string::npos) << write;
    EXPECT_EQ(At(kNwgina, "NetWareAutoAdminLogon"), "SZ:0");
    TearDown();
    SetUp();
    BuildWithClient();
    PutDword(store(), kLogin, "Sentrel NMAS", 0);
    Deny(kNwgina);
    EXPECT_EQ(ErrorOf([&] { Run(); }),
              "Failed to create key \\SOFTWARE\\NOVELL\\NWGINA\\Login Screen");
    EXPECT_EQ(At(kLogin, "NMAS Authentication"), "DWORD:0");  // step 3 stays done
    EXPECT_EQ(At(kLogin, "DefaultLocationProfile"), "<missing>");
}

TEST_P(Disable, StoredValuesOfTheWrongTypeStopTheSequence) {
    BuildWithClient();
    PutString(store(), kLogin, "Sentrel NMAS", "1");
    EXPECT_EQ(ErrorOf([&] { Run(); }), "Invalid data type for 'Sentrel NMAS'");
    EXPECT_EQ(At(kLogin, "AutoAdminLogon"), "SZ:0");
    PutDword(store(), kLogin, "Sentrel NMAS", 1);
    PutDword(store(), kProfileList, "0", 7);
    EXPECT_EQ(ErrorOf([&] { Run(); }), "Invalid data type for '0'");
    EXPECT_EQ(At(kNwgina, "DefaultNetWarePassword"), "<missing>");
}

TEST_P(Disable, NineXRemovesTheLoginCommandAndItsRealModeValue) {
    PutString(store(), kRun, "Default", "LoginW95 SRV/u /Cont");
    PutValue(store(), kRealModeNet, "AutoLogon", kRegBinary, Bytes{0});
    PutString(store(), kRealModeNet, "Other", "kept");
    LogonContext context = Context();
    DisableAutoLogon9x(context);
    EXPECT_EQ(At(kRun, "Default"), "<missing>");
    EXPECT_EQ(At(kRealModeNet, "AutoLogon"), "<missing>");
    EXPECT_EQ(At(kRealModeNet, "Other"), "SZ:kept");
    DisableAutoLogon9x(context);  // nothing left to delete
    EXPECT_EQ(At(kRealModeNet, "Other"), "SZ:kept");
    // The door says it is done, once it is written: the writer shows nothing.
    EXPECT_TRUE(platform.messageBoxes.empty());
}

INSTANTIATE_TEST_SUITE_P(Stores, Disable, ::testing::ValuesIn(AllStores()), StoreName);

}  // namespace
}  // namespace sentrel::test
