#include "app/RecordedRun.h"

#include "app/RunRecord.h"
#include "app/SwitchTable.h"
#include "detect/ClientVersion.h"
#include "detect/WindowsFamily.h"
#include "logon/LogonInForce.h"
#include "platform/QuietPlatform.h"
#include "registry/JournalingStore.h"
#include "registry/Registry.h"

namespace sentrel {

RecordOptions RecordOptions::From(const Switches& switches) {
    return {HasSwitch(switches, SwitchNamed("Quiet")), SwitchValue(switches, SwitchNamed("Log:"))};
}

namespace {

// What is in force, for the record. A client version that cannot be read is the run's own
// error to report; here it only leaves the state unknown.
std::string InForceText(Program& program) {
    try {
        const bool client =
            GetClientVersion(program.store, program.platform) != kClientNotDetected;
        return DescribeLogonInForce(ReadLogonInForce(
            program.store, kDefaultProfileName, IsWindows9x(program.platform), client));
    } catch (const std::exception& e) {
        return std::string("unknown: ") + e.what();
    }
}

}  // namespace

void RunRecorded(Program& program, const RecordOptions& options) {
    if (options.quiet) program.platform.HideSystemErrorBoxes();
    QuietPlatform platform(program.platform, options.quiet);
    JournalingStore journal(program.store);
    const bool logged = options.logPath && !options.logPath->empty();
    RegistryStore& store = logged ? static_cast<RegistryStore&>(journal) : program.store;
    Program run{store, platform, program.state, program.form, program.switches};
    const std::string before = logged ? InForceText(program) : std::string();
    if (options.logPath && options.logPath->empty()) {
        ShowError(platform, kMsgLogSwitchEmpty);
        program.state.ExitCode = kExitFailed;
    } else {
        StartUp(run, true);
    }

    if (logged) {
        const std::vector<std::string>& all = program.switches.Arguments();
        RunRecord record{program.platform.Now(),
                         program.platform.ComputerName(),
                         GetWindowsVersion(program.platform),
                         program.form.edCliVer,
                         std::vector<std::string>(all.begin() + (all.empty() ? 0 : 1), all.end()),
                         before,
                         InForceText(program),
                         journal.Changes(),
                         platform.Messages(),
                         program.state.Note,
                         program.state.ExitCode};
        const std::string& path = *options.logPath;
        std::uint32_t error = AppendToLog(
            program.platform, path, FormatRunRecord(record, program.state.ProfileName));
        if (error) {
            if (program.state.ExitCode == kExitDone) program.state.ExitCode = kExitLogNotWritten;
            // Shown before the end is requested, so the box waits for its answer.
            if (!options.quiet)
                ShowError(program.platform,
                          WithSystemError(program.platform,
                                          FormatMessageText(kMsgLogNotWritten, path), error));
        }
    }
    program.platform.RequestEnd();
}

}  // namespace sentrel
