#pragma once
// How a run that changes the registry fails, from either door: one exception, with the exit code
// an unattended run ends with, why it failed, and what it could not put back. Its text is what
// the error box shows.
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "registry/RegistryChange.h"

namespace sentrel {

// The exit codes of an unattended run; interactive use and help end with kExitDone.
inline constexpr int kExitDone = 0;
inline constexpr int kExitFailed = 1;              // an operation failed, or a wrong command line
inline constexpr int kExitInstallerNotStarted = 2; // the client installer could not be started
inline constexpr int kExitLogNotWritten = 3;       // the settings were written, the log was not
inline constexpr int kExitWouldChange = 4;         // /Check: the run would change something

class RunError : public std::runtime_error {
public:
    // A failure found before anything was written: the message is why.
    RunError(int exitCode, const std::string& message)
        : RunError(exitCode, message, message, {}) {}
    // why: the reason alone, for the record; message: the box's text, which says what became
    // of the registry; leftChanged: what could not be put back (nothing: all is as it was).
    RunError(int exitCode, const std::string& why, const std::string& message,
             std::vector<RegistryChange> leftChanged)
        : std::runtime_error(message),
          exitCode_(exitCode),
          why_(why),
          leftChanged_(std::move(leftChanged)) {}
    int ExitCode() const { return exitCode_; }
    const std::string& Why() const { return why_; }
    const std::vector<RegistryChange>& LeftChanged() const { return leftChanged_; }
    // Moved out, where the error is handled for good (the record's outcome).
    std::vector<RegistryChange> TakeLeftChanged() { return std::move(leftChanged_); }

private:
    int exitCode_;
    std::string why_;
    std::vector<RegistryChange> leftChanged_;
};

}  // namespace sentrel
