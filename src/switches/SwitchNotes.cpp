#include "switches/SwitchNotes.h"

#include "switches/SwitchTable.h"

namespace sentrel {

std::vector<std::string> SwitchNotes(const Switches& switches, bool windows9x) {
    std::vector<std::string> notes;
    const std::vector<std::string>& arguments = switches.Arguments();
    std::vector<bool> seen(SwitchTable().size()), noted(SwitchTable().size());
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (const SwitchEntry* entry = SwitchWrittenAs(argument)) {
            const std::size_t row = entry - SwitchTable().data();
            if (seen[row] && !noted[row]) {
                notes.push_back(kSwitchPrefix + std::string(entry->name) +
                                " is given more than once; the first counts");
                noted[row] = true;
            }
            seen[row] = true;
            continue;
        }
        std::string note = "\"" + MaskedArgument(argument) + "\" is no switch of Sentrel";
        // "/U" and "/?" keep their old rule: the slash and the letter anywhere in an argument.
        const SwitchEntry* loose = nullptr;
        for (const SwitchEntry& entry : SwitchTable())
            if (entry.form == SwitchForm::LooseFlag && NamesLoosely(argument, entry.name))
                loose = &entry;
        if (loose)
            ((note += "; it counts as ") += kSwitchPrefix) += loose->name;
        else
            note += " and was left out";
        notes.push_back(note);
    }
    const CommandLine line = ParseCommandLine(switches);
    if (line.settings.LockWorkstation) {
        const char* where = nullptr;
        if (windows9x) where = "on Windows 9x";
        else if (line.disable) where = "with /Disable";
        else if (line.mode == "3") where = "with /Mode:3";
        if (where) notes.push_back(std::string("/LockWS cannot act ") + where + " and was left out");
    }
    return notes;
}

}  // namespace sentrel
