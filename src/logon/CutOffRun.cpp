#include "logon/CutOffRun.h"

#include "logon/AllOrNothing.h"
#include "logon/AutoLogonSwitches.h"
#include "logon/LogonInForce.h"
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

namespace {

// Puts back what the journal records, flushes and deletes it; gives the state's sentence, or
// empty where there was no journal. Throws RegistryError (a CommitError with what is left).
std::string PutBack(LogonContext& context) {
    RegistryStore& store = context.store;
    const std::optional<RunJournal> journal = ReadRunJournal(store);
    if (!journal) return {};
    const std::string started =
        journal->started.empty() ? std::string(kCutOffTimeNotRecorded) : journal->started;
    const CutOffOrder order = OrderForCutOff(
        PutBackPlan(*journal), store, context.environment.Windows9x(), context.state.ProfileName);
    JournalEnding ending{&order.changes,
                         journal->programKeysMade.value_or(std::vector<std::string>(
                             std::begin(kProgramKeys), std::end(kProgramKeys))),
                         {}};
    CommitSteps steps{{},          nullptr,       nullptr, kProgramKey, ProgramKeySecurity(),
                      order.guarded, order.switchesOn};
    if (!context.state.DryRun) {
        steps.finish = EndWithJournal;
        steps.data = &ending;
    }
    try {
        std::vector<RegistryChange> written = Commit(order.changes, store, steps);
        if (!context.state.DryRun) {
            for (RegistryChange& change : NetOfWritten(written))
                context.state.PutBack.push_back(std::move(change));
        }
    } catch (const CommitError& e) {
        // What the registry refused is named in its message; the journal stays.
        throw CommitError(FormatMessageText(kMsgCutOffNotPutBack, started) + ": " + e.what() +
                              ". " + kMsgCheckJournal,
                          e.LeftChanged());
    }
    if (!ending.note.empty()) context.state.AddNote(ending.note);
    return context.state.DryRun ? std::string(kMsgCutOffWouldPutBack)
                                : FormatMessageText(kMsgCutOffPutBack, started);
}

}  // namespace

void PutBackCutOffRunUnderTurn(LogonContext& context) {
    // What stops it stops the run before anything of its own is written.
    try {
        const std::string said = PutBack(context);
        if (!said.empty()) context.state.CutOffRun = said;
    } catch (const CommitError& e) {
        throw RunFailed(WhyRefused(context, e.what()), e.LeftChanged());
    } catch (const std::exception& e) {
        throw RunFailed(WhyRefused(context, e.what()));
    }
}

void PutBackCutOffRunAtStart(LogonContext& context) {
    RunTurn turn(context.platform);
    if (!turn.Taken()) throw RunFailed(kMsgRunTurnTimedOut);
    // What the run found is what was in force before the put-back.
    if (context.state.Recorded)
        context.state.InForceBefore =
            DescribeInForceNow(context.store, context.platform, context.environment);
    PutBackCutOffRunUnderTurn(context);
}

}  // namespace sentrel
