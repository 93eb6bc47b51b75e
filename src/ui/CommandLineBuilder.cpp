#include "ui/CommandLineBuilder.h"

#include "switches/SwitchTable.h"

#include <cstring>
#include <stdexcept>
#include <vector>

namespace sentrel {

namespace {

// Blanks and control characters split an argument; the others are cmd's own (a command
// separator, a pipe, a redirection, its escape, a group), which a batch file must pass whole.
bool NeedsQuotes(char c) {
    auto code = static_cast<unsigned char>(c);
    return (code >= 1 && code <= 32) || std::strchr("&|<>^()", c) != nullptr;
}

std::string Quoted(const std::string& argument) {
    for (char c : argument)
        if (NeedsQuotes(c)) return "\"" + argument + "\"";
    return argument;
}

// The switches the line carries, in the line's order.
std::vector<const SwitchEntry*> LineSwitches() {
    std::vector<const SwitchEntry*> line;
    for (int order = 1;; ++order) {
        const std::size_t count = line.size();
        for (const SwitchEntry& entry : SwitchTable())
            if (entry.lineOrder == order) line.push_back(&entry);
        if (line.size() == count) return line;
    }
}

}  // namespace

std::string BuildCommandLine(const std::string& programPath, const LogonSettings& settings,
                             const std::string& mode) {
    const std::vector<const SwitchEntry*> switches = LineSwitches();
    std::string refused;
    for (const SwitchEntry* entry : switches)
        if (entry->text && (settings.*entry->text).find('"') != std::string::npos)
            refused += (refused.empty() ? "" : ", ") + std::string(entry->fieldLabel);
    if (!refused.empty())
        throw std::runtime_error((kMsgDoubleQuoteInFields + refused) += kMsgResponseFileCarriesIt);

    std::string line = Quoted(programPath) + " /U";
    for (const SwitchEntry* entry : switches) {
        std::string name(1, kSwitchPrefix);
        name += entry->name;
        if (entry->text)
            line += " " + Quoted(name + settings.*entry->text);
        else if (entry->flag)
            line += settings.*entry->flag ? " " + name : std::string();
        else  // the line's one switch that fills no settings field
            line += " " + Quoted(name + mode);
    }
    return line;
}

void CopyCommandLineToClipboard(LogonContext& context, const FormState& form) {
    context.state.ModeText = form.ModeCode();
    std::string line =
        BuildCommandLine(context.platform.ModuleFileName(), form.settings, context.state.ModeText);
    switch (context.platform.SetClipboardText(line)) {
        case ClipboardResult::Copied: break;
        case ClipboardResult::CannotOpen: throw std::runtime_error(kMsgCannotOpenClipboard);
        case ClipboardResult::CannotPut: throw std::runtime_error(kMsgCannotPutOnClipboard);
    }
    context.platform.ShowMessageBox(kMsgCommandLineCopied, kApplicationTitle,
                                    kMbOk | kMbIconInformation);
    context.platform.ShowMessageBox(kMsgCommandLineReminder, kApplicationTitle,
                                    kMbOk | kMbIconInformation);
}

}  // namespace sentrel
