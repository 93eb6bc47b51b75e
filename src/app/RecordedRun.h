#pragma once
// An unattended run for roll-outs that nobody watches. With /Quiet it shows no window and no
// message box at all and always ends by itself; with /Log:path it appends one record of what it
// did to that file (RunRecord.h). Either makes a client installer that can't be started an
// error of the run. Both are whole arguments in any letter case; /Log: begins its argument.
#include <optional>
#include <string>

#include "app/Startup.h"

namespace sentrel {


// Start-up and the unattended run through a QuietPlatform, then the record: the changes the run
// wrote (or, when it failed, that nothing was changed, or what could not be put back), and a
// note for each argument that did not act as written. An empty /Log: path is a wrong command
// line: nothing is written, exit code 1. A log that can't be written is reported (exit code 3 after a run that was done, and a box
// unless quiet) but never keeps the settings from being written: they are written first.
//
// A dry run (/WhatIf, /Check) does everything the run would, reading the registry as it is and
// writing only to an overlay (OverlayStore.h); it starts no installer. Its record's changes are
// the overlay's net difference, under "Would change:"; without a log they are shown in one box
// (none when quiet). Its exit code is the run's; /Check's is 0 when the run would change
// nothing, kExitWouldChange when it would change something and 1 when the run would fail.
void RunRecorded(Program& program);

// The record of a run whose command line could not be read (a response file), when /Log:
// stands on the command line itself: the switches as given, the message, exit code 1.
void RecordUnreadCommandLine(Program& program, const std::string& message);

inline constexpr const char* kMsgLogSwitchEmpty = "The /Log: switch needs the path of a file";
inline constexpr const char* kMsgInstallerNotStarted = "Cannot start the client installer %s";
inline constexpr const char* kMsgLogNotWritten = "Cannot write the log %s";

}  // namespace sentrel
