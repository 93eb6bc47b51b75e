#pragma once
// A registry that looks like a Windows XP workstation, with or without the Novell client, for
// the writer tests. Under Wine the real Winlogon and Run values are saved and put back.
#include <map>
#include <optional>

#include "logon/LogonContext.h"
#include "support/Detected.h"
#include "support/FakePlatform.h"
#include "support/StoreTest.h"

namespace sentrel::test {

namespace keys {
inline const std::string kWinlogon = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\WinLogon";
inline const std::string kRun = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
inline const std::string kRealModeNet =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Network\\Real Mode Net";
inline const std::string kLogin = "SOFTWARE\\Novell\\Login";
inline const std::string kNwgina = "SOFTWARE\\NOVELL\\NWGINA\\Login Screen";
inline const std::string kInitialLogin = "SOFTWARE\\NOVELL\\Network Provider\\Initial Login";
inline const std::string kNeverLogin = "SOFTWARE\\Novell\\Print\\Never Login";
inline const std::string kLgnXTier = "SOFTWARE\\Novell\\LgnXTier";
inline const std::string kProfileList = "SOFTWARE\\Novell\\Location Profiles\\Profile List";
inline const std::string kProfiles = "SOFTWARE\\Novell\\Location Profiles\\Profiles";
inline const std::string kService =
    "SOFTWARE\\NOVELL\\Location Profiles\\Services\\{1E6CEEA1-FB73-11CF-BD76-00001B27DA23}\\Default";
inline const std::string kClientVersion = "SOFTWARE\\Novell\\NetWareWorkstation\\CurrentVersion";
inline const std::string kClientVersion9x = "Network\\Novell\\System Config\\Install\\Client Version";
inline const std::string kWorkstationService =
    "SYSTEM\\CurrentControlSet\\Services\\NetwareWorkstation";
inline const std::string kSrvlocService = "SYSTEM\\CurrentControlSet\\Services\\SRVLOC";
inline const std::string kBackup =
    "SOFTWARE\\Pellam\\Sentrel\\SYSTEM\\CurrentControlSet\\Services\\NetwareWorkstation";
inline const std::string kGinaBackup =
    "SOFTWARE\\Pellam\\Sentrel\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
}  // namespace keys

class WorkstationTest : public StoreTest {
protected:
    void SetUp() override;
    void TearDown() override;
    std::vector<std::string> KeysToClean() const override;

    // Windows XP with the client 4.91 SP2: NMAS on, a Default profile with its three tabs,
    // the Novell logon dialog in the Winlogon chain, the workstation service with its list.
    void BuildWithClient();
    // Windows XP without any Novell key.
    void BuildWithoutClient();
    // The Windows 9x client 3.30's version key, which the 9x road detects the client by.
    void InstallClient9x();
    // Starts again from a fresh workstation, with or without the client, whose Winlogon
    // "GinaDLL" names a third-party logon dialog.
    void RebuildWithThirdPartyDialog(bool client, const std::string& gina);

    // The context of a writer on this machine, as start-up would have detected it.
    LogonContext Context() {
        detected = Detected(platform, clientDetected);
        return LogonContext{store(), platform, state, detected};
    }
    // Every value the writers may touch, as "path|name" -> Describe() text.
    std::map<std::string, std::string> Snapshot();
    // What differs now from a snapshot taken before: "HKLM\\KEY|name" (KeyName's key) -> the
    // value now, "<missing>" where it went. A writer's end state, whatever order it wrote in.
    std::map<std::string, std::string> ChangedSince(const std::map<std::string, std::string>& before);
    std::string At(const std::string& path, const std::string& name) {
        return Show(store(), path, name);
    }

    FakePlatform platform;
    ProgramState state{"", "Default", 0, ""};
    bool clientDetected = false;  // what the writers are told was detected
    Environment detected;         // what Context() last told them

private:
    std::map<std::pair<std::string, std::string>, std::optional<StoredValue>> saved_;
};

}  // namespace sentrel::test
