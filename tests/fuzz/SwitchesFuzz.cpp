// The command-line splitter and the switch lookups on any command line.
#include <cstdint>
#include <string>

#include "FuzzCheck.h"
#include "switches/Switches.h"

using namespace sentrel;

namespace {

struct Valued {
    const char* name;
    bool ignoreCase;
};
const Valued kValued[] = {{"NDSTree:", false}, {"NDSCx:", false}, {"NDSSrv:", false},
                          {"NDSUsr:", false},  {"NDSPass:", true}, {"MSDom:", true},
                          {"MSUsr:", true},    {"MSPass:", true},  {"Mode:", true},
                          {"ACU:", true},      {"ACUParam:", true}};
const char* const kFlags[] = {"RunScript", "ShowResult", "AutoWSName", "LockWS", "Disable"};

bool StartsWith(const std::string& text, const std::string& head, bool ignoreCase) {
    if (text.size() < head.size()) return false;
    std::string start = text.substr(0, head.size());
    return ignoreCase ? UpperAscii(start) == UpperAscii(head) : start == head;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string line(reinterpret_cast<const char*>(data), size);
    line = line.substr(0, line.find('\0'));  // a command line ends at its NUL
    const std::vector<std::string> arguments = SplitCommandLine(line);

    // Quotes are dropped, and quoting every argument again gives the same arguments back.
    std::string quoted;
    for (const std::string& argument : arguments) {
        FUZZ_CHECK(argument.find('"') == std::string::npos);
        quoted += (quoted.empty() ? "\"" : " \"") + argument + "\"";
    }
    FUZZ_CHECK(SplitCommandLine(quoted) == arguments);

    const Switches switches(arguments);
    for (const Valued& valued : kValued) {
        const std::string head = std::string("/") + valued.name;
        const std::optional<std::string> value =
            switches.GetSwitch(valued.name, valued.ignoreCase);
        // The value is the rest of the first argument (after the program's) that begins with
        // the switch.
        const std::string* first = nullptr;
        for (std::size_t i = 1; i < arguments.size() && !first; ++i)
            if (StartsWith(arguments[i], head, valued.ignoreCase)) first = &arguments[i];
        FUZZ_CHECK(value.has_value() == (first != nullptr));
        if (first) FUZZ_CHECK(*value == first->substr(head.size()));
    }
    for (const char* flag : kFlags) {
        bool whole = false;
        for (std::size_t i = 1; i < arguments.size(); ++i)
            whole = whole || UpperAscii(arguments[i]) == UpperAscii(std::string("/") + flag);
        FUZZ_CHECK(switches.HasFlag(flag) == whole);
    }
    bool loose = false;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string upper = UpperAscii(arguments[i]);
        loose = loose || (upper.find('/') != std::string::npos && upper.find('U') != std::string::npos);
    }
    FUZZ_CHECK(switches.HasLooseFlag("U") == loose);
    return 0;
}
