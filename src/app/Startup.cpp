#include "app/Startup.h"

#include <exception>

#include "app/RecordedRun.h"
#include "app/ResponseFiles.h"
#include "detect/ClientVersion.h"
#include "detect/KLVersionInfo.h"
#include "detect/WindowsFamily.h"
#include "logon/AllOrNothing.h"
#include "logon/CutOffRun.h"
#include "logon/DisableAutoLogon.h"
#include "logon/LogonInForce.h"
#include "logon/LogonRun.h"
#include "registry/Registry.h"
#include "switches/SwitchTable.h"
#include "ui/CurrentSettings.h"

namespace sentrel {

namespace {

void RunInstaller(Program& program) {
    const std::optional<std::string>& path = program.commandLine.installer;
    if (!path) return;
    const std::string parameters = program.commandLine.installerParameters.value_or("");
    // The installer's own exit code never stops the run. A failed start stops a run that keeps
    // a record: the shell showed no box of its own, and a roll-out must not configure a client
    // that is not there. Other runs go on after the shell's own message.
    std::optional<std::uint32_t> startError;
    RunAndWait(program.platform, "Open", *path, parameters, FolderOf(*path), kSwShowNormal, true,
               &startError);
    if (startError && program.commandLine.Recorded())
        throw RunError(kExitInstallerNotStarted,
                       WithSystemError(program.platform,
                                       FormatMessageText(kMsgInstallerNotStarted, *path),
                                       *startError));
    // A client the installer has just put on the machine must be seen by the writers.
    program.environment.clientVersion = GetClientVersion(program.store, program.platform);
}

// Read from the run's plan of the registry, so what the guesses find is what the run writes over.
void GuessSettings(LogonContext& context, const void* commandLine, LogonSettings& settings) {
    const CommandLine& line = *static_cast<const CommandLine*>(commandLine);
    // A guess that finds nothing stops the run before anything is written: the text itself
    // would be stored as the name, and Windows would log on as a user called AuToDeTeCt.
    for (const SwitchEntry& entry : SwitchTable()) {
        if (!entry.guessed || settings.*entry.text != kAutoDetect) continue;
        std::optional<std::string> stored =
            StoredName(context.store, context.state.ProfileName, entry.text);
        if (!stored)
            throw RunError(kExitFailed, FormatMessageText(kMsgGuessFoundNothing, entry.name));
        settings.*entry.text = *stored;
    }
    if (line.workstationName) settings.MsDomain = context.environment.computerName;
}

}  // namespace

std::string WithSystemError(Platform& platform, const std::string& text, std::uint32_t code) {
    std::string reason = SystemErrorLine(platform, code).value_or("");
    if (!reason.empty() && reason.back() == '.') reason.pop_back();  // the message goes on
    if (reason.empty()) reason = "error " + std::to_string(code);
    return text + ": " + reason;
}

std::string FolderOf(const std::string& path) {
    std::string::size_type at = path.find_last_of("\\:");
    return at == std::string::npos ? std::string() : path.substr(0, at + 1);
}

int RunAndWait(Platform& platform, const std::string& verb, const std::string& fileName,
               const std::string& parameters, const std::string& directory, int showCommand,
               bool wait, std::optional<std::uint32_t>* startError) {
    ProcessHandle process = 0;
    std::uint32_t error = 0;
    if (!platform.StartProgram({verb, fileName, parameters, directory, showCommand}, &process,
                               &error)) {
        if (startError) *startError = error;
        return -1;
    }
    if (!wait) {
        platform.CloseProcess(process);
        return 0;
    }
    while (platform.WaitForProcess(process, 100) == WaitOutcome::TimedOut)
        platform.ProcessMessages();
    std::uint32_t code = 0;
    bool known = platform.GetExitCode(process, &code);
    platform.CloseProcess(process);
    return known ? static_cast<int>(code) : -1;
}

std::vector<RegistryChange> RunUnattended(Program& program) {
    // What an earlier run that was cut off left goes first, before an installer or a check.
    {
        LogonContext context = program.Context();
        PutBackCutOffRunAtStart(context);
    }
    RunInstaller(program);

    const bool disable = program.commandLine.disable;
    program.state.ModeText = program.commandLine.mode.value_or("error");
    // Checked as given, before anything is written: a wrong mode must not half-configure a
    // machine that then may not come up.
    if (!disable && !IsLogonMode(program.state.ModeText)) {
        // After a put-back the box says what that did, and that nothing of this run was written.
        if (!program.state.CutOffRun.empty())
            throw RunFailed(kMsgModeSwitch, {}, program.state.CutOffRun);
        throw RunError(kExitFailed, kMsgModeSwitch);
    }

    LogonContext context = program.Context();
    std::vector<RegistryChange> changes =
        RunLogon(context, disable ? LogonAction::DisableKeepingNames : LogonAction::Enable,
                 program.commandLine.settings, GuessSettings, &program.commandLine);
    if (disable && program.environment.Windows9x())
        program.platform.ShowMessageBox(kMsgAutoLogonDisabled9x, kApplicationTitle, kMbOk);
    program.platform.RequestEnd();
    return changes;
}

void FormCreate(Program& program) {
    DetectWindows(program.platform, program.environment);
    try {
        program.switches.ReadAs(ReadResponseFiles(program.switches.Given(), program.platform));
        program.commandLine = ParseCommandLine(program.switches);
    } catch (const std::exception& e) {
        // A wrong command line: nothing is run, and a quiet one shows no box.
        program.commandLine = ParseCommandLine(program.switches);  // as given
        if (!program.commandLine.quiet) ShowError(program.platform, e.what());
        RecordUnreadCommandLine(program, e.what());
        program.state.ExitCode = kExitFailed;
        program.platform.RequestEnd();
        return;
    }
    const bool unattended = program.commandLine.unattended;
    if (unattended && program.commandLine.Recorded())
        RunRecorded(program);
    else
        StartUp(program, unattended);
}

RunOutcome StartUp(Program& program, bool unattended) {
    RunOutcome outcome;
    try {
        program.state.ProfileName = kDefaultProfileName;
        TKLVersionInfo versionInfo(program.platform);
        program.form.caption =
            std::string(kApplicationTitle) + " Version: " + versionInfo.GetValue("FileVersion");
        program.form.settingsTabsVisible = false;

        // Refused before any switch is acted on: nothing is written on Windows 3.x.
        Environment& environment = program.environment;
        if (environment.windowsFamily == kWindows31) {
            program.form.edCliVer = environment.clientVersion = kClientOnWindows3x;
            program.platform.ShowMessageBox(kMsgRefusal, kApplicationTitle, kMbOk);
            program.platform.RequestEnd();
            return outcome;
        }
        environment.clientVersion = GetClientVersion(program.store, program.platform);
        program.form.edCliVer = environment.clientVersion;  // shown, never read back
        // Nothing of an unattended run reads the window, so a damaged value that only the
        // window shows cannot stop a run.
        if (!unattended) {
            LogonContext context = program.Context();
            // The window shows the machine as it is once a cut-off run is put back.
            try {
                PutBackCutOffRunAtStart(context);
                if (!program.state.CutOffRun.empty())
                    program.platform.ShowMessageBox(program.state.CutOffRun, kApplicationTitle,
                                                    kMbOk | kMbIconInformation);
                program.state.CutOffRun.clear();
            } catch (const std::exception& e) {
                ShowError(program.platform, e.what());
            }
            ShowCurrentSettings(context, program.form);
        }

        if (unattended) {
            outcome.changes = RunUnattended(program);
            program.platform.RequestEnd();
        }
        if (program.commandLine.help &&
            program.platform.ShowMessageBox(kMsgHelp, kApplicationTitle,
                                            kMbOk | kMbIconInformation) == kIdOk)
            program.platform.RequestEnd();
    } catch (std::exception& e) {
        ShowError(program.platform, e.what());
        if (unattended) {
            auto* runError = dynamic_cast<RunError*>(&e);
            outcome.failure = runError ? runError->Why() : e.what();
            if (runError) outcome.leftChanged = runError->TakeLeftChanged();
            program.state.ExitCode = runError ? runError->ExitCode() : kExitFailed;
            program.platform.RequestEnd();
        }
    }
    return outcome;
}

}  // namespace sentrel
