#include "switches/SwitchTable.h"

#include <cstring>

namespace sentrel {

namespace {

using S = LogonSettings;
using C = CommandLine;
constexpr SwitchForm kLoose = SwitchForm::LooseFlag;
constexpr SwitchForm kFlag = SwitchForm::Flag;
constexpr SwitchForm kFlagOrValued = SwitchForm::FlagOrValued;
constexpr SwitchForm kValued = SwitchForm::Valued;
constexpr bool kAnyCase = true;
constexpr bool kExactCase = false;

// In the Usage page's order.
const SwitchEntry kTable[] = {
    {"U", kLoose, kAnyCase, false, false, nullptr, nullptr, &C::unattended, nullptr, nullptr, 0,
     "\t\tRun unattended: take everything from the parameters and end."},
    {"?", kLoose, kAnyCase, false, false, nullptr, nullptr, &C::help, nullptr, nullptr, 0,
     "\t\tShow where help is found."},
    {"ACU:", kValued, kAnyCase, false, false, nullptr, nullptr, nullptr, &C::installer, nullptr, 0,
     "\t\tFull path and file name of the Novell client installer, run first."},
    {"ACUParam:", kValued, kAnyCase, false, false, nullptr, nullptr, nullptr, &C::installerParameters, nullptr, 0,
     "\tAll parameters for the installer, in one argument (quote them)."},
    {"NDSTree:", kValued, kExactCase, false, true, &S::NdsTree, nullptr, nullptr, nullptr, "NDS Tree", 1,
     "\tThe NDS tree to log on to."},
    {"NDSCx:", kValued, kExactCase, false, true, &S::NdsContext, nullptr, nullptr, nullptr, "NDS Context", 5,
     "\t\tThe NDS context of the user."},
    {"NDSSrv:", kValued, kExactCase, false, true, &S::NdsServer, nullptr, nullptr, nullptr, "NDS Server", 4,
     "\t\tThe NDS server, by name or IP address."},
    {"NDSUsr:", kValued, kExactCase, false, true, &S::NdsUser, nullptr, nullptr, nullptr, "NDS UserName", 2,
     "\t\tThe NDS user to log on as."},
    {"NDSPass:", kValued, kAnyCase, true, false, &S::NdsPassword, nullptr, nullptr, nullptr, "NDS Password", 3,
     "\tThe NDS password of that user."},
    {"MSDom:", kValued, kAnyCase, false, true, &S::MsDomain, nullptr, nullptr, nullptr, "MS Domain/Wkstn", 6,
     "\t\tThe Windows domain, or the workstation, to log on to."},
    {"MSUsr:", kValued, kAnyCase, false, true, &S::MsUser, nullptr, nullptr, nullptr, "MS UserName", 7,
     "\t\tThe Windows user name."},
    {"MSPass:", kValued, kAnyCase, true, false, &S::MsPassword, nullptr, nullptr, nullptr, "MS Password", 8,
     "\t\tThe Windows password."},
    {"RunScript", kFlag, kAnyCase, false, false, nullptr, &S::RunScript, nullptr, nullptr, nullptr, 10,
     "\tRun the login script at logon."},
    {"ShowResult", kFlag, kAnyCase, false, false, nullptr, &S::ShowResult, nullptr, nullptr, nullptr, 9,
     "\tShow the login result window at logon."},
    {"AutoWSName", kFlag, kAnyCase, false, false, nullptr, nullptr, &C::workstationName, nullptr, nullptr, 0,
     "\tUse this computer's name as the Windows domain or workstation."},
    {"Disable", kFlagOrValued, kAnyCase, false, false, nullptr, nullptr, &C::disable, nullptr, nullptr, 0,
     "\t\tDisable automatic logon instead of enabling it."},
    {"LockWS", kFlag, kAnyCase, false, false, nullptr, &S::LockWorkstation, nullptr, nullptr, nullptr, 11,
     "\t\tLock the workstation after the automatic logon (NT, 2000, XP)."},
    {"Quiet", kFlag, kAnyCase, false, false, nullptr, nullptr, &C::quiet, nullptr, nullptr, 0,
     "\t\tShow no window and no message at all; the exit code tells the result."},
    {"Log:", kValued, kAnyCase, false, false, nullptr, nullptr, nullptr, &C::log, nullptr, 0,
     "\t\tAppend a record of the run, every change included, to this file."},
    {"WhatIf", kFlag, kAnyCase, false, false, nullptr, nullptr, &C::whatIf, nullptr, nullptr, 0,
     "\t\tWrite nothing and start no installer: show what the run would change."},
    {"Check", kFlag, kAnyCase, false, false, nullptr, nullptr, &C::check, nullptr, nullptr, 0,
     "\t\tAs /WhatIf; exit code 0 when nothing would change, 4 when something would."},
    {"Mode:", kValued, kAnyCase, false, false, nullptr, nullptr, nullptr, &C::mode, nullptr, 12,
     "\t\tThe logon mode:"},
};

}  // namespace

std::span<const SwitchEntry> SwitchTable() { return kTable; }

const SwitchEntry& SwitchOf(std::optional<std::string> CommandLine::*value) {
    for (const SwitchEntry& entry : kTable)
        if (entry.value == value) return entry;
    return kTable[0];  // every value of CommandLine has its row
}

bool HasSwitch(const Switches& switches, const SwitchEntry& entry) {
    switch (entry.form) {
        case SwitchForm::LooseFlag: return switches.HasLooseFlag(entry.name);
        case SwitchForm::Flag: return switches.HasFlag(entry.name);
        case SwitchForm::FlagOrValued:
            return switches.HasFlag(entry.name) ||
                   switches.GetSwitch(entry.name + std::string(":"), true).has_value();
        case SwitchForm::Valued: break;
    }
    return switches.GetSwitch(entry.name, entry.ignoreCase).has_value();
}

std::optional<std::string> SwitchValue(const Switches& switches, const SwitchEntry& entry) {
    return switches.GetSwitch(entry.name, entry.ignoreCase);
}

const SwitchEntry* SwitchWrittenAs(const std::string& argument) {
    for (const SwitchEntry& entry : kTable) {
        const bool matches =
            entry.form == SwitchForm::Valued
                ? BeginsWithSwitch(argument, entry.name, entry.ignoreCase)
                : IsFlag(argument, entry.name) ||
                      (entry.form == SwitchForm::FlagOrValued &&
                       BeginsWithSwitch(argument, entry.name + std::string(":"), true));
        if (matches) return &entry;
    }
    return nullptr;
}

const SwitchEntry* SwitchMisspelled(const std::string& argument) {
    for (const SwitchEntry& entry : kTable)
        if (entry.form == SwitchForm::Valued && BeginsWithSwitch(argument, entry.name, true))
            return &entry;
    return nullptr;
}

std::string MaskedArgument(const std::string& argument) {
    if (argument.rfind('@', 0) == 0) return argument;  // a response file's path
    const SwitchEntry* entry = SwitchWrittenAs(argument);
    if (entry && entry->secret) return argument.substr(0, std::strlen(entry->name) + 1) + "****";
    const std::size_t colon = argument.find(':');
    if (entry || colon == std::string::npos || colon + 1 == argument.size()) return argument;
    return argument.substr(0, colon + 1) + "****";
}

CommandLine ParseCommandLine(const Switches& switches) {
    CommandLine line;
    for (const SwitchEntry& entry : kTable) {
        if (entry.text) line.settings.*entry.text = SwitchValue(switches, entry).value_or("");
        if (entry.flag) line.settings.*entry.flag = HasSwitch(switches, entry);
        if (entry.option) line.*entry.option = HasSwitch(switches, entry);
        if (entry.value) line.*entry.value = SwitchValue(switches, entry);
    }
    return line;
}

std::string UsageSwitchList() {
    std::string text;
    for (const SwitchEntry& entry : kTable) {
        ((((text += kSwitchPrefix) += entry.name) += entry.usage) += "\r\n");
        if (entry.value != &CommandLine::mode) continue;
        for (std::size_t i = 0; i < std::size(kModeEntries); ++i)
            (((((text += '\t') += static_cast<char>('0' + i)) += " = ") += kModeEntries[i]) += "\r\n");
    }
    return text;
}

}  // namespace sentrel
