#pragma once
// What a run's record says of its command line: the rules stay as login scripts rely on them
// (an unknown argument is passed over, the first of two counts), but nothing of it is silent.
#include <string>
#include <vector>

#include "switches/Switches.h"

namespace sentrel {

// A note for every argument that is no switch of the program, every switch given more than
// once, and a /LockWS that cannot act (on Windows 9x, with /Disable, with /Mode:3). Arguments
// show as MaskedArgument shows them.
std::vector<std::string> SwitchNotes(const Switches& switches, bool windows9x);

}  // namespace sentrel
