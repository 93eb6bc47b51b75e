#include "switches/SwitchTable.h"

#include <cstring>

namespace sentrel {

namespace {

using S = LogonSettings;
using C = CommandLine;
constexpr SwitchForm kLoose = SwitchForm::LooseFlag;
constexpr SwitchForm kFlag = SwitchForm::Flag;
constexpr SwitchForm kValued = SwitchForm::Valued;

// In the Usage page's order.
const SwitchEntry kTable[] = {
    {.name = "U", .form = kLoose, .option = &C::unattended,
     .usage = "\t\tRun unattended: take everything from the parameters and end."},
    {.name = "?", .form = kLoose, .option = &C::help, .usage = "\t\tShow where help is found."},
    {.name = "ACU:", .form = kValued, .value = &C::installer,
     .usage = "\t\tFull path and file name of the Novell client installer, run first."},
    {.name = "ACUParam:", .form = kValued, .value = &C::installerParameters,
     .usage = "\tAll parameters for the installer, in one argument (quote them)."},
    {.name = "NDSTree:", .form = kValued, .ignoreCase = false, .guessed = true,
     .text = &S::NdsTree, .fieldLabel = "NDS Tree", .lineOrder = 1,
     .usage = "\tThe NDS tree to log on to."},
    {.name = "NDSCx:", .form = kValued, .ignoreCase = false, .guessed = true,
     .text = &S::NdsContext, .fieldLabel = "NDS Context", .lineOrder = 5,
     .usage = "\t\tThe NDS context of the user."},
    {.name = "NDSSrv:", .form = kValued, .ignoreCase = false, .guessed = true,
     .text = &S::NdsServer, .fieldLabel = "NDS Server", .lineOrder = 4,
     .usage = "\t\tThe NDS server, by name or IP address."},
    {.name = "NDSUsr:", .form = kValued, .ignoreCase = false, .guessed = true,
     .text = &S::NdsUser, .fieldLabel = "NDS UserName", .lineOrder = 2,
     .usage = "\t\tThe NDS user to log on as."},
    {.name = "NDSPass:", .form = kValued, .secret = true, .text = &S::NdsPassword,
     .fieldLabel = "NDS Password", .lineOrder = 3, .usage = "\tThe NDS password of that user."},
    {.name = "MSDom:", .form = kValued, .guessed = true, .text = &S::MsDomain,
     .fieldLabel = "MS Domain/Wkstn", .lineOrder = 6,
     .usage = "\t\tThe Windows domain, or the workstation, to log on to."},
    {.name = "MSUsr:", .form = kValued, .guessed = true, .text = &S::MsUser,
     .fieldLabel = "MS UserName", .lineOrder = 7, .usage = "\t\tThe Windows user name."},
    {.name = "MSPass:", .form = kValued, .secret = true, .text = &S::MsPassword,
     .fieldLabel = "MS Password", .lineOrder = 8, .usage = "\t\tThe Windows password."},
    {.name = "RunScript", .form = kFlag, .flag = &S::RunScript, .lineOrder = 10,
     .usage = "\tRun the login script at logon."},
    {.name = "ShowResult", .form = kFlag, .flag = &S::ShowResult, .lineOrder = 9,
     .usage = "\tShow the login result window at logon."},
    {.name = "AutoWSName", .form = kFlag, .option = &C::workstationName,
     .usage = "\tUse this computer's name as the Windows domain or workstation."},
    {.name = "Disable", .form = SwitchForm::FlagOrValued, .option = &C::disable,
     .usage = "\t\tDisable automatic logon instead of enabling it."},
    {.name = "LockWS", .form = kFlag, .flag = &S::LockWorkstation, .lineOrder = 11,
     .usage = "\t\tLock the workstation after the automatic logon (NT, 2000, XP)."},
    {.name = "Quiet", .form = kFlag, .option = &C::quiet,
     .usage = "\t\tShow no window and no message at all; the exit code tells the result."},
    {.name = "Log:", .form = kValued, .value = &C::log,
     .usage = "\t\tAppend a record of the run, every change included, to this file."},
    {.name = "WhatIf", .form = kFlag, .option = &C::whatIf,
     .usage = "\t\tWrite nothing and start no installer: show what the run would change."},
    {.name = "Check", .form = kFlag, .option = &C::check,
     .usage = "\t\tAs /WhatIf; exit code 0 when nothing would change, 4 when something would."},
    {.name = "Mode:", .form = kValued, .value = &C::mode, .lineOrder = 12,
     .usage = "\t\tThe logon mode:"},
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
