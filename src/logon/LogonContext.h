#pragma once
// What every registry task works with: the store it writes, the platform, the program-wide
// state and the window fields it reads at the moment it runs.
#include <string>

#include "platform/Platform.h"
#include "registry/RegistryStore.h"

namespace sentrel {

struct ProgramState {
    std::string ModeText;     // the current LogonMode; empty at start
    std::string ProfileName;  // the Novell location profile every task works on
    int ExitCode = 0;
};

inline constexpr const char* kApplicationTitle = "Sentrel for Windows9x, WinNT, W2K & WinXP";
inline constexpr const char* kDefaultProfileName = "Default";
inline constexpr const char* kClientNotDetected = "Not Detected";

// The window's fields that registry tasks read at the moment they run. The window implements
// it; tests and the unattended run fill FormFields by hand.
class FormView {
public:
    virtual ~FormView() = default;
    virtual std::string ClientVersionText() const = 0;  // edCliVer
    virtual std::string ModeListText() const = 0;       // combMode's text
    virtual bool LockWorkstationChecked() const = 0;    // cbLockWkstn
    virtual bool ShowResultChecked() const = 0;         // cbShowResult
    virtual bool RunLoginScriptChecked() const = 0;     // cbRunLoginScript
};

struct FormFields : FormView {
    std::string clientVersion = kClientNotDetected;
    std::string modeListText;
    bool lockWorkstation = false;
    bool showResult = false;
    bool runLoginScript = false;

    std::string ClientVersionText() const override { return clientVersion; }
    std::string ModeListText() const override { return modeListText; }
    bool LockWorkstationChecked() const override { return lockWorkstation; }
    bool ShowResultChecked() const override { return showResult; }
    bool RunLoginScriptChecked() const override { return runLoginScript; }
};

struct LogonContext {
    RegistryStore& store;
    Platform& platform;
    ProgramState& state;
    const FormView& form;
};

}  // namespace sentrel
