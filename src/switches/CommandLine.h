#pragma once
// Everything a command line says, read once by the switch table (SwitchTable.h): the run's own
// options and the settings the switches fill. Nothing else looks a switch up.
#include <optional>
#include <string>

#include "logon/LogonSettings.h"
#include "switches/Switches.h"

namespace sentrel {

struct CommandLine {
    bool unattended = false;                          // /U
    bool help = false;                                // /?
    std::optional<std::string> installer;             // /ACU:
    std::optional<std::string> installerParameters;   // /ACUParam:
    LogonSettings settings;                           // the names, passwords and boxes
    bool workstationName = false;                     // /AutoWSName
    bool disable = false;                             // /Disable
    bool quiet = false;                               // /Quiet
    std::optional<std::string> log;                   // /Log:
    bool whatIf = false;                              // /WhatIf
    bool check = false;                               // /Check
    std::optional<std::string> mode;                  // /Mode:

    bool DryRun() const { return whatIf || check; }
    // A run that keeps a record (RecordedRun.h).
    bool Recorded() const { return quiet || log.has_value() || DryRun(); }
};

// The command line as the table's lookups read it: the first matching argument counts.
CommandLine ParseCommandLine(const Switches& switches);

}  // namespace sentrel
