#pragma once
// Every switch of the command line, once: its name, whether it is a flag or carries a value, how
// its name is matched, whether its value is a secret, and the settings field it fills. The
// parser, the window's command-line builder, the run record's masking and the Usage page's list
// all read this table, so a switch cannot be known to one and missing from another.
#include <span>
#include <string>

#include "switches/CommandLine.h"

namespace sentrel {

enum class SwitchForm {
    LooseFlag,  // a slash and the name anywhere in one argument, any letter case ("/U", "/?")
    Flag,       // the whole argument, any letter case
    FlagOrValued,  // as Flag, or followed by a colon and anything ("/Disable:")
    Valued,     // the argument begins with the slash and the name, which ends in a colon
};

// A row names only what its switch has; the rest keeps these defaults (designated initialisers
// in the table), so each row reads on its own.
struct SwitchEntry {
    const char* name;  // without the slash; a valued switch's name ends in its colon
    SwitchForm form;
    bool ignoreCase = true;  // valued switches: whether the name is matched without letter case
    bool secret = false;     // the value is a password: the run record masks it
    bool guessed = false;    // the value "AuToDeTeCt" is taken from what the workstation stores
    std::string LogonSettings::*text = nullptr;  // the text field the value fills, or none
    bool LogonSettings::*flag = nullptr;         // the flag the switch sets, or none
    bool CommandLine::*option = nullptr;         // the run's option the switch sets, or none
    std::optional<std::string> CommandLine::*value = nullptr;  // the run's value, or none
    const char* fieldLabel = nullptr;  // the window field's label, for messages, or none
    int lineOrder = 0;  // where the window's command line writes it (from 1), or 0 when it never does
    const char* usage = "";  // the Usage page's line after the switch's name, tabs included
};

std::span<const SwitchEntry> SwitchTable();
// The row that gives a run's value or option: for the few places that name one switch (the
// masking of the installer's parameters), by the field it fills, never by its text.
const SwitchEntry& SwitchOf(std::optional<std::string> CommandLine::*value);

// The row's lookups in the arguments.
bool HasSwitch(const Switches& switches, const SwitchEntry& entry);
std::optional<std::string> SwitchValue(const Switches& switches, const SwitchEntry& entry);

// The row an argument is, by the lookups' own matching: a valued switch's name at its start, in
// the letter case its rule asks for; a flag as the whole argument ("/Disable" also followed by a
// colon and anything). None for any other argument (the loose rule of "/U" and "/?" aside).
const SwitchEntry* SwitchWrittenAs(const std::string& argument);
// For an argument that is no switch: the row whose name it holds in another letter case, so a
// message can say how the switch is written; or none.
const SwitchEntry* SwitchMisspelled(const std::string& argument);
// The argument as a record or a message may show it: the value of a password switch, and all
// after the first colon of an argument that is no switch ("-MSPass:x", "/MSPasswd:x"), as ****.
std::string MaskedArgument(const std::string& argument);

// The Usage page's list of switches, one per line (CRLF), in the table's order.
std::string UsageSwitchList();

inline constexpr const char* kAutoDetect = "AuToDeTeCt";

}  // namespace sentrel
