#pragma once
// The values that switch automatic logon on: Winlogon's and the Novell login's
// "AutoAdminLogon", NWGINA's "NetWareAutoAdminLogon", the lock entry and, on Windows 9x, the
// Run-list login entry. A run cut off between two writes must never leave one of them on
// while the names, passwords and settings it relies on are half old, half new: so a commit
// writes each such switch off first and on again last.
#include <string>
#include <vector>

#include "registry/OverlayStore.h"

namespace sentrel {

// The commit's order of a plan (its net change, in the run's own order): every switch that the
// plan turns off, or that is on in store while the plan changes anything else, is written off
// first (the lock entry before the others); every switch the plan leaves on is written on
// again after every other change (the lock entry last). Between any two of its writes the
// machine is as it was, as asked, or off on every side. A plan that changes nothing stays
// empty; a switch written off and on again is no net change.
std::vector<PlannedChange> OrderForCutOff(const std::vector<PlannedChange>& plan,
                                          RegistryStore& store, bool windows9x,
                                          const std::string& profileName);

}  // namespace sentrel
