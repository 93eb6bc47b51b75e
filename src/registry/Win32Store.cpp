#include "registry/Win32Store.h"

#include <windows.h>

namespace sentrel {

static_assert(kErrorSuccess == ERROR_SUCCESS);
static_assert(kErrorFileNotFound == ERROR_FILE_NOT_FOUND);
static_assert(kErrorAccessDenied == ERROR_ACCESS_DENIED);
static_assert(kErrorInvalidHandle == ERROR_INVALID_HANDLE);
static_assert(kErrorBadPathname == ERROR_BAD_PATHNAME);
static_assert(kErrorMoreData == ERROR_MORE_DATA);
static_assert(kErrorNoMoreItems == ERROR_NO_MORE_ITEMS);
static_assert(kErrorKeyDeleted == ERROR_KEY_DELETED);
static_assert(kRegNone == REG_NONE && kRegSz == REG_SZ && kRegExpandSz == REG_EXPAND_SZ);
static_assert(kRegBinary == REG_BINARY && kRegDword == REG_DWORD && kRegMultiSz == REG_MULTI_SZ);
static_assert(kKeyAllAccess == KEY_ALL_ACCESS && kKeyRead == KEY_READ);
static_assert(kKeyWow64_64Key == 0x0100);  // KEY_WOW64_64KEY, absent from the NT 4 headers

namespace {

HKEY ToHandle(HKey key) { return reinterpret_cast<HKEY>(key); }

}  // namespace

bool RunningUnderWow64() {
    using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, PBOOL);
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    if (!kernel) return false;
    auto isWow64 =
        reinterpret_cast<IsWow64ProcessFn>(
        reinterpret_cast<void (*)()>(GetProcAddress(kernel, "IsWow64Process")));
    BOOL wow64 = FALSE;
    return isWow64 && isWow64(GetCurrentProcess(), &wow64) && wow64;
}

Win32Store::Win32Store() : viewFlags_(RunningUnderWow64() ? kKeyWow64_64Key : 0) {}

long Win32Store::OpenKey(HKey parent, const std::string& subKey, std::uint32_t access,
                         HKey* result) {
    HKEY key = nullptr;
    LONG rc = RegOpenKeyExA(ToHandle(parent), subKey.c_str(), 0, access | viewFlags_, &key);
    if (rc == ERROR_SUCCESS) *result = reinterpret_cast<HKey>(key);
    return rc;
}

long Win32Store::CreateKey(HKey parent, const std::string& subKey, std::uint32_t access,
                           HKey* result, bool* made) {
    HKEY key = nullptr;
    DWORD disposition = 0;
    LONG rc = RegCreateKeyExA(ToHandle(parent), subKey.c_str(), 0, nullptr,
                              REG_OPTION_NON_VOLATILE, access | viewFlags_, nullptr, &key,
                              &disposition);
    if (rc == ERROR_SUCCESS) *result = reinterpret_cast<HKey>(key);
    if (rc == ERROR_SUCCESS && made) *made = disposition == REG_CREATED_NEW_KEY;
    return rc;
}

long Win32Store::CloseKey(HKey key) { return RegCloseKey(ToHandle(key)); }

long Win32Store::QueryValue(HKey key, const std::string& name, std::uint32_t* type, Bytes* data,
                            std::size_t maxSize) {
    DWORD valueType = 0;
    DWORD size = 0;
    LONG rc = RegQueryValueExA(ToHandle(key), name.c_str(), nullptr, &valueType, nullptr, &size);
    if (rc != ERROR_SUCCESS) return rc;
    if (data) {
        if (size > maxSize) return ERROR_MORE_DATA;
        Bytes buffer(size);
        rc = RegQueryValueExA(ToHandle(key), name.c_str(), nullptr, &valueType,
                              buffer.empty() ? nullptr : buffer.data(), &size);
        if (rc != ERROR_SUCCESS) return rc;
        buffer.resize(size);
        *data = std::move(buffer);
    }
    if (type) *type = valueType;
    return ERROR_SUCCESS;
}

long Win32Store::SetValue(HKey key, const std::string& name, std::uint32_t type,
                          const std::uint8_t* data, std::size_t size) {
    static const BYTE kNothing = 0;
    return RegSetValueExA(ToHandle(key), name.c_str(), 0, type, size ? data : &kNothing,
                          static_cast<DWORD>(size));
}

long Win32Store::DeleteValue(HKey key, const std::string& name) {
    return RegDeleteValueA(ToHandle(key), name.c_str());
}

