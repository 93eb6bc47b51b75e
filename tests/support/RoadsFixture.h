#pragma once
// The roads of a run that changes the registry, from the machines it may start on, through the
// real unattended run on the in-memory registry: what the all-or-nothing and the cut-off
// sweeps run.
#include <algorithm>
#include <functional>
#include <span>

#include "support/StartupFixture.h"
#include "switches/Switches.h"

namespace sentrel::test {

using namespace keys;

inline const char* const kSetUpNt =
    "/U /NDSTree:T /NDSUsr:old /NDSPass:p0 /MSUsr:old /MSPass:q0 /RunScript /LockWS /Mode:0";
inline const char* const kSetUp9x = "/U /NDSSrv:S0 /NDSUsr:old /NDSPass:p0 /Mode:0";

// Where a run starts: a machine never set up, one set up by an earlier enable, one an earlier
// run left in mode 3 (a change of mode), one an administrator set up by hand.
enum class Machine { Clean, SetUp, AfterMode3, ByHand };
inline const Machine kMachines[] = {Machine::Clean, Machine::SetUp, Machine::AfterMode3,
                                   Machine::ByHand};
inline const char* const kMachineNames[] = {"clean, ", "set up, ", "after mode 3, ",
                                            "set up by hand, "};

struct Road {
    bool windows9x;
    const char* arguments;
};

inline const Road kRoads[] = {
    {false, "/U /NDSTree:T /NDSUsr:n /NDSPass:p /MSUsr:w /MSPass:q /RunScript /LockWS /Mode:0"},
    {false, "/U /NDSUsr:n /MSUsr:w /MSPass:q /Mode:1"},
    {false, "/U /NDSUsr:n /MSUsr:w /MSPass:q /ShowResult /Mode:2"},
    {false, "/U /NDSUsr:n /MSUsr:w /Mode:3"},
    {false, "/U /Disable"},
    {true, "/U /NDSSrv:S1 /NDSUsr:n /NDSPass:p /RunScript /Mode:0"},
    {true, "/U /NDSUsr:n /Mode:3"},
    {true, "/U /Disable"},
};

// The lines of one dump that the other lacks, each marked with the side it is on: empty when
// the registries are the same, and short enough to read when they are not.
inline std::vector<std::string> Difference(const std::vector<std::string>& now,
                                    const std::vector<std::string>& before) {
    std::vector<std::string> lines;
    for (const std::string& line : now)
        if (std::find(before.begin(), before.end(), line) == before.end()) lines.push_back("+ " + line);
    for (const std::string& line : before)
        if (std::find(now.begin(), now.end(), line) == now.end()) lines.push_back("- " + line);
    return lines;
}

class Roads : public Startup {
protected:
    // A workstation with the client, on the road's Windows, as the start leaves it.
    void Begin(bool windows9x, Machine start) {
        memory = MemoryStore();
        platform = FakePlatform();
        SetUp();
        if (windows9x) On9x();
        InstallClient();
        PutString(memory, kProfileList, "0", "Default");
        PutString(memory, kInitialLogin, "Login When NWGina Not Loaded", "Yes");
        if (start == Machine::SetUp) {
            ASSERT_EQ(Run(memory, windows9x ? kSetUp9x : kSetUpNt), kExitDone);
        }
        if (start == Machine::AfterMode3) {
            ASSERT_EQ(Run(memory, windows9x ? "/U /NDSUsr:old /Mode:3"
                                            : "/U /NDSUsr:old /MSUsr:old /MSPass:q0 /Mode:3"),
                      kExitDone);
        }
        if (start == Machine::ByHand) SetUpByHand(windows9x);
    }
    // What an administrator may have typed into regedit: the automatic logon values without
    // the program's backups, and a value the program never writes beside them.
    void SetUpByHand(bool windows9x) {
        if (windows9x) {
            PutString(memory, kRun, "Default", "LoginW95 HANDSRV/hand /Cont");
            PutString(memory, "Network\\Logon", "NetwareUsername", "hand");
            return;
        }
        PutString(memory, kWinlogon, "AutoAdminLogon", "1");
        PutString(memory, kWinlogon, "DefaultUserName", "hand");
        PutString(memory, kWinlogon, "DefaultPassword", "typed");
        PutString(memory, kWinlogon, "DefaultDomainName", "OFFICE");
        PutDword(memory, kWinlogon, "ForceAutoLogon", 1);
        PutString(memory, kLogin, "AutoAdminLogon", "1");
        PutString(memory, kNwgina, "NetWareAutoAdminLogon", "1");
        PutString(memory, kNwgina, "DefaultNetwareUserName", "hand");
    }
    // How many writes a run makes before its first change outside its journal: the journal of
    // what it is about to change comes first.
    std::size_t JournalWrites(bool windows9x, Machine start, const std::string& arguments) {
        Begin(windows9x, start);
        RecordingStore recorded(memory);
        EXPECT_EQ(Run(recorded, arguments), kExitDone);
        std::size_t writes = 0;
        for (const RegistryEvent& e : recorded.Events()) {
            if (e.kind == RegistryEvent::Open) continue;
            if (e.path.find("\\Pellam\\") == std::string::npos) break;
            ++writes;
        }
        return writes;
    }
    int Run(RegistryStore& through, const std::string& arguments) {
        platform.messageBoxes.clear();
        state = ProgramState();
        form = FormState();
        Switches switches = Switches::FromCommandLine("Sentrel.exe " + arguments);
        CommandLine commandLine;
        Environment environment;
        Program run{through, platform, state, form, switches, commandLine, environment};
        FormCreate(run);
        return state.ExitCode;
    }
    // Every start of every road: what the road writes there, and the dump before it.
    void ForEveryStart(const std::function<void(const Road&, Machine)>& check,
                       std::span<const Road> roads = kRoads) {
        for (const Road& road : roads) {
            for (Machine start : kMachines) {
                SCOPED_TRACE(std::string(road.windows9x ? "98, " : "XP, ") +
                             kMachineNames[static_cast<int>(start)] + road.arguments);
                check(road, start);
            }
        }
    }
};

}  // namespace sentrel::test
