#pragma once
// Wraps a store and refuses writes by number, as a registry refuses a write it may not make
// (ERROR_ACCESS_DENIED): a key made, a value set or deleted, a key deleted. Reads and opens
// pass. Counts every write call, refused or not.
#include <cstddef>

#include "support/ForwardingStore.h"

namespace sentrel::test {

class RefusingStore : public ForwardingStore {
public:
    using ForwardingStore::ForwardingStore;

    // Refuses the write with this number (from 0) and, when andAfter, every one after it.
    void Refuse(std::size_t write, bool andAfter = false) {
        refuseFrom_ = write;
        refuseAfter_ = andAfter;
    }
    // Refuses that write as well: a second fault, such as the first write of an undo.
    void RefuseToo(std::size_t write) { refuseToo_ = write; }
    std::size_t Writes() const { return writes_; }

    long CreateKey(HKey parent, const std::string& subKey, std::uint32_t access,
                   HKey* result, bool* made = nullptr) override {
        return Refused() ? kErrorAccessDenied
                         : ForwardingStore::CreateKey(parent, subKey, access, result, made);
    }
    long SetValue(HKey key, const std::string& name, std::uint32_t type, const std::uint8_t* data,
                  std::size_t size) override {
        return Refused() ? kErrorAccessDenied
                         : ForwardingStore::SetValue(key, name, type, data, size);
    }
    long DeleteValue(HKey key, const std::string& name) override {
        return Refused() ? kErrorAccessDenied : ForwardingStore::DeleteValue(key, name);
    }
    long DeleteKey(HKey parent, const std::string& subKey) override {
        return Refused() ? kErrorAccessDenied : ForwardingStore::DeleteKey(parent, subKey);
    }

private:
    bool Refused() {
        const std::size_t n = writes_++;
        return n == refuseFrom_ || n == refuseToo_ || (refuseAfter_ && n > refuseFrom_);
    }

    std::size_t writes_ = 0;
    std::size_t refuseFrom_ = SIZE_MAX;
    std::size_t refuseToo_ = SIZE_MAX;
    bool refuseAfter_ = false;
};

}  // namespace sentrel::test
