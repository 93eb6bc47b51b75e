#include "ui/CurrentSettings.h"

#include "logon/LocationProfile.h"
#include "logon/LogonSettings.h"
#include "registry/Registry.h"

namespace sentrel {

namespace {

const char* const kRequesterKey = "\\Network\\Novell\\System Config\\NetWare DOS Requester";

std::string Detected(RegistryStore& store, const std::string& profile, const char* field) {
    std::string value;
    AutoDetectValue(store, profile, field, value);
    return value;
}

}  // namespace

void ReadCurrentSettings9x(RegistryStore& store, FormState& form) {
    TRegistry reg(store);
    reg.SetRootKey(kHkeyLocalMachine);
    const std::string requester = kRequesterKey;
    if (reg.OpenKey(requester + "\\Preferred Tree", false)) form.edtTree = reg.ReadString("0");
    // The client keeps each tree's context under the tree's name.
    if (reg.OpenKey(requester + "\\Preferred Tree\\Trees", false))
        form.edtContext = reg.ReadString(form.edtTree);
    if (reg.OpenKey(requester + "\\Preferred Server", false)) form.edtServer = reg.ReadString("0");
    if (reg.OpenKey("\\Network\\Logon", false)) form.EdtUsr = reg.ReadString("NetwareUsername");
    form.windowsGroupVisible = false;
}

void ReadCurrentSettings(RegistryStore& store, const std::string& profile, FormState& form) {
    if (form.edCliVer != kClientNotDetected) {
        form.noClientWarningVisible = false;
        form.directoryFieldsVisible = true;
        if (form.modeEntries.size() != std::size(kModeEntries))
            form.SetModeEntries(
                std::vector<std::string>(std::begin(kModeEntries), std::end(kModeEntries)));
        form.edtTree = Detected(store, profile, "NDSTree");
        form.edtContext = Detected(store, profile, "NDSCx");
        form.edtServer = Detected(store, profile, "NDSSrv");
        form.EdtUsr = Detected(store, profile, "NDSUsr");
    } else {
        form.directoryFieldsVisible = false;
        form.noClientWarningVisible = true;
        form.SetModeEntries({kModeEntries[1]});
        form.modeIndex = -1;  // the text shows the entry, but none is selected
    }
    form.EdtMSDom = Detected(store, profile, "MSDom");
    form.edtMSUsr = Detected(store, profile, "MSUsr");
}

}  // namespace sentrel
