#include "app/RecordedRun.h"

#include "app/RunRecord.h"
#include "detect/ClientVersion.h"
#include "logon/LogonInForce.h"
#include "platform/QuietPlatform.h"
#include "registry/OverlayStore.h"
#include "registry/Registry.h"
#include "switches/SwitchNotes.h"
#include "switches/SwitchTable.h"

namespace sentrel {

namespace {

std::vector<std::string> WithoutProgram(const std::vector<std::string>& all) {
    return std::vector<std::string>(all.begin() + (all.empty() ? 0 : 1), all.end());
}

// What every record says of where and when it ran, and what it was told.
void DescribeRun(Program& program, RunRecord& record) {
    record.time = program.platform.Now();
    record.computerName = program.environment.computerName;
    record.windowsFamily = program.environment.windowsVersion;
    record.arguments = WithoutProgram(program.switches.Given());
    if (program.switches.Given() != program.switches.Arguments())
        record.readArguments = WithoutProgram(program.switches.Arguments());
}

}  // namespace

void RunRecorded(Program& program) {
    const CommandLine& options = program.commandLine;
    if (options.quiet) program.platform.HideSystemErrorBoxes();
    const bool dry = options.DryRun();
    // A dry run's messages are told in its one box at the end, not one by one.
    QuietPlatform platform(program.platform, options.quiet || dry, dry);
    // A dry run writes its plan into an overlay of its own: the same road as the real run's,
    // stopped before the registry.
    OverlayStore overlay(program.store);
    const bool logged = options.log && !options.log->empty();
    RegistryStore& store = dry ? static_cast<RegistryStore&>(overlay) : program.store;
    Program run{store, platform, program.state, program.form, program.switches,
                program.commandLine, program.environment};
    const bool recorded = logged || dry;
    program.state.DryRun = dry;
    program.state.Recorded = recorded;
    RunRecord record;
    RunOutcome outcome;
    // Read again once the run has its turn; this stands where it never takes one.
    if (recorded)
        record.inForceBefore = DescribeInForceNow(program.store, program.platform, program.environment);
    if (options.log && options.log->empty()) {
        ShowError(platform, kMsgLogSwitchEmpty);
        program.state.ExitCode = kExitFailed;
    } else {
        outcome = StartUp(run, true);
    }
    int& exitCode = program.state.ExitCode;
    if (!program.state.InForceBefore.empty()) record.inForceBefore = program.state.InForceBefore;
    record.cutOffRun = program.state.CutOffRun;
    record.putBack = program.state.PutBack;
    if (dry) {
        record.changes = overlay.NetChanges();
        // A journal left behind is a change the real run makes, whatever it puts back.
        if (options.check && exitCode == kExitDone &&
            (!record.changes.empty() || !record.cutOffRun.empty()))
            exitCode = kExitWouldChange;
        if (options.check && exitCode != kExitDone && exitCode != kExitWouldChange)
            exitCode = kExitFailed;
    } else {
        // The run is over: its outcome is the record's.
        record.changes = std::move(outcome.changes);
        record.failure = std::move(outcome.failure);
        record.leftChanged = std::move(outcome.leftChanged);
    }

    if (recorded) {
        DescribeRun(program, record);
        record.clientVersion = program.environment.clientVersion;
        record.switchNotes = SwitchNotes(program.switches, program.environment.Windows9x());
        record.inForceAfter = DescribeInForceNow(store, program.platform, program.environment);
        record.messages = platform.Messages();
        record.note = program.state.Note;
        record.exitCode = exitCode;
        record.dryRun = dry;
        record.check = options.check;
        record.wouldRun = platform.WouldRun();
    }
    if (dry && !logged && !options.quiet) {
        // A box the screen can hold; no log is written from this record.
        const std::size_t kShownChanges = 12;  // a message box wraps each into about three lines
        std::vector<RegistryChange>& changes = record.changes;
        if (changes.size() > kShownChanges) {
            record.changesLeftOut = changes.size() - kShownChanges;
            changes.erase(changes.begin() + kShownChanges, changes.end());
        }
        program.platform.ShowMessageBox(FormatRunOutcome(record, program.state.ProfileName),
                                        kApplicationTitle, kMbOk | kMbIconInformation);
    }
    if (logged) {
        const std::string& path = *options.log;
        std::uint32_t error = AppendToLog(
            program.platform, path, FormatRunRecord(record, program.state.ProfileName));
        if (error) {
            if (exitCode == kExitDone) exitCode = kExitLogNotWritten;
            // Shown before the end is requested, so the box waits for its answer.
            if (!options.quiet)
                ShowError(program.platform,
                          WithSystemError(program.platform,
                                          FormatMessageText(kMsgLogNotWritten, path), error));
        }
    }
    program.platform.RequestEnd();
}

void RecordUnreadCommandLine(Program& program, const std::string& message) {
    const std::optional<std::string> path = program.commandLine.log;
    if (!path || path->empty()) return;
    RunRecord record;
    DescribeRun(program, record);
    record.clientVersion = "not read";
    record.inForceBefore = record.inForceAfter =
        DescribeInForceNow(program.store, program.platform, program.environment);
    record.messages.push_back(message);
    record.failure = message;
    record.exitCode = kExitFailed;
    // The run fails either way: a log that can't be written changes nothing of it.
    AppendToLog(program.platform, *path, FormatRunRecord(record, kDefaultProfileName));
}

}  // namespace sentrel
