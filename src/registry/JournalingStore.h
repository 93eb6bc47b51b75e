#pragma once
// Wraps a store and keeps, in order, every change made through it with what it replaced: keys
// created and deleted (a deleted key's values first, each as deleted), values set and deleted.
// A write that leaves a value as it was is no change. The unattended run's log is made from it;
// the writers above it know nothing of it.
#include <optional>
#include <vector>

#include "registry/KeyPaths.h"

namespace sentrel {

struct RegistryChange {
    enum Kind { KeyCreated, KeyDeleted, ValueSet, ValueDeleted } kind;
    std::string key;                      // "HKLM\SOFTWARE\..." as the program spelled it
    std::string name;                     // the value's name; empty for a key
    std::optional<RegistryValue> before;  // none: the value was absent
    std::optional<RegistryValue> after;   // none: the value is deleted

    bool operator==(const RegistryChange&) const = default;
};

class JournalingStore : public RegistryStore {
public:
    explicit JournalingStore(RegistryStore& inner) : inner_(inner) {}

    long OpenKey(HKey parent, const std::string& subKey, std::uint32_t access,
                 HKey* result) override;
    long CreateKey(HKey parent, const std::string& subKey, std::uint32_t access,
                   HKey* result) override;
    long CloseKey(HKey key) override;
    long QueryValue(HKey key, const std::string& name, std::uint32_t* type, Bytes* data,
                    std::size_t maxSize = SIZE_MAX) override {
        return inner_.QueryValue(key, name, type, data, maxSize);
    }
    long SetValue(HKey key, const std::string& name, std::uint32_t type, const std::uint8_t* data,
                  std::size_t size) override;
    long DeleteValue(HKey key, const std::string& name) override;
    long DeleteKey(HKey parent, const std::string& subKey) override;
    long EnumKey(HKey key, std::uint32_t index, std::string* name) override {
        return inner_.EnumKey(key, index, name);
    }
    long EnumValue(HKey key, std::uint32_t index, std::string* name) override {
        return inner_.EnumValue(key, index, name);
    }

    const std::vector<RegistryChange>& Changes() const { return changes_; }

private:
    std::optional<RegistryValue> Read(HKey key, const std::string& name);
    bool Exists(HKey parent, const std::string& subKey);

    RegistryStore& inner_;
    KeyPaths paths_;
    std::vector<RegistryChange> changes_;
};

}  // namespace sentrel
