#include "app/ResponseFiles.h"

#include "app/ResponseFileText.h"
#include "app/Startup.h"
#include "switches/SwitchTable.h"
#include "registry/Registry.h"

namespace sentrel {

namespace {

// The line as an argument: blanks before it dropped, and a flag's blanks after it. Empty for a
// line to skip; a ResponseLineError for a line that is no switch.
std::string ArgumentOfLine(const ResponseLine& line) {
    const std::string& text = line.text;
    const std::size_t start = text.find_first_not_of(" \t");
    if (start == std::string::npos || text[start] == '#') return std::string();
    std::string argument = text.substr(start);
    const SwitchEntry* entry = SwitchWrittenAs(argument);
    if (!entry) entry = SwitchWrittenAs(argument.erase(argument.find_last_not_of(" \t") + 1));
    if (entry) return argument;
    std::string why = "\"" + MaskedArgument(argument) + "\" " + kMsgResponseLineNoSwitch;
    if (const SwitchEntry* meant = SwitchMisspelled(argument))
        ((why += "; it is written ") += kSwitchPrefix) += meant->name;
    throw ResponseLineError(line.number, why);
}

void ReadFile(const std::string& path, Platform& platform, std::vector<std::string>& read) {
    std::string bytes;
    std::string why;
    if (std::uint32_t error = platform.ReadFileText(path, &bytes)) {
        why = WithSystemError(platform, std::string(), error);
    } else {
        try {
            for (const ResponseLine& line : ResponseFileLines(bytes, platform)) {
                std::string argument = ArgumentOfLine(line);
                if (!argument.empty()) read.push_back(std::move(argument));
            }
            return;
        } catch (const ResponseLineError& e) {
            why = ": line " + std::to_string(e.Line()) + " " + e.what();
        }
    }
    throw RunError(kExitFailed, FormatMessageText(kMsgResponseFileUnread, path) + why);
}

}  // namespace

std::vector<std::string> ReadResponseFiles(const std::vector<std::string>& arguments,
                                           Platform& platform) {
    std::vector<std::string> read;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (i == 0 || argument.size() < 2 || argument[0] != '@')
            read.push_back(argument);
        else
            ReadFile(argument.substr(1), platform, read);
    }
    return read;
}

}  // namespace sentrel
