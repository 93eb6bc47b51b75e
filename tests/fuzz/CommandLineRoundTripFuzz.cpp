// The command line the window builds, read back by the switch table: every settings field comes
// back unchanged, or the line is refused because a field holds a double quote, which no line
// can carry.
#include <fuzzer/FuzzedDataProvider.h>

#include <stdexcept>

#include "FuzzCheck.h"
#include "switches/SwitchTable.h"
#include "ui/CommandLineBuilder.h"

using namespace sentrel;

namespace {

// A field never holds a NUL; the program's own path never holds a double quote.
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
    std::string path = Field(input, false);
    if (path.empty()) path = "C:\\Program Files\\Sentrel.exe";
    LogonSettings settings;
    bool quoted = false;
    for (const SwitchEntry& entry : SwitchTable()) {
        if (entry.text) {
            settings.*entry.text = Field(input, true);
            quoted = quoted || (settings.*entry.text).find('"') != std::string::npos;
        }
        if (entry.flag) settings.*entry.flag = input.ConsumeBool();
    }
    const std::string mode = std::to_string(input.ConsumeIntegralInRange(0, 3));

    std::string line;
    try {
        line = BuildCommandLine(path, settings, mode);
    } catch (const std::runtime_error&) {
        FUZZ_CHECK(quoted);
        return 0;
    }
    FUZZ_CHECK(!quoted);
    const Switches parsed = Switches::FromCommandLine(line);
    FUZZ_CHECK(!parsed.Arguments().empty() && parsed.Arguments()[0] == path);
    // The fields as the switches give them: no guess made, no computer name put in.
    const LogonSettings back = ParseCommandLine(parsed).settings;
    for (const SwitchEntry& entry : SwitchTable()) {
        if (entry.text) FUZZ_CHECK(back.*entry.text == settings.*entry.text);
        if (entry.flag) FUZZ_CHECK(back.*entry.flag == settings.*entry.flag);
    }
    const CommandLine options = ParseCommandLine(parsed);
    FUZZ_CHECK(options.mode == mode);
    FUZZ_CHECK(options.unattended);
    FUZZ_CHECK(!options.disable);
    return 0;
}
