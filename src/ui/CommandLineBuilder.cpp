#include "ui/CommandLineBuilder.h"

#include <stdexcept>

namespace sentrel {

namespace {

std::string Quoted(const std::string& argument) {
    for (char c : argument) {
        auto code = static_cast<unsigned char>(c);
        if (code >= 1 && code <= 32) return "\"" + argument + "\"";
    }
    return argument;
}

}  // namespace

std::string BuildCommandLine(const std::string& programPath, const FormState& form,
                             ProgramState& state) {
    std::string line = Quoted(programPath) + " /U";
    const std::pair<const char*, const std::string*> values[] = {
        {"/NDSTree:", &form.edtTree}, {"/NDSUsr:", &form.EdtUsr},
        {"/NDSPass:", &form.edtNDSPass}, {"/NDSSrv:", &form.edtServer},
        {"/NDSCx:", &form.edtContext}, {"/MSDom:", &form.EdtMSDom},
        {"/MSUsr:", &form.edtMSUsr}, {"/MSPass:", &form.EdtMSPass},
    };
    for (const auto& [name, value] : values) line += " " + Quoted(name + *value);
    if (form.cbShowResult) line += " /ShowResult";
    if (form.cbRunLoginScript) line += " /RunScript";
    if (form.cbLockWkstn) line += " /LockWS";
    state.ModeText = std::to_string(form.modeIndex < 0 ? 0 : form.modeIndex);
    line += " /Mode:" + state.ModeText;
    return line;
}

void CopyCommandLineToClipboard(LogonContext& context, const FormState& form) {
    std::string line = BuildCommandLine(context.platform.ModuleFileName(), form, context.state);
    if (!context.platform.SetClipboardText(line)) throw std::runtime_error(kMsgCannotOpenClipboard);
    context.platform.ShowMessageBox(kMsgCommandLineCopied, kApplicationTitle,
                                    kMbOk | kMbIconInformation);
    context.platform.ShowMessageBox(kMsgCommandLineReminder, kApplicationTitle,
                                    kMbOk | kMbIconInformation);
}

}  // namespace sentrel
