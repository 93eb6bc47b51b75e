#pragma once
// What every registry task works with: the store it writes, the platform, the program-wide
// state and what was detected of the workstation.
#include <string>
#include <vector>

#include "detect/ClientVersion.h"
#include "detect/Environment.h"
#include "platform/Platform.h"
#include "registry/RegistryChange.h"

namespace sentrel {

// Every member has an initialiser, so a brace list may give only the first ones.
struct ProgramState {
    std::string ModeText{};     // the current LogonMode; empty at start
    std::string ProfileName{};  // the Novell location profile every task works on
    int ExitCode = 0;
    std::string Note{};  // what a run left as it was, for its result and its log; or empty
    // A dry run (/WhatIf, /Check): the store is an overlay; no journal, nothing flushed.
    bool DryRun = false;
    // A run that keeps a record: what is in force is read once the run has its turn.
    bool Recorded = false;
    std::string InForceBefore{};
    // What was done of an earlier run's journal ("An earlier run was cut off ..."), or empty,
    // and the changes its put-back wrote, in order.
    std::string CutOffRun{};
    std::vector<RegistryChange> PutBack{};

    // A note more: each follows the one before.
    void AddNote(const std::string& text) {
        if (!Note.empty()) Note += " ";
        Note += text;
    }
};

inline constexpr const char* kApplicationTitle = "Sentrel for Windows9x, WinNT, W2K & WinXP";
inline constexpr const char* kDefaultProfileName = "Default";

// Shows a message in an error box titled with the application title: how both doors report an
// error.
void ShowError(Platform& platform, const std::string& message);

// Everything a registry task works with besides its settings. Tasks never read the window: the
// window and the unattended run hand them the same LogonSettings and this detected environment,
// so the two doors write the same values.
struct LogonContext {
    RegistryStore& store;
    Platform& platform;
    ProgramState& state;
    const Environment& environment;  // what start-up detected of the workstation
};

}  // namespace sentrel
