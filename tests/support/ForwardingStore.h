#pragma once
// A store that passes every call to another. Wrappers (the tests' recorder and refusers)
// derive from it and override only the calls they watch.
#include "registry/RegistryStore.h"

namespace sentrel {

class ForwardingStore : public RegistryStore {
public:
    explicit ForwardingStore(RegistryStore& inner) : inner_(inner) {}

    long OpenKey(HKey parent, const std::string& subKey, std::uint32_t access,
                 HKey* result) override {
        return inner_.OpenKey(parent, subKey, access, result);
    }
    long CreateKey(HKey parent, const std::string& subKey, std::uint32_t access,
                   HKey* result, bool* made = nullptr) override {
        return inner_.CreateKey(parent, subKey, access, result, made);
    }
    long CloseKey(HKey key) override { return inner_.CloseKey(key); }
    long QueryValue(HKey key, const std::string& name, std::uint32_t* type, Bytes* data,
                    std::size_t maxSize = SIZE_MAX) override {
        return inner_.QueryValue(key, name, type, data, maxSize);
    }
    long SetValue(HKey key, const std::string& name, std::uint32_t type, const std::uint8_t* data,
                  std::size_t size) override {
        return inner_.SetValue(key, name, type, data, size);
    }
    long DeleteValue(HKey key, const std::string& name) override {
        return inner_.DeleteValue(key, name);
    }
    long DeleteKey(HKey parent, const std::string& subKey) override {
        return inner_.DeleteKey(parent, subKey);
    }
    long EnumKey(HKey key, std::uint32_t index, std::string* name) override {
        return inner_.EnumKey(key, index, name);
    }
    long EnumValue(HKey key, std::uint32_t index, std::string* name) override {
        return inner_.EnumValue(key, index, name);
    }
    long FlushKey(HKey key) override { return inner_.FlushKey(key); }
    long GetKeySecurity(HKey key, Bytes* descriptor) override {
        return inner_.GetKeySecurity(key, descriptor);
    }
    long SetKeySecurity(HKey key, const Bytes& descriptor) override {
        return inner_.SetKeySecurity(key, descriptor);
    }

protected:
    RegistryStore& inner_;
};

}  // namespace sentrel
