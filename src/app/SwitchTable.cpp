#include "app/SwitchTable.h"

#include <cstring>

namespace sentrel {

namespace {

using S = LogonSettings;
constexpr SwitchForm kLoose = SwitchForm::LooseFlag;
constexpr SwitchForm kFlag = SwitchForm::Flag;
constexpr SwitchForm kValued = SwitchForm::Valued;
constexpr bool kAnyCase = true;
constexpr bool kExactCase = false;

// In the Usage page's order.
const SwitchEntry kTable[] = {
    {"U", kLoose, kAnyCase, false, false, nullptr, nullptr, nullptr, 0,
     "\t\tRun unattended: take everything from the parameters and end."},
    {"?", kLoose, kAnyCase, false, false, nullptr, nullptr, nullptr, 0,
     "\t\tShow where help is found."},
    {"ACU:", kValued, kAnyCase, false, false, nullptr, nullptr, nullptr, 0,
     "\t\tFull path and file name of the Novell client installer, run first."},
    {"ACUParam:", kValued, kAnyCase, false, false, nullptr, nullptr, nullptr, 0,
     "\tAll parameters for the installer, in one argument (quote them)."},
    {"NDSTree:", kValued, kExactCase, false, true, &S::NdsTree, nullptr, "NDS Tree", 1,
     "\tThe NDS tree to log on to."},
    {"NDSCx:", kValued, kExactCase, false, true, &S::NdsContext, nullptr, "NDS Context", 5,
     "\t\tThe NDS context of the user."},
    {"NDSSrv:", kValued, kExactCase, false, true, &S::NdsServer, nullptr, "NDS Server", 4,
     "\t\tThe NDS server, by name or IP address."},
    {"NDSUsr:", kValued, kExactCase, false, true, &S::NdsUser, nullptr, "NDS UserName", 2,
     "\t\tThe NDS user to log on as."},
    {"NDSPass:", kValued, kAnyCase, true, false, &S::NdsPassword, nullptr, "NDS Password", 3,
     "\tThe NDS password of that user."},
    {"MSDom:", kValued, kAnyCase, false, true, &S::MsDomain, nullptr, "MS Domain/Wkstn", 6,
     "\t\tThe Windows domain, or the workstation, to log on to."},
    {"MSUsr:", kValued, kAnyCase, false, true, &S::MsUser, nullptr, "MS UserName", 7,
     "\t\tThe Windows user name."},
    {"MSPass:", kValued, kAnyCase, true, false, &S::MsPassword, nullptr, "MS Password", 8,
     "\t\tThe Windows password."},
    {"RunScript", kFlag, kAnyCase, false, false, nullptr, &S::RunScript, nullptr, 10,
     "\tRun the login script at logon."},
    {"ShowResult", kFlag, kAnyCase, false, false, nullptr, &S::ShowResult, nullptr, 9,
     "\tShow the login result window at logon."},
    {"AutoWSName", kFlag, kAnyCase, false, false, nullptr, nullptr, nullptr, 0,
     "\tUse this computer's name as the Windows domain or workstation."},
    {"Disable", kFlag, kAnyCase, false, false, nullptr, nullptr, nullptr, 0,
     "\t\tDisable automatic logon instead of enabling it."},
    {"LockWS", kFlag, kAnyCase, false, false, nullptr, &S::LockWorkstation, nullptr, 11,
     "\t\tLock the workstation after the automatic logon (NT, 2000, XP)."},
    {"Quiet", kFlag, kAnyCase, false, false, nullptr, nullptr, nullptr, 0,
     "\t\tShow no window and no message at all; the exit code tells the result."},
    {"Log:", kValued, kAnyCase, false, false, nullptr, nullptr, nullptr, 0,
     "\t\tAppend a record of the run, every change included, to this file."},
    {"WhatIf", kFlag, kAnyCase, false, false, nullptr, nullptr, nullptr, 0,
     "\t\tWrite nothing and start no installer: show what the run would change."},
    {"Check", kFlag, kAnyCase, false, false, nullptr, nullptr, nullptr, 0,
     "\t\tAs /WhatIf; exit code 0 when nothing would change, 4 when something would."},
    {"Mode:", kValued, kAnyCase, false, false, nullptr, nullptr, nullptr, 12,
     "\t\tThe logon mode:"},
};

}  // namespace

std::span<const SwitchEntry> SwitchTable() { return kTable; }

const SwitchEntry& SwitchNamed(const char* name) {
    // A name no argument can hold: a control character splits arguments.
    static const SwitchEntry kNone = {"\x01", kValued, false, false, false, nullptr, nullptr,
                                     nullptr, 0, ""};
    for (const SwitchEntry& entry : kTable)
        if (std::strcmp(entry.name, name) == 0) return entry;
    return kNone;
}

bool HasSwitch(const Switches& switches, const SwitchEntry& entry) {
    switch (entry.form) {
        case SwitchForm::LooseFlag: return switches.HasLooseFlag(entry.name);
        case SwitchForm::Flag: return switches.HasFlag(entry.name);
        case SwitchForm::Valued: break;
    }
    return switches.GetSwitch(entry.name, entry.ignoreCase).has_value();
}

std::optional<std::string> SwitchValue(const Switches& switches, const SwitchEntry& entry) {
    return switches.GetSwitch(entry.name, entry.ignoreCase);
}

namespace {

std::string Written(const SwitchEntry& entry) { return kSwitchPrefix + std::string(entry.name); }

bool BeginsWith(const std::string& argument, const std::string& head, bool ignoreCase) {
    const std::string start = argument.substr(0, head.size());
    return ignoreCase ? UpperAscii(start) == UpperAscii(head) : start == head;
}

}  // namespace

const SwitchEntry* SwitchWrittenAs(const std::string& argument) {
    for (const SwitchEntry& entry : kTable) {
        const std::string name = Written(entry);
        const bool matches =
            entry.form == SwitchForm::Valued
                ? BeginsWith(argument, name, entry.ignoreCase)
                : UpperAscii(argument) == UpperAscii(name) ||
                      (std::strcmp(entry.name, "Disable") == 0 &&
                       BeginsWith(argument, name + ":", true));
        if (matches) return &entry;
    }
    return nullptr;
}

const SwitchEntry* SwitchMisspelled(const std::string& argument) {
    for (const SwitchEntry& entry : kTable)
        if (entry.form == SwitchForm::Valued && BeginsWith(argument, Written(entry), true))
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

LogonSettings SettingsOfSwitches(const Switches& switches) {
    LogonSettings settings;
    for (const SwitchEntry& entry : kTable) {
        if (entry.text) settings.*entry.text = SwitchValue(switches, entry).value_or("");
        if (entry.flag) settings.*entry.flag = HasSwitch(switches, entry);
    }
    return settings;
}

std::string UsageSwitchList() {
    std::string text;
    for (const SwitchEntry& entry : kTable) {
        ((((text += kSwitchPrefix) += entry.name) += entry.usage) += "\r\n");
        if (std::strcmp(entry.name, "Mode:") != 0) continue;
        for (std::size_t i = 0; i < std::size(kModeEntries); ++i)
            (((((text += '\t') += static_cast<char>('0' + i)) += " = ") += kModeEntries[i]) += "\r\n");
    }
    return text;
}

}  // namespace sentrel
