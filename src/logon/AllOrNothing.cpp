#include "logon/AllOrNothing.h"

#include "logon/AutoLogonSwitches.h"
#include "logon/CutOffRun.h"
#include "logon/LogonInForce.h"
#include "logon/ProgramKey.h"
#include "logon/RunJournal.h"
#include "registry/RegistryTransaction.h"

namespace sentrel {

std::string WhyRefused(const LogonContext& context, std::string reason) {
    ScopedKey key(context.store);
    if (context.environment.WithUserAccountControl() &&
        context.store.OpenKey(kHkeyLocalMachine, "SOFTWARE", kKeyAllAccess, key.Out()) ==
            kErrorAccessDenied)
        (reason += ". ") += kMsgRunAsAdministrator;
    return reason;
}

namespace {

bool MakesKey(const std::vector<PlannedChange>& commit, const std::string& path) {
    for (const PlannedChange& planned : commit)
        if (planned.change.kind == RegistryChange::KeyCreated &&
            planned.root == kHkeyLocalMachine && SameName(planned.path, path))
            return true;
    return false;
}

}  // namespace

RunError RunFailed(const std::string& reason, std::vector<RegistryChange> leftChanged,
                   const std::string& putBack) {
    std::string text = reason + "\r\n\r\n";
    if (leftChanged.empty()) {
        text += putBack.empty() ? kMsgNothingChanged : putBack + " " + kMsgNothingOfThisRun;
    } else {
        text += kMsgLeftChanged;
        for (const RegistryChange& change : leftChanged) {
            (text += "\r\n") += change.key;
            if (!change.name.empty()) (text += " | ") += change.name;
        }
        (text += "\r\n\r\n") += kMsgOffUntilPutBack;
    }
    return RunError(kExitFailed, reason, text, std::move(leftChanged));
}

std::vector<RegistryChange> WriteAllOrNothing(LogonContext& context,
                                              void (*writers)(LogonContext& planned, void* data),
                                              void* data) {
    ProgramState& state = context.state;
    RegistryStore& store = context.store;
    RunTurn turn(context.platform);
    if (!turn.Taken()) throw RunFailed(kMsgRunTurnTimedOut);
    // What the run finds, now that no other run can change it: before a put-back of its own,
    // and unless it has put one back at its start already (it found what was before that).
    if (state.Recorded && state.CutOffRun.empty())
        state.InForceBefore = DescribeInForceNow(store, context.platform, context.environment);
    // A run that held the turn before may have been cut off while this one waited. A dry
    // run has planned that put-back at its start already.
    if (!state.DryRun || state.CutOffRun.empty()) PutBackCutOffRunUnderTurn(context);
    // What this run writes after a put-back fails alone: the box says what was put back.
    const std::string putBack = state.DryRun ? std::string() : state.CutOffRun;

    OverlayStore plan(store);
    LogonContext planned{plan, context.platform, state, context.environment};
    try {
        writers(planned, data);
    } catch (const std::exception& e) {
        throw RunFailed(WhyRefused(context, e.what()), {}, putBack);
    }
    const CutOffOrder order =
        OrderForCutOff(plan.Plan(), store, context.environment.Windows9x(), state.ProfileName);
    const std::vector<PlannedChange>& commit = order.changes;
    if (commit.empty()) return {};  // a repeat: no journal, no flush, nothing written

    std::vector<std::string> journalMade;
    if (!state.DryRun) {
        try {
            journalMade = WriteRunJournal(store, TimeText(context.platform.Now()),
                                          JournalOf(commit));
        } catch (const std::exception& e) {
            throw RunFailed(WhyRefused(context, e.what()), {}, putBack);
        }
    }
    JournalEnding ending{&commit, {}, {}};
    for (const std::string& path : journalMade)
        if (!MakesKey(commit, path)) ending.programKeys.push_back(path);
    CommitSteps steps{journalMade,   state.DryRun ? nullptr : EndWithJournal,
                      &ending,       kProgramKey,
                      ProgramKeySecurity(), order.guarded,
                      order.switchesOn};
    try {
        std::vector<RegistryChange> written = NetOfWritten(Commit(commit, store, steps));
        if (!ending.note.empty()) state.AddNote(ending.note);
        return written;
    } catch (const CommitError& e) {
        // Put back whole: the journal goes. Left changed: it stays, so that the next start
        // puts back what this one could not.
        if (!state.DryRun && e.LeftChanged().empty())
            DeleteRunJournal(store, journalMade);
        throw RunFailed(WhyRefused(context, e.what()), e.LeftChanged(), putBack);
    }
}

}  // namespace sentrel
