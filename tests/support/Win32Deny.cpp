#include "support/Win32Deny.h"

#include <windows.h>

#include <stdexcept>

#include "registry/Win32Store.h"
#include "support/RegistryHelpers.h"

namespace sentrel::test {

void DenyWin32Key(RegistryStore& store, const std::string& path, bool denied) {
    HKEY key = nullptr;
    const REGSAM access = WRITE_DAC | READ_CONTROL | (RunningUnderWow64() ? 0x0100 : 0);
    LONG opened = RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, access, &key);
    if (opened == ERROR_FILE_NOT_FOUND) {
        MakeKey(store, path);
        opened = RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, access, &key);
    }
    if (opened != ERROR_SUCCESS)
        throw std::runtime_error("cannot open " + path + " to change its rights");
    // Everyone may read and change the rights, nothing else: an open for full access fails.
    SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
    PSID everyone = nullptr;
    AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone);
    DWORD granted = denied ? (KEY_READ | WRITE_DAC | READ_CONTROL) : (KEY_ALL_ACCESS);
    BYTE aclBuffer[256];
    auto* acl = reinterpret_cast<PACL>(aclBuffer);
    InitializeAcl(acl, sizeof aclBuffer, ACL_REVISION);
    AddAccessAllowedAce(acl, ACL_REVISION, granted, everyone);
    SECURITY_DESCRIPTOR sd;
    InitializeSecurityDescriptor(&sd, SECURITY_DESCRIPTOR_REVISION);
    SetSecurityDescriptorDacl(&sd, TRUE, acl, FALSE);
    LONG rc = RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &sd);
    FreeSid(everyone);
    RegCloseKey(key);
    if (rc != ERROR_SUCCESS) throw std::runtime_error("cannot change the rights of " + path);
}

}  // namespace sentrel::test
