#include "ui/ModeSelection.h"

namespace sentrel {

void ModeSelected(FormState& form, ProgramState& state) {
    switch (form.modeIndex) {
        case 0:
            state.ModeText = "0";
            form.EdtUsrEnabled = true;
            form.edtNDSPassEnabled = true;
            form.EdtMSPassEnabled = true;
            break;
        case 1:
        case 2:
            state.ModeText = std::string(1, static_cast<char>('0' + form.modeIndex));
            form.edtNDSPass.clear();
            form.edtNDSPassEnabled = false;
            break;
        case 3:
            state.ModeText = "3";
            form.edtNDSPass.clear();
            form.edtNDSPassEnabled = false;
            form.EdtMSPass.clear();
            form.EdtMSPassEnabled = false;
            break;
        default:
            break;
    }
}

}  // namespace sentrel
