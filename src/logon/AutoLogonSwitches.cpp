#include "logon/AutoLogonSwitches.h"

#include "logon/NovellLogin.h"
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
            {kWinlogonKey, kWinlogonAutoAdminLogon, false, false},
            {kNovellLoginKey, kLoginAutoAdminLogon, false, false},
            {kNwginaLoginScreenKey, kDialogAutoAdminLogon, false, false}};
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

// Whether a switch's value, as stored, has automatic logon on: a text other than "0" or
// empty, a number other than 0; for the entries that are off when absent, being there.
bool SwitchIsOn(const std::optional<RegistryValue>& value, bool offWhenAbsent) {
    if (!value) return false;
    if (offWhenAbsent) return true;
    if (std::optional<std::string> text = StringOf(*value)) return !text->empty() && *text != "0";
    if (std::optional<std::uint32_t> number = DwordOf(*value)) return *number != 0;
    return true;  // a value of another kind: taken as on, so it is written off first
}

}  // namespace

CutOffOrder OrderForCutOff(const std::vector<PlannedChange>& plan, RegistryStore& store,
                           bool windows9x, const std::string& profileName) {
    const std::vector<Switch> switches = SwitchesOf(windows9x, profileName);
    struct State {
        const PlannedChange* planned = nullptr;
        std::optional<RegistryValue> now;
        bool onBefore = false, onAfter = false;
    };
    std::vector<State> states(switches.size());
    for (std::size_t i = 0; i < switches.size(); ++i) {
        State& state = states[i];
        for (const PlannedChange& change : plan)
            if (Names(change, switches[i])) state.planned = &change;
        state.now = Stored(store, switches[i]);
        state.onBefore = SwitchIsOn(state.now, switches[i].offWhenAbsent);
        state.onAfter = SwitchIsOn(state.planned ? state.planned->change.after : state.now,
                                   switches[i].offWhenAbsent);
    }
    // What stays in the run's own order: everything but the switches that are on before or
    // after (one that is off and stays off changes nothing that logs on).
    std::vector<PlannedChange> guard, first, others, last, unguard;
    for (const PlannedChange& change : plan) {
        bool moved = false;
        for (const State& state : states)
            moved = moved || (state.planned == &change && (state.onBefore || state.onAfter));
        if (!moved) others.push_back(change);
    }
    for (std::size_t i = 0; i < switches.size(); ++i) {
        const Switch& flag = switches[i];
        const State& state = states[i];
        if (flag.lock) {
            // The lock guards the logon: in place before anything else changes, gone only
            // once everything else has; one that stays is never taken away in between.
            if (state.onAfter && state.planned) guard.push_back(*state.planned);
            if (state.onBefore && !state.onAfter) unguard.push_back(*state.planned);
        } else if (!state.onBefore) {
            if (state.onAfter) last.push_back(*state.planned);  // switched on, last
        } else if (!state.onAfter) {
            first.push_back(*state.planned);  // switched off, first
        } else if (state.planned || !others.empty()) {
            // On, and on again after the rest: off in between.
            const std::optional<RegistryValue> after =
                state.planned ? state.planned->change.after : state.now;
            first.push_back(ChangeOf(flag, state.now, OffValue(flag)));
            last.push_back(ChangeOf(flag, OffValue(flag), after));
        }
    }
    CutOffOrder order;
    order.guarded = guard.size() + first.size();
    order.switchesOn = order.guarded + others.size();
    if (last.empty()) order.switchesOn = SIZE_MAX;
    for (const std::vector<PlannedChange>* part : {&guard, &first, &others, &last, &unguard})
        order.changes.insert(order.changes.end(), part->begin(), part->end());
    return order;
}

}  // namespace sentrel
