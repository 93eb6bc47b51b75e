#pragma once
// Small helpers that prepare and read HKLM keys straight through a store, so tests check what
// the program wrote without going through the accessor they test.
#include <optional>
#include <string>

#include "registry/RegistryStore.h"

namespace sentrel::test {

struct StoredValue {
    std::uint32_t type;
    Bytes data;
};

void PutValue(RegistryStore& store, const std::string& path, const std::string& name,
              std::uint32_t type, const Bytes& data);
void PutString(RegistryStore& store, const std::string& path, const std::string& name,
               const std::string& text);
void PutDword(RegistryStore& store, const std::string& path, const std::string& name,
              std::uint32_t value);
void MakeKey(RegistryStore& store, const std::string& path);
std::optional<StoredValue> GetValue(RegistryStore& store, const std::string& path,
                                    const std::string& name);
// The value as Describe() shows it ("SZ:text", "DWORD:1", ...), or "<missing>".
std::string Show(RegistryStore& store, const std::string& path, const std::string& name);
bool KeyExists(RegistryStore& store, const std::string& path);
std::vector<std::string> SubkeyNames(RegistryStore& store, const std::string& path);
std::vector<std::string> ValueNames(RegistryStore& store, const std::string& path);
// Removes a key and everything below it; nothing happens when it is missing.
void RemoveTree(RegistryStore& store, const std::string& path);
// Every key below path and every value, its type and its bytes in hex, one line each: two dumps
// are equal only when the registries are, byte for byte.
std::vector<std::string> Dump(RegistryStore& store, const std::string& path = "");
Bytes Sz(const std::string& text);  // text plus its NUL
Bytes Dword(std::uint32_t value);

}  // namespace sentrel::test
