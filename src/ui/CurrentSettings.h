#pragma once
// Fills the settings page with what the workstation is set to now (LogonInForce.h): the names,
// the mode in force and the boxes, and shapes it to what the workstation can do. Passwords are
// never read back; a typed one is emptied once it is no longer stored. Writes nothing.
#include "logon/LogonContext.h"
#include "logon/LogonInForce.h"
#include "registry/RegistryStore.h"
#include "ui/FormState.h"

namespace sentrel {

// Windows 9x: the client's preferred tree, its context, the preferred server and the user;
// the Windows group is hidden.
void ReadCurrentSettings9x(RegistryStore& store, const std::string& profile, bool clientDetected,
                           FormState& form);

// NT family: the profile's directory values and Winlogon's domain and user. Without a client
// the eDirectory fields are hidden and the mode list holds the one mode that needs none; with a
// client the four modes are offered and the fields shown, whatever an earlier call did. What was
// detected of the client comes from the environment, never from the field that shows it.
void ReadCurrentSettings(RegistryStore& store, const std::string& profile, bool clientDetected,
                         FormState& form, bool withoutGina = false);

// What start-up and the Enable and Disable buttons show: the family's version text and current
// settings, and the fields the mode in force disables (as choosing it in the list would).
void ShowCurrentSettings(LogonContext& context, FormState& form);

inline constexpr const char* kRunningWindows9x = "Running Windows 9x";
inline constexpr const char* kRunningWindowsNT = "Running WinNT or above";

}  // namespace sentrel
