#pragma once
// An in-memory model of NT's registry for tests: names compared without letter case but kept as
// written, subkeys enumerated in sorted order, values in creation order, types and bytes kept,
// and keys that can be marked as denied so that opening them for full access fails.
#include <map>
#include <memory>

#include "registry/RegistryStore.h"

namespace sentrel {

class MemoryStore : public RegistryStore {
public:
    MemoryStore();
    ~MemoryStore() override;

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

    // Test helpers; paths are "HKLM\A\B" style below a root, without a leading backslash.
    // A denied key refuses every open or create and the creation of keys below it.
    void Deny(HKey root, const std::string& path, bool denied = true);
    std::size_t OpenHandleCount() const { return handles_.size(); }
    // The descriptor last set on a key, or none.
    Bytes SecurityOf(HKey root, const std::string& path) const;
    // What a key on which none was set gives: by default nothing, as Windows 9x keeps no
    // security; a test of the NT family sets the list a key inherits from SOFTWARE.
    Bytes defaultSecurity;
    // Every key flushed, "HKLM\A\B", in order.
    std::vector<std::string> flushed;
    // Windows 95 hands out the handle a key already has when it is opened again, and counts
    // the opens: the handle lives until as many closes (Microsoft KB Q137202).
    void ShareHandlesLikeWindows95() { sharedHandles_ = true; }

    struct Node;

private:
    std::shared_ptr<Node> Resolve(HKey key) const;
    // The node of an open key, or why it can't be used (invalid handle, deleted key).
    long Live(HKey key, std::shared_ptr<Node>& node) const;
    // The node a key path starts from, or the error that stops an open or create.
    long Start(HKey parent, const std::string& subKey, std::shared_ptr<Node>& node) const;

    std::map<HKey, std::shared_ptr<Node>> roots_;
    std::map<HKey, std::shared_ptr<Node>> handles_;
    std::map<HKey, int> opens_;  // with shared handles: how often each was handed out
    bool sharedHandles_ = false;
    HKey nextHandle_ = 0x1000;
    HKey HandleFor(const std::shared_ptr<Node>& node);
};

}  // namespace sentrel
