// The workstation service's dependency on SRVLOC and the backup made before it.
#include "logon/WorkstationServiceDependency.h"

#include "support/FakePlatform.h"
#include "registry/unitEXRegistry.h"
#include "support/StoreTest.h"

namespace sentrel::test {
namespace {

const std::string kService = "SYSTEM\\CurrentControlSet\\Services\\NetwareWorkstation";
const std::string kSrvloc = "SYSTEM\\CurrentControlSet\\Services\\SRVLOC";
const std::string kBackup =
    "SOFTWARE\\Pellam\\Sentrel\\SYSTEM\\CurrentControlSet\\Services\\NetwareWorkstation";

class ServiceDependency : public StoreTest {
protected:
    std::vector<std::string> KeysToClean() const override {
        return {kService, kSrvloc, "SOFTWARE\\Pellam"};
    }
    void SetUp() override {
        StoreTest::SetUp();
        PutDword(store(), kSrvloc, "Start", 2);
    }
    bool Run() { return SetWorkstationServiceDependency(store(), platform); }
    FakePlatform platform;
};

TEST_P(ServiceDependency, AddsSrvlocOnceToTheListItHasAndOnlyWhereSrvlocExists) {
    PutValue(store(), kService, "DependOnService", kRegMultiSz, MultiSzBlock({"Tcpip", "NetBT"}));
    EXPECT_TRUE(Run());
    EXPECT_EQ(GetValue(store(), kService, "DependOnService")->data,
              MultiSzBlock({"Tcpip", "NetBT", "SRVLOC"}));
    EXPECT_EQ(GetValue(store(), kService, "DependOnService")->type, kRegMultiSz);
    PutValue(store(), kService, "DependOnService", kRegMultiSz, MultiSzBlock({"srvloc", "Tcpip"}));
    EXPECT_TRUE(Run());
    EXPECT_EQ(GetValue(store(), kService, "DependOnService")->data,
              MultiSzBlock({"srvloc", "Tcpip"}));

    // A service whose dependency does not exist does not start: the list stays.
    RemoveTree(store(), kSrvloc);
    PutValue(store(), kService, "DependOnService", kRegMultiSz, MultiSzBlock({"Tcpip"}));
    EXPECT_FALSE(Run());
    EXPECT_EQ(GetValue(store(), kService, "DependOnService")->data, MultiSzBlock({"Tcpip"}));
}

TEST_P(ServiceDependency, BacksUpSecondLevelTreesUnderFirstNamesWithoutTheirFirstLetter) {
    PutString(store(), kService, "ImagePath", "nwsvc.exe");
    PutString(store(), kService + "\\Linkage", "Bind", "direct");
    PutValue(store(), kService + "\\Linkage\\Disabled", "Bind", kRegMultiSz, MultiSzBlock({"x"}));
    PutDword(store(), kService + "\\Linkage\\Disabled\\Deeper", "Level", 3);
    PutString(store(), kService + "\\Parameters", "Alone", "1");
    MakeKey(store(), kService + "\\.Hidden\\Sub");
    Run();
    EXPECT_EQ(SubkeyNames(store(), kBackup), (std::vector<std::string>{"Hidden", "inkage"}));
    EXPECT_EQ(Show(store(), kBackup + "\\inkage\\Disabled", "Bind"), "MULTI_SZ:780000");
    EXPECT_EQ(Show(store(), kBackup + "\\inkage\\Disabled\\Deeper", "Level"), "DWORD:3");
    EXPECT_EQ(ValueNames(store(), kBackup + "\\inkage"), std::vector<std::string>{});
    EXPECT_EQ(SubkeyNames(store(), kBackup + "\\Hidden"), std::vector<std::string>{"Sub"});
    EXPECT_FALSE(KeyExists(store(), kBackup + "\\arameters"));
    EXPECT_EQ(Show(store(), kBackup, "ImagePath"), "<missing>");
}

TEST_P(ServiceDependency, KeepsTheFirstBackupAndTheOldListOnce) {
    PutValue(store(), kService, "DependOnService", kRegMultiSz, MultiSzBlock({"Tcpip"}));
    PutString(store(), kService + "\\Linkage\\Disabled", "Bind", "first");
    Run();
    EXPECT_EQ(Show(store(), kBackup, "DependOnService"), "MULTI_SZ:546370697000" "00");
    PutString(store(), kService + "\\Linkage\\Disabled", "Bind", "second");
    MakeKey(store(), kService + "\\Linkage\\New");
    Run();
    EXPECT_EQ(Show(store(), kBackup + "\\inkage\\Disabled", "Bind"), "SZ:first");
    EXPECT_TRUE(KeyExists(store(), kBackup + "\\inkage\\New"));  // appeared meanwhile: copied
    EXPECT_EQ(Show(store(), kBackup, "DependOnService"), "MULTI_SZ:546370697000" "00");
    EXPECT_EQ(GetValue(store(), kService, "DependOnService")->data,
              MultiSzBlock({"Tcpip", "SRVLOC"}));
}

TEST_P(ServiceDependency, AServiceWithoutListOrSubkeysLeavesAnEmptyBackupKey) {
    MakeKey(store(), kService);
    Run();
    EXPECT_TRUE(KeyExists(store(), kBackup));
    EXPECT_EQ(SubkeyNames(store(), kBackup), std::vector<std::string>{});
    EXPECT_EQ(ValueNames(store(), kBackup), std::vector<std::string>{});
    Run();  // its own list is never taken for the old one
    EXPECT_EQ(ValueNames(store(), kBackup), std::vector<std::string>{});
}

TEST_P(ServiceDependency, WithoutTheServiceKeyNothingIsMade) {
    Run();
    EXPECT_FALSE(KeyExists(store(), kService));
    EXPECT_FALSE(KeyExists(store(), "SOFTWARE\\Pellam"));
}

// A service key that may not be written is not one with nothing to do: the run stops there.
TEST_P(ServiceDependency, ADeniedServiceKeyIsAnError) {
    PutValue(store(), kService, "DependOnService", kRegMultiSz, MultiSzBlock({"Tcpip"}));
    Deny(kService);
    try {
        Run();
        ADD_FAILURE() << "no error";
    } catch (const RegistryError& e) {
        EXPECT_EQ(std::string(e.what()), "Failed to open key \\" + kService);
    }
    EXPECT_FALSE(KeyExists(store(), "SOFTWARE\\Pellam"));
}

TEST_P(ServiceDependency, ARefusedBackupStopsBeforeTheListIsWritten) {
    PutValue(store(), kService, "DependOnService", kRegMultiSz, MultiSzBlock({"Tcpip"}));
    MakeKey(store(), kService + "\\.Hidden");
    MakeKey(store(), kBackup + "\\Hidden");
    Deny(kBackup + "\\Hidden");
    try {
        Run();
        ADD_FAILURE() << "no error";
    } catch (const RegistryError& e) {
        EXPECT_EQ(std::string(e.what()), "Failed to create key \\" + kBackup + "\\Hidden");
    }
    EXPECT_EQ(Show(store(), kService, "DependOnService"), "MULTI_SZ:546370697000" "00");
}

INSTANTIATE_TEST_SUITE_P(Stores, ServiceDependency, ::testing::ValuesIn(AllStores()), StoreName);

}  // namespace
}  // namespace sentrel::test
