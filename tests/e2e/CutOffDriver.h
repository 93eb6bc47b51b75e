#pragma once
// Runs the real Sentrel.exe under the Win32 debugging API and ends it, as a killed process or a
// power cut ends it, just before one of its registry changes: every call of RegSetValueExA,
// RegDeleteValueA, RegDeleteKeyA, RegCreateKeyExA, RegFlushKey and RegSetKeySecurity counts as
// one, in the order the program makes them.
#include <string>

namespace sentrel::e2e {

struct CutOffOutcome {
    bool started = false;
    bool cut = false;   // ended before the change asked for
    int changes = 0;    // changes the program made (before the cut)
    int exitCode = -1;  // as it ended; 99 when it was cut
};

// change: the number of the change to cut before, from 0; -1 lets the program run to its end
// (to count its changes). A program still running after 60 seconds is ended (exitCode -1000).
CutOffOutcome RunCutOffBefore(int change, const std::string& arguments,
                              const std::string& windowsVersion);

}  // namespace sentrel::e2e
