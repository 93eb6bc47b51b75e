#include "E2eFixture.h"

namespace sentrel::e2e {

std::vector<test::StoreKind> WineRegistryOnly() {
    std::vector<test::StoreKind> kinds;
    for (const test::StoreKind& kind : test::AllStores())
        if (kind.name == "Win32") kinds.push_back(kind);
    return kinds;
}

}  // namespace sentrel::e2e
