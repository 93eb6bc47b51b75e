#include "support/RegistryHelpers.h"

#include <stdexcept>

#include "support/RecordingStore.h"

namespace sentrel::test {

namespace {

HKey CreateOrThrow(RegistryStore& store, const std::string& path) {
    HKey key = 0;
    if (store.CreateKey(kHkeyLocalMachine, path, kKeyAllAccess, &key) != kErrorSuccess)
        throw std::runtime_error("test set-up could not create " + path);
    return key;
}

}  // namespace

Bytes Sz(const std::string& text) {
    Bytes data(text.begin(), text.end());
    data.push_back(0);
    return data;
}

Bytes Dword(std::uint32_t value) {
    return Bytes{std::uint8_t(value), std::uint8_t(value >> 8), std::uint8_t(value >> 16),
                 std::uint8_t(value >> 24)};
}

void PutValue(RegistryStore& store, const std::string& path, const std::string& name,
              std::uint32_t type, const Bytes& data) {
    HKey key = CreateOrThrow(store, path);
    store.SetValue(key, name, type, data.data(), data.size());
    store.CloseKey(key);
}

void PutString(RegistryStore& store, const std::string& path, const std::string& name,
               const std::string& text) {
    PutValue(store, path, name, kRegSz, Sz(text));
}

void PutDword(RegistryStore& store, const std::string& path, const std::string& name,
              std::uint32_t value) {
    PutValue(store, path, name, kRegDword, Dword(value));
}

void MakeKey(RegistryStore& store, const std::string& path) {
    store.CloseKey(CreateOrThrow(store, path));
}

std::optional<StoredValue> GetValue(RegistryStore& store, const std::string& path,
                                    const std::string& name) {
    ScopedKey key(store);
    if (store.OpenKey(kHkeyLocalMachine, path, kKeyAllAccess, key.Out()) != kErrorSuccess)
        return std::nullopt;
    StoredValue value{};
    if (store.QueryValue(key.Get(), name, &value.type, &value.data) != kErrorSuccess)
        return std::nullopt;
    return value;
}

std::string Show(RegistryStore& store, const std::string& path, const std::string& name) {
    std::optional<StoredValue> value = GetValue(store, path, name);
    return value ? Describe(value->type, value->data) : "<missing>";
}

bool KeyExists(RegistryStore& store, const std::string& path) {
    ScopedKey key(store);
    return store.OpenKey(kHkeyLocalMachine, path, kKeyAllAccess, key.Out()) == kErrorSuccess;
}

static std::vector<std::string> Names(RegistryStore& store, const std::string& path, bool keys) {
    std::vector<std::string> names;
    ScopedKey key(store);
    if (store.OpenKey(kHkeyLocalMachine, path, kKeyAllAccess, key.Out()) != kErrorSuccess)
        return names;
    std::string name;
    for (std::uint32_t i = 0;
         (keys ? store.EnumKey(key.Get(), i, &name) : store.EnumValue(key.Get(), i, &name)) ==
         kErrorSuccess;
         ++i)
        names.push_back(name);
    return names;
}

std::vector<std::string> SubkeyNames(RegistryStore& store, const std::string& path) {
    return Names(store, path, true);
}

std::vector<std::string> ValueNames(RegistryStore& store, const std::string& path) {
    return Names(store, path, false);
}

void RemoveTree(RegistryStore& store, const std::string& path) {
    for (const std::string& child : SubkeyNames(store, path)) RemoveTree(store, path + "\\" + child);
    store.DeleteKey(kHkeyLocalMachine, path);
}

std::vector<std::string> Dump(RegistryStore& store, const std::string& path) {
    std::vector<std::string> lines{"[" + path + "]"};
    for (const std::string& name : ValueNames(store, path)) {
        std::optional<StoredValue> value = GetValue(store, path, name);
        std::string line = path + " | " + name + " = type " + std::to_string(value->type) + ":";
        const char* digits = "0123456789ABCDEF";
        for (std::uint8_t b : value->data) (line += digits[b >> 4]) += digits[b & 15];
        lines.push_back(line);
    }
    for (const std::string& name : SubkeyNames(store, path))
        for (const std::string& line : Dump(store, path.empty() ? name : path + "\\" + name))
            lines.push_back(line);
    return lines;
}

}  // namespace sentrel::test
