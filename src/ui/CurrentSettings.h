#pragma once
// Fills the settings page with what the workstation is set to now, and shapes it to what the
// workstation can do. Passwords are never read back.
#include "registry/RegistryStore.h"
#include "ui/FormState.h"

namespace sentrel {

// Windows 9x: the client's preferred tree, its context, the preferred server and the user;
// the Windows group is hidden. Writes nothing.
void ReadCurrentSettings9x(RegistryStore& store, FormState& form);

// NT family: the profile's directory values and Winlogon's domain and user. Without a client
// the eDirectory fields are hidden and the mode list holds the one mode that needs none; with a
// client the four modes are offered and the fields shown, whatever an earlier call did.
void ReadCurrentSettings(RegistryStore& store, const std::string& profile, FormState& form);

}  // namespace sentrel
