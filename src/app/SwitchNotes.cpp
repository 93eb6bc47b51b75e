#include "app/SwitchNotes.h"

#include "app/SwitchTable.h"

namespace sentrel {

std::vector<std::string> SwitchNotes(const Switches& switches, bool windows9x) {
    std::vector<std::string> notes;
    const std::vector<std::string>& arguments = switches.Arguments();
    std::vector<int> counts(SwitchTable().size());
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (const SwitchEntry* entry = SwitchWrittenAs(argument)) {
            ++counts[entry - SwitchTable().data()];
            continue;
        }
        std::string note = "\"" + MaskedArgument(argument) + "\" is no switch of Sentrel";
        // "/U" and "/?" keep their old rule: the slash and the letter anywhere in an argument.
        const std::string upper = UpperAscii(argument);
        const char* loose = nullptr;
        if (upper.find(kSwitchPrefix) != std::string::npos)
            for (const SwitchEntry& entry : SwitchTable())
                if (entry.form == SwitchForm::LooseFlag && upper.find(entry.name) != std::string::npos)
                    loose = entry.name;
        if (loose)
            ((note += "; it counts as ") += kSwitchPrefix) += loose;
        else
            note += " and was left out";
        if (const SwitchEntry* meant = SwitchMisspelled(argument))
            ((note += "; it is written ") += kSwitchPrefix) += meant->name;
        notes.push_back(note);
    }
    for (std::size_t row = 0; row < counts.size(); ++row)
        if (counts[row] > 1)
            notes.push_back(kSwitchPrefix + std::string(SwitchTable()[row].name) + " is given " +
                            std::to_string(counts[row]) + " times; the first counts");
    if (HasSwitch(switches, SwitchNamed("LockWS"))) {
        const char* where = nullptr;
        if (windows9x) where = "on Windows 9x";
        else if (switches.HasDisable()) where = "with /Disable";
        else if (SwitchValue(switches, SwitchNamed("Mode:")) == "3") where = "with /Mode:3";
        if (where) notes.push_back(std::string("/LockWS cannot act ") + where + " and was left out");
    }
    return notes;
}

}  // namespace sentrel
