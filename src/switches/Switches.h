#pragma once
// The command line: split into arguments, and the switch lookups.
//
// A valued switch ("/NDSTree:") matches an argument that begins with the slash and its name;
// its value is the rest of that argument, unchanged. Flags that change what is written
// ("/Disable", "/LockWS", ...) match only a whole argument. "/U" and "/?" keep their old, loose
// rule (a slash and the letter anywhere in one argument), which login scripts rely on.
// The first matching argument counts; argument 0, the program's own path, is never searched.
#include <optional>
#include <string>
#include <vector>

#include "registry/RegistryStore.h"  // UpperAscii: the program's one letter-case rule

namespace sentrel {

inline constexpr char kSwitchPrefix = '/';  // every switch begins with it

// Splits at blanks and control characters (codes 1 to 32) outside double quotes; a quoted
// stretch belongs to its argument and the quote characters are dropped.
std::vector<std::string> SplitCommandLine(const std::string& commandLine);

// The rules for one argument, which every lookup and the table's own matching use.
// A valued switch: the argument begins with the slash and the name, in that letter case unless
// ignoreCase.
bool BeginsWithSwitch(const std::string& argument, const std::string& name, bool ignoreCase);
// A flag: the argument is the slash and the name, without regard to letter case.
bool IsFlag(const std::string& argument, const std::string& name);
// The loose rule of "/U" and "/?": the slash and the name anywhere in the argument, without
// regard to letter case.
bool NamesLoosely(const std::string& argument, const std::string& name);

class Switches {
public:
    explicit Switches(std::vector<std::string> arguments)
        : arguments_(arguments), given_(std::move(arguments)) {}
    static Switches FromCommandLine(const std::string& commandLine) {
        return Switches(SplitCommandLine(commandLine));
    }

    // A valued switch's value. An absent switch gives nothing, so a value "error" is a value.
    std::optional<std::string> GetSwitch(const std::string& name, bool ignoreCase) const;
    // The loose rule of "/U" and "/?": the slash and the name anywhere in one argument,
    // without regard to letter case.
    bool HasLooseFlag(const std::string& name) const;
    // A flag that is a whole argument, without regard to letter case.
    bool HasFlag(const std::string& name) const;

    // The arguments every lookup reads, and those the command line gave: they differ when a
    // response file was read in (ResponseFiles.h).
    const std::vector<std::string>& Arguments() const { return arguments_; }
    const std::vector<std::string>& Given() const { return given_; }
    void ReadAs(std::vector<std::string> arguments) { arguments_ = std::move(arguments); }

private:
    const std::string* FindValued(const std::string& name, bool ignoreCase) const;

    std::vector<std::string> arguments_;
    std::vector<std::string> given_;
};

}  // namespace sentrel
