#include "logon/LocationProfile.h"

#include <algorithm>
#include <cctype>

#include "logon/KeyAccess.h"
#include "logon/RegistryPaths.h"

namespace sentrel {

namespace {


std::string DefinitionKey(const std::string& profile) {
    return std::string(kProfilesRootKey) + "\\" + profile;
}

// The digits n of a key named "Tab" + n (any letter case; n without leading zeros, so the key is
// the one "Tab" + n opens), or empty text for any other name.
std::string TabDigits(const std::string& name) {
    if (name.size() < 4) return std::string();
    const std::string head = UpperAscii(name.substr(0, 3));
    std::string digits = name.substr(3);
    if (head != "TAB" || (digits.size() > 1 && digits[0] == '0') ||
        !std::all_of(digits.begin(), digits.end(),
                     [](unsigned char c) { return std::isdigit(c); }))
        return std::string();
    return digits;
}

}  // namespace

std::vector<std::string> InstanceNumbers(const std::vector<std::string>& names) {
    std::vector<std::string> numbers;
    for (const std::string& name : names) {
        std::string digits = TabDigits(name);
        if (!digits.empty()) numbers.push_back(digits);
    }
    std::sort(numbers.begin(), numbers.end(), [](const std::string& a, const std::string& b) {
        return a.size() != b.size() ? a.size() < b.size() : a < b;
    });
    return numbers;
}

namespace {

// The "Tab" value only tells the instances apart: one of another type is not the kind sought,
// as an absent one is not, so a damaged instance never stops a run that looks for another.
bool TabKindIs(TRegistry& reg, const std::string& kind) {
    RegistryValue tab;
    if (!reg.ReadValue(kTabKind, tab.type, tab.data)) return false;
    return StringOf(tab) == kind;
}

std::vector<std::string> ServiceSubkeys(TRegistry& reg, const std::string& profile) {
    std::vector<std::string> names;
    if (OpenOnly(reg, ServiceKey(profile), true)) reg.GetKeyNames(names);
    return names;
}

// The first decimal name from count upward that the list does not use yet.
std::string FreeListEntryName(const std::vector<std::string>& names) {
    for (std::size_t n = names.size();; ++n) {
        std::string candidate = std::to_string(n);
        if (std::none_of(names.begin(), names.end(),
                         [&](const std::string& name) { return name == candidate; }))
            return candidate;
    }
}

}  // namespace

std::string ServiceKey(const std::string& profile) {
    return std::string(kServicesRoot) + "\\" + kLoginServiceGuid + "\\" + profile;
}

std::string NextTabNumber(RegistryStore& store, const std::string& profile) {
    TRegistry reg(store);
    reg.SetRootKey(kHkeyLocalMachine);
    std::vector<std::string> names = ServiceSubkeys(reg, profile);
    // Count + 1 can name an existing instance when the numbers have gaps: take the next free
    // one. Taken by name, so an instance that can't be opened is not taken for a free number.
    const std::vector<std::string> used = InstanceNumbers(names);
    for (std::size_t n = names.size() + 1;; ++n) {
        std::string candidate = std::to_string(n);
        if (std::find(used.begin(), used.end(), candidate) == used.end()) return candidate;
    }
}

namespace {

// A new tab instance, under the number NextTabNumber gives, made and left open.
void OpenNewTab(TRegistry& reg, const std::string& profile) {
    OpenOnly(reg, ServiceKey(profile) + "\\Tab" + NextTabNumber(reg.Store(), profile), true);
}

}  // namespace

std::string FindTabInstance(RegistryStore& store, const std::string& profile,
                            const std::string& kind, bool strict) {
    TRegistry reg(store);
    reg.SetRootKey(kHkeyLocalMachine);
    std::vector<std::string> names;
    if (reg.OpenKeyReadOnly(ServiceKey(profile))) reg.GetKeyNames(names);
    // Only the numbers of the keys that exist are probed, lowest first: an instance behind a
    // numbering gap is still found, and a stray "Tab999999999" costs one probe, not a billion.
    for (const std::string& n : InstanceNumbers(names)) {
        reg.CloseKey();  // a failed open leaves the previous key open
        const std::string tab = ServiceKey(profile) + "\\Tab" + n;
        if (reg.OpenKeyReadOnly(tab)) {
            if (TabKindIs(reg, kind)) return "TAB" + n;
        } else if (strict) {
            OpenOnly(reg, tab, false);  // raises "Failed to open key" for a key that exists
        }
    }
    return std::string();
}

void OpenTabInstance(TRegistry& reg, const std::string& profile, const std::string& kind) {
    // Without the service key the instances can't be told apart: no key is left open, so the
    // first write fails instead of going into an instance of another kind.
    if (!OpenOnly(reg, ServiceKey(profile), true)) return;
    reg.CloseKey();
    std::string found = FindTabInstance(reg.Store(), profile, kind, true);
    // Opened by the name the lookup probed, so a refusal names the key as it did.
    if (!found.empty())
        OpenOnly(reg, ServiceKey(profile) + "\\Tab" + found.substr(3), false);
    else
        OpenNewTab(reg, profile);
}

std::string RecreateLocationProfile(LogonContext& context, const std::string& profile,
                                    const LogonSettings& settings) {
    std::string result = "False";
    TRegistry reg(context.store);
    reg.SetRootKey(kHkeyLocalMachine);
    // The list is read, and a damaged entry raises its error, before anything is deleted.
    std::vector<std::string> names;
    if (OpenOnly(reg, kProfileListKey, false)) {
        reg.GetValueNames(names);
        for (const std::string& name : names)
            if (reg.ReadString(name) == profile) result = name;
    }
    reg.CloseKey();
    reg.DeleteKey(DefinitionKey(profile));
    reg.DeleteKey(ServiceKey(profile));

    if (result == "False") {
        // A missing list is made, so the rebuilt profile is listed.
        OpenOnly(reg, kProfileListKey, true);
        reg.WriteString(FreeListEntryName(names), profile);
    }

    OpenOnly(reg, DefinitionKey(profile), true);
    OpenOnly(reg, DefinitionKey(profile) + "\\Instances", true);
    reg.WriteString(kLoginServiceGuid, profile);

    OpenOnly(reg, ServiceKey(profile), true);
    reg.WriteString(kTabKind, kServiceKind);
    reg.WriteString(kServiceUserName, "");
    reg.WriteInteger(kServiceSaveOnExit, 1);

    OpenNewTab(reg, profile);
    reg.WriteString(kDirectoryContext, "");
    reg.WriteString(kDirectoryTree, "");
    reg.WriteString(kTabKind, kTabDirectory);
    reg.WriteString(kDirectoryServer, "");
    reg.WriteInteger("Clear Connections", 0);

    OpenNewTab(reg, profile);
    reg.WriteInteger(kScriptCloseResults, 1);
    reg.WriteInteger(kScriptDisplayResults, settings.ShowResult ? 1 : 0);
    reg.WriteString(kTabKind, kTabScript);
    reg.WriteInteger(kScriptLoginScript, settings.RunScript ? 1 : 0);

    OpenNewTab(reg, profile);
    reg.WriteString(kCredentialsDomainName, "");
    reg.WriteString(kCredentialsUserName, "");
    reg.WriteString(kTabKind, kTabWindowsCredentials);

    OpenOnly(reg, kProfilesRootKey, false);
    reg.WriteString(kLastUsed, profile);
    return result;
}

}  // namespace sentrel
