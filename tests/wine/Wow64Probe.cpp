// Writes one value through the accessor and one with a plain RegCreateKeyExA, so that
// check-wow64 can see which registry view each landed in. Exit code 0 when both writes worked.
#include <windows.h>

#include <cstdio>

#include "registry/Registry.h"
#include "registry/Win32Store.h"

int main() {
    sentrel::Win32Store store;
    try {
        sentrel::TRegistry reg(store);
        reg.SetRootKey(sentrel::kHkeyLocalMachine);
        if (!reg.OpenKey("\\SOFTWARE\\SentrelWow64Probe", true)) return 2;
        reg.WriteString("Probe", "accessor");
    } catch (const sentrel::RegistryError& e) {
        std::printf("%s\n", e.what());
        return 3;
    }
    HKEY raw = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\SentrelWow64Raw", 0, nullptr, 0,
                        KEY_ALL_ACCESS, nullptr, &raw, nullptr) != ERROR_SUCCESS)
        return 4;
    RegSetValueExA(raw, "Probe", 0, REG_SZ, reinterpret_cast<const BYTE*>("raw"), 4);
    RegCloseKey(raw);
    return 0;
}
