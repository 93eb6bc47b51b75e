#pragma once
// The raw registry, shaped like the advapi32 calls the program uses. Every call returns a Win32
// error code; on failure the output parameters are left unchanged.
#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace sentrel {

using HKey = std::uintptr_t;  // an open key or a predefined root; 0 is "no key"
using Bytes = std::vector<std::uint8_t>;

// The Win32 values the portable code needs, checked against windows.h in Win32Store.cpp.
inline constexpr HKey kHkeyCurrentUser = 0x80000001u;
inline constexpr HKey kHkeyLocalMachine = 0x80000002u;

inline constexpr long kErrorSuccess = 0;
inline constexpr long kErrorFileNotFound = 2;
inline constexpr long kErrorAccessDenied = 5;
inline constexpr long kErrorInvalidHandle = 6;
inline constexpr long kErrorBadPathname = 161;
inline constexpr long kErrorMoreData = 234;
inline constexpr long kErrorNoMoreItems = 259;
inline constexpr long kErrorKeyDeleted = 1018;

inline constexpr std::uint32_t kRegNone = 0;
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegExpandSz = 2;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;
inline constexpr std::uint32_t kRegMultiSz = 7;

inline constexpr std::uint32_t kKeyAllAccess = 0xF003F;
inline constexpr std::uint32_t kKeyRead = 0x20019;
inline constexpr std::uint32_t kKeyWow64_64Key = 0x0100;

// Compares registry names the way the registry does: without regard to letter case.
inline bool SameName(const std::string& a, const std::string& b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
               return std::toupper(x) == std::toupper(y);
           });
}

// A value as stored: its type and its bytes.
struct RegistryValue {
    std::uint32_t type = 0;
    Bytes data;

    bool operator==(const RegistryValue&) const = default;
};

class RegistryStore {
public:
    virtual ~RegistryStore() = default;

    // Opens an existing key. subKey is relative to parent and must not begin with a backslash.
    virtual long OpenKey(HKey parent, const std::string& subKey, std::uint32_t access,
                         HKey* result) = 0;
    // Opens the key, making it and any missing keys on its path first.
    virtual long CreateKey(HKey parent, const std::string& subKey, std::uint32_t access,
                           HKey* result) = 0;
    virtual long CloseKey(HKey key) = 0;
    // Type and data of a value; either output may be null. With data null the call only asks
    // whether the value exists. maxSize limits the data as the caller's buffer would:
    // larger data gives kErrorMoreData.
    virtual long QueryValue(HKey key, const std::string& name, std::uint32_t* type, Bytes* data,
                            std::size_t maxSize = SIZE_MAX) = 0;
    virtual long SetValue(HKey key, const std::string& name, std::uint32_t type,
                          const std::uint8_t* data, std::size_t size) = 0;
    virtual long DeleteValue(HKey key, const std::string& name) = 0;
    // Deletes one key that has no subkeys, as RegDeleteKeyA does on NT.
    virtual long DeleteKey(HKey parent, const std::string& subKey) = 0;
    virtual long EnumKey(HKey key, std::uint32_t index, std::string* name) = 0;
    virtual long EnumValue(HKey key, std::uint32_t index, std::string* name) = 0;
};

// Owns one open key of a store and closes it when it goes out of scope.
class ScopedKey {
public:
    explicit ScopedKey(RegistryStore& store) : store_(store) {}
    ~ScopedKey() {
        if (key_) store_.CloseKey(key_);
    }
    ScopedKey(const ScopedKey&) = delete;
    ScopedKey& operator=(const ScopedKey&) = delete;

    HKey* Out() { return &key_; }
    HKey Get() const { return key_; }

private:
    RegistryStore& store_;
    HKey key_ = 0;
};

}  // namespace sentrel
