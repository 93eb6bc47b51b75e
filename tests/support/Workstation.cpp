#include "support/Workstation.h"

#include "registry/unitEXRegistry.h"
#include "support/RecordingStore.h"

namespace sentrel::test {

using namespace keys;

namespace {

const std::vector<std::pair<std::string, std::string>> kSharedValues = {
    {kWinlogon, "DefaultDomainName"}, {kWinlogon, "DefaultUserName"},
    {kWinlogon, "DontDisplayLastUserName"}, {kWinlogon, "AutoAdminLogon"},
    {kWinlogon, "DefaultPassword"}, {kWinlogon, "ForceAutoLogon"},
    {kWinlogon, "AutoLogonCount"}, {kWinlogon, "GinaDLL"},
    {kRun, "ForceAutoLock"}, {kRun, "Default"},
};

void Collect(RegistryStore& store, const std::string& path,
             std::map<std::string, std::string>& into) {
    for (const std::string& name : ValueNames(store, path))
        into[path + "|" + name] = Show(store, path, name);
    for (const std::string& child : SubkeyNames(store, path))
        Collect(store, path + "\\" + child, into);
}

}  // namespace

std::vector<std::string> WorkstationTest::KeysToClean() const {
    return {"SOFTWARE\\Novell", "SOFTWARE\\Pellam", kWorkstationService, kSrvlocService, kRealModeNet,
            "Network\\Novell", "Network\\Logon"};
}

void WorkstationTest::SetUp() {
    StoreTest::SetUp();
    for (const auto& [path, name] : kSharedValues) saved_[{path, name}] = GetValue(store(), path, name);
    for (const auto& [path, name] : kSharedValues) {
        ScopedKey key(store());
        if (store().OpenKey(kHkeyLocalMachine, path, kKeyAllAccess, key.Out()) == kErrorSuccess)
            store().DeleteValue(key.Get(), name);
    }
    MakeKey(store(), kWinlogon);
    MakeKey(store(), kRun);
    PutString(store(), kWinlogon, "DefaultUserName", "Administrator");
    PutString(store(), kWinlogon, "DefaultDomainName", "XP-PC");
    PutString(store(), kWinlogon, "AutoAdminLogon", "0");
    PutString(store(), kWinlogon, "GinaDLL", "MSGINA.DLL");
    clientDetected = false;
}

void WorkstationTest::TearDown() {
    AllowDenied();
    for (const auto& [where, value] : saved_) {
        ScopedKey key(store());
        if (store().CreateKey(kHkeyLocalMachine, where.first, kKeyAllAccess, key.Out()) !=
            kErrorSuccess)
            continue;
        if (value)
            store().SetValue(key.Get(), where.second, value->type, value->data.data(),
                             value->data.size());
        else
            store().DeleteValue(key.Get(), where.second);
    }
    StoreTest::TearDown();
}

void WorkstationTest::BuildWithClient() {
    PutDword(store(), kClientVersion, "MajorVersion", 4);
    PutDword(store(), kClientVersion, "MinorVersion", 91);
    PutDword(store(), kClientVersion, "Service Pack", 2);
    clientDetected = true;
    PutString(store(), kWinlogon, "GinaDLL", "NWGINA.DLL");
    PutDword(store(), kLogin, "NMAS Authentication", 1);
    PutString(store(), kLogin, "AutoAdminLogon", "0");
    PutString(store(), kNwgina, "NetWareAutoAdminLogon", "0");
    PutString(store(), kInitialLogin, "Login When NWGina Not Loaded", "Yes");
    PutDword(store(), kNeverLogin, "Never Login", 0);
    PutString(store(), kLgnXTier, "AutoAdminLogon", "1");
    PutString(store(), kLgnXTier, "DefaultPassword", "old");
    PutString(store(), kProfileList, "0", "Default");
    PutString(store(), kProfiles, "Last Used", "Default");
    PutString(store(), kProfiles + "\\Default\\Instances", "{1E6CEEA1-FB73-11CF-BD76-00001B27DA23}",
              "Default");
    PutString(store(), kService, "Tab", "Credentials");
    PutString(store(), kService + "\\Tab1", "Tab", "NDS");
    PutString(store(), kService + "\\Tab2", "Tab", "Script");
    PutString(store(), kService + "\\Tab3", "Tab", "NT Credentials");
    PutValue(store(), kWorkstationService, "DependOnService", kRegMultiSz,
             MultiSzBlock({"Tcpip", "NetBT"}));
    PutString(store(), kWorkstationService + "\\Linkage\\Disabled", "Bind", "x");
    PutDword(store(), kSrvlocService, "Start", 2);
}

void WorkstationTest::BuildWithoutClient() { clientDetected = false; }

void WorkstationTest::InstallClient9x() {
    PutDword(store(), kClientVersion9x, "Major Version", 3);
    PutDword(store(), kClientVersion9x, "Minor Version", 30);
}

void WorkstationTest::RebuildWithThirdPartyDialog(bool client, const std::string& gina) {
    TearDown();
    SetUp();
    if (client) BuildWithClient();
    PutString(store(), kWinlogon, "GinaDLL", gina);
}

std::map<std::string, std::string> WorkstationTest::Snapshot() {
    std::map<std::string, std::string> values;
    for (const std::string& root : KeysToClean()) Collect(store(), root, values);
    for (const auto& [path, name] : kSharedValues) values[path + "|" + name] = At(path, name);
    return values;
}

std::map<std::string, std::string> WorkstationTest::ChangedSince(
    const std::map<std::string, std::string>& before) {
    std::map<std::string, std::string> now = Snapshot(), changed;
    for (const auto& [value, shown] : before) now.emplace(value, "<missing>");
    for (const auto& [value, shown] : now) {
        const auto was = before.find(value);
        if (was == before.end() ? shown != "<missing>" : was->second != shown)
            changed[KeyName(value.substr(0, value.find('|'))) + value.substr(value.find('|'))] =
                shown;
    }
    return changed;
}

}  // namespace sentrel::test
