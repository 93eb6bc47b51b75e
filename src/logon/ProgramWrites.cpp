#include "logon/ProgramWrites.h"

#include <span>

#include "logon/DisableAutoLogon.h"
#include "logon/LocationProfile.h"
#include "logon/LogonContext.h"
#include "logon/LogonDialog.h"
#include "logon/RegistryPaths.h"
#include "logon/WindowsAutoLogon9x.h"
#include "logon/WinlogonValues.h"
#include "logon/WorkstationServiceDependency.h"

namespace sentrel {

namespace {

// Keys the program writes whole, with what lies below them where below is true.
struct WholeKey {
    const char* path;  // as the owners spell it, with its leading backslash
    bool below;
};
const WholeKey kWholeKeys[] = {{kNovellLoginKey, false},  {kNwginaLoginScreenKey, false},
                               {kInitialLoginKey, false}, {kNeverLoginKey, false},
                               {kLgnXTierKey, false},     {kRealModeNetKey, false},
                               {kProfileListKey, false},  {kProfilesRootKey, true},
                               {kServicesRoot, true},     {kWorkstationServiceKey, true},
                               {kBackupRoot, true}};

const char* const kWinlogonAlso[] = {kGinaDll};
const char* const kRunEntries[] = {kLockEntryName, kDefaultProfileName};

bool Among(const std::string& name, std::span<const char* const> names) {
    for (const char* known : names)
        if (SameName(name, known)) return true;
    return false;
}

}  // namespace

bool ProgramWrites(HKey root, const std::string& path, const std::string& name, bool isKey) {
    if (root != kHkeyLocalMachine) return false;
    for (const WholeKey& whole : kWholeKeys) {
        const std::string key = whole.path + 1;
        if (whole.below ? AtOrBelow(path, key) : SameName(path, key)) return true;
        // A key above one the program writes is made on the way there.
        if (isKey && AtOrBelow(key, path)) return true;
    }
    const std::string winlogon = kWinlogonKey + 1, run = kRunKey + 1;
    if (isKey) return AtOrBelow(winlogon, path) || AtOrBelow(run, path);
    if (SameName(path, winlogon))
        return Among(name, kWinlogonValueNames) || Among(name, kWinlogonAlso);
    return SameName(path, run) && Among(name, kRunEntries);
}

}  // namespace sentrel
