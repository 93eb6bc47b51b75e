// The accessor: paths, the key kept after a failed open, reads and writes with their messages.
#include "support/ErrorOf.h"
#include "registry/Registry.h"
#include "support/StoreTest.h"

namespace sentrel::test {
namespace {

class Accessor : public StoreTest {
protected:
    std::string Abs(const std::string& sub) { return "\\" + In(sub); }

};

TEST_P(Accessor, AbsolutePathsStartAtTheRootAndOthersAtTheOpenKey) {
    TRegistry reg(store());
    reg.SetRootKey(kHkeyLocalMachine);
    ASSERT_TRUE(reg.OpenKey(Abs("A"), true));
    ASSERT_TRUE(reg.OpenKey("B", true));  // relative: below A
    reg.WriteString("where", "A\\B");
    EXPECT_EQ(Show(store(), In("A\\B"), "where"), "SZ:A\\B");
    EXPECT_FALSE(KeyExists(store(), "B"));
}

TEST_P(Accessor, AFailedOpenKeepsThePreviousKeyOpen) {
    TRegistry reg(store());
    reg.SetRootKey(kHkeyLocalMachine);
    ASSERT_TRUE(reg.OpenKey(Abs("First"), true));
    EXPECT_FALSE(reg.OpenKey(Abs("Missing"), false));
    reg.WriteString("v", "x");
    EXPECT_EQ(Show(store(), In("First"), "v"), "SZ:x");
    EXPECT_FALSE(KeyExists(store(), In("Missing")));
}

TEST_P(Accessor, WritingWithNoKeyOpenNamesTheValue) {
    TRegistry reg(store());
    reg.SetRootKey(kHkeyLocalMachine);
    reg.OpenKey(Abs("Missing"), false);
    EXPECT_EQ(ErrorOf([&] { reg.WriteString("DefaultDomainName", "D"); }),
              "Failed to set data for 'DefaultDomainName'");
    EXPECT_EQ(ErrorOf([&] { reg.WriteInteger("Save On Exit", 1); }),
              "Failed to set data for 'Save On Exit'");
}

TEST_P(Accessor, WritesStoreExactTypesAndBytes) {
    TRegistry reg(store());
    reg.SetRootKey(kHkeyLocalMachine);
    ASSERT_TRUE(reg.OpenKey(Abs("W"), true));
    reg.WriteString("text", "a\xE9 b");
    reg.WriteString("empty", "");
    reg.WriteInteger("minus", -2);
    const std::uint8_t zero = 0;
    reg.WriteBinaryData("AutoLogon", &zero, 1);
    EXPECT_EQ(GetValue(store(), In("W"), "text")->data, Sz("a\xE9 b"));
    EXPECT_EQ(GetValue(store(), In("W"), "empty")->data, Bytes{0});
    EXPECT_EQ(Show(store(), In("W"), "minus"), "DWORD:4294967294");
    EXPECT_EQ(Show(store(), In("W"), "AutoLogon"), "BINARY:00");
}

TEST_P(Accessor, ReadStringGivesTextUpToItsNulAndRefusesOtherTypes) {
    PutValue(store(), In("R"), "sz", kRegSz, Bytes{'a', 'b', 0, 'c', 0});
    PutValue(store(), In("R"), "expand", kRegExpandSz, Sz("%TEMP%"));
    PutValue(store(), In("R"), "nonul", kRegSz, Bytes{'x', 'y'});
    PutValue(store(), In("R"), "dword", kRegDword, Dword(1));
    PutValue(store(), In("R"), "emptybin", kRegBinary, Bytes{});
    TRegistry reg(store());
    reg.SetRootKey(kHkeyLocalMachine);
    ASSERT_TRUE(reg.OpenKey(Abs("R"), false));
    EXPECT_EQ(reg.ReadString("sz"), "ab");
    EXPECT_EQ(reg.ReadString("expand"), "%TEMP%");
    EXPECT_EQ(reg.ReadString("nonul"), "xy");
    EXPECT_EQ(reg.ReadString("missing"), "");
    EXPECT_EQ(reg.ReadString("emptybin"), "");  // size 0: empty whatever the type
    EXPECT_EQ(ErrorOf([&] { reg.ReadString("dword"); }), "Invalid data type for 'dword'");
}

TEST_P(Accessor, ReadIntegerNeedsADwordOfAtMostFourBytes) {
    PutValue(store(), In("I"), "one", kRegDword, Dword(1));
    PutValue(store(), In("I"), "minus", kRegDword, Dword(0xFFFFFFFF));
    PutValue(store(), In("I"), "short", kRegSz, Sz("1"));
    PutValue(store(), In("I"), "long", kRegSz, Sz("12345"));
    PutValue(store(), In("I"), "wide", kRegDword, Bytes(8, 0));
    TRegistry reg(store());
    reg.SetRootKey(kHkeyLocalMachine);
    ASSERT_TRUE(reg.OpenKey(Abs("I"), false));
    EXPECT_EQ(reg.ReadInteger("one"), 1);
    EXPECT_EQ(reg.ReadInteger("minus"), -1);
    EXPECT_EQ(ErrorOf([&] { reg.ReadInteger("MajorVersion"); }),
              "Failed to get data for 'MajorVersion'");
    EXPECT_EQ(ErrorOf([&] { reg.ReadInteger("short"); }), "Invalid data type for 'short'");
    EXPECT_EQ(ErrorOf([&] { reg.ReadInteger("long"); }), "Failed to get data for 'long'");
    EXPECT_EQ(ErrorOf([&] { reg.ReadInteger("wide"); }), "Failed to get data for 'wide'");
}

TEST_P(Accessor, ReadBinaryDataCopiesBinaryOrUnknownDataThatFits) {
    PutValue(store(), In("B"), "bin", kRegBinary, Bytes{1, 2, 3});
    PutValue(store(), In("B"), "multi", kRegMultiSz, Bytes{'a', 0, 0});
    PutValue(store(), In("B"), "sz", kRegSz, Sz("x"));
    TRegistry reg(store());
    reg.SetRootKey(kHkeyLocalMachine);
    ASSERT_TRUE(reg.OpenKey(Abs("B"), false));
    std::uint8_t buffer[4] = {9, 9, 9, 9};
    EXPECT_EQ(reg.ReadBinaryData("bin", buffer, 4), 3);
    EXPECT_EQ(Bytes(buffer, buffer + 4), (Bytes{1, 2, 3, 9}));
    EXPECT_EQ(reg.ReadBinaryData("multi", buffer, 4), 3);
    EXPECT_EQ(reg.ReadBinaryData("missing", buffer, 4), 0);
    EXPECT_EQ(ErrorOf([&] { reg.ReadBinaryData("bin", buffer, 2); }),
              "Invalid data type for 'bin'");
    EXPECT_EQ(ErrorOf([&] { reg.ReadBinaryData("sz", buffer, 4); }), "Invalid data type for 'sz'");
}

TEST_P(Accessor, TypesSizesAndExistence) {
    PutValue(store(), In("T"), "sz", kRegSz, Sz("ab"));
    PutValue(store(), In("T"), "expand", kRegExpandSz, Sz("a"));
    PutValue(store(), In("T"), "dword", kRegDword, Dword(0));
    PutValue(store(), In("T"), "bin", kRegBinary, Bytes{});
    PutValue(store(), In("T"), "multi", kRegMultiSz, Bytes{0});
    TRegistry reg(store());
    reg.SetRootKey(kHkeyLocalMachine);
    ASSERT_TRUE(reg.OpenKey(Abs("T"), false));
    EXPECT_EQ(reg.GetDataType("sz"), RegDataType::String);
    EXPECT_EQ(reg.GetDataType("expand"), RegDataType::ExpandString);
    EXPECT_EQ(reg.GetDataType("dword"), RegDataType::Integer);
    EXPECT_EQ(reg.GetDataType("bin"), RegDataType::Binary);
    EXPECT_EQ(reg.GetDataType("multi"), RegDataType::Unknown);
    EXPECT_EQ(reg.GetDataType("missing"), RegDataType::Unknown);
    EXPECT_EQ(reg.GetDataSize("sz"), 3);
    EXPECT_EQ(reg.GetDataSize("bin"), 0);
    EXPECT_EQ(reg.GetDataSize("missing"), -1);
    EXPECT_TRUE(reg.ValueExists("bin"));
    EXPECT_FALSE(reg.ValueExists("missing"));
    EXPECT_TRUE(reg.DeleteValue("sz"));
    EXPECT_FALSE(reg.DeleteValue("sz"));
}

TEST_P(Accessor, DeleteKeyRemovesAllSubkeys) {
    PutString(store(), In("Profile\\Tab1\\Deep"), "x", "1");
    MakeKey(store(), In("Profile\\Tab2"));
    TRegistry reg(store());
    reg.SetRootKey(kHkeyLocalMachine);
    EXPECT_TRUE(reg.DeleteKey(Abs("Profile")));
    EXPECT_FALSE(KeyExists(store(), In("Profile")));
    EXPECT_FALSE(reg.DeleteKey(Abs("Profile")));
    EXPECT_TRUE(KeyExists(store(), kSandbox));
}

TEST_P(Accessor, CreateKeyMakesTheKeyOrNamesIt) {
    TRegistry reg(store());
    reg.SetRootKey(kHkeyLocalMachine);
    reg.CreateKey(Abs("New\\Deeper"));
    EXPECT_TRUE(KeyExists(store(), In("New\\Deeper")));
    EXPECT_EQ(reg.CurrentKey(), 0u);  // made and closed again
    MakeKey(store(), In("Locked"));
    Deny(In("Locked"));
    EXPECT_EQ(ErrorOf([&] { reg.CreateKey(Abs("Locked")); }),
              "Failed to create key " + Abs("Locked"));
}

TEST_P(Accessor, KeyAndValueNamesReplaceTheList) {
    PutString(store(), In("N\\Sub1"), "a", "1");
    MakeKey(store(), In("N\\Sub2"));
    PutString(store(), In("N"), "v1", "1");
    TRegistry reg(store());
    reg.SetRootKey(kHkeyLocalMachine);
    ASSERT_TRUE(reg.OpenKey(Abs("N"), false));
    std::vector<std::string> names{"stale"};
    reg.GetKeyNames(names);
    EXPECT_EQ(names, (std::vector<std::string>{"Sub1", "Sub2"}));
    reg.GetValueNames(names);
    EXPECT_EQ(names, std::vector<std::string>{"v1"});
}

TEST_P(Accessor, MoveKeyCopiesWholeTreesOnlyWhenTheTargetIsAbsent) {
    PutValue(store(), In("S\\Disabled"), "bin", kRegBinary, Bytes{1, 2});
    PutValue(store(), In("S\\Disabled\\Deep"), "multi", kRegMultiSz, Bytes{'a', 0, 0});
    PutString(store(), In("S"), "top", "x");
    TRegistry reg(store());
    reg.SetRootKey(kHkeyLocalMachine);
    reg.MoveKey(Abs("S"), Abs("Backup\\S"), false);
    EXPECT_EQ(Show(store(), In("Backup\\S"), "top"), "SZ:x");
    EXPECT_EQ(Show(store(), In("Backup\\S\\Disabled"), "bin"), "BINARY:0102");
    EXPECT_EQ(Show(store(), In("Backup\\S\\Disabled\\Deep"), "multi"), "MULTI_SZ:610000");
    EXPECT_TRUE(KeyExists(store(), In("S")));

    PutString(store(), In("S"), "top", "changed");
    reg.MoveKey(Abs("S"), Abs("Backup\\S"), false);  // target exists: never overwritten
    EXPECT_EQ(Show(store(), In("Backup\\S"), "top"), "SZ:x");
    reg.MoveKey(Abs("Nothing"), Abs("Backup\\Nothing"), false);
    EXPECT_FALSE(KeyExists(store(), In("Backup\\Nothing")));

    reg.MoveKey(Abs("S"), Abs("Moved"), true);
    EXPECT_FALSE(KeyExists(store(), In("S")));
    EXPECT_EQ(Show(store(), In("Moved\\Disabled"), "bin"), "BINARY:0102");
}

TEST_P(Accessor, ReadsNeedFullAccess) {
    PutString(store(), In("Locked"), "v", "x");
    Deny(In("Locked"));
    TRegistry reg(store());
    reg.SetRootKey(kHkeyLocalMachine);
    EXPECT_FALSE(reg.OpenKey(Abs("Locked"), false));
    EXPECT_FALSE(reg.OpenKey(Abs("Locked"), true));
}

INSTANTIATE_TEST_SUITE_P(Stores, Accessor, ::testing::ValuesIn(AllStores()), StoreName);

}  // namespace
}  // namespace sentrel::test

#include "support/MemoryStore.h"

namespace sentrel::test {
namespace {

TEST(AccessorLifetime, KeysAreClosedWhenTheAccessorGoesOrTheRootChanges) {
    MemoryStore store;
    MakeKey(store, "SOFTWARE\\A");
    {
        TRegistry reg(store);
        reg.SetRootKey(kHkeyLocalMachine);
        ASSERT_TRUE(reg.OpenKey("\\SOFTWARE\\A", false));
        EXPECT_EQ(store.OpenHandleCount(), 1u);
        reg.SetRootKey(kHkeyLocalMachine);  // the same root: the key stays open
        EXPECT_EQ(store.OpenHandleCount(), 1u);
        reg.SetRootKey(kHkeyCurrentUser);
        EXPECT_EQ(store.OpenHandleCount(), 0u);
        EXPECT_EQ(reg.CurrentKey(), 0u);
        reg.SetRootKey(kHkeyLocalMachine);
        ASSERT_TRUE(reg.OpenKey("\\SOFTWARE\\A", false));
        EXPECT_THROW(reg.ReadInteger("missing"), RegistryError);
    }
    EXPECT_EQ(store.OpenHandleCount(), 0u);
}

}  // namespace
}  // namespace sentrel::test
