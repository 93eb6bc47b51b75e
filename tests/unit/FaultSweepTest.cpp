// Every key a writer road uses, denied in turn: the road stops with the documented error at the
// first value meant for that key, or goes on where a key that can't be opened is skipped; no
// value lands in another key. (The program never leaves such a half run behind: the writers
// work on a plan, AllOrNothingTest.cpp.) The keys come from a recorded run,
// so a key that a road starts to use is swept without a new test.
#include <algorithm>
#include <functional>
#include <regex>

#include "logon/DisableAutoLogon.h"
#include "logon/EnableAutoLogon.h"
#include "logon/LogonParameters.h"
#include "logon/WindowsAutoLogon9x.h"
#include "registry/Registry.h"
#include "support/Detected.h"
#include "support/MemoryStore.h"
#include "support/RecordingStore.h"
#include "support/Workstation.h"
#include "switches/Switches.h"

namespace sentrel::test {
namespace {

using namespace keys;

struct Road {
    std::string name;
    bool client;
    bool windows9x;
    std::function<void(LogonContext&)> run;
};

LogonSettings Settings() {
    LogonSettings s;
    s.NdsTree = "ACME";
    s.NdsContext = "o=acme";
    s.NdsUser = "kiosk1";
    s.NdsPassword = "nds";
    s.NdsServer = "SRV1";
    s.MsDomain = "OFFICE";
    s.MsUser = "kiosk";
    s.MsPassword = "ms";
    s.RunScript = true;
    return s;
}

std::vector<Road> Roads() {
    std::vector<Road> roads;
    for (bool client : {true, false}) {
        for (const char* mode : {"0", "1", "2", "3"}) {
            roads.push_back({std::string("enable mode ") + mode + (client ? "" : " without client"),
                             client, false, [mode](LogonContext& c) {
                                 c.state.ModeText = mode;
                                 EnableAutoLogon(c, Settings());
                             }});
        }
    }
    roads.push_back({"disable", true, false, [](LogonContext& c) { DisableAutoLogon(c); }});
    roads.push_back({"unattended disable", true, false, [](LogonContext& c) {
                         DisableAutoLogon(c);
                         SetLogonParameters(c, Settings(), ParametersRun::AfterDisable);
                     }});
    roads.push_back({"enable 9x", false, true, [](LogonContext& c) {
                         LogonSettings settings;
                         settings.NdsServer = "SRV1";
                         settings.NdsUser = "kiosk1";
                         settings.NdsPassword = "nds";
                         settings.RunScript = true;
                         EnableAutoLogon9x(c, settings);
                     }});
    roads.push_back({"disable 9x", false, true, [](LogonContext& c) { DisableAutoLogon9x(c); }});
    return roads;
}

std::string Upper(std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

// Tab instance numbers are the writers' choice: a denied tab makes them take another one.
std::string AnyTab(const std::string& path) {
    static const std::regex tab(R"(\\TAB[0-9]+)");
    return std::regex_replace(Upper(path), tab, "\\TAB*");
}

bool Below(const std::string& path, const std::string& key) {
    std::string p = Upper(path), k = Upper(key);
    return p == k || p.rfind(k + "\\", 0) == 0;
}

class Sweep : public ::testing::Test {
protected:
    void Prepare(MemoryStore& memory, const Road& road) {
        MakeKey(memory, kWinlogon);
        MakeKey(memory, kRun);
        PutString(memory, kWinlogon, "GinaDLL", "MSGINA.DLL");
        if (road.windows9x) {
            MakeKey(memory, kRealModeNet);
            PutString(memory, kRun, "Default", "LoginW95 SRV1/kiosk1 /Cont");
            PutValue(memory, kRealModeNet, "AutoLogon", kRegBinary, Bytes{0});
        }
        if (!road.client) return;
        PutDword(memory, kLogin, "NMAS Authentication", 1);
        PutDword(memory, kLogin, "Sentrel NMAS", 1);
        PutString(memory, kNwgina, "NetWareAutoAdminLogon", "0");
        PutString(memory, kInitialLogin, "Login When NWGina Not Loaded", "Yes");
        PutDword(memory, kNeverLogin, "Never Login", 0);
        PutString(memory, kLgnXTier, "AutoAdminLogon", "1");
        PutString(memory, kProfileList, "0", "Default");
        PutString(memory, kProfiles, "Last Used", "Default");
        PutString(memory, kService + "\\Tab1", "Tab", "NDS");
        PutString(memory, kService + "\\Tab2", "Tab", "Script");
        PutString(memory, kService + "\\Tab3", "Tab", "NT Credentials");
        PutString(memory, kRun, "ForceAutoLock", "RunDll32.exe user32.dll,LockWorkStation");
        PutString(memory, kWorkstationService + "\\Linkage\\Disabled", "Bind", "x");
        PutDword(memory, kWorkstationService, "Start", 2);
        PutDword(memory, kSrvlocService, "Start", 2);
    }

    // Runs the road; gives the error message, or empty.
    std::string Run(const Road& road, RegistryStore& store) {
        FakePlatform platform;
        if (road.windows9x) platform.version = {4, 10, 2222, 1, ""};
        ProgramState state{"", "Default", 0, ""};
        // The 9x enable needs a client detected; its keys are the 9x ones prepared above.
        const Environment detected = Detected(platform, road.client || road.windows9x);
        LogonContext context{store, platform, state, detected};
        try {
            road.run(context);
        } catch (const RegistryError& e) {
            return e.what();
        }
        return "";
    }
};

TEST_F(Sweep, EveryKeyOfEveryRoadDenied) {
    int runs = 0;
    for (const Road& road : Roads()) {
        MemoryStore baselineStore;
        Prepare(baselineStore, road);
        RecordingStore baseline(baselineStore);
        ASSERT_EQ(Run(road, baseline), "") << road.name;
        const std::vector<RegistryEvent> baseEvents = baseline.Events();

        for (const std::string& recorded : baseline.KeysUsed()) {
            const std::string key = recorded.substr(5);  // without "HKLM\"
            SCOPED_TRACE(road.name + ", denied: " + key);
            ++runs;
            MemoryStore memory;
            Prepare(memory, road);
            memory.Deny(kHkeyLocalMachine, key);
            RecordingStore store(memory);
            const std::string error = Run(road, store);

            // The error, if any, names the first value meant for the key that could not be
            // had: the write right after the failed open of that key (or of a key below it,
            // such as a tab instance). A backup that could not be made names its key, below
            // the program's own backup key.
            // A key that exists but can't be had is named by the error: denied is not absent.
            if (!error.empty()) {
                const std::string created = "Failed to create key \\";
                const std::string opened = "Failed to open key \\";
                if (error.rfind(created, 0) == 0) {
                    EXPECT_TRUE(Below(error.substr(created.size()), key)) << error;
                } else if (error.rfind(opened, 0) == 0) {
                    EXPECT_TRUE(Below(error.substr(opened.size()), key)) << error;
                } else {
                    const auto& events = store.Events();
                    auto failedWrite = std::find_if(events.rbegin(), events.rend(), [](const auto& e) {
                        return e.kind == RegistryEvent::SetValue && e.result != kErrorSuccess;
                    });
                    ASSERT_NE(failedWrite, events.rend()) << error;
                    EXPECT_EQ(error, "Failed to set data for '" + failedWrite->name + "'");
                    auto open = std::find_if(failedWrite, events.rend(), [](const auto& e) {
                        return e.kind == RegistryEvent::Open || e.kind == RegistryEvent::Create;
                    });
                    ASSERT_NE(open, events.rend());
                    EXPECT_NE(open->result, kErrorSuccess) << open->path;
                    EXPECT_TRUE(Below(open->path.substr(5), key)) << open->path;
                    bool meant = std::any_of(baseEvents.begin(), baseEvents.end(), [&](const auto& b) {
                        return b.kind == RegistryEvent::SetValue && b.name == failedWrite->name &&
                               Below(b.path.substr(5), key);
                    });
                    EXPECT_TRUE(meant) << failedWrite->name;
                }
            }
            // No value lands in another key than the road meant it for.
            for (const RegistryEvent& e : store.Events()) {
                if (e.kind != RegistryEvent::SetValue || e.result != kErrorSuccess) continue;
                EXPECT_FALSE(Below(e.path.substr(5), key)) << e.path << " " << e.name;
                bool meant = std::any_of(baseEvents.begin(), baseEvents.end(), [&](const auto& b) {
                    return b.kind == RegistryEvent::SetValue && b.name == e.name &&
                           AnyTab(b.path) == AnyTab(e.path);
                });
                EXPECT_TRUE(meant) << e.path << "|" << e.name << "|" << Describe(e.type, e.data);
            }
        }
    }
    EXPECT_GT(runs, 100);
}

// Login scripts enable at every logon and disable now and then: a thousand cycles leave the
// registry as one did, and NMAS as the administrator had it.
TEST_F(Sweep, AThousandEnableDisableCyclesChangeNothingMore) {
    for (const char* mode : {"0", "1", "2", "3"}) {
        SCOPED_TRACE(std::string("mode ") + mode);
        const Road road{"cycle", true, false, nullptr};
        MemoryStore memory;
        Prepare(memory, road);
        RemoveTree(memory, kLogin);
        PutDword(memory, kLogin, "NMAS Authentication", 1);  // no backup yet
        const Road enable{"enable", true, false, [mode](LogonContext& c) {
                              c.state.ModeText = mode;
                              EnableAutoLogon(c, Settings());
                          }};
        const Road disable{"disable", true, false, [](LogonContext& c) { DisableAutoLogon(c); }};
        auto snapshot = [&] {
            std::map<std::string, std::string> values;
            std::function<void(const std::string&)> collect = [&](const std::string& path) {
                for (const std::string& n : ValueNames(memory, path))
                    values[path + "|" + n] = Show(memory, path, n);
                for (const std::string& c : SubkeyNames(memory, path)) collect(path + "\\" + c);
            };
            collect("SOFTWARE");
            collect("SYSTEM");
            return values;
        };
        ASSERT_EQ(Run(enable, memory), "");
        ASSERT_EQ(Run(disable, memory), "");
        const auto afterFirst = snapshot();
        for (int cycle = 0; cycle < 1000; ++cycle) {
            ASSERT_EQ(Run(enable, memory), "");
            ASSERT_EQ(Run(disable, memory), "");
            ASSERT_EQ(Show(memory, kLogin, "NMAS Authentication"), "DWORD:1") << cycle;
        }
        EXPECT_EQ(snapshot(), afterFirst);
    }
}

}  // namespace
}  // namespace sentrel::test
