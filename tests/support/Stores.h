#pragma once
// The stores the registry suites run against: MemoryStore everywhere, and under Wine the real
// registry through Win32Store, so the model is checked against the real thing.
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "registry/RegistryStore.h"

namespace sentrel::test {

struct StoreKind {
    std::string name;
    std::function<std::unique_ptr<RegistryStore>()> make;
    // Denies full access to an existing key of that store; empty when the store can't.
    std::function<void(RegistryStore&, const std::string& path, bool denied)> deny;
};

std::vector<StoreKind> AllStores();
// AllStores, and MemoryStore handing out shared handles as Windows 95 does: for the 9x road.
std::vector<StoreKind> NineXStores();

// AllStores, and a dry run's overlay over each of them: the overlay must behave as a registry.
std::vector<StoreKind> StoresAndOverlays();

// Names the store in test output instead of dumping its bytes.
inline void PrintTo(const StoreKind& kind, std::ostream* os) { *os << kind.name; }

}  // namespace sentrel::test
