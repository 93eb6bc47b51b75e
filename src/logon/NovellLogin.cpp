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

void SwitchOffNovellLogin(TRegistry& login) {
    login.WriteString(kLoginAutoAdminLogon, "0");
    login.WriteString(kLoginDefaultPassword, "");
}

void SwitchOffNovellDialog(TRegistry& reg) {
    OpenOnly(reg, kNwginaLoginScreenKey, true);
    reg.WriteString(kDialogAutoAdminLogon, "0");
}

void EmptyNovellDialogPassword(TRegistry& reg) {
    OpenOnly(reg, kNwginaLoginScreenKey, true);
    reg.WriteString(kDialogPassword, "");
}

void WriteNovellLoginValues(TRegistry& reg, const LogonContext& context,
                            const LogonSettings& settings, DirectoryLogon logon,
                            bool namingProfile) {
    const bool automatic = logon == DirectoryLogon::Automatic;
    reg.WriteString(kLoginDefaultUserName, settings.NdsUser);
    reg.WriteString(kLoginAutoAdminLogon, automatic ? "1" : "0");
    if (namingProfile) reg.WriteString(kLoginDefaultLocationProfile, context.state.ProfileName);
    if (automatic) reg.WriteString(kLoginDefaultPassword, settings.NdsPassword);
    reg.WriteInteger(kLoginAutoAdminQueryNds, automatic ? 0 : 1);
}

void WriteDirectoryProfile(TRegistry& reg, const LogonContext& context,
                           const LogonSettings& settings, DirectoryLogon logon) {
    const bool automatic = logon == DirectoryLogon::Automatic;
    const std::string& profile = context.state.ProfileName;

    OpenOnly(reg, ServiceKey(profile), true);
    reg.WriteString(kTabKind, kServiceKind);
    reg.WriteString(kServiceUserName, settings.NdsUser);
    reg.WriteInteger(kServiceSaveOnExit, 1);

    OpenTabInstance(reg, profile, kTabDirectory);
    reg.WriteString(kDirectoryContext, settings.NdsContext);
    reg.WriteString(kDirectoryTree, settings.NdsTree);
    reg.WriteString(kTabKind, kTabDirectory);
    reg.WriteString(kDirectoryServer, settings.NdsServer);

    OpenTabInstance(reg, profile, kTabScript);
    if (automatic) reg.WriteInteger(kScriptCloseResults, 1);
    reg.WriteString(kTabKind, kTabScript);
    reg.WriteInteger(kScriptDisplayResults, settings.ShowResult ? 1 : 0);
    reg.WriteInteger(kScriptLoginScript, settings.RunScript ? 1 : 0);

    OpenOnly(reg, kNwginaLoginScreenKey, true);
    reg.WriteString(kDialogAutoAdminLogon, automatic ? "1" : "0");
    reg.WriteString(kDialogUserName, settings.NdsUser);
    if (automatic) reg.WriteString(kDialogPassword, settings.NdsPassword);
    reg.WriteString(kDialogContext, settings.NdsContext);
    reg.WriteString(kDialogTree, settings.NdsTree);
    reg.WriteString(kDialogServer, settings.NdsServer);
    reg.CloseKey();
}

void WriteWindowsCredentialsTab(TRegistry& reg, const LogonContext& context,
                                const LogonSettings& settings) {
    OpenTabInstance(reg, context.state.ProfileName, kTabWindowsCredentials);
    reg.WriteString(kCredentialsDomainName, settings.MsDomain);
    reg.WriteString(kCredentialsUserName, settings.MsUser);
    reg.WriteString(kTabKind, kTabWindowsCredentials);
    reg.CloseKey();
}

}  // namespace sentrel
