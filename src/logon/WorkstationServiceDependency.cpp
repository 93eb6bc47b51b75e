#include "logon/WorkstationServiceDependency.h"

#include "logon/KeyAccess.h"
#include "registry/unitEXRegistry.h"

namespace sentrel {

namespace {

const char* const kDependOnService = "DependOnService";
const char* const kDependency = "SRVLOC";

// The service's own list is replaced below, and the subkey backup leaves the service key's
// values out: keep the list it had before, once, so it can be put back by hand.
void BackupDependencyList(TRegistry& service, RegistryStore& store) {
    std::uint32_t type = 0;
    Bytes data;
    if (!service.ReadValue(kDependOnService, type, data)) return;
    if (type == kRegMultiSz && data == MultiSzBlock({kDependency})) return;  // already ours
    TRegistry backup(store);
    backup.SetRootKey(kHkeyLocalMachine);
    if (!OpenOnly(backup, kWorkstationServiceBackupKey, true) ||
        backup.ValueExists(kDependOnService))
        return;
    backup.WriteValue(kDependOnService, type, data);
}

}  // namespace

void BackupSubkeys(RegistryStore& store, HKey root, const std::string& source,
                   const std::string& backup) {
    TRegistry reg(store);
    reg.SetRootKey(root);
    std::vector<std::string> firstLevel;
    std::vector<std::string> secondLevel;
    if (OpenOnly(reg, source, false)) reg.GetKeyNames(firstLevel);
    if (OpenOnly(reg, backup, true)) {
        for (const std::string& n : firstLevel)
            if (!n.empty() && n[0] == '.') reg.CreateKey(backup + "\\" + n.substr(1));
    }
    for (const std::string& n : firstLevel) {
        if (!OpenOnly(reg, source + "\\" + n, true)) continue;
        reg.GetKeyNames(secondLevel);
        OpenOnly(reg, backup, true);
        const std::string stripped = n.substr(1);
        for (const std::string& m : secondLevel)
            reg.MoveKey(source + "\\" + n + "\\" + m, backup + "\\" + stripped + "\\" + m, false);
    }
}

bool SetWorkstationServiceDependency(RegistryStore& store, Platform& platform) {
    TExRegistry reg(store, platform);
    reg.SetRootKey(kHkeyLocalMachine);
    // A service key that exists but may not be written is an error, not one with nothing to do.
    if (!OpenOnly(reg, kWorkstationServiceKey, false)) return true;
    BackupSubkeys(store, kHkeyLocalMachine, kWorkstationServiceKey, kWorkstationServiceBackupKey);
    // NT does not start a service whose dependency does not exist (error 1075).
    // Only its existence counts: a SRVLOC key this run may not write is there all the same.
    TRegistry srvloc(store);
    srvloc.SetRootKey(kHkeyLocalMachine);
    if (!srvloc.OpenKeyReadOnly(kSrvlocServiceKey) && srvloc.LastOpenError() == kErrorFileNotFound)
        return false;
    BackupDependencyList(reg, store);
    // The list the service has, in its order, with SRVLOC added once.
    std::vector<std::string> list;
    std::uint32_t type = 0;
    Bytes data;
    if (reg.ReadValue(kDependOnService, type, data) && type == kRegMultiSz) list = MultiSzOf(data);
    for (const std::string& name : list)
        if (SameName(name, kDependency)) return true;
    list.push_back(kDependency);
    reg.WriteMultiSz(kDependOnService, list);
    return true;
}

}  // namespace sentrel
