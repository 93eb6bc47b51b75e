#include "logon/CutOffRun.h"

#include "logon/AllOrNothing.h"
#include "logon/AutoLogonSwitches.h"
#include "logon/RunJournal.h"
#include "logon/RunTurn.h"
#include "registry/KeyPaths.h"
#include "registry/RegistryTransaction.h"

namespace sentrel {

namespace {

bool IsProgramKey(const JournalEntry& entry) {
    return entry.kind == JournalEntry::KeyMade && entry.root == kHkeyLocalMachine &&
           (SameName(entry.path, kProgramKey) || SameName(entry.path, "SOFTWARE\\Pellam"));
}

std::optional<RegistryValue> ValueNow(RegistryStore& store, const JournalEntry& entry) {
    ScopedKey key(store);
    if (store.OpenKey(entry.root, entry.path, kKeyRead, key.Out())) return std::nullopt;
    RegistryValue value;
    if (store.QueryValue(key.Get(), entry.name, &value.type, &value.data)) return std::nullopt;
    return value;
}

bool KeyNow(RegistryStore& store, const JournalEntry& entry) {
    ScopedKey key(store);
    return store.OpenKey(entry.root, entry.path, kKeyRead, key.Out()) == kErrorSuccess;
}

// What takes the machine from where the cut left it back to where the journal says it was:
// the journal's entries in reverse, each only where the machine differs.
std::vector<PlannedChange> PutBackPlan(RegistryStore& store, const RunJournal& journal) {
    std::vector<PlannedChange> plan;
    const KeyPaths paths;
    for (auto at = journal.entries.rbegin(); at != journal.entries.rend(); ++at) {
        const JournalEntry& entry = *at;
        if (IsProgramKey(entry)) continue;  // the journal's own place: deleted with it
        RegistryChange change{RegistryChange::ValueSet, paths.Join(entry.root, entry.path),
                              entry.name, std::nullopt, std::nullopt};
        if (entry.kind == JournalEntry::Value) {
            change.before = ValueNow(store, entry);
            change.after = entry.before;
            if (change.before == change.after) continue;
            if (!change.after) change.kind = RegistryChange::ValueDeleted;
        } else if (entry.kind == JournalEntry::KeyMade) {
            if (!KeyNow(store, entry)) continue;
            change.kind = RegistryChange::KeyDeleted;
        } else {
            if (KeyNow(store, entry)) continue;
            change.kind = RegistryChange::KeyCreated;
        }
        plan.push_back({entry.root, entry.path, std::move(change)});
    }
    return plan;
}

struct Ending {
    const std::vector<PlannedChange>* written;
    std::vector<std::string> programKeys;  // innermost first
};

// The put-back's last step: on disk, then the journal goes.
std::string EndPutBack(RegistryStore& store, void* data) {
    const Ending& ending = *static_cast<const Ending*>(data);
    FlushWrittenKeys(store, *ending.written);
    const std::string kept = DeleteRunJournal(store, ending.programKeys);
    return kept.empty() ? kept : FormatMessageText(kMsgDeleteKeyFailed, "\\" + kept);
}

}  // namespace

std::string PutBackCutOffRun(LogonContext& context) {
    RegistryStore& store = context.store;
    const std::optional<RunJournal> journal = ReadRunJournal(store);
    if (!journal) return {};
    const std::string started =
        journal->started.empty() ? std::string(kCutOffTimeNotRecorded) : journal->started;
    const std::vector<PlannedChange> plan =
        OrderForCutOff(PutBackPlan(store, *journal), store, context.environment.Windows9x(),
                       context.state.ProfileName);
    Ending ending{&plan, journal->programKeysMade.value_or(std::vector<std::string>(
                             std::begin(kProgramKeys), std::end(kProgramKeys)))};
    CommitSteps steps;
    if (!context.state.DryRun) {
        steps.finish = EndPutBack;
        steps.data = &ending;
    }
    try {
        Commit(plan, store, steps);
    } catch (const CommitError& e) {
        std::string text = FormatMessageText(kMsgCutOffNotPutBack, started) + ": " + e.what();
        (text += "\r\n\r\n") += kMsgNotPutBack;
        for (const PlannedChange& planned : plan) {
            (text += "\r\n") += planned.change.key;
            if (!planned.change.name.empty()) (text += " | ") += planned.change.name;
        }
        context.state.Failure = text;
        throw RegistryError(text);
    }
    return context.state.DryRun ? std::string(kMsgCutOffWouldPutBack)
                                : FormatMessageText(kMsgCutOffPutBack, started);
}

std::string PutBackCutOffRunAtStart(LogonContext& context) {
    RunTurn turn(context.platform);
    if (!turn.Taken()) {
        context.state.Failure = kMsgRunTurnTimedOut;
        throw RegistryError(std::string(kMsgRunTurnTimedOut) + "\r\n\r\n" + kMsgNothingChanged);
    }
    return PutBackCutOffRun(context);
}

}  // namespace sentrel
