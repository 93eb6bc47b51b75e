// Stands in for the Novell client installer: writes the client's version key, remembers its
// parameters and working folder, and ends with an exit code of its own.
#include <windows.h>

#include <cstring>
#include <string>

int main(int argc, char** argv) {
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Novell\\NetWareWorkstation\\CurrentVersion", 0,
                    nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    DWORD major = 4, minor = 91;
    RegSetValueExA(key, "MajorVersion", 0, REG_DWORD, reinterpret_cast<BYTE*>(&major), 4);
    RegSetValueExA(key, "MinorVersion", 0, REG_DWORD, reinterpret_cast<BYTE*>(&minor), 4);
    std::string parameters;
    for (int i = 1; i < argc; ++i) parameters += (i > 1 ? " " : "") + std::string(argv[i]);
    RegSetValueExA(key, "InstallerParameters", 0, REG_SZ,
                   reinterpret_cast<const BYTE*>(parameters.c_str()),
                   static_cast<DWORD>(parameters.size() + 1));
    char folder[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, folder);
    RegSetValueExA(key, "InstallerFolder", 0, REG_SZ, reinterpret_cast<const BYTE*>(folder),
                   static_cast<DWORD>(std::strlen(folder) + 1));
    RegCloseKey(key);
    Sleep(500);  // long enough that a run that did not wait would be seen
    return 7;
}
