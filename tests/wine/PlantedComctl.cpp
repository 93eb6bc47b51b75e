// A comctl32.dll as an attacker would plant it beside Sentrel.exe: loading it leaves a mark in
// the registry (HKCU\Software\SentrelPlanted), so a test can tell whether the program ran it.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        HKEY key = nullptr;
        if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\SentrelPlanted", 0, nullptr, 0,
                            KEY_ALL_ACCESS, nullptr, &key, nullptr) == ERROR_SUCCESS) {
            const DWORD loaded = 1;
            RegSetValueExA(key, "Loaded", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&loaded),
                           sizeof loaded);
            RegCloseKey(key);
        }
    }
    return TRUE;
}

extern "C" __declspec(dllexport) void WINAPI InitCommonControls() {}
