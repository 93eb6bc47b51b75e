#pragma once
// What choosing an entry of the mode list does: the mode code, and the password fields that a
// mode without stored passwords empties and disables.
#include "logon/LogonContext.h"
#include "ui/FormState.h"

namespace sentrel {

// Applies form.modeIndex; an index of -1 (a typed text that selects no entry) changes nothing.
void ModeSelected(FormState& form, ProgramState& state);

}  // namespace sentrel
