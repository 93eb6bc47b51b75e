#pragma once
// The values that switch automatic logon on: Winlogon's and the Novell login's
// "AutoAdminLogon", NWGINA's "NetWareAutoAdminLogon", the lock entry and, on Windows 9x, the
// Run-list login entry. A run cut off between two writes must never leave one of them on
// while the names, passwords and settings it relies on are half old, half new: so a commit
// writes each such switch off first and on again last.
#include <cstdint>
#include <string>
#include <vector>

#include "registry/OverlayStore.h"

namespace sentrel {

// The commit's order of a plan (its net change, in the run's own order). The lock entry is no
// switch but the guard of one: written before anything else where the plan leaves it (or puts
// it) in place with a new value, deleted after everything else where the plan removes it.
// Every switch that the plan turns off, or that is on in store while the plan changes anything
// else, is written off next; every switch the plan leaves on is written on again after every
// other change. Between any two of its writes the machine is as it was, as asked, off on every
// side, or on with its lock; never on with a mix, never on without the lock that before or
// after has. A plan that changes nothing stays empty; a switch written off and on again is no
// net change.
struct CutOffOrder {
    std::vector<PlannedChange> changes;
    // The first `guarded` changes are the lock put in place and the switches written off: an
    // undo that cannot put everything else back leaves them as they are, so nothing logs on
    // with a mix.
    std::size_t guarded = 0;
    // Where the first switch is written on (SIZE_MAX: none is): everything written before it
    // is flushed first, whatever its hive.
    std::size_t switchesOn = SIZE_MAX;
};
CutOffOrder OrderForCutOff(const std::vector<PlannedChange>& plan, RegistryStore& store,
                           bool windows9x, const std::string& profileName);

}  // namespace sentrel
