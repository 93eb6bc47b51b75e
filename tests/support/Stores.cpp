#include "support/Stores.h"

#include "support/MemoryStore.h"
#include "registry/OverlayStore.h"
#ifdef SENTREL_WITH_WIN32
#include "registry/Win32Store.h"
#include "support/Win32Deny.h"
#endif

namespace sentrel::test {

std::vector<StoreKind> AllStores() {
    std::vector<StoreKind> kinds;
    kinds.push_back({"Memory", [] { return std::make_unique<MemoryStore>(); },
                     [](RegistryStore& store, const std::string& path, bool denied) {
                         static_cast<MemoryStore&>(store).Deny(kHkeyLocalMachine, path, denied);
                     }});
#ifdef SENTREL_WITH_WIN32
    kinds.push_back({"Win32", [] { return std::make_unique<Win32Store>(); }, DenyWin32Key});
#endif
    return kinds;
}

namespace {

// An overlay that owns the store below it.
struct Below {
    std::unique_ptr<RegistryStore> store;
};
class OwningOverlay : private Below, public OverlayStore {
public:
    explicit OwningOverlay(std::unique_ptr<RegistryStore> below)
        : Below{std::move(below)}, OverlayStore(*store) {}
    RegistryStore& Under() { return *store; }
};

}  // namespace

std::vector<StoreKind> StoresAndOverlays() {
    std::vector<StoreKind> kinds = AllStores();
    for (const StoreKind& below : AllStores())
        kinds.push_back({"OverlayOn" + below.name,
                         [below] { return std::make_unique<OwningOverlay>(below.make()); },
                         [below](RegistryStore& store, const std::string& path, bool denied) {
                             below.deny(static_cast<OwningOverlay&>(store).Under(), path, denied);
                         }});
    return kinds;
}

std::vector<StoreKind> NineXStores() {
    std::vector<StoreKind> kinds = AllStores();
    kinds.push_back({"Windows95Memory",
                     [] {
                         auto store = std::make_unique<MemoryStore>();
                         store->ShareHandlesLikeWindows95();
                         return store;
                     },
                     kinds[0].deny});
    return kinds;
}

}  // namespace sentrel::test
