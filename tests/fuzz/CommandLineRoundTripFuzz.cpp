// The command line the window builds, read back by the switch lookups: every field without
// double quotes comes back unchanged.
#include <fuzzer/FuzzedDataProvider.h>

#include "FuzzCheck.h"
#include "app/Switches.h"
#include "ui/CommandLineBuilder.h"

using namespace sentrel;

namespace {

std::string Field(FuzzedDataProvider& input) {
    std::string text = input.ConsumeRandomLengthString(40);
    std::string clean;
    for (char c : text)
        if (c != '"' && c != '\0') clean += c;
    return clean;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    FormState form;
    std::string path = Field(input);
    if (path.empty()) path = "C:\\Program Files\\Sentrel.exe";
    std::string* fields[] = {&form.edtTree,   &form.EdtUsr,   &form.edtNDSPass, &form.edtServer,
                             &form.edtContext, &form.EdtMSDom, &form.edtMSUsr,  &form.EdtMSPass};
    for (std::string* field : fields) *field = Field(input);
    form.cbShowResult = input.ConsumeBool();
    form.cbRunLoginScript = input.ConsumeBool();
    form.cbLockWkstn = input.ConsumeBool();
    form.modeIndex = input.ConsumeIntegralInRange(-1, 3);

    ProgramState state;
    const std::string line = BuildCommandLine(path, form, state);
    const Switches parsed = Switches::FromCommandLine(line);
    FUZZ_CHECK(!parsed.Arguments().empty() && parsed.Arguments()[0] == path);
    auto value = [&](const char* name, bool ignoreCase) {
        return parsed.GetSwitch(name, '/', ignoreCase, true);
    };
    FUZZ_CHECK(value("NDSTree:", false) == form.edtTree);
    FUZZ_CHECK(value("NDSUsr:", false) == form.EdtUsr);
    FUZZ_CHECK(value("NDSPass:", true) == form.edtNDSPass);
    FUZZ_CHECK(value("NDSSrv:", false) == form.edtServer);
    FUZZ_CHECK(value("NDSCx:", false) == form.edtContext);
    FUZZ_CHECK(value("MSDom:", true) == form.EdtMSDom);
    FUZZ_CHECK(value("MSUsr:", true) == form.edtMSUsr);
    FUZZ_CHECK(value("MSPass:", true) == form.EdtMSPass);
    FUZZ_CHECK(value("Mode:", true) == state.ModeText);
    FUZZ_CHECK(state.ModeText == std::to_string(form.modeIndex < 0 ? 0 : form.modeIndex));
    FUZZ_CHECK(parsed.HasFlag("ShowResult", '/') == form.cbShowResult);
    FUZZ_CHECK(parsed.HasFlag("RunScript", '/') == form.cbRunLoginScript);
    FUZZ_CHECK(parsed.HasFlag("LockWS", '/') == form.cbLockWkstn);
    FUZZ_CHECK(parsed.HasLooseFlag("U", '/'));
    FUZZ_CHECK(!parsed.HasDisable());
    return 0;
}
