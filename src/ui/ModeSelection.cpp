#include "ui/ModeSelection.h"

namespace sentrel {

void ModeSelected(FormState& form, ProgramState& state) {
    if (form.modeIndex < 0) return;  // nothing selected: nothing changes
    // The code, not the index: the one entry of a machine without the client is mode 1.
    state.ModeText = form.ModeCode();
    const char mode = state.ModeText[0];
    if (mode == '0') {
        form.EdtUsrEnabled = true;
        form.edtNDSPassEnabled = true;
        form.EdtMSPassEnabled = true;
        return;
    }
    form.settings.NdsPassword.clear();
    form.edtNDSPassEnabled = false;
    // Modes 1 and 2 log on to Windows with the stored password, also after mode 3 took it.
    form.EdtMSPassEnabled = mode != '3';
    if (mode == '3') form.settings.MsPassword.clear();
}

}  // namespace sentrel
