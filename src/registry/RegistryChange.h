#pragma once
// One change to the registry with what it replaced: a key made or deleted, a value set or
// deleted. A run's plan, its record and its dry-run listing are lists of these.
#include <optional>
#include <string>

#include "registry/RegistryStore.h"

namespace sentrel {

struct RegistryChange {
    enum Kind { KeyCreated, KeyDeleted, ValueSet, ValueDeleted } kind;
    std::string key;                      // "HKLM\SOFTWARE\..." as the program spelled it
    std::string name;                     // the value's name; empty for a key
    std::optional<RegistryValue> before;  // none: the value was absent
    std::optional<RegistryValue> after;   // none: the value is deleted

    bool operator==(const RegistryChange&) const = default;
};

}  // namespace sentrel
