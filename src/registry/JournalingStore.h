#pragma once
// Wraps a store and keeps, in order, every change made through it with what it replaced: keys
// created and deleted (a deleted key's values first, each as deleted), values set and deleted.
// A write that leaves a value as it was is no change. The unattended run's log is made from it;
// the writers above it know nothing of it.
#include <optional>
#include <vector>

#include "registry/ForwardingStore.h"
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

class JournalingStore : public ForwardingStore {
public:
    using ForwardingStore::ForwardingStore;

    long OpenKey(HKey parent, const std::string& subKey, std::uint32_t access,
                 HKey* result) override;
    long CreateKey(HKey parent, const std::string& subKey, std::uint32_t access,
                   HKey* result) override;
    long CloseKey(HKey key) override;
    long SetValue(HKey key, const std::string& name, std::uint32_t type, const std::uint8_t* data,
                  std::size_t size) override;
    long DeleteValue(HKey key, const std::string& name) override;
    long DeleteKey(HKey parent, const std::string& subKey) override;

    const std::vector<RegistryChange>& Changes() const { return changes_; }

private:
    std::optional<RegistryValue> Read(HKey key, const std::string& name);
    bool Exists(HKey parent, const std::string& subKey);

    KeyPaths paths_;
    std::vector<RegistryChange> changes_;
};

}  // namespace sentrel
