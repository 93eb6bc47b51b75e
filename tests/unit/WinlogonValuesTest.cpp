// Windows' automatic-logon values and the lock entry: exact values and types, and the first
// value named when the key can't be opened.
#include "logon/WinlogonValues.h"

#include <gtest/gtest.h>

#include <map>

#include "support/MemoryStore.h"
#include "registry/Registry.h"
#include "support/RecordingStore.h"
#include "support/RegistryHelpers.h"

namespace sentrel::test {
namespace {

const std::string kWinlogon = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\WinLogon";
const std::string kRun = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
const std::string kW = KeyName(kWinlogon);

class WinlogonValues : public ::testing::Test {
protected:
    void SetUp() override {
        MakeKey(memory, kWinlogon);
        MakeKey(memory, kRun);
    }
    MemoryStore memory;
    RecordingStore store{memory};
};

TEST_F(WinlogonValues, UserThenAutoLogonLeaveEveryValueAsText) {
    SetWinlogonUser(store, "OFFICE", "kiosk");
    EnableWinlogonAutoLogon(store, "s3cret pass");
    std::map<std::string, std::string> stored;
    for (const std::string& name : ValueNames(memory, kWinlogon))
        stored[name] = Show(memory, kWinlogon, name);
    EXPECT_EQ(stored, (std::map<std::string, std::string>{
                          {"DefaultDomainName", "SZ:OFFICE"},
                          {"DefaultUserName", "SZ:kiosk"},
                          {"DontDisplayLastUserName", "SZ:0"},
                          {"DefaultPassword", "SZ:s3cret pass"},
                          {"AutoAdminLogon", "SZ:1"},
                          {"ForceAutoLogon", "SZ:1"},
                          {"AutoLogonCount", "SZ:" + std::string(41, '9')},
                      }));
    auto count = GetValue(memory, kWinlogon, "AutoLogonCount");
    EXPECT_EQ(count->type, kRegSz);
    EXPECT_EQ(count->data.size(), 42u);
}

TEST_F(WinlogonValues, UserAloneSwitchesAutoLogonOffAndKeepsTheRest) {
    PutString(memory, kWinlogon, "AutoAdminLogon", "1");
    PutString(memory, kWinlogon, "DefaultPassword", "old");
    PutString(memory, kWinlogon, "ForceAutoLogon", "1");
    SetWinlogonUser(store, "", "");
    EXPECT_EQ(Show(memory, kWinlogon, "AutoAdminLogon"), "SZ:0");
    EXPECT_EQ(Show(memory, kWinlogon, "DefaultDomainName"), "SZ:");
    EXPECT_EQ(Show(memory, kWinlogon, "DefaultPassword"), "SZ:old");
    EXPECT_EQ(Show(memory, kWinlogon, "ForceAutoLogon"), "SZ:1");
    EXPECT_EQ(Show(memory, kWinlogon, "AutoLogonCount"), "<missing>");
}

TEST_F(WinlogonValues, AnEmptyPasswordIsStoredAsAnEmptyString) {
    EnableWinlogonAutoLogon(store, "");
    EXPECT_EQ(GetValue(memory, kWinlogon, "DefaultPassword")->data, Bytes{0});
    EXPECT_EQ(Show(memory, kWinlogon, "AutoAdminLogon"), "SZ:1");
}

TEST_F(WinlogonValues, TheLockEntryIsWrittenOnceHoweverOften) {
    SetLockWorkstation(store);
    SetLockWorkstation(store);
    EXPECT_EQ(ValueNames(memory, kRun), std::vector<std::string>{"ForceAutoLock"});
    EXPECT_EQ(Show(memory, kRun, "ForceAutoLock"), "SZ:RunDll32.exe user32.dll,LockWorkStation");
}

TEST(WinlogonValuesFailures, AMissingOrDeniedKeyNamesTheFirstValueAndWritesNothing) {
    struct Case {
        const char* what;
        std::function<void(RegistryStore&)> run;
        std::string firstValue;
        std::string key;
    };
    std::vector<Case> cases = {
        {"user", [](RegistryStore& s) { SetWinlogonUser(s, "D", "U"); }, "DefaultDomainName",
         kWinlogon},
        {"autologon", [](RegistryStore& s) { EnableWinlogonAutoLogon(s, "p"); },
         "DefaultPassword", kWinlogon},
        {"lock", [](RegistryStore& s) { SetLockWorkstation(s); }, "ForceAutoLock", kRun},
    };
    for (const Case& c : cases) {
        for (bool denied : {false, true}) {
            SCOPED_TRACE(std::string(c.what) + (denied ? " denied" : " missing"));
            MemoryStore memory;
            if (denied) memory.Deny(kHkeyLocalMachine, c.key);
            RecordingStore store(memory);
            try {
                c.run(store);
                ADD_FAILURE() << "no error";
            } catch (const RegistryError& e) {
                EXPECT_EQ(std::string(e.what()), "Failed to set data for '" + c.firstValue + "'");
            }
            EXPECT_TRUE(store.Writes().empty());
            EXPECT_EQ(KeyExists(memory, c.key), false);
        }
    }
}

}  // namespace
}  // namespace sentrel::test
