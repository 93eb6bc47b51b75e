#pragma once
// A fixture that runs a test once per store, inside a sandbox key under HKLM that is removed
// before and after each test.
#include <gtest/gtest.h>

#include "support/RegistryHelpers.h"
#include "support/Stores.h"

namespace sentrel::test {

class StoreTest : public ::testing::TestWithParam<StoreKind> {
protected:
    static constexpr const char* kSandbox = "SOFTWARE\\SentrelTest";

    void SetUp() override {
        store_ = GetParam().make();
        Clean();
    }
    void TearDown() override { Clean(); }
    // Gives back the keys the test denied: one must not block a removal or a restore.
    void AllowDenied() {
        for (const std::string& path : denied_) GetParam().deny(*store_, path, false);
        denied_.clear();
    }
    void Clean() {
        AllowDenied();
        for (const std::string& key : KeysToClean()) RemoveTree(*store_, key);
    }
    // The keys a test may touch: removed before and after it.
    virtual std::vector<std::string> KeysToClean() const { return {kSandbox}; }

    void Deny(const std::string& path) {
        GetParam().deny(*store_, path, true);
        denied_.push_back(path);
    }
    static std::string In(const std::string& sub) { return std::string(kSandbox) + "\\" + sub; }

    RegistryStore& store() { return *store_; }

private:
    std::unique_ptr<RegistryStore> store_;
    std::vector<std::string> denied_;
};

inline std::string StoreName(const ::testing::TestParamInfo<StoreKind>& info) {
    return info.param.name;
}

}  // namespace sentrel::test
