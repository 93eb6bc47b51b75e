#pragma once
// Wraps a store and cuts the run off before its k-th change, as a power cut or a killed
// process would: what was written before stays, nothing after it is written, and no code of
// the program's runs on (it throws RunCutOff, which no handler of the program catches). A
// change is every call that could reach the disk: a key made or deleted, a value set or
// deleted, a flush, a security descriptor set. It also lists them, in order, as
// "Kind path|name" lines.
#include <cstddef>
#include <string>
#include <vector>

#include "support/ForwardingStore.h"
#include "registry/KeyPaths.h"

namespace sentrel::test {

struct RunCutOff {};

class CuttingStore : public ForwardingStore {
public:
    using ForwardingStore::ForwardingStore;

    void CutBefore(std::size_t change) { cutAt_ = change; }
    std::size_t Changes() const { return steps_.size(); }
    const std::vector<std::string>& Steps() const { return steps_; }

    long OpenKey(HKey parent, const std::string& subKey, std::uint32_t access,
                 HKey* result) override {
        const long error = ForwardingStore::OpenKey(parent, subKey, access, result);
        if (!error) paths_.Opened(*result, paths_.Join(parent, subKey));
        return error;
    }
    long CreateKey(HKey parent, const std::string& subKey, std::uint32_t access,
                   HKey* result, bool* made = nullptr) override {
        Step("CreateKey " + paths_.Join(parent, subKey));
        const long error = ForwardingStore::CreateKey(parent, subKey, access, result, made);
        if (!error) paths_.Opened(*result, paths_.Join(parent, subKey));
        return error;
    }
    long CloseKey(HKey key) override {
        paths_.Closed(key);
        return ForwardingStore::CloseKey(key);
    }
    long SetValue(HKey key, const std::string& name, std::uint32_t type, const std::uint8_t* data,
                  std::size_t size) override {
        Step("SetValue " + paths_.Of(key) + "|" + name);
        return ForwardingStore::SetValue(key, name, type, data, size);
    }
    long DeleteValue(HKey key, const std::string& name) override {
        Step("DeleteValue " + paths_.Of(key) + "|" + name);
        return ForwardingStore::DeleteValue(key, name);
    }
    long DeleteKey(HKey parent, const std::string& subKey) override {
        Step("DeleteKey " + paths_.Join(parent, subKey));
        return ForwardingStore::DeleteKey(parent, subKey);
    }
    long FlushKey(HKey key) override {
        Step("FlushKey " + paths_.Of(key));
        return ForwardingStore::FlushKey(key);
    }
    long SetKeySecurity(HKey key, const Bytes& descriptor) override {
        Step("SetKeySecurity " + paths_.Of(key));
        return ForwardingStore::SetKeySecurity(key, descriptor);
    }

private:
    void Step(std::string what) {
        if (steps_.size() == cutAt_) throw RunCutOff{};
        steps_.push_back(std::move(what));
    }

    KeyPaths paths_;
    std::vector<std::string> steps_;
    std::size_t cutAt_ = SIZE_MAX;
};

}  // namespace sentrel::test
