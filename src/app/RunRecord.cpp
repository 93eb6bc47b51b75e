#include "app/RunRecord.h"

#include <cstring>

#include "switches/SwitchTable.h"
#include "logon/AllOrNothing.h"
#include "logon/PasswordValues.h"

namespace sentrel {

namespace {

const char* const kHidden = "****";
const char* const kNewLine = "\r\n";

// Control characters would break the record's lines: they show as \xNN.
std::string Printable(const std::string& text) {
    std::string shown;
    for (unsigned char c : text) {
        if (c >= 32 && c != 127)
            shown += static_cast<char>(c);
        else
            shown += "\\x" + UpperHex(c, 2);
    }
    return shown;
}

// A message may end in line breaks (system error texts do) or hold some: one line.
std::string OneLine(const std::string& text) {
    std::string line;
    for (char c : text) {
        bool breaks = c == '\r' || c == '\n';
        if (!breaks) line += c;
        else if (!line.empty() && line.back() != ' ') line += ' ';
    }
    while (!line.empty() && line.back() == ' ') line.pop_back();
    return Printable(line);
}

std::string TypeName(std::uint32_t type) {
    switch (type) {
        case kRegNone: return "REG_NONE";
        case kRegSz: return "REG_SZ";
        case kRegExpandSz: return "REG_EXPAND_SZ";
        case kRegBinary: return "REG_BINARY";
        case kRegDword: return "REG_DWORD";
        case kRegMultiSz: return "REG_MULTI_SZ";
        default: return "type " + std::to_string(type);
    }
}

std::string Quoted(const std::string& text) { return "\"" + Printable(text) + "\""; }

std::string DataText(const RegistryValue& value) {
    if (std::optional<std::string> text = StringOf(value)) return Quoted(*text);
    if (value.type == kRegMultiSz) {
        std::string shown;
        for (const std::string& item : MultiSzOf(value.data))
            shown += (shown.empty() ? "" : ", ") + Quoted(item);
        return shown.empty() ? "(no strings)" : shown;
    }
    if (std::optional<std::uint32_t> number = DwordOf(value)) return std::to_string(*number);
    const Bytes& data = value.data;
    if (data.empty()) return "(no data)";
    std::string hex = "hex:";
    for (std::size_t i = 0; i < data.size(); ++i) hex += (i ? "," : "") + UpperHex(data[i], 2);
    return hex;
}

std::string ChangeLine(const RegistryChange& change, const std::string& profileName) {
    switch (change.kind) {
        case RegistryChange::KeyCreated: return "Key created: " + Printable(change.key);
        case RegistryChange::KeyDeleted: return "Key deleted: " + Printable(change.key);
        default: break;
    }
    const bool hidden = HoldsPassword(change.key, change.name, profileName);
    auto side = [&](const std::optional<RegistryValue>& value, const char* none) -> std::string {
        if (!value) return none;
        return hidden ? kHidden : DataText(*value);
    };
    std::string type = TypeName(change.after ? change.after->type : change.before->type);
    if (change.before && change.after && change.before->type != change.after->type)
        type = TypeName(change.before->type) + " -> " + type;
    std::string line = "Value: ";
    ((line += Printable(change.key)) += " | ") +=
        change.name.empty() ? std::string("(default)") : Printable(change.name);
    (((line += " | ") += type) += " | ") += side(change.before, "absent");
    return (line += " -> ") += side(change.after, "deleted");
}

std::string SwitchesText(const std::vector<std::string>& arguments) {
    // The passwords as the lookups take them; the installer's parameters may carry one along.
    std::vector<std::string> passwords;
    for (const std::string& argument : arguments) {
        const SwitchEntry* entry = SwitchWrittenAs(argument);
        const std::size_t name = entry ? std::strlen(entry->name) + 1 : 0;
        if (entry && entry->secret && argument.size() > name) passwords.push_back(argument.substr(name));
    }
    const SwitchEntry& installer = SwitchOf(&CommandLine::installerParameters);
    std::string text;
    for (const std::string& given : arguments) {
        std::string argument = MaskedArgument(given);
        if (SwitchWrittenAs(given) == &installer) {
            const std::size_t name = std::strlen(installer.name) + 1;
            for (const std::string& password : passwords)
                if (given.find(password, name) != std::string::npos)
                    argument = given.substr(0, name) + kHidden;
        }
        bool blank = argument.find_first_of(" \t") != std::string::npos;
        text += (text.empty() ? "" : " ") + (blank ? Quoted(argument) : Printable(argument));
    }
    return text;
}

const char* ResultText(int exitCode, bool check) {
    switch (exitCode) {
        case 0: return check ? "the workstation is as the switches ask" : "done";
        case 1: return "an operation failed or the command line is wrong";
        case 2: return "the client installer could not be started";
        case 4: return "the workstation is not as the switches ask";
        default: return "the log could not be written";
    }
}

}  // namespace

std::string FormatRunRecord(const RunRecord& record, const std::string& profileName) {
    // Appended piece by piece: each "text" + ... would build a string of its own.
    std::string text = "==== Sentrel run, ";
    text += TimeText(record.time);
    auto line = [&](const char* head, const std::string& rest) {
        ((text += head) += rest) += kNewLine;
    };
    line(", computer ", Printable(record.computerName));
    line("Windows: ", Printable(record.windowsFamily) + ", Novell client: " +
                          Printable(record.clientVersion));
    line("Switches: ", SwitchesText(record.arguments));
    if (!record.readArguments.empty()) line("Switches read: ", SwitchesText(record.readArguments));
    line("In force before: ", Printable(record.inForceBefore));
    text += FormatRunOutcome(record, profileName);
    return text += kNewLine;
}

std::string FormatRunOutcome(const RunRecord& record, const std::string& profileName) {
    std::string text;
    auto line = [&](const char* head, const std::string& rest) {
        ((text += head) += rest) += kNewLine;
    };
    if (!record.cutOffRun.empty()) line("", record.cutOffRun);
    for (const RegistryChange& change : record.putBack) line("", ChangeLine(change, profileName));
    if (record.dryRun) line("Would change:", record.changes.empty() ? " nothing" : "");
    for (const RegistryChange& change : record.changes) line("", ChangeLine(change, profileName));
    if (record.changesLeftOut)
        line("... and ", std::to_string(record.changesLeftOut) + " more; /Log: lists them all");
    if (!record.dryRun && !record.failure.empty()) {
        // After an earlier run's put-back (listed above), nothing of this run's own.
        if (record.leftChanged.empty())
            line(record.cutOffRun.empty() ? "Nothing was changed: " : "Nothing of this run was written: ",
                 OneLine(record.failure));
        else line("Left changed, could not be put back: ", OneLine(record.failure));
        for (const RegistryChange& change : record.leftChanged)
            line("", ChangeLine(change, profileName));
        if (!record.leftChanged.empty()) line(kMsgOffUntilPutBack, "");
    } else if (record.changes.empty() && !record.dryRun) {
        line("No registry change.", "");
    }
    for (const std::string& file : record.wouldRun)
        line("Would run the client installer: ", Printable(file));
    for (const std::string& note : record.switchNotes) line("Note: ", OneLine(note));
    for (const std::string& message : record.messages) line("Message: ", OneLine(message));
    if (!record.note.empty()) line("Note: ", OneLine(record.note));
    line("In force after: ", Printable(record.inForceAfter));
    std::string result = std::to_string(record.exitCode);
    (result += ", ") += ResultText(record.exitCode, record.check);
    if (record.dryRun) result += " (a dry run: nothing was written)";
    line("Result: exit code ", result);
    return text;
}

std::uint32_t AppendToLog(Platform& platform, const std::string& path, const std::string& text) {
    const std::uint32_t pause = 100;
    for (std::uint32_t waited = 0;; waited += pause) {
        std::uint32_t error = platform.AppendToFile(path, text);
        if ((error != kErrorSharingViolation && error != kErrorLockViolation) ||
            waited >= kLogRetryMilliseconds)
            return error;
        platform.Sleep(pause);
    }
}

}  // namespace sentrel
