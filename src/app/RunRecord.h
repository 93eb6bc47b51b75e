#pragma once
// The record an unattended run appends to its log (/Log:): when and where it ran, what it was
// told, every registry change it made with what it replaced, every message, and its result.
// Plain ANSI text with CRLF lines, so Notepad reads it; no password shows.
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "registry/RegistryChange.h"

namespace sentrel {

struct RunRecord {
    LocalTime time;
    std::string computerName;
    std::string windowsFamily;  // "Windows 2000 (5.1.2600, Service Pack 2)", "Windows 95 (4.10.2222)"
    std::string clientVersion;  // what the client version field shows
    std::vector<std::string> arguments;  // the switches as given, the program's path left out
    std::string inForceBefore;  // DescribeLogonInForce before the run, and after it
    std::string inForceAfter;
    std::string cutOffRun;  // what the run did of an earlier run's journal, or empty
    std::vector<RegistryChange> putBack;  // what that put-back wrote, in order
    std::vector<std::string> readArguments;  // as read, when a response file gave some
    std::vector<RegistryChange> changes;
    // A run that failed: why, and what it could not put back (nothing: the registry is as it was).
    std::string failure;
    std::vector<RegistryChange> leftChanged;
    std::vector<std::string> switchNotes;  // what the command line asked that did not act as said
    std::vector<std::string> messages;
    std::string note;  // what the run left as it was, or empty
    int exitCode = 0;
    // A dry run (/WhatIf, /Check): the changes are those it would make, net, and wouldRun the
    // programs it would have started.
    bool dryRun = false;
    bool check = false;
    std::vector<std::string> wouldRun;
    std::size_t changesLeftOut = 0;  // changes not listed, so that a box fits the screen
};

// The record's text. The secret switches of the switch table (the passwords) and the
// installer's parameters when they hold one of those passwords show as ****, and so does the data of every value that
// holds a password (profileName names the Windows 9x login entry).
std::string FormatRunRecord(const RunRecord& record, const std::string& profileName);
// The record from its changes to its result: what a dry run without a log shows in its box.
std::string FormatRunOutcome(const RunRecord& record, const std::string& profileName);

// Appends the text to the log in one write. While another run holds the log (a log on a file
// share that many machines write at once) it tries again for up to kLogRetryMilliseconds.
// Gives 0 or the system's error code.
std::uint32_t AppendToLog(Platform& platform, const std::string& path, const std::string& text);

inline constexpr std::uint32_t kLogRetryMilliseconds = 15000;

}  // namespace sentrel
