#include "logon/LogonInForce.h"

#include <optional>
#include <span>

#include "detect/ClientVersion.h"
#include "logon/LocationProfile.h"
#include "logon/LogonContext.h"
#include "logon/LogonDialog.h"
#include "logon/LogonSettings.h"
#include "logon/NovellLogin.h"
#include "logon/RegistryPaths.h"
#include "logon/WindowsAutoLogon9x.h"
#include "logon/WinlogonValues.h"

namespace sentrel {

namespace {

#define SENTREL_REQUESTER "\\Network\\Novell\\System Config\\NetWare DOS Requester"
const char* const kPreferredTreeKey = SENTREL_REQUESTER "\\Preferred Tree";
const char* const kTreesKey = SENTREL_REQUESTER "\\Preferred Tree\\Trees";
const char* const kPreferredServerKey = SENTREL_REQUESTER "\\Preferred Server";
#undef SENTREL_REQUESTER

// The store's own paths carry no leading backslash. Paths and names are plain texts here, so
// each call site builds no string of its own.
const char* Relative(const char* path) { return path[0] == '\\' ? path + 1 : path; }

// Reads with read access alone, so what a standard user may read is read.
class Reader {
public:
    explicit Reader(RegistryStore& store) : store_(store) {}

    std::optional<RegistryValue> Value(const char* path, const char* name) {
        ScopedKey key(store_);
        if (store_.OpenKey(kHkeyLocalMachine, Relative(path), kKeyRead, key.Out()) !=
            kErrorSuccess)
            return std::nullopt;
        RegistryValue value;
        if (store_.QueryValue(key.Get(), name, &value.type, &value.data) != kErrorSuccess)
            return std::nullopt;
        return value;
    }
    // A text of either string type, up to its first NUL.
    std::optional<std::string> Text(const char* path, const char* name) {
        std::optional<RegistryValue> value = Value(path, name);
        return value ? StringOf(*value) : std::nullopt;
    }
    bool TextIs(const char* path, const char* name, const char* wanted) {
        std::optional<std::string> text = Text(path, name);
        return text && SameName(*text, wanted);
    }
    bool DwordIsOne(const char* path, const char* name) {
        std::optional<RegistryValue> value = Value(path, name);
        return value && DwordOf(*value) == 1u;
    }

private:
    RegistryStore& store_;
};

// The lowest-numbered tab instance of that kind, the one the writers write, or empty text.
std::string TabKey(RegistryStore& store, const std::string& profile, const char* kind) {
    const std::string found = FindTabInstance(store, profile, kind);
    return found.empty() ? found : ServiceKey(profile) + "\\" + found;
}

std::string ModeNt(Reader& reader, bool clientDetected, bool withoutGina) {
    const bool windows = reader.TextIs(kWinlogonKey, kWinlogonAutoAdminLogon, "1");
    if (!clientDetected) return windows ? kModeWorkstationOnly : kInForceOff;
    const bool novell = reader.TextIs(kNovellLoginKey, kLoginAutoAdminLogon, "1");
    const bool dialog = reader.TextIs(kNwginaLoginScreenKey, kDialogAutoAdminLogon, "1");
    if (windows) {
        if (novell && dialog) return kModeDirectoryAndWorkstation;
        if (novell || dialog) return kInForceMixed;
        // The Windows logon dialog in place of the Novell one is what mode 1 adds.
        const bool windowsDialog =
            withoutGina ? reader.TextIs(kInitialLoginKey, kLoginWhenNwginaNotLoaded, "No")
                        : reader.TextIs(kWinlogonKey, kGinaDll, kWindowsLogonDialog);
        return windowsDialog ? kModeWorkstationOnly : kModeDirectoryPrompt;
    }
    if (novell || dialog) return kInForceMixed;
    if (!reader.Value(kNovellLoginKey, kNmasBackup)) return kInForceOff;
    return reader.DwordIsOne(kNovellLoginKey, kLoginAutoAdminQueryNds) ? kModeParametersOnly
                                                                  : kInForceMixed;
}

}  // namespace

std::optional<std::string> StoredName(RegistryStore& store, const std::string& profile,
                                      NameField field) {
    Reader reader(store);
    if (field == &LogonSettings::MsDomain)
        return reader.Text(kWinlogonKey, kWinlogonDefaultDomainName);
    if (field == &LogonSettings::MsUser) return reader.Text(kWinlogonKey, kWinlogonDefaultUserName);
    if (field == &LogonSettings::NdsUser)
        return reader.Text(ServiceKey(profile).c_str(), kServiceUserName);
    const char* name = field == &LogonSettings::NdsTree      ? kDirectoryTree
                       : field == &LogonSettings::NdsServer  ? kDirectoryServer
                       : field == &LogonSettings::NdsContext ? kDirectoryContext
                                                             : nullptr;
    const std::string tab = name ? TabKey(store, profile, kTabDirectory) : std::string();
    if (tab.empty()) return std::nullopt;
    return reader.Text(tab.c_str(), name);
}

LogonInForce ReadLogonInForce(RegistryStore& store, const std::string& profile, bool windows9x,
                              bool clientDetected, bool withoutGina) {
    Reader reader(store);
    LogonInForce inForce;
    const std::string script = TabKey(store, profile, kTabScript);
    inForce.stored.ShowResult =
        !script.empty() && reader.DwordIsOne(script.c_str(), kScriptDisplayResults);
    if (windows9x) {
        // The client's preferred tree, the context it keeps under the tree's name, the
        // preferred server and the network logon's user.
        LogonSettings& names = inForce.stored;
        names.NdsTree = reader.Text(kPreferredTreeKey, "0").value_or("");
        names.NdsContext = reader.Text(kTreesKey, names.NdsTree.c_str()).value_or("");
        names.NdsServer = reader.Text(kPreferredServerKey, "0").value_or("");
        names.NdsUser = reader.Text("\\Network\\Logon", "NetwareUsername").value_or("");
        // While the 9x enable's login entry is in the Run list, its server and user are the
        // ones that log on.
        const std::optional<std::string> entry = reader.Text(kRunKey, profile.c_str());
        LoginCommand login;
        if (entry && ReadLoginCommandLine(*entry, login)) {
            inForce.mode = kModeDirectoryAndWorkstation;
            inForce.stored.RunScript = login.runScript;
            inForce.ndsPasswordStored = login.passwordGiven;
            if (login.named) {
                names.NdsServer = login.server;
                names.NdsUser = login.user;
            }
        }
        return inForce;
    }
    inForce.mode = ModeNt(reader, clientDetected, withoutGina);
    inForce.stored.RunScript =
        !script.empty() && reader.DwordIsOne(script.c_str(), kScriptLoginScript);
    inForce.stored.LockWorkstation = reader.Value(kRunKey, kLockEntryName).has_value();
    inForce.ndsPasswordStored =
        !reader.Text(kNovellLoginKey, kLoginDefaultPassword).value_or("").empty();
    inForce.msPasswordStored =
        !reader.Text(kWinlogonKey, kWinlogonDefaultPassword).value_or("").empty();
    using Names = std::span<const NameField>;
    for (Names names : {Names(kDirectoryNames), Names(kWindowsNames)})
        for (NameField field : names)
            inForce.stored.*field = StoredName(store, profile, field).value_or("");
    return inForce;
}

std::string DescribeLogonInForce(const LogonInForce& inForce) {
    std::string text = "mode " + inForce.mode;
    const LogonSettings& stored = inForce.stored;
    const std::pair<const char*, bool> flags[] = {{"login script", stored.RunScript},
                                                  {"result window", stored.ShowResult},
                                                  {"lock", stored.LockWorkstation}};
    for (const auto& [name, on] : flags) (((text += ", ") += name) += " ") += on ? "1" : "0";
    const std::pair<const char*, const std::string*> names[] = {
        {"NDS tree", &stored.NdsTree},     {"NDS context", &stored.NdsContext},
        {"NDS server", &stored.NdsServer}, {"NDS user", &stored.NdsUser},
        {"MS domain", &stored.MsDomain},   {"MS user", &stored.MsUser}};
    for (const auto& [name, value] : names) (((text += ", ") += name) += " ") += *value;
    return text;
}

std::string DescribeInForceNow(RegistryStore& store, Platform& platform,
                               const Environment& environment) {
    try {
        const bool client = GetClientVersion(store, platform) != kClientNotDetected;
        return DescribeLogonInForce(
            ReadLogonInForce(store, kDefaultProfileName, environment.Windows9x(), client,
                             environment.WithoutGina()));
    } catch (const std::exception& e) {
        return std::string("unknown: ") + e.what();
    }
}

}  // namespace sentrel
