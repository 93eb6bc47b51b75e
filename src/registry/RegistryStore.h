#pragma once
// The raw registry, shaped like the advapi32 calls the program uses. Every call returns a Win32
// error code; on failure the output parameters are left unchanged.
#include <cstddef>
#include <cstdint>
#include <optional>
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

// Upper-cases the letters a to z only, leaving 8-bit characters as they are: the one letter-case
// rule of the program, for registry names and switch names alike.
std::string UpperAscii(std::string text);

// Compares registry names the way the registry does: without regard to letter case.
bool SameName(const std::string& a, const std::string& b);
// Whether a key path is key itself or lies below it, by the same rule.
bool AtOrBelow(const std::string& path, const std::string& key);

// A value as stored: its type and its bytes.
struct RegistryValue {
    std::uint32_t type = 0;
    Bytes data;

    bool operator==(const RegistryValue&) const = default;
};

// What a value's bytes say, read one way everywhere. A string value (REG_SZ or REG_EXPAND_SZ)
// is its text up to its first NUL, as the accessor reads it; none for another type.
std::optional<std::string> StringOf(const RegistryValue& value);
// The number that count bytes (at most four) make, the first the lowest: how the registry,
// the version block and the journal store numbers.
std::uint32_t LittleEndianOf(const std::uint8_t* bytes, std::size_t count);
// A REG_DWORD's number; none for another type or a size other than four bytes.
std::optional<std::uint32_t> DwordOf(const RegistryValue& value);
// A REG_MULTI_SZ's strings, up to the empty one that ends the list.
std::vector<std::string> MultiSzOf(const Bytes& data);

class RegistryStore {
public:
    virtual ~RegistryStore() = default;

    // Opens an existing key. subKey is relative to parent and must not begin with a backslash.
    virtual long OpenKey(HKey parent, const std::string& subKey, std::uint32_t access,
                         HKey* result) = 0;
    // Opens the key, making it and any missing keys on its path first; made (where given)
    // says whether this call made it or it was there, as RegCreateKeyEx's disposition does.
    virtual long CreateKey(HKey parent, const std::string& subKey, std::uint32_t access,
                           HKey* result, bool* made = nullptr) = 0;
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
    // Writes the key's hive to disk now, as RegFlushKey does: the registry otherwise writes
    // its changes lazily, hive by hive.
    virtual long FlushKey(HKey key) = 0;
    // The key's owner and discretionary access list as a self-relative security descriptor, as
    // RegGetKeySecurity gives them; empty where Windows keeps no security (9x).
    virtual long GetKeySecurity(HKey key, Bytes* descriptor) = 0;
    // Sets the key's discretionary access list, and its owner where the self-relative
    // descriptor names one, as RegSetKeySecurity does; where Windows has no security (9x)
    // there is nothing to set.
    virtual long SetKeySecurity(HKey key, const Bytes& descriptor) = 0;
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
