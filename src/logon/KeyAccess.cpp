#include "logon/KeyAccess.h"

namespace sentrel {

bool OpenOnly(TRegistry& reg, const std::string& path, bool canCreate) {
    reg.CloseKey();
    if (reg.OpenKey(path, canCreate)) return true;
    if (reg.LastOpenError() != kErrorFileNotFound)
        throw RegistryError(
            FormatMessageText(canCreate ? kMsgCreateKeyFailed : kMsgOpenKeyFailed, path));
    return false;
}

void CheckWritable(RegistryStore& store, const char* path) {
    TRegistry reg(store);
    reg.SetRootKey(kHkeyLocalMachine);
    OpenOnly(reg, path, false);
}

}  // namespace sentrel
