#pragma once
// The program's spine: what the main window's creation does (caption, version fields, current
// settings, then the unattended run, help or refusal), the unattended run itself, and starting
// the client installer and waiting for it.
#include <cstdint>
#include <optional>
#include <string>

#include "switches/CommandLine.h"
#include "detect/Environment.h"
#include "logon/LogonContext.h"
#include "logon/LogonRun.h"
#include "logon/RunError.h"
#include "ui/FormState.h"

namespace sentrel {

// The program's parts, all held by reference: a run on another store or platform (a dry run's
// overlay, a quiet run's platform) shares the rest with the program.
struct Program {
    RegistryStore& store;
    Platform& platform;
    ProgramState& state;
    FormState& form;
    Switches& switches;
    CommandLine& commandLine;  // what the switches say, once they are read (FormCreate)
    Environment& environment;  // what start-up detected; the window shows it

    LogonContext Context() { return LogonContext{store, platform, state, environment}; }
};

// What an unattended run leaves for its record: the changes it wrote, net; or, when it failed,
// why, and what it could not put back.
struct RunOutcome {
    std::vector<RegistryChange> changes;
    std::string failure;
    std::vector<RegistryChange> leftChanged;
};

// Runs once, after the window exists and before it is shown. Ends with an end request for an
// unattended run, an answered help box or Windows 3.x. An error is shown in a message box; in an
// unattended run it also ends the program with exit code 1 (or the RunError's), so a login
// script can tell. An unattended run with /Quiet or /Log: keeps a record (RecordedRun.h).
void FormCreate(Program& program);

// What FormCreate does once the run's way is chosen. A failure of an unattended run is shown,
// ends the program with its exit code and is told in the outcome.
RunOutcome StartUp(Program& program, bool unattended);

// Everything from the switches: the installer, the settings, then disable or enable. Gives the
// changes written; a failure raises RunError.
std::vector<RegistryChange> RunUnattended(Program& program);

// Starts a program through the shell; with wait, handles window messages every 100 ms until it
// ends. Gives its exit code, 0 when not waiting, -1 when the start failed (its system error
// code then in startError, when given) or the exit code can't be read.
int RunAndWait(Platform& platform, const std::string& verb, const std::string& fileName,
               const std::string& parameters, const std::string& directory, int showCommand,
               bool wait, std::optional<std::uint32_t>* startError = nullptr);

// The folder part of a path: up to and including its last backslash or colon.
std::string FolderOf(const std::string& path);

// "text: the system's text for the error code", on one line.
std::string WithSystemError(Platform& platform, const std::string& text, std::uint32_t code);

inline constexpr const char* kMsgHelp = "Help is found by running Sentrel.exe and select the Usage Tab";
inline constexpr const char* kMsgRefusal =
    "Sorry, but this program is intended for Win9x, WinME, WinNT, Win2000 or WinXP";
inline constexpr const char* kMsgGuessFoundNothing =
    "Nothing is stored on this workstation to take /%sAuToDeTeCt from";
inline constexpr const char* kMsgModeSwitch = "Mode switch needs to be either 0, 1 or 2 or 3";

}  // namespace sentrel
