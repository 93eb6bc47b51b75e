#pragma once
// The Novell client's login values ("\Software\Novell\Login"), its logon dialog's defaults
// (NWGINA's login screen) and the profile's tabs as the two directory writers (automatic logon
// to eDirectory, and the logon parameters without it) write them, value for value: they differ
// only where automatic logon and the stored passwords are concerned. The disable's halves, the
// automatic logon off and the passwords emptied, are here too.
#include "logon/LogonContext.h"
#include "logon/LogonSettings.h"
#include "registry/Registry.h"

namespace sentrel {

enum class DirectoryLogon { Prompted, Automatic };

// The login key's values.
inline constexpr const char* kLoginAutoAdminLogon = "AutoAdminLogon";
inline constexpr const char* kLoginDefaultUserName = "DefaultUserName";
inline constexpr const char* kLoginDefaultPassword = "DefaultPassword";
inline constexpr const char* kLoginDefaultLocationProfile = "DefaultLocationProfile";
inline constexpr const char* kLoginAutoAdminQueryNds = "AutoAdminQueryNDS";
inline constexpr const char* kNmasAuthentication = "NMAS Authentication";
inline constexpr const char* kNmasBackup = "Sentrel NMAS";

// The Novell logon dialog's values.
inline constexpr const char* kDialogAutoAdminLogon = "NetWareAutoAdminLogon";
inline constexpr const char* kDialogUserName = "DefaultNetwareUserName";
inline constexpr const char* kDialogPassword = "DefaultNetWarePassword";
inline constexpr const char* kDialogContext = "DefaultNDSContext";
inline constexpr const char* kDialogTree = "DefaultNDSTree";
inline constexpr const char* kDialogServer = "DefaultNDSServer";

// With "\Software\Novell\Login" open: saves "NMAS Authentication" into "Sentrel NMAS" and
// switches it off. A backup made by an earlier enable is kept while NMAS is still off, so
// repeated enables don't lose the setting that a disable restores.
// With no value to save, the backup is the text "absent", so the absence comes back too.
void SaveAndSwitchOffNmas(TRegistry& reg);

// With "\Software\Novell\Login" open: puts back what the backup kept (the value, or its
// absence) and removes the backup. Without a backup "NMAS Authentication" stays as it is.
void RestoreNmas(TRegistry& reg);

inline constexpr const char* kNmasWasAbsent = "absent";

// With "\Software\Novell\Login" open: the Novell automatic logon off, its password emptied.
void SwitchOffNovellLogin(TRegistry& login);
// The Novell logon dialog's automatic logon off, and apart from it (the disable's order) its
// stored password emptied; its key is made when missing.
void SwitchOffNovellDialog(TRegistry& reg);
void EmptyNovellDialogPassword(TRegistry& reg);

// With "\Software\Novell\Login" open: the client's login values.
// namingProfile: the program's profile becomes the default location profile.
void WriteNovellLoginValues(TRegistry& reg, const LogonContext& context,
                            const LogonSettings& settings, DirectoryLogon logon,
                            bool namingProfile);

// The profile's service key, directory and script tabs, and the Novell logon dialog's
// defaults, each into its own key.
void WriteDirectoryProfile(TRegistry& reg, const LogonContext& context,
                           const LogonSettings& settings, DirectoryLogon logon);

// The profile's Windows credentials tab.
void WriteWindowsCredentialsTab(TRegistry& reg, const LogonContext& context,
                                const LogonSettings& settings);

}  // namespace sentrel
