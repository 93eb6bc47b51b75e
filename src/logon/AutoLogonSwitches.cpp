#include "logon/AutoLogonSwitches.h"

#include "logon/RegistryPaths.h"
#include "logon/WinlogonValues.h"
#include "registry/KeyPaths.h"

namespace sentrel {

namespace {

struct Switch {
    const char* key;  // below HKEY_LOCAL_MACHINE, with the leading backslash
    std::string name;
    bool offWhenAbsent;  // off is deleting it; else off is "0"
    bool lock;
};

std::vector<Switch> SwitchesOf(bool windows9x, const std::string& profileName) {
    if (windows9x) return {{kRunKey, profileName, true, false}};
    // The lock entry first: it is switched off before the others and on after them.
    return {{kRunKey, kLockEntryName, true, true},
            {kWinlogonKey, "AutoAdminLogon", false, false},
            {kNovellLoginKey, "AutoAdminLogon", false, false},
            {kNwginaLoginScreenKey, "NetWareAutoAdminLogon", false, false}};
}

bool Names(const PlannedChange& planned, const Switch& flag) {
    return planned.root == kHkeyLocalMachine && SameName(planned.path, flag.key + 1) &&
           !planned.change.name.empty() && SameName(planned.change.name, flag.name);
}

std::optional<RegistryValue> Stored(RegistryStore& store, const Switch& flag) {
    ScopedKey key(store);
    if (store.OpenKey(kHkeyLocalMachine, flag.key + 1, kKeyRead, key.Out())) return std::nullopt;
    RegistryValue value;
    if (store.QueryValue(key.Get(), flag.name, &value.type, &value.data)) return std::nullopt;
    return value;
}

std::optional<RegistryValue> OffValue(const Switch& flag) {
    if (flag.offWhenAbsent) return std::nullopt;
    return RegistryValue{kRegSz, {'0', 0}};
}

PlannedChange ChangeOf(const Switch& flag, const std::optional<RegistryValue>& from,
                       const std::optional<RegistryValue>& to) {
    RegistryChange change{to ? RegistryChange::ValueSet : RegistryChange::ValueDeleted,
                          KeyPaths().Join(kHkeyLocalMachine, flag.key + 1), flag.name, from, to};
    return {kHkeyLocalMachine, flag.key + 1, std::move(change)};
}

// Whether path is the key named or lies below it.
bool Within(const std::string& path, const std::string& key) {
    return SameName(path, key) || (path.size() > key.size() && path[key.size()] == '\\' &&
                                   SameName(path.substr(0, key.size()), key));
}

}  // namespace

bool SwitchIsOn(const std::optional<RegistryValue>& value, bool offWhenAbsent) {
    if (!value) return false;
    if (offWhenAbsent) return true;
    if (std::optional<std::string> text = StringOf(*value)) return !text->empty() && *text != "0";
    if (std::optional<std::uint32_t> number = DwordOf(*value)) return *number != 0;
    return true;  // a value of another kind: taken as on, so it is written off first
}

std::vector<PlannedChange> OrderForCutOff(const std::vector<PlannedChange>& plan,
                                          RegistryStore& store, bool windows9x,
                                          const std::string& profileName) {
    const std::vector<Switch> switches = SwitchesOf(windows9x, profileName);
    std::vector<PlannedChange> first, others, last, lock;
    for (const PlannedChange& planned : plan) {
        bool isSwitch = false;
        for (const Switch& flag : switches) isSwitch = isSwitch || Names(planned, flag);
        if (!isSwitch) others.push_back(planned);
    }
    for (const Switch& flag : switches) {
        const PlannedChange* planned = nullptr;
        for (const PlannedChange& change : plan)
            if (Names(change, flag)) planned = &change;
        const std::optional<RegistryValue> now = Stored(store, flag);
        const std::optional<RegistryValue> after = planned ? planned->change.after : now;
        const bool onBefore = SwitchIsOn(now, flag.offWhenAbsent);
        const bool onAfter = SwitchIsOn(after, flag.offWhenAbsent);
        if (planned && !onAfter) {
            first.push_back(*planned);
        } else if (onBefore && (planned || !others.empty())) {
            first.push_back(ChangeOf(flag, now, OffValue(flag)));
            (flag.lock ? lock : last).push_back(ChangeOf(flag, OffValue(flag), after));
        } else if (planned) {
            (flag.lock ? lock : last).push_back(*planned);
        }
    }
    for (const std::vector<PlannedChange>* part : {&others, &last, &lock})
        first.insert(first.end(), part->begin(), part->end());
    // A switch moved to the front is written into a key the plan makes: that key, and the
    // ones it is made in, move with it.
    std::vector<PlannedChange> ordered;
    std::vector<bool> placed(first.size(), false);
    for (std::size_t i = 0; i < first.size(); ++i) {
        if (placed[i]) continue;
        for (std::size_t k = i + 1; k < first.size(); ++k) {
            const PlannedChange& key = first[k];
            if (placed[k] || key.change.kind != RegistryChange::KeyCreated ||
                key.root != first[i].root || !Within(first[i].path, key.path))
                continue;
            ordered.push_back(key);
            placed[k] = true;
        }
        ordered.push_back(first[i]);
        placed[i] = true;
    }
    return ordered;
}

}  // namespace sentrel
