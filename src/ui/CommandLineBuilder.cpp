#include "ui/CommandLineBuilder.h"

#include <stdexcept>
#include <vector>

namespace sentrel {

namespace {

std::string Quoted(const std::string& argument) {
    for (char c : argument) {
        auto code = static_cast<unsigned char>(c);
        if (code >= 1 && code <= 32) return "\"" + argument + "\"";
    }
    return argument;
}

struct ValueSwitch {
    const char* name;
    const char* label;  // the field's label in the window
    const std::string FormState::*field;
};

// In the order the line lists them.
const ValueSwitch kValueSwitches[] = {
    {"/NDSTree:", "NDS Tree", &FormState::edtTree},
    {"/NDSUsr:", "NDS UserName", &FormState::EdtUsr},
    {"/NDSPass:", "NDS Password", &FormState::edtNDSPass},
    {"/NDSSrv:", "NDS Server", &FormState::edtServer},
    {"/NDSCx:", "NDS Context", &FormState::edtContext},
    {"/MSDom:", "MS Domain/Wkstn", &FormState::EdtMSDom},
    {"/MSUsr:", "MS UserName", &FormState::edtMSUsr},
    {"/MSPass:", "MS Password", &FormState::EdtMSPass},
};

// The labels of the fields whose text a command line cannot carry, in the line's order.
std::vector<std::string> FieldsWithDoubleQuote(const FormState& form) {
    std::vector<std::string> labels;
    for (const ValueSwitch& value : kValueSwitches)
        if ((form.*value.field).find('"') != std::string::npos) labels.push_back(value.label);
    return labels;
}

}  // namespace

std::string BuildCommandLine(const std::string& programPath, const FormState& form,
                             ProgramState& state) {
    const std::vector<std::string> refused = FieldsWithDoubleQuote(form);
    if (!refused.empty()) {
        std::string message = kMsgDoubleQuoteInFields;
        for (std::size_t i = 0; i < refused.size(); ++i)
            message += (i ? ", " : "") + refused[i];
        throw std::runtime_error(message + ".");
    }
    std::string line = Quoted(programPath) + " /U";
    for (const ValueSwitch& value : kValueSwitches)
        line += " " + Quoted(value.name + form.*value.field);
    if (form.cbShowResult) line += " /ShowResult";
    if (form.cbRunLoginScript) line += " /RunScript";
    if (form.cbLockWkstn) line += " /LockWS";
    state.ModeText = std::to_string(form.modeIndex < 0 ? 0 : form.modeIndex);
    line += " /Mode:" + state.ModeText;
    return line;
}

void CopyCommandLineToClipboard(LogonContext& context, const FormState& form) {
    std::string line = BuildCommandLine(context.platform.ModuleFileName(), form, context.state);
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
