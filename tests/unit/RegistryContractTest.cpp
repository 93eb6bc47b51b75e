// The store contract: what the program relies on from the registry, checked against the
// in-memory model and, under Wine, against the real registry.
#include "support/MemoryStore.h"
#include "support/StoreTest.h"

namespace sentrel::test {
namespace {

class RegistryContract : public StoreTest {};

TEST_P(RegistryContract, NamesKeepTheirSpellingAndMatchWithoutLetterCase) {
    MakeKey(store(), In("Novell\\Login"));
    EXPECT_TRUE(KeyExists(store(), In("NOVELL\\login")));
    EXPECT_EQ(SubkeyNames(store(), kSandbox), std::vector<std::string>{"Novell"});
    PutString(store(), In("Novell"), "AutoAdminLogon", "1");
    EXPECT_EQ(Show(store(), In("novell"), "AUTOADMINLOGON"), "SZ:1");
    PutString(store(), In("Novell"), "AUTOADMINLOGON", "0");
    EXPECT_EQ(ValueNames(store(), In("Novell")), std::vector<std::string>{"AutoAdminLogon"});
}

TEST_P(RegistryContract, SubkeysAreEnumeratedInSortedOrder) {
    for (const char* name : {"b", "Tab3", "A", "tab1", "Tab2", "c"}) MakeKey(store(), In(name));
    EXPECT_EQ(SubkeyNames(store(), kSandbox),
              (std::vector<std::string>{"A", "b", "c", "tab1", "Tab2", "Tab3"}));
}

TEST_P(RegistryContract, ValuesKeepTheirTypeAndExactBytes) {
    PutValue(store(), kSandbox, "sz", kRegSz, Sz("a b"));
    PutValue(store(), kSandbox, "expand", kRegExpandSz, Sz("%x%"));
    PutValue(store(), kSandbox, "dword", kRegDword, Dword(0xFFFFFFFE));
    PutValue(store(), kSandbox, "bin", kRegBinary, Bytes{0x00});
    PutValue(store(), kSandbox, "empty", kRegBinary, Bytes{});
    PutValue(store(), kSandbox, "multi", kRegMultiSz, Bytes{'S', 0, 0});
    PutValue(store(), kSandbox, "", kRegSz, Sz("default"));
    EXPECT_EQ(Show(store(), kSandbox, "sz"), "SZ:a b");
    EXPECT_EQ(Show(store(), kSandbox, "expand"), "EXPAND_SZ:%x%");
    EXPECT_EQ(Show(store(), kSandbox, "dword"), "DWORD:4294967294");
    EXPECT_EQ(Show(store(), kSandbox, "bin"), "BINARY:00");
    EXPECT_EQ(Show(store(), kSandbox, "empty"), "BINARY:");
    EXPECT_EQ(Show(store(), kSandbox, "multi"), "MULTI_SZ:530000");
    EXPECT_EQ(Show(store(), kSandbox, ""), "SZ:default");
}

TEST_P(RegistryContract, MissingKeysAndValuesAreReportedAsNotFound) {
    MakeKey(store(), kSandbox);
    HKey key = 0;
    EXPECT_EQ(store().OpenKey(kHkeyLocalMachine, In("Missing"), kKeyAllAccess, &key),
              kErrorFileNotFound);
    ScopedKey sandbox(store());
    ASSERT_EQ(store().OpenKey(kHkeyLocalMachine, kSandbox, kKeyAllAccess, sandbox.Out()),
              kErrorSuccess);
    std::uint32_t type = 0;
    EXPECT_EQ(store().QueryValue(sandbox.Get(), "none", &type, nullptr), kErrorFileNotFound);
    EXPECT_EQ(store().DeleteValue(sandbox.Get(), "none"), kErrorFileNotFound);
    EXPECT_EQ(store().DeleteKey(sandbox.Get(), "none"), kErrorFileNotFound);
}

TEST_P(RegistryContract, ALeadingBackslashIsRefused) {
    MakeKey(store(), kSandbox);
    HKey key = 0;
    EXPECT_EQ(store().OpenKey(kHkeyLocalMachine, std::string("\\") + kSandbox, kKeyAllAccess,
                              &key),
              kErrorBadPathname);
}

TEST_P(RegistryContract, AKeyWithSubkeysIsNotDeletedAtOnce) {
    MakeKey(store(), In("Parent\\Child"));
    ScopedKey sandbox(store());
    ASSERT_EQ(store().OpenKey(kHkeyLocalMachine, kSandbox, kKeyAllAccess, sandbox.Out()),
              kErrorSuccess);
    EXPECT_NE(store().DeleteKey(sandbox.Get(), "Parent"), kErrorSuccess);
    EXPECT_TRUE(KeyExists(store(), In("Parent\\Child")));
    EXPECT_EQ(store().DeleteKey(sandbox.Get(), "Parent\\Child"), kErrorSuccess);
    EXPECT_EQ(store().DeleteKey(sandbox.Get(), "Parent"), kErrorSuccess);
    EXPECT_FALSE(KeyExists(store(), In("Parent")));
}

TEST_P(RegistryContract, AValueLargerThanTheBufferGivesMoreData) {
    PutValue(store(), kSandbox, "long", kRegDword, Bytes(8, 1));
    ScopedKey key(store());
    ASSERT_EQ(store().OpenKey(kHkeyLocalMachine, kSandbox, kKeyAllAccess, key.Out()),
              kErrorSuccess);
    std::uint32_t type = 0;
    Bytes data;
    EXPECT_EQ(store().QueryValue(key.Get(), "long", &type, &data, 4), kErrorMoreData);
    EXPECT_EQ(store().QueryValue(key.Get(), "long", &type, &data, 8), kErrorSuccess);
    EXPECT_EQ(data.size(), 8u);
}

TEST_P(RegistryContract, WritingWithoutAnOpenKeyFails) {
    const std::uint8_t byte = 0;
    EXPECT_NE(store().SetValue(0, "x", kRegBinary, &byte, 1), kErrorSuccess);
}

TEST_P(RegistryContract, ADeniedKeyRefusesOpenAndCreateForFullAccess) {
    // A key made through an overlay is not below it to be denied (see OverlayStoreTest).
    if (GetParam().name.rfind("Overlay", 0) == 0) GTEST_SKIP();
    MakeKey(store(), In("Locked"));
    Deny(In("Locked"));
    HKey key = 0;
    EXPECT_EQ(store().OpenKey(kHkeyLocalMachine, In("Locked"), kKeyAllAccess, &key),
              kErrorAccessDenied);
    EXPECT_EQ(store().CreateKey(kHkeyLocalMachine, In("Locked"), kKeyAllAccess, &key),
              kErrorAccessDenied);
    if (GetParam().name == "Memory") {
        // NT also needs the right to make subkeys in the parent; Wine does not check it.
        EXPECT_EQ(store().CreateKey(kHkeyLocalMachine, In("Locked\\New"), kKeyAllAccess, &key),
                  kErrorAccessDenied);
        EXPECT_FALSE(KeyExists(store(), In("Locked\\New")));
    }
    GetParam().deny(store(), In("Locked"), false);
    EXPECT_TRUE(KeyExists(store(), In("Locked")));
}

TEST(Windows95Handles, AKeyOpenedAgainGetsTheSameHandleUntilAsManyCloses) {
    MemoryStore store;
    store.ShareHandlesLikeWindows95();
    ScopedKey made(store);
    ASSERT_EQ(store.CreateKey(kHkeyLocalMachine, "SOFTWARE\\A", kKeyAllAccess, made.Out()),
              kErrorSuccess);
    HKey again = 0;
    ASSERT_EQ(store.OpenKey(kHkeyLocalMachine, "Software\\a", kKeyAllAccess, &again), kErrorSuccess);
    EXPECT_EQ(again, made.Get());
    EXPECT_EQ(store.CloseKey(again), kErrorSuccess);
    const std::uint8_t one = 1;
    EXPECT_EQ(store.SetValue(made.Get(), "v", kRegBinary, &one, 1), kErrorSuccess);  // still open
    EXPECT_EQ(store.OpenHandleCount(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Stores, RegistryContract, ::testing::ValuesIn(StoresAndOverlays()),
                         StoreName);

}  // namespace
}  // namespace sentrel::test

#ifdef SENTREL_WITH_WIN32
#include "registry/Win32Store.h"

namespace sentrel::test {
namespace {

TEST(Win32Store, AsksForNoOtherViewOutsideWow64) {
    // The tests run in a 32-bit prefix, where no view flag is added to any access mask.
    EXPECT_FALSE(RunningUnderWow64());
}

}  // namespace
}  // namespace sentrel::test
#endif
