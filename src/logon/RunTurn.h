#pragma once
// The computer's turn to plan and write the registry: one Sentrel run at a time, across the
// sessions of a terminal server (a named mutex, Platform::TakeRunTurn). Held for as long as a
// plan and its writing last, and no longer: no message box is shown while another run waits.
#include "platform/Platform.h"

namespace sentrel {

inline constexpr std::uint32_t kRunTurnWaitMilliseconds = 60000;

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

inline constexpr const char* kMsgRunTurnTimedOut =
    "Another Sentrel run on this computer did not end within 60 seconds";

}  // namespace sentrel
