#pragma once
// What the workstation's stored values amount to now: which logon mode is in force (or none),
// the login script and result window flags, the lock entry, and the names. The window shows it
// at start and after every change; a run's log records it before and after the run. It only
// reads, with read access alone, and a value of an unexpected type counts as not set: a
// damaged value never stops it.
#include <optional>
#include <string>

#include "detect/Environment.h"
#include "logon/LogonSettings.h"
#include "platform/Platform.h"
#include "registry/RegistryStore.h"

namespace sentrel {

// The mode field when automatic logon is off, and when the values are a mix no mode writes.
inline constexpr const char* kInForceOff = "off";
inline constexpr const char* kInForceMixed = "mixed";

struct LogonInForce {
    std::string mode = kInForceOff;  // a LogonMode, kInForceOff or kInForceMixed
    LogonSettings stored;            // the names and the three flags; the passwords stay empty
    bool ndsPasswordStored = false;  // the Novell automatic logon's password is not empty
    bool msPasswordStored = false;   // Winlogon's "DefaultPassword" is not empty
};

// On the NT family, with a client: mode "0" when Windows, the Novell login and its logon dialog
// all log on by themselves; "1" when only Windows does and "GinaDLL" names the Windows logon
// dialog; "2" when only Windows does with the Novell dialog in place; "3" when nothing
// logs on by itself but an enable saved NMAS and asks the directory at logon. Without a client:
// "1" when Windows logs on by itself. Where Windows has no logon dialog to replace (Vista and
// later, withoutGina) mode 1 is told from mode 2 by the Novell dialog's "Login When NWGina Not
// Loaded" = "No", the other half of what mode 1 writes. On Windows 9x: "0" while the profile's LOGINW95 entry
// is in the Run list, whose server and user are then the names in force; otherwise the
// client's own preferred tree, server and user.
LogonInForce ReadLogonInForce(RegistryStore& store, const std::string& profile, bool windows9x,
                              bool clientDetected, bool withoutGina = false);

// What the workstation stores for one of the names (kDirectoryNames, kWindowsNames): the
// profile's directory tab and service key, or Winlogon. A text of either string type; nothing
// when none is stored (no key, no value, another type) or the field is no name.
std::optional<std::string> StoredName(RegistryStore& store, const std::string& profile,
                                      NameField field);

// One line for a log: "mode 0, login script 1, result window 0, lock 0, NDS tree ..., ...".
std::string DescribeLogonInForce(const LogonInForce& inForce);

// That line for what is in force in store now, the default profile's. The client is looked
// for each time (an installer may have put it on the machine); a value that cannot be read
// gives "unknown: " and why, never an error.
std::string DescribeInForceNow(RegistryStore& store, Platform& platform,
                               const Environment& environment);

}  // namespace sentrel
