#pragma once
// The Novell client's location profile as the program reads and writes it: a definition key with
// an instance list, an entry in the profile list, and a login service key with the credentials
// values and one subkey per login tab ("Tab1", "Tab2", ...), whose "Tab" value names its kind.
#include <string>
#include <vector>

#include "logon/LogonContext.h"
#include "logon/LogonSettings.h"
#include "registry/Registry.h"

namespace sentrel {

inline constexpr const char* kLoginServiceGuid = "{1E6CEEA1-FB73-11CF-BD76-00001B27DA23}";
inline constexpr const char* kProfilesRootKey = "\\SOFTWARE\\Novell\\Location Profiles\\Profiles";
inline constexpr const char* kServicesRoot = "\\SOFTWARE\\NOVELL\\Location Profiles\\Services";
inline constexpr const char* kProfileListKey = "\\SOFTWARE\\Novell\\Location Profiles\\Profile List";

inline constexpr const char* kTabDirectory = "NDS";
inline constexpr const char* kTabScript = "Script";
inline constexpr const char* kTabWindowsCredentials = "NT Credentials";

// The values of the login service key and of its tabs, for the writers and the readers alike.
inline constexpr const char* kTabKind = "Tab";  // a tab's kind; "Credentials" in the service key
inline constexpr const char* kServiceKind = "Credentials";
inline constexpr const char* kServiceUserName = "UserName";
inline constexpr const char* kServiceSaveOnExit = "Save On Exit";
inline constexpr const char* kDirectoryTree = "Tree";
inline constexpr const char* kDirectoryContext = "Context";
inline constexpr const char* kDirectoryServer = "Server";
inline constexpr const char* kScriptDisplayResults = "Display Results";
inline constexpr const char* kScriptLoginScript = "Login Script";
inline constexpr const char* kScriptCloseResults = "Close Results";
inline constexpr const char* kCredentialsDomainName = "DefaultDomainName";
inline constexpr const char* kCredentialsUserName = "DefaultUserName";
// In the profiles' root: the profile the client used last.
inline constexpr const char* kLastUsed = "Last Used";

// "\SOFTWARE\NOVELL\Location Profiles\Services\{1E6CEEA1-...}\" + profile.
std::string ServiceKey(const std::string& profile);

// The numbers n of the keys among names that are tab instances ("Tab" + n, any letter case, no
// leading zeros), lowest first. Ordered by length, then by text, so a number of any size is
// ordered without being converted.
std::vector<std::string> InstanceNumbers(const std::vector<std::string>& names);

// The number for a new tab instance: the first from (number of instance keys + 1) upward that
// names no existing key. Makes the service key when it is missing.
std::string NextTabNumber(RegistryStore& store, const std::string& profile);
// "TAB" + n for the lowest-numbered instance of that kind (its "Tab" value matched exactly), or
// empty text. It only reads, with read access alone: the writers and the reading of what is in
// force find the same instance, and a lookup makes nothing. An instance that exists but cannot
// be read is passed over; where strict (the writers) it raises "Failed to open key %s", so a
// run never adds an instance beside one it could not look into.
std::string FindTabInstance(RegistryStore& store, const std::string& profile,
                            const std::string& kind, bool strict = false);
// Leaves reg with the tab instance of that kind open: the existing one, or a new one. Makes the
// service key when it is missing.
void OpenTabInstance(TRegistry& reg, const std::string& profile, const std::string& kind);

// Deletes the profile and builds it anew with empty directory, script and Windows credentials
// tabs; the script tab takes the settings' script and result flags. Gives the name of the profile
// list entry that already named it, or "False" when an entry had to be added.
std::string RecreateLocationProfile(LogonContext& context, const std::string& profile,
                                    const LogonSettings& settings);

}  // namespace sentrel
