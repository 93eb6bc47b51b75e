// The journal of changes a logged run keeps, against the in-memory store and Wine's registry.
#include "registry/JournalingStore.h"

#include "support/StoreTest.h"

namespace sentrel::test {
namespace {

class Journal : public StoreTest {
protected:
    void SetUp() override {
        StoreTest::SetUp();
        journal_ = std::make_unique<JournalingStore>(store());
    }
    HKey Create(const std::string& path) {
        HKey key = 0;
        EXPECT_EQ(journal_->CreateKey(kHkeyLocalMachine, In(path), kKeyAllAccess, &key), 0);
        return key;
    }
    void Set(HKey key, const std::string& name, std::uint32_t type, const Bytes& data) {
        EXPECT_EQ(journal_->SetValue(key, name, type, data.data(), data.size()), 0);
    }
    static std::string Path(const std::string& sub) { return "HKLM\\" + In(sub); }
    static RegistryValue Value(std::uint32_t type, const Bytes& data) { return {type, data}; }

    std::unique_ptr<JournalingStore> journal_;
};

TEST_P(Journal, KeepsEveryChangeWithWhatItReplacedAndNothingElse) {
    MakeKey(store(), kSandbox);
    HKey deep = Create("A\\B\\C");
    journal_->CloseKey(Create("A\\B\\C"));  // there already: no change
    Set(deep, "v", kRegSz, Sz("one"));
    Set(deep, "v", kRegSz, Sz("one"));  // the same again: no change
    Set(deep, "v", kRegDword, Dword(5));
    Set(deep, "w", kRegBinary, Bytes{0, 0xFF});
    EXPECT_EQ(journal_->DeleteValue(deep, "v"), 0);
    EXPECT_NE(journal_->DeleteValue(deep, "v"), 0);  // gone already: no change
    journal_->CloseKey(deep);
    HKey b = 0;
    ASSERT_EQ(journal_->OpenKey(kHkeyLocalMachine, In("A\\B"), kKeyAllAccess, &b), 0);
    EXPECT_EQ(journal_->DeleteKey(b, "C"), 0);
    journal_->CloseKey(b);

    using C = RegistryChange;
    const std::vector<RegistryChange> expected = {
        {C::KeyCreated, Path("A"), "", {}, {}},
        {C::KeyCreated, Path("A\\B"), "", {}, {}},
        {C::KeyCreated, Path("A\\B\\C"), "", {}, {}},
        {C::ValueSet, Path("A\\B\\C"), "v", {}, Value(kRegSz, Sz("one"))},
        {C::ValueSet, Path("A\\B\\C"), "v", Value(kRegSz, Sz("one")), Value(kRegDword, Dword(5))},
        {C::ValueSet, Path("A\\B\\C"), "w", {}, Value(kRegBinary, {0, 0xFF})},
        {C::ValueDeleted, Path("A\\B\\C"), "v", Value(kRegDword, Dword(5)), {}},
        {C::ValueDeleted, Path("A\\B\\C"), "w", Value(kRegBinary, {0, 0xFF}), {}},
        {C::KeyDeleted, Path("A\\B\\C"), "", {}, {}},
    };
    EXPECT_EQ(journal_->Changes(), expected);
    EXPECT_FALSE(KeyExists(store(), In("A\\B\\C")));
}

TEST_P(Journal, AChangeTheStoreRefusedIsNone) {
    PutString(store(), In("Parent\\Child"), "v", "kept");
    HKey gone = Create("Gone");
    RemoveTree(store(), In("Gone"));  // behind the journal's back: its handle is stale
    const Bytes data = Sz("new");
    EXPECT_NE(journal_->SetValue(gone, "v", kRegSz, data.data(), data.size()), 0);
    journal_->CloseKey(gone);
    HKey child = 0;
    ASSERT_EQ(journal_->OpenKey(kHkeyLocalMachine, In("Parent\\Child"), kKeyAllAccess, &child), 0);
    EXPECT_NE(journal_->DeleteValue(child, "missing"), 0);
    journal_->CloseKey(child);
    EXPECT_NE(journal_->DeleteKey(kHkeyLocalMachine, In("Parent")), 0);  // it has a subkey
    const std::vector<RegistryChange> onlyTheKeyMade = {
        {RegistryChange::KeyCreated, Path("Gone"), "", {}, {}}};
    EXPECT_EQ(journal_->Changes(), onlyTheKeyMade);
    EXPECT_EQ(Show(store(), In("Parent\\Child"), "v"), "SZ:kept");
}

// Windows 95 gives a key opened twice one handle: the first close must not take its name.
TEST_P(Journal, AHandleKeepsItsKeyUntilEveryOpenOfItIsClosed) {
    HKey first = Create("Shared");
    HKey second = 0;
    ASSERT_EQ(journal_->OpenKey(kHkeyLocalMachine, In("Shared"), kKeyAllAccess, &second), 0);
    EXPECT_EQ(journal_->CloseKey(second), 0);
    Set(first, "v", kRegSz, Sz("x"));
    EXPECT_EQ(journal_->CloseKey(first), 0);
    ASSERT_FALSE(journal_->Changes().empty());
    EXPECT_EQ(journal_->Changes().back().key, Path("Shared"));
}

INSTANTIATE_TEST_SUITE_P(Stores, Journal, ::testing::ValuesIn(NineXStores()), StoreName);

}  // namespace
}  // namespace sentrel::test