// Under WOW64 RegDeleteKeyA works in the 32-bit view whatever handle it is given; the 64-bit
// view needs RegDeleteKeyExA, which only the 64-bit systems have.
long Win32Store::DeleteKey(HKey parent, const std::string& subKey) {
    if (viewFlags_) {
        using RegDeleteKeyExFn = LONG(WINAPI*)(HKEY, LPCSTR, REGSAM, DWORD);
        auto deleteEx = reinterpret_cast<RegDeleteKeyExFn>(reinterpret_cast<void (*)()>(
            GetProcAddress(GetModuleHandleA("advapi32.dll"), "RegDeleteKeyExA")));
        if (deleteEx) return deleteEx(ToHandle(parent), subKey.c_str(), viewFlags_, 0);
    }
    return RegDeleteKeyA(ToHandle(parent), subKey.c_str());
}

long Win32Store::EnumKey(HKey key, std::uint32_t index, std::string* name) {
    char buffer[256];
    LONG rc = RegEnumKeyA(ToHandle(key), index, buffer, sizeof buffer);
    if (rc == ERROR_SUCCESS) *name = buffer;
    return rc;
}

long Win32Store::FlushKey(HKey key) { return RegFlushKey(ToHandle(key)); }

// Looked up at run time: the first Windows 95 has no security calls to import. Windows 9x
// keeps no security on keys at all, so there is nothing to read or set there.
namespace {

FARPROC SecurityCall(const char* name) {
    if (GetVersion() & 0x80000000u) return nullptr;
    return GetProcAddress(GetModuleHandleA("advapi32.dll"), name);
}

}  // namespace

long Win32Store::GetKeySecurity(HKey key, Bytes* descriptor) {
    using RegGetKeySecurityFn =
        LONG(WINAPI*)(HKEY, SECURITY_INFORMATION, PSECURITY_DESCRIPTOR, LPDWORD);
    auto getSecurity = reinterpret_cast<RegGetKeySecurityFn>(
        reinterpret_cast<void (*)()>(SecurityCall("RegGetKeySecurity")));
    if (!getSecurity) {
        descriptor->clear();
        return GetVersion() & 0x80000000u ? ERROR_SUCCESS : ERROR_CALL_NOT_IMPLEMENTED;
    }
    const SECURITY_INFORMATION wanted = OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION;
    DWORD size = 0;
    LONG rc = getSecurity(ToHandle(key), wanted, nullptr, &size);
    if (rc != ERROR_INSUFFICIENT_BUFFER) return rc ? rc : ERROR_INVALID_DATA;
    Bytes buffer(size);
    rc = getSecurity(ToHandle(key), wanted, buffer.data(), &size);
    if (rc == ERROR_SUCCESS) *descriptor = std::move(buffer);
    return rc;
}

long Win32Store::SetKeySecurity(HKey key, const Bytes& descriptor) {
    using RegSetKeySecurityFn = LONG(WINAPI*)(HKEY, SECURITY_INFORMATION, PSECURITY_DESCRIPTOR);
    auto setSecurity = reinterpret_cast<RegSetKeySecurityFn>(
        reinterpret_cast<void (*)()>(SecurityCall("RegSetKeySecurity")));
    if (!setSecurity) return GetVersion() & 0x80000000u ? ERROR_SUCCESS : ERROR_CALL_NOT_IMPLEMENTED;
    Bytes copy = descriptor;  // the call takes a non-const descriptor
    const bool owner = copy.size() >= 8 && LittleEndianOf(copy.data() + 4, 4) != 0;
    // NT 4 knows no protected list (nothing is passed down after a key is made there), and
    // may refuse the flag it does not know.
    if (copy.size() >= 4 && LOBYTE(LOWORD(GetVersion())) < 5) copy[3] &= ~0x10;
    return setSecurity(ToHandle(key),
                       DACL_SECURITY_INFORMATION | (owner ? OWNER_SECURITY_INFORMATION : 0),
                       copy.data());
}

long Win32Store::EnumValue(HKey key, std::uint32_t index, std::string* name) {
    char buffer[16384];
    DWORD size = sizeof buffer;
    LONG rc = RegEnumValueA(ToHandle(key), index, buffer, &size, nullptr, nullptr, nullptr,
                            nullptr);
    if (rc == ERROR_SUCCESS) *name = std::string(buffer, size);
    return rc;
}

}  // namespace sentrel
