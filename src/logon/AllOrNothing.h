#pragma once
// Every run that changes the registry, from the window or the command line: its writers work
// on a plan of the registry (an overlay, which writes nothing), and only then is the plan's net
// change written, all or nothing, while no other Sentrel run on this computer plans or writes.
// So a run that fails leaves the registry as it found it, a repeat writes nothing, and a dry
// run (a plan committed into another overlay) lists exactly what the real run writes.
// A run can also be cut off between two writes: the net change is written in the run's own
// order with automatic logon switched off first and on last, after a journal of what it
// replaces (flushed); the journal goes once every change is on disk, and the next start puts
// back one that a cut-off run left.
#include <string>
#include <vector>

#include "logon/LogonContext.h"
#include "logon/RunError.h"
#include "logon/RunTurn.h"

namespace sentrel {

// Runs the writers against the plan and writes its net change to context.store; gives what was
// written. On failure the writers' error, or the registry's refusal while writing, is raised as
// RunFailed's error.
std::vector<RegistryChange> WriteAllOrNothing(LogonContext& context,
                                              void (*writers)(LogonContext& planned, void* data),
                                              void* data);

// The error of a run that failed for that reason (exit code kExitFailed): its text adds that
// nothing was changed (or, after putBack, the sentence of an earlier run's put-back and that
// nothing of this run was written), or names what could not be put back and that automatic
// logon is off until a start puts the rest back.
RunError RunFailed(const std::string& reason, std::vector<RegistryChange> leftChanged = {},
                   const std::string& putBack = {});

// The reason, with what to do where the refusal comes from User Account Control: a run not
// started with "Run as administrator" may not write (or read) the machine's keys.
std::string WhyRefused(const LogonContext& context, std::string reason);

inline constexpr const char* kMsgNothingChanged = "Nothing was changed.";
inline constexpr const char* kMsgLeftChanged = "These changes could not be put back:";
inline constexpr const char* kMsgOffUntilPutBack =
    "Automatic logon is off until a start of Sentrel puts the rest back.";
inline constexpr const char* kMsgNothingOfThisRun = "Nothing of this run was written.";
inline constexpr const char* kMsgRunAsAdministrator = "Start Sentrel with 'Run as administrator'.";

}  // namespace sentrel
