#include "ui/FormActions.h"

#include "detect/WindowsFamily.h"
#include "logon/DisableAutoLogon.h"
#include "logon/EnableAutoLogon.h"
#include "logon/WindowsAutoLogon9x.h"
#include "ui/CurrentSettings.h"

namespace sentrel {

void EnableClicked(LogonContext& context, FormState& form) {
    context.state.ModeText = form.ModeCode();
    context.state.Note.clear();
    const LogonSettings settings = form.Settings();
    if (IsWindows9x(context.platform))
        EnableAutoLogon9x(context, settings);
    else
        EnableAutoLogon(context, settings);
    std::string result = kMsgAutoLoginEnabled;
    if (!context.state.Note.empty()) (result += "\r\n\r\n") += context.state.Note;
    context.platform.ShowMessageBox(result, kApplicationTitle, kMbOk);
    ShowCurrentSettings(context, form);
}

void DisableClicked(LogonContext& context, FormState& form) {
    if (IsWindows9x(context.platform))
        DisableAutoLogon9x(context);
    else
        DisableAutoLogon(context);
    context.platform.ShowMessageBox(kMsgAutoLoginDisabled, kApplicationTitle, kMbOk);
    ShowCurrentSettings(context, form);
}

}  // namespace sentrel
