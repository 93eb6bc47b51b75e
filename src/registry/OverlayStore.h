#pragma once
// A run's plan of the registry: reads see the store below as it is and every earlier write made
// through the overlay; writes stay in the overlay and never reach the store below. A key is
// read from below the first time the run touches it. An open or delete that asks for write
// access tries the key below with that access (which writes nothing), so a key the run could not
// write fails here as it would in the real run. A dry run stops at the plan; a real run then
// writes the plan's net change (RegistryTransaction.h).
#include <memory>
#include <vector>

#include "registry/KeyPaths.h"
#include "registry/RegistryChange.h"

namespace sentrel {

// A net change and the key it is made in, as the store below names it.
struct PlannedChange {
    HKey root = 0;
    std::string path;  // below the root
    RegistryChange change;
};

class OverlayStore : public RegistryStore {
public:
    explicit OverlayStore(RegistryStore& base) : base_(base) {}

    long OpenKey(HKey parent, const std::string& subKey, std::uint32_t access,
                 HKey* result) override;
    long CreateKey(HKey parent, const std::string& subKey, std::uint32_t access,
                   HKey* result, bool* made = nullptr) override;
    long CloseKey(HKey key) override;
    long QueryValue(HKey key, const std::string& name, std::uint32_t* type, Bytes* data,
                    std::size_t maxSize = SIZE_MAX) override;
    long SetValue(HKey key, const std::string& name, std::uint32_t type, const std::uint8_t* data,
                  std::size_t size) override;
    long DeleteValue(HKey key, const std::string& name) override;
    long DeleteKey(HKey parent, const std::string& subKey) override;
    long EnumKey(HKey key, std::uint32_t index, std::string* name) override;
    long EnumValue(HKey key, std::uint32_t index, std::string* name) override;
    long FlushKey(HKey key) override;
    long GetKeySecurity(HKey key, Bytes* descriptor) override;
    long SetKeySecurity(HKey key, const Bytes& descriptor) override;

    // What the writes would change below, net: a key deleted and made again with the same
    // values is no change. In the run's own order: a value's change where the run last wrote
    // it (so a backup the run writes first comes first), a key made just before the first
    // change in it or below it; the keys deleted after every other change, deepest first.
    std::vector<PlannedChange> Plan() const;
    std::vector<RegistryChange> NetChanges() const;

private:
    struct Value {
        std::string name;
        RegistryValue data;
        std::size_t written = 0;  // when the run last wrote it; 0 for never
    };
    struct Key {
        HKey root = 0;
        std::string path;        // below the root, as the program first spelled it
        bool existsBelow = false;
        bool exists = false;
        std::vector<Value> valuesBelow, values;
        std::vector<Value> deleted;  // names the run deleted, each when it last did
        std::size_t made = 0;        // when the run made the key; 0 for never
        std::vector<std::string> subkeys;  // the names as they are now, in the registry's order
    };

    // The key, read from below the first time; an error other than "not there" is returned.
    long Load(HKey root, const std::string& path, Key** key);
    // Where a path of the program's starts: a root and the path below it; false for a handle
    // that is not open.
    bool Resolve(HKey parent, const std::string& subKey, HKey* root, std::string* path) const;
    // Whether the run could have the access it asks for on an existing key below.
    long CheckAccess(const Key& key, std::uint32_t access);
    // The key of an open handle, or why there is none.
    long Live(HKey handle, Key** key) const;
    HKey Hand(Key* key);
    // Notes when the run deleted a value, for the plan's order.
    void Deleted(Key& key, const Value& value);

    RegistryStore& base_;
    std::vector<std::unique_ptr<Key>> keys_;  // in the order the run first touched them
    std::vector<Key*> handles_;               // by handle, null once closed
    std::size_t writes_ = 0;                  // every write so far, to order the plan by
};

}  // namespace sentrel
