#include "app/ResponseFiles.h"

#include "app/ResponseFileText.h"
#include "app/Startup.h"
#include "app/SwitchTable.h"
#include "registry/Registry.h"

namespace sentrel {

namespace {

std::string DropBlanks(std::string text, bool atStart) {
    const std::size_t keep = atStart ? text.find_first_not_of(" \t") : text.find_last_not_of(" \t");
    if (keep == std::string::npos) return std::string();
    return atStart ? text.substr(keep) : text.substr(0, keep + 1);
}

// The line as an argument, or a ResponseLineError that says why it is none.
std::string SwitchOfLine(const ResponseLine& line) {
    std::string argument = DropBlanks(line.text, true);
    const SwitchEntry* entry = SwitchWrittenAs(argument);
    if (!entry) entry = SwitchWrittenAs(argument = DropBlanks(argument, false));
    if (entry) return argument;
    std::string why = "\"" + MaskedArgument(argument) + "\" " + kMsgResponseLineNoSwitch;
    if (const SwitchEntry* meant = SwitchMisspelled(argument))
        ((why += "; it is written ") += kSwitchPrefix) += meant->name;
    throw ResponseLineError(line.number, why);
}

void ReadFile(const std::string& path, Platform& platform, std::vector<std::string>& read) {
    const std::string unread = FormatMessageText(kMsgResponseFileUnread, path);
    std::string bytes;
    if (std::uint32_t error = platform.ReadFileText(path, &bytes))
        throw RunError(kExitFailed, WithSystemError(platform, unread, error));
    try {
        for (const ResponseLine& line : ResponseFileLines(bytes, platform)) {
            const std::string text = DropBlanks(line.text, true);
            if (text.empty() || text[0] == '#') continue;
            read.push_back(SwitchOfLine(line));
        }
    } catch (const ResponseLineError& e) {
        throw RunError(kExitFailed,
                       unread + ": line " + std::to_string(e.Line()) + " " + e.what());
    }
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
