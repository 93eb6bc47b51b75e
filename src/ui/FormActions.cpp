#include "ui/FormActions.h"

#include "detect/WindowsFamily.h"
#include "logon/DisableAutoLogon.h"
#include "logon/EnableAutoLogon.h"
#include "logon/WindowsAutoLogon9x.h"

namespace sentrel {

void EnableClicked(LogonContext& context, const FormState& form) {
    context.state.ModeText = std::to_string(form.modeIndex < 0 ? 0 : form.modeIndex);
    if (IsWindows9x(context.platform)) {
        EnableAutoLogon9x(context, form.edtServer, form.EdtUsr, form.edtNDSPass,
                          form.cbRunLoginScript);
    } else {
        LogonSettings settings;
        settings.NdsTree = form.edtTree;
        settings.NdsServer = form.edtServer;
        settings.NdsUser = form.EdtUsr;
        settings.NdsContext = form.edtContext;
        settings.NdsPassword = form.edtNDSPass;
        settings.MsDomain = form.EdtMSDom;
        settings.MsUser = form.edtMSUsr;
        settings.MsPassword = form.EdtMSPass;
        settings.RunScript = form.cbRunLoginScript;
        settings.ShowResult = form.cbShowResult;
        EnableAutoLogon(context, settings);
    }
    context.platform.ShowMessageBox(kMsgAutoLoginEnabled, kApplicationTitle, kMbOk);
}

void DisableClicked(LogonContext& context) {
    if (IsWindows9x(context.platform))
        DisableAutoLogon9x(context);
    else
        DisableAutoLogon(context);
    context.platform.ShowMessageBox(kMsgAutoLoginDisabled, kApplicationTitle, kMbOk);
}

}  // namespace sentrel
