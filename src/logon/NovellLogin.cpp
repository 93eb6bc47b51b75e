#include "logon/NovellLogin.h"

#include "logon/KeyAccess.h"
#include "logon/LocationProfile.h"
#include "logon/RegistryPaths.h"

namespace sentrel {

void SaveAndSwitchOffNmas(TRegistry& reg) {
    if (reg.ValueExists(kNmasAuthentication)) {
        std::int32_t current = reg.ReadInteger(kNmasAuthentication);
        if (current != 0 || !reg.ValueExists(kNmasBackup)) reg.WriteInteger(kNmasBackup, current);
        reg.WriteInteger(kNmasAuthentication, 0);
    } else if (!reg.ValueExists(kNmasBackup)) {
        reg.WriteString(kNmasBackup, kNmasWasAbsent);
    }
}

void RestoreNmas(TRegistry& reg) {
    // Nothing was saved: the setting is the administrator's, not the program's.
    if (!reg.ValueExists(kNmasBackup)) return;
    if (reg.GetDataType(kNmasBackup) == RegDataType::String &&
        reg.ReadString(kNmasBackup) == kNmasWasAbsent) {
        if (reg.ValueExists(kNmasAuthentication)) reg.DeleteValue(kNmasAuthentication);
    } else {
        reg.WriteInteger(kNmasAuthentication, reg.ReadInteger(kNmasBackup));  // or its error
    }
    // Used once: a later disable must not bring back what this one found.
    reg.DeleteValue(kNmasBackup);
}

void WriteNovellLoginValues(TRegistry& reg, const LogonContext& context,
                            const LogonSettings& settings, DirectoryLogon logon,
                            bool namingProfile) {
    const bool automatic = logon == DirectoryLogon::Automatic;
    reg.WriteString("DefaultUserName", settings.NdsUser);
    reg.WriteString("AutoAdminLogon", automatic ? "1" : "0");
    if (namingProfile) reg.WriteString("DefaultLocationProfile", context.state.ProfileName);
    if (automatic) reg.WriteString("DefaultPassword", settings.NdsPassword);
    reg.WriteInteger("AutoAdminQueryNDS", automatic ? 0 : 1);
}

void WriteDirectoryProfile(TRegistry& reg, const LogonContext& context,
                           const LogonSettings& settings, DirectoryLogon logon) {
    const bool automatic = logon == DirectoryLogon::Automatic;
    const std::string& profile = context.state.ProfileName;

    OpenOnly(reg, ServiceKey(profile), true);
    reg.WriteString("Tab", "Credentials");
    reg.WriteString("UserName", settings.NdsUser);
    reg.WriteInteger("Save On Exit", 1);

    OpenTabInstance(reg, profile, kTabDirectory);
    reg.WriteString("Context", settings.NdsContext);
    reg.WriteString("Tree", settings.NdsTree);
    reg.WriteString("Tab", kTabDirectory);
    reg.WriteString("Server", settings.NdsServer);

    OpenTabInstance(reg, profile, kTabScript);
    if (automatic) reg.WriteInteger("Close Results", 1);
    reg.WriteString("Tab", kTabScript);
    reg.WriteInteger("Display Results", settings.ShowResult ? 1 : 0);
    reg.WriteInteger("Login Script", settings.RunScript ? 1 : 0);

    OpenOnly(reg, kNwginaLoginScreenKey, true);
    reg.WriteString("NetWareAutoAdminLogon", automatic ? "1" : "0");
    reg.WriteString("DefaultNetwareUserName", settings.NdsUser);
    if (automatic) reg.WriteString("DefaultNetWarePassword", settings.NdsPassword);
    reg.WriteString("DefaultNDSContext", settings.NdsContext);
    reg.WriteString("DefaultNDSTree", settings.NdsTree);
    reg.WriteString("DefaultNDSServer", settings.NdsServer);
    reg.CloseKey();
}

void WriteWindowsCredentialsTab(TRegistry& reg, const LogonContext& context,
                                const LogonSettings& settings) {
    OpenTabInstance(reg, context.state.ProfileName, kTabWindowsCredentials);
    reg.WriteString("DefaultDomainName", settings.MsDomain);
    reg.WriteString("DefaultUserName", settings.MsUser);
    reg.WriteString("Tab", kTabWindowsCredentials);
    reg.CloseKey();
}

}  // namespace sentrel
