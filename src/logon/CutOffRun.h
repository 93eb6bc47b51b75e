#pragma once
// What a run that was cut off (a power cut, a killed process) left behind: its journal. Every
// start that can write looks for one first and puts the machine back as it was before that
// run, in an order that never leaves automatic logon on with a mix, then deletes the journal.
// Every step can be repeated, so a put-back cut off in turn is finished by the next start.
#include <optional>
#include <string>

#include "logon/LogonContext.h"

namespace sentrel {

// Under the run turn (which the caller holds): puts back what the journal records, flushes and
// deletes it, and says so in the state (CutOffRun, and the changes written in PutBack). A dry
// run (context.state.DryRun, its store an overlay) plans the put-back there and keeps the
// journal. What stops it raises RunFailed's error (AllOrNothing.h): a journal that cannot be
// read or is not the program's own, or a value that cannot be put back (named, with what is
// left and the way to remove the journal once checked; the journal stays for the next start).
void PutBackCutOffRunUnderTurn(LogonContext& context);

// The same at the start of a program that can write, taking the run turn for it; a recorded
// run reads what is in force there first.
void PutBackCutOffRunAtStart(LogonContext& context);

inline constexpr const char* kMsgCutOffPutBack =
    "An earlier run was cut off (started %s); its changes were put back.";
inline constexpr const char* kMsgCutOffWouldPutBack =
    "An earlier run was cut off; a run would put its changes back first.";
inline constexpr const char* kMsgCutOffNotPutBack =
    "An earlier run was cut off (started %s), and its changes could not be put back";
inline constexpr const char* kCutOffTimeNotRecorded = "at a time not recorded";

}  // namespace sentrel
