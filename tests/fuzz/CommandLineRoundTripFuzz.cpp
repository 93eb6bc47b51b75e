// The command line the window builds, read back by the switch lookups: every field comes back
// unchanged, or the line is refused because a field holds a double quote, which no line can
// carry.
#include <fuzzer/FuzzedDataProvider.h>

#include <stdexcept>

#include "FuzzCheck.h"
#include "app/Switches.h"
#include "ui/CommandLineBuilder.h"

using namespace sentrel;

namespace {

// A window field never holds a NUL; the program's own path never holds a double quote.
std::string Field(FuzzedDataProvider& input, bool quotes) {
    std::string text = input.ConsumeRandomLengthString(40);
    std::string clean;
    for (char c : text)
        if (c != '\0' && (quotes || c != '"')) clean += c;
    return clean;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    FormState form;
    std::string path = Field(input, false);
    if (path.empty()) path = "C:\\Program Files\\Sentrel.exe";
    std::string* fields[] = {&form.edtTree,   &form.EdtUsr,   &form.edtNDSPass, &form.edtServer,
                             &form.edtContext, &form.EdtMSDom, &form.edtMSUsr,  &form.EdtMSPass};
    bool quoted = false;
    for (std::string* field : fields) {
        *field = Field(input, true);
        quoted = quoted || field->find('"') != std::string::npos;
    }
    form.cbShowResult = input.ConsumeBool();
    form.cbRunLoginScript = input.ConsumeBool();
    form.cbLockWkstn = input.ConsumeBool();
    form.modeIndex = input.ConsumeIntegralInRange(-1, 3);

    ProgramState state;
    std::string line;
    try {
        line = BuildCommandLine(path, form, state);
    } catch (const std::runtime_error&) {
        FUZZ_CHECK(quoted);
        FUZZ_CHECK(state.ModeText.empty());
        return 0;
    }
    FUZZ_CHECK(!quoted);
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
