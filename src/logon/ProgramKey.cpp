#include "logon/ProgramKey.h"

#include "platform/SecurityDescriptor.h"

namespace sentrel {

bool IsProgramsOwn(RegistryStore& store, HKey key) {
    Bytes descriptor;
    if (store.GetKeySecurity(key, &descriptor)) return false;
    return descriptor.empty() || OnlyAdministratorsMayChange(descriptor, kKeyChangeRights);
}

bool IsProgramsOwn(RegistryStore& store, const std::string& path) {
    ScopedKey key(store);
    const long error = store.OpenKey(kHkeyLocalMachine, path, kKeyRead, key.Out());
    if (error) return error == kErrorFileNotFound;
    return IsProgramsOwn(store, key.Get());
}

Bytes ProgramKeySecurity() {
    return AdministratorsAndSystemOnly(kKeyAllAccessRights, true);
}

}  // namespace sentrel
