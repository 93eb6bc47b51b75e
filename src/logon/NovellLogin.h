#pragma once
// The pieces that the two directory writers (automatic logon to eDirectory, and the logon
// parameters without it) share value for value: they differ only where automatic logon and the
// stored passwords are concerned.
#include "logon/LogonContext.h"
#include "logon/LogonSettings.h"
#include "registry/Registry.h"

namespace sentrel {

enum class DirectoryLogon { Prompted, Automatic };

// With "\Software\Novell\Login" open: saves "NMAS Authentication" into "Sentrel NMAS" and
// switches it off. A backup made by an earlier enable is kept while NMAS is still off, so
// repeated enables don't lose the setting that a disable restores.
// With no value to save, the backup is the text "absent", so the absence comes back too.
void SaveAndSwitchOffNmas(TRegistry& reg);

// With "\Software\Novell\Login" open: puts back what the backup kept (the value, or its
// absence) and removes the backup. Without a backup "NMAS Authentication" stays as it is.
void RestoreNmas(TRegistry& reg);

inline constexpr const char* kNmasWasAbsent = "absent";

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
