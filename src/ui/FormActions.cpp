#include "ui/FormActions.h"

#include "logon/DisableAutoLogon.h"
#include "logon/LogonRun.h"
#include "ui/CurrentSettings.h"

namespace sentrel {

namespace {

// A run that held the turn may have been cut off while this one waited: say what was done.
void TellCutOffRun(LogonContext& context) {
    if (context.state.CutOffRun.empty()) return;
    context.platform.ShowMessageBox(context.state.CutOffRun, kApplicationTitle,
                                    kMbOk | kMbIconInformation);
    context.state.CutOffRun.clear();
}

// Each click says only what it did: a put-back an earlier click told of is not told again.
void RunFromWindow(LogonContext& context, LogonAction action, const LogonSettings& settings) {
    context.state.CutOffRun.clear();
    context.state.PutBack.clear();
    RunLogon(context, action, settings);
    TellCutOffRun(context);
}

}  // namespace

void EnableClicked(LogonContext& context, FormState& form) {
    context.state.ModeText = form.ModeCode();
    context.state.Note.clear();
    RunFromWindow(context, LogonAction::Enable, form.settings);
    std::string result = kMsgAutoLoginEnabled;
    if (!context.state.Note.empty()) (result += "\r\n\r\n") += context.state.Note;
    context.platform.ShowMessageBox(result, kApplicationTitle, kMbOk);
    ShowCurrentSettings(context, form);
}

void DisableClicked(LogonContext& context, FormState& form) {
    RunFromWindow(context, LogonAction::Disable, form.settings);
    if (context.environment.Windows9x())
        context.platform.ShowMessageBox(kMsgAutoLogonDisabled9x, kApplicationTitle, kMbOk);
    context.platform.ShowMessageBox(kMsgAutoLoginDisabled, kApplicationTitle, kMbOk);
    ShowCurrentSettings(context, form);
}

}  // namespace sentrel
