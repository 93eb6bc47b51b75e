// Automatic logon on Windows 9x: the login command line and where it goes.
#include "logon/WindowsAutoLogon9x.h"
#include "support/ErrorOf.h"
#include "support/Workstation.h"

namespace sentrel::test {
namespace {

using namespace keys;

TEST(LoginCommandLine, IsBuiltFromItsPiecesWithoutQuoting) {
    EXPECT_EQ(BuildLoginCommandLine("SRV1", "user1", "", true), "LoginW95 SRV1/user1 /Cont");
    EXPECT_EQ(BuildLoginCommandLine("SRV1", "user1", "", false), "LoginW95 SRV1/user1 /Cont /NS");
    EXPECT_EQ(BuildLoginCommandLine("", "user1", "", true), "LoginW95 /user1 /Cont");
    EXPECT_EQ(BuildLoginCommandLine("SRV1", "", "", true), "LoginW95 SRV1/ /Cont");
    EXPECT_EQ(BuildLoginCommandLine("SRV1", "user1", "pw", true),
              "LoginW95 SRV1/user1 /Pwd=pw /Cont");
    EXPECT_EQ(BuildLoginCommandLine("SRV1", "user1", "a b/c", false),
              "LoginW95 SRV1/user1 /Pwd=a b/c /Cont /NS");
}

class Enable9x : public WorkstationTest {
protected:
    void Run(const std::string& password) {
        clientDetected = true;
        LogonContext context = Context();
        LogonSettings settings;
        settings.NdsServer = "SRV1";
        settings.NdsUser = "user1";
        settings.NdsPassword = password;
        settings.RunScript = true;
        EnableAutoLogon9x(context, settings);
    }
};

TEST_P(Enable9x, RebuildsTheProfileThenWritesTheRunEntryAndRealModeValue) {
    MakeKey(store(), kRealModeNet);
    PutString(store(), kService + "\\Tab9", "Tab", "Other");
    Run("");
    EXPECT_EQ(At(kRun, "Default"), "SZ:LoginW95 SRV1/user1 /Cont");
    EXPECT_EQ(At(kRealModeNet, "AutoLogon"), "BINARY:00");
    EXPECT_EQ(SubkeyNames(store(), kService), (std::vector<std::string>{"Tab1", "Tab2", "Tab3"}));
    EXPECT_EQ(At(kProfileList, "0"), "SZ:Default");
}

TEST_P(Enable9x, ASecondRunReplacesTheEntry) {
    MakeKey(store(), kRealModeNet);
    Run("");
    Run("pass word");
    EXPECT_EQ(At(kRun, "Default"), "SZ:LoginW95 SRV1/user1 /Pwd=pass word /Cont");
    EXPECT_EQ(ValueNames(store(), kProfileList), std::vector<std::string>{"0"});
}

TEST_P(Enable9x, WithoutRealModeNetOnlyTheRunEntryIsWritten) {
    Run("");
    EXPECT_EQ(At(kRun, "Default"), "SZ:LoginW95 SRV1/user1 /Cont");
    EXPECT_FALSE(KeyExists(store(), kRealModeNet));
}

TEST_P(Enable9x, ModeThreeStoresTheNamesOnlyAndNoClientWritesNothing) {
    MakeKey(store(), kRealModeNet);
    Run("pw");
    state.ModeText = "3";
    Run("pw");  // the profile again, and no automatic logon
    EXPECT_EQ(At(kRun, "Default"), "<missing>");
    EXPECT_EQ(SubkeyNames(store(), kService), (std::vector<std::string>{"Tab1", "Tab2", "Tab3"}));

    RemoveTree(store(), "SOFTWARE\\Novell");
    clientDetected = false;
    LogonContext context = Context();
    state.ModeText = "0";
    EXPECT_EQ(ErrorOf([&] { EnableAutoLogon9x(context, LogonSettings()); }),
              "No Novell Client detected !!! On Windows 9x automatic logon needs the client's "
              "LOGINW95");
    EXPECT_FALSE(KeyExists(store(), "SOFTWARE\\Novell"));
    EXPECT_EQ(At(kRun, "Default"), "<missing>");
}

INSTANTIATE_TEST_SUITE_P(Stores, Enable9x, ::testing::ValuesIn(NineXStores()), StoreName);

}  // namespace
}  // namespace sentrel::test
