#include "switches/Switches.h"

namespace sentrel {

std::vector<std::string> SplitCommandLine(const std::string& commandLine) {
    auto isBlank = [](char c) {
        auto code = static_cast<unsigned char>(c);
        return code >= 1 && code <= 32;
    };
    std::vector<std::string> arguments;
    std::size_t i = 0;
    const std::size_t n = commandLine.size();
    while (true) {
        while (i < n && isBlank(commandLine[i])) ++i;
        if (i >= n) break;
        std::string argument;
        bool quoted = false;
        for (; i < n && (quoted || !isBlank(commandLine[i])); ++i) {
            if (commandLine[i] == '"')
                quoted = !quoted;
            else
                argument += commandLine[i];
        }
        arguments.push_back(std::move(argument));
    }
    return arguments;
}

bool BeginsWithSwitch(const std::string& argument, const std::string& name, bool ignoreCase) {
    const std::string wanted = kSwitchPrefix + name;
    const std::string head = argument.substr(0, wanted.size());
    return ignoreCase ? UpperAscii(head) == UpperAscii(wanted) : head == wanted;
}

bool IsFlag(const std::string& argument, const std::string& name) {
    return UpperAscii(argument) == UpperAscii(kSwitchPrefix + name);
}

bool NamesLoosely(const std::string& argument, const std::string& name) {
    const std::string upper = UpperAscii(argument);
    return upper.find(kSwitchPrefix) != std::string::npos &&
           upper.find(UpperAscii(name)) != std::string::npos;
}

const std::string* Switches::FindValued(const std::string& name, bool ignoreCase) const {
    for (std::size_t i = 1; i < arguments_.size(); ++i)
        if (BeginsWithSwitch(arguments_[i], name, ignoreCase)) return &arguments_[i];
    return nullptr;
}

std::optional<std::string> Switches::GetSwitch(const std::string& name, bool ignoreCase) const {
    const std::string* argument = FindValued(name, ignoreCase);
    if (!argument) return std::nullopt;
    return argument->substr(name.size() + 1);
}

bool Switches::HasLooseFlag(const std::string& name) const {
    for (std::size_t i = 1; i < arguments_.size(); ++i)
        if (NamesLoosely(arguments_[i], name)) return true;
    return false;
}

bool Switches::HasFlag(const std::string& name) const {
    for (std::size_t i = 1; i < arguments_.size(); ++i)
        if (IsFlag(arguments_[i], name)) return true;
    return false;
}

}  // namespace sentrel
