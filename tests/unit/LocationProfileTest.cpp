// The location profile store: tab instances, current values, and the rebuilt profile.
#include <algorithm>

#include "logon/LocationProfile.h"
#include "logon/LogonInForce.h"
#include "support/Detected.h"
#include "support/FakePlatform.h"
#include "support/ErrorOf.h"
#include "support/ForwardingStore.h"
#include "support/RecordingStore.h"
#include "support/StoreTest.h"

namespace sentrel::test {
namespace {

const std::string kService =
    "SOFTWARE\\NOVELL\\Location "
    "Profiles\\Services\\{1E6CEEA1-FB73-11CF-BD76-00001B27DA23}\\Default";
const std::string kList = "SOFTWARE\\Novell\\Location Profiles\\Profile List";
const std::string kProfiles = "SOFTWARE\\Novell\\Location Profiles\\Profiles";
const std::string kWinlogon = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\WinLogon";

class LocationProfile : public StoreTest {
protected:
    std::vector<std::string> KeysToClean() const override { return {"SOFTWARE\\Novell"}; }
    void Tab(int n, const std::string& kind) {
        PutString(store(), kService + "\\Tab" + std::to_string(n), "Tab", kind);
    }
    std::string Kind(const std::string& tab) { return Show(store(), kService + "\\" + tab, "Tab"); }
};

TEST_P(LocationProfile, WithoutServiceKeyNothingIsFoundAndTab1IsMade) {
    EXPECT_EQ(FindTabInstance(store(), "Default", "NDS"), "");
    EXPECT_FALSE(KeyExists(store(), kService));  // a lookup only reads: what is in force too
    EXPECT_EQ(NextTabNumber(store(), "Default"), "1");
    TRegistry reg(store());
    reg.SetRootKey(kHkeyLocalMachine);
    OpenTabInstance(reg, "Default", "NDS");
    reg.WriteString("Tab", "NDS");
    EXPECT_EQ(SubkeyNames(store(), kService), std::vector<std::string>{"Tab1"});
    EXPECT_EQ(Kind("Tab1"), "SZ:NDS");
}

TEST_P(LocationProfile, FindsTheLowestInstanceOfAKindByItsExactName) {
    Tab(1, "NDS");
    Tab(2, "Script");
    Tab(3, "NT Credentials");
    Tab(4, "Script");
    EXPECT_EQ(FindTabInstance(store(), "Default", "Script"), "TAB2");
    EXPECT_EQ(FindTabInstance(store(), "Default", "NT Credentials"), "TAB3");
    EXPECT_EQ(FindTabInstance(store(), "Default", "script"), "");
    EXPECT_EQ(NextTabNumber(store(), "Default"), "5");
}

TEST_P(LocationProfile, AnInstanceOfAnotherLetterCaseGetsANewOneBesideIt) {
    Tab(1, "nds");
    TRegistry reg(store());
    reg.SetRootKey(kHkeyLocalMachine);
    OpenTabInstance(reg, "Default", "NDS");
    reg.WriteString("Tab", "NDS");
    EXPECT_EQ(Kind("Tab1"), "SZ:nds");
    EXPECT_EQ(Kind("Tab2"), "SZ:NDS");
}

TEST_P(LocationProfile, NumberingGapsNeitherHideNorOverwriteInstances) {
    Tab(1, "NDS");
    Tab(3, "NT Credentials");
    EXPECT_EQ(NextTabNumber(store(), "Default"), "4");  // count + 1 = 3 is taken
    TRegistry reg(store());
    reg.SetRootKey(kHkeyLocalMachine);
    OpenTabInstance(reg, "Default", "Script");
    reg.WriteString("Tab", "Script");
    EXPECT_EQ(Kind("Tab3"), "SZ:NT Credentials");
    EXPECT_EQ(Kind("Tab4"), "SZ:Script");

    RemoveTree(store(), kService);
    Tab(1, "NDS");
    Tab(2, "NT Credentials");
    Tab(5, "Script");
    EXPECT_EQ(FindTabInstance(store(), "Default", "Script"), "TAB5");
    OpenTabInstance(reg, "Default", "Script");
    reg.CloseKey();
    EXPECT_EQ(SubkeyNames(store(), kService), (std::vector<std::string>{"Tab1", "Tab2", "Tab5"}));
}

TEST_P(LocationProfile, StrayAndOddInstanceNamesCostOneProbeEachAndKeepTheGapRule) {
    PutString(store(), kService + "\\Tab999999999", "Tab", "NDS");
    PutString(store(), kService + "\\Tab4294967296", "Tab", "Script");
    PutString(store(), kService + "\\Tab007", "Tab", "NT Credentials");  // not the key "Tab7"
    PutString(store(), kService + "\\TABX", "Tab", "NDS");
    PutString(store(), kService + "\\Tab", "Tab", "NDS");
    RecordingStore counted(store());
    counted.LimitOpens(60);
    EXPECT_EQ(FindTabInstance(counted, "Default", "NDS"), "TAB999999999");
    EXPECT_EQ(FindTabInstance(counted, "Default", "Script"), "TAB4294967296");
    EXPECT_EQ(FindTabInstance(counted, "Default", "NT Credentials"), "");
    EXPECT_EQ(NextTabNumber(counted, "Default"), "6");

    TRegistry reg(counted);
    reg.SetRootKey(kHkeyLocalMachine);
    OpenTabInstance(reg, "Default", "NT Credentials");
    reg.WriteString("Tab", "NT Credentials");
    OpenTabInstance(reg, "Default", "NDS");
    reg.WriteString("Tree", "ACME");
    reg.CloseKey();
    EXPECT_EQ(Kind("Tab6"), "SZ:NT Credentials");
    EXPECT_EQ(Show(store(), kService + "\\Tab999999999", "Tree"), "SZ:ACME");
    EXPECT_EQ(StoredName(counted, "Default", &LogonSettings::NdsTree), "ACME");
    EXPECT_EQ(SubkeyNames(store(), kService).size(), 6u);
}

// A key nobody may open, not even to read it (an ACL without read rights).
class UnreadableKey : public ForwardingStore {
public:
    UnreadableKey(RegistryStore& inner, std::string path)
        : ForwardingStore(inner), path_(std::move(path)) {}
    long OpenKey(HKey parent, const std::string& subKey, std::uint32_t access,
                 HKey* result) override {
        if (parent == kHkeyLocalMachine && SameName(subKey, path_)) return kErrorAccessDenied;
        return ForwardingStore::OpenKey(parent, subKey, access, result);
    }

private:
    std::string path_;
};

// What is in force passes over an instance it cannot read; a writer stops there rather than
// add a second instance of the kind beside it.
TEST_P(LocationProfile, AnUnreadableInstanceStopsTheWritersOnly) {
    Tab(1, "NDS");
    PutString(store(), kService + "\\Tab1", "Tree", "HIDDEN");
    Tab(2, "NDS");
    PutString(store(), kService + "\\Tab2", "Tree", "SEEN");
    UnreadableKey unreadable(store(), kService + "\\Tab1");
    EXPECT_EQ(StoredName(unreadable, "Default", &LogonSettings::NdsTree), "SEEN");
    TRegistry reg(unreadable);
    reg.SetRootKey(kHkeyLocalMachine);
    EXPECT_EQ(ErrorOf([&] { OpenTabInstance(reg, "Default", "Script"); }),
              "Failed to open key \\" + kService + "\\Tab1");
    EXPECT_EQ(SubkeyNames(store(), kService), (std::vector<std::string>{"Tab1", "Tab2"}));
}

// The kind only finds the way: a damaged instance is not the one sought, as a missing kind is not.
TEST_P(LocationProfile, ATabValueThatIsNoStringIsNotTheKindSought) {
    PutDword(store(), kService + "\\Tab1", "Tab", 1);
    PutString(store(), kService + "\\Tab2", "Tab", "NDS");
    EXPECT_EQ(FindTabInstance(store(), "Default", "NDS"), "TAB2");
    EXPECT_EQ(FindTabInstance(store(), "Default", "Script"), "");
}

TEST_P(LocationProfile, AGuessReadsTextsOfEitherStringTypeAndNothingElse) {
    auto detect = [&](std::string LogonSettings::*field) {
        return StoredName(store(), "Default", field).value_or("<none>");
    };
    EXPECT_EQ(detect(&LogonSettings::NdsTree), "<none>");
    EXPECT_FALSE(KeyExists(store(), kService));  // a guess only reads

    PutString(store(), kService, "UserName", "jones");
    EXPECT_EQ(detect(&LogonSettings::NdsTree),
              "<none>");  // no directory tab: the service key has no Tree
    EXPECT_EQ(detect(&LogonSettings::NdsUser), "jones");

    Tab(1, "Script");
    Tab(2, "NDS");
    PutString(store(), kService + "\\Tab2", "Tree", "ACME_TREE");
    PutValue(store(), kService + "\\Tab2", "Context", kRegDword, Dword(1));
    PutValue(store(), kService + "\\Tab2", "Server", kRegExpandSz, Sz("SRV1"));
    EXPECT_EQ(detect(&LogonSettings::NdsTree), "ACME_TREE");
    EXPECT_EQ(detect(&LogonSettings::NdsContext), "<none>");
    EXPECT_EQ(detect(&LogonSettings::NdsServer), "SRV1");
    PutString(store(), kService + "\\Tab2", "Server", "");
    EXPECT_EQ(detect(&LogonSettings::NdsServer), "");
}

TEST_P(LocationProfile, AGuessReadsWinlogonForTheWindowsFields) {
    if (GetParam().name != "Memory") GTEST_SKIP() << "the real Winlogon key is not ours to change";
    PutString(store(), kWinlogon, "DefaultDomainName", "OFFICE");
    PutValue(store(), kWinlogon, "DefaultUserName", kRegExpandSz, Sz("kiosk"));
    EXPECT_EQ(StoredName(store(), "Default", &LogonSettings::MsDomain), "OFFICE");
    EXPECT_EQ(StoredName(store(), "Default", &LogonSettings::MsUser), "kiosk");
}

class RecreateProfile : public LocationProfile {
protected:
    std::string Recreate(RegistryStore& target) {
        const Environment detected = Detected(platform, false);
        LogonContext context{target, platform, state, detected};
        return RecreateLocationProfile(context, "Default", settings);
    }
    FakePlatform platform;
    ProgramState state{"", "Default", 0, ""};
    LogonSettings settings;
};

TEST_P(RecreateProfile, BuildsTheWholeProfileAnew) {
    Tab(1, "NDS");
    PutString(store(), kService + "\\Tab1", "Tree", "OLD");
    Tab(7, "Other");
    MakeKey(store(), kProfiles);
    settings.ShowResult = true;
    EXPECT_EQ(Recreate(store()), "False");
    // Every value of the profile's keys, the list and the profiles' root, as they are now.
    std::vector<std::string> stored;
    for (const std::string& key : {kList, kProfiles + "\\Default\\Instances", kService,
                                   kService + "\\Tab1", kService + "\\Tab2",
                                   kService + "\\Tab3", kProfiles})
        for (const std::string& name : ValueNames(store(), key))
            stored.push_back(key.substr(key.rfind('\\') + 1) + "|" + name + "|" +
                             Show(store(), key, name));
    std::sort(stored.begin(), stored.end());
    EXPECT_EQ(stored, (std::vector<std::string>{
                          "Default|Save On Exit|DWORD:1",
                          "Default|Tab|SZ:Credentials",
                          "Default|UserName|SZ:",
                          "Instances|{1E6CEEA1-FB73-11CF-BD76-00001B27DA23}|SZ:Default",
                          "Profile List|0|SZ:Default",
                          "Profiles|Last Used|SZ:Default",
                          "Tab1|Clear Connections|DWORD:0",
                          "Tab1|Context|SZ:",
                          "Tab1|Server|SZ:",
                          "Tab1|Tab|SZ:NDS",
                          "Tab1|Tree|SZ:",
                          "Tab2|Close Results|DWORD:1",
                          "Tab2|Display Results|DWORD:1",
                          "Tab2|Login Script|DWORD:0",
                          "Tab2|Tab|SZ:Script",
                          "Tab3|DefaultDomainName|SZ:",
                          "Tab3|DefaultUserName|SZ:",
                          "Tab3|Tab|SZ:NT Credentials",
                      }));
    EXPECT_EQ(SubkeyNames(store(), kService), (std::vector<std::string>{"Tab1", "Tab2", "Tab3"}));
}

TEST_P(RecreateProfile, AListedProfileKeepsItsEntry) {
    for (int i = 0; i < 5; ++i) PutString(store(), kList, std::to_string(i), "P" + std::to_string(i));
    PutString(store(), kList, "3", "Default");
    EXPECT_EQ(Recreate(store()), "3");
    EXPECT_EQ(ValueNames(store(), kList).size(), 5u);
}

TEST_P(RecreateProfile, AnUnlistedProfileTakesTheFirstFreeEntryFromTheCount) {
    for (int i = 0; i < 5; ++i) PutString(store(), kList, std::to_string(i), "P" + std::to_string(i));
    EXPECT_EQ(Recreate(store()), "False");
    EXPECT_EQ(Show(store(), kList, "5"), "SZ:Default");

    RemoveTree(store(), "SOFTWARE\\Novell");
    PutString(store(), kList, "0", "Home");
    PutString(store(), kList, "2", "Office");
    settings.RunScript = true;
    EXPECT_EQ(Recreate(store()), "False");
    EXPECT_EQ(Show(store(), kList, "2"), "SZ:Office");
    EXPECT_EQ(Show(store(), kList, "3"), "SZ:Default");
    EXPECT_EQ(Show(store(), kService + "\\Tab2", "Login Script"), "DWORD:1");
    EXPECT_EQ(Show(store(), kService + "\\Tab2", "Display Results"), "DWORD:0");
}

TEST_P(RecreateProfile, AMissingListIsMadeWithEntryZero) {
    EXPECT_EQ(Recreate(store()), "False");
    EXPECT_EQ(ValueNames(store(), kList), std::vector<std::string>{"0"});
    EXPECT_EQ(Show(store(), kList, "0"), "SZ:Default");
    EXPECT_EQ(Show(store(), kProfiles, "Last Used"), "SZ:Default");
}

TEST_P(RecreateProfile, AListEntryThatIsNoStringStopsTheRebuild) {
    PutDword(store(), kList, "0", 1);
    try {
        Recreate(store());
        ADD_FAILURE() << "no error";
    } catch (const RegistryError& e) {
        EXPECT_STREQ(e.what(), "Invalid data type for '0'");
    }
    EXPECT_FALSE(KeyExists(store(), kProfiles + "\\Default"));
}

INSTANTIATE_TEST_SUITE_P(Stores, LocationProfile, ::testing::ValuesIn(AllStores()), StoreName);
INSTANTIATE_TEST_SUITE_P(Stores, RecreateProfile, ::testing::ValuesIn(AllStores()), StoreName);

}  // namespace
}  // namespace sentrel::test
