#include "logon/CutOffRun.h"

#include "logon/AllOrNothing.h"
#include "logon/AutoLogonSwitches.h"
#include "logon/ProgramKey.h"
#include "logon/RunJournal.h"
#include "logon/RunTurn.h"
#include "registry/KeyPaths.h"
#include "registry/RegistryTransaction.h"

namespace sentrel {

namespace {

bool IsProgramKey(const JournalEntry& entry) {
    return entry.kind == JournalEntry::KeyMade && entry.root == kHkeyLocalMachine &&
           (SameName(entry.path, kProgramKeys[0]) || SameName(entry.path, kProgramKeys[1]));
}

// What takes the machine back to where the journal says it was: its entries in reverse, each
// written whatever the machine holds now (the commit passes over what is already so).
std::vector<PlannedChange> PutBackPlan(const RunJournal& journal) {
    std::vector<PlannedChange> plan;
    const KeyPaths paths;
    for (auto at = journal.entries.rbegin(); at != journal.entries.rend(); ++at) {
        if (IsProgramKey(*at)) continue;  // the journal's own place: deleted with it
        RegistryChange change{RegistryChange::KeyDeleted, paths.Join(at->root, at->path),
                              at->name, std::nullopt, at->before};
        if (at->kind == JournalEntry::KeyDeleted) change.kind = RegistryChange::KeyCreated;
        if (at->kind == JournalEntry::Value)
            change.kind = at->before ? RegistryChange::ValueSet : RegistryChange::ValueDeleted;
        plan.push_back({at->root, at->path, std::move(change)});
    }
    return plan;
}

}  // namespace

std::string PutBackCutOffRun(LogonContext& context) {
    RegistryStore& store = context.store;
    const std::optional<RunJournal> journal = ReadRunJournal(store);
    if (!journal) return {};
    const std::string started =
        journal->started.empty() ? std::string(kCutOffTimeNotRecorded) : journal->started;
    const std::vector<PlannedChange> plan = OrderForCutOff(
        PutBackPlan(*journal), store, context.environment.Windows9x(), context.state.ProfileName);
    JournalEnding ending{&plan, journal->programKeysMade.value_or(std::vector<std::string>(
                             std::begin(kProgramKeys), std::end(kProgramKeys)))};
    CommitSteps steps{{}, nullptr, nullptr, kProgramKey, ProgramKeySecurity()};
    if (!context.state.DryRun) {
        steps.finish = EndWithJournal;
        steps.data = &ending;
    }
    try {
        Commit(plan, store, steps);
    } catch (const CommitError& e) {
        // What the registry refused is named in its message; the journal stays.
        throw RegistryError(FormatMessageText(kMsgCutOffNotPutBack, started) + ": " + e.what());
    }
    return context.state.DryRun ? std::string(kMsgCutOffWouldPutBack)
                                : FormatMessageText(kMsgCutOffPutBack, started);
}

std::string PutBackCutOffRunAtStart(LogonContext& context) {
    RunTurn turn(context.platform);
    // What stops it stops the run before anything of its own is written.
    if (!turn.Taken()) throw RunFailed(kMsgRunTurnTimedOut);
    try {
        return PutBackCutOffRun(context);
    } catch (const std::exception& e) {
        throw RunFailed(WhyRefused(context, e.what()));
    }
}

}  // namespace sentrel
