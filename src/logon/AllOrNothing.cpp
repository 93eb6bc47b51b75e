#include "logon/AllOrNothing.h"

#include "registry/RegistryTransaction.h"

namespace sentrel {

namespace {

// Holds the computer's turn for as long as the plan and its writing last, and no longer: no
// message box is shown while another run waits.
class RunTurn {
public:
    explicit RunTurn(Platform& platform)
        : platform_(platform), taken_(platform.TakeRunTurn(kRunTurnWaitMilliseconds)) {}
    ~RunTurn() {
        if (taken_) platform_.EndRunTurn();
    }
    RunTurn(const RunTurn&) = delete;
    RunTurn& operator=(const RunTurn&) = delete;
    bool Taken() const { return taken_; }

private:
    Platform& platform_;
    bool taken_;
};

[[noreturn]] void Fail(ProgramState& state, const std::string& reason,
                       std::vector<RegistryChange> left = {}) {
    state.Failure = reason;
    state.LeftChanged = std::move(left);
    std::string text = reason + "\r\n\r\n";
    if (state.LeftChanged.empty()) {
        text += kMsgNothingChanged;
    } else {
        text += kMsgLeftChanged;
        for (const RegistryChange& change : state.LeftChanged) {
            (text += "\r\n") += change.key;
            if (!change.name.empty()) (text += " | ") += change.name;
        }
    }
    throw RegistryError(text);
}

}  // namespace

void WriteAllOrNothing(LogonContext& context, void (*writers)(LogonContext& planned, void* data),
                       void* data) {
    ProgramState& state = context.state;
    state.Changes.clear();
    state.Failure.clear();
    state.LeftChanged.clear();
    RunTurn turn(context.platform);
    if (!turn.Taken()) Fail(state, kMsgRunTurnTimedOut);
    OverlayStore plan(context.store);
    LogonContext planned{plan, context.platform, state, context.environment};
    try {
        writers(planned, data);
    } catch (const std::exception& e) {
        Fail(state, e.what());
    }
    try {
        state.Changes = Commit(plan.Plan(), context.store);
    } catch (const CommitError& e) {
        Fail(state, e.what(), e.LeftChanged());
    }
}

}  // namespace sentrel
