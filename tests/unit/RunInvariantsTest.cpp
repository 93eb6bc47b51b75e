// Properties of runs over the states real workstations are in, through the real unattended run:
// twice equals once, a disable gives back what the program changed and nothing else, and
// enabling mode b after mode a leaves the logon dialog as enabling b does.
#include <functional>
#include <map>

#include "logon/ProgramKey.h"
#include "support/Descriptors.h"
#include "support/StartupFixture.h"

namespace sentrel::test {
namespace {

using namespace keys;

struct State {
    const char* name;
    std::function<void(MemoryStore&)> build;
};

const char* const kEnables[] = {
    "/U /NDSUsr:n /NDSPass:p /MSUsr:w /MSPass:q /RunScript /LockWS /Mode:0",
    "/U /NDSUsr:n /MSUsr:w /MSPass:q /Mode:1",
    "/U /NDSUsr:n /MSUsr:w /MSPass:q /ShowResult /Mode:2",
    "/U /NDSUsr:n /MSUsr:w /Mode:3",
};
const char* const kDisable = "/U /Disable";

class Invariants : public Startup {
protected:
    static std::vector<State> States() {
        auto client = [](MemoryStore& m) {
            PutString(m, kInitialLogin, "Login When NWGina Not Loaded", "Yes");
            PutDword(m, kNeverLogin, "Never Login", 0);
            PutString(m, kProfileList, "0", "Default");
            PutString(m, kLogin, "DefaultLocationProfile", "Default");
        };
        return {
            {"never enabled", client},
            {"third-party dialog",
             [=](MemoryStore& m) {
                 client(m);
                 PutString(m, kWinlogon, "GinaDLL", "ACMEGINA.DLL");
             }},
            {"NMAS absent",
             [=](MemoryStore& m) {
                 client(m);
                 ScopedKey key(m);
                 m.OpenKey(kHkeyLocalMachine, kLogin, kKeyAllAccess, key.Out());
                 m.DeleteValue(key.Get(), "NMAS Authentication");
             }},
            {"NMAS off", [=](MemoryStore& m) {
                 client(m);
                 PutDword(m, kLogin, "NMAS Authentication", 0);
             }},
            {"another default profile", [=](MemoryStore& m) {
                 client(m);
                 PutString(m, kProfileList, "0", "Office");
                 PutString(m, kProfileList, "1", "Default");
                 PutString(m, kLogin, "DefaultLocationProfile", "Office");
             }},
            {"enabled by hand", [=](MemoryStore& m) {
                 client(m);
                 PutString(m, kWinlogon, "AutoAdminLogon", "1");
                 PutString(m, kWinlogon, "DefaultPassword", "hand");
             }},
            // The access lists of NT: a key the program makes first inherits SOFTWARE's, which
            // Power Users may write; what the program keeps must still count as its own.
            {"third-party dialog, lists as XP makes them", [=](MemoryStore& m) {
                 client(m);
                 PutString(m, kWinlogon, "GinaDLL", "ACMEGINA.DLL");
                 m.defaultSecurity = InheritedFromSoftware();
             }},
        };
    }
    void Begin(const State& state) {
        memory = MemoryStore();
        SetUp();
        InstallClient();
        state.build(memory);
    }
    void Run(const std::string& arguments) {
        platform = FakePlatform();
        form = FormState();
        SetUp();
        Start(arguments);
        ASSERT_EQ(state.ExitCode, 0) << arguments << ": " << ::testing::PrintToString(platform.MessageTexts());
    }
    std::map<std::string, std::string> Snapshot() {
        std::map<std::string, std::string> values;
        std::function<void(const std::string&)> collect = [&](const std::string& path) {
            for (const std::string& name : ValueNames(memory, path))
                values[path + "|" + name] = Show(memory, path, name);
            for (const std::string& child : SubkeyNames(memory, path)) collect(path + "\\" + child);
        };
        for (const char* root : {"SOFTWARE", "SYSTEM"}) collect(root);
        return values;
    }
    std::vector<std::string> Kept() {
        return {At(kLogin, "NMAS Authentication"), At(kWinlogon, "GinaDLL"),
                At(kLogin, "DefaultLocationProfile")};
    }
    std::vector<std::string> Dialog() {
        return {At(kWinlogon, "GinaDLL"), At(kInitialLogin, "Login When NWGina Not Loaded"),
                At(kNeverLogin, "Never Login")};
    }
};

TEST_F(Invariants, TwiceEqualsOnce) {
    for (const State& start : States()) {
        for (const char* run : {kEnables[0], kEnables[1], kEnables[2], kEnables[3], kDisable}) {
            SCOPED_TRACE(std::string(start.name) + ": " + run);
            Begin(start);
            Run(run);
            const auto once = Snapshot();
            Run(run);
            EXPECT_EQ(Snapshot(), once);
        }
    }
}

TEST_F(Invariants, ADisableGivesBackWhatTheProgramChangedAndNothingElse) {
    for (const State& start : States()) {
        SCOPED_TRACE(start.name);
        Begin(start);
        const std::vector<std::string> before = Kept();
        Run(kDisable);  // a machine it never enabled: NMAS and the logon dialog stay
        EXPECT_EQ(At(kLogin, "NMAS Authentication"), before[0]);
        EXPECT_EQ(At(kWinlogon, "GinaDLL"), before[1]);
        for (const char* enable : kEnables) {
            SCOPED_TRACE(enable);
            Begin(start);
            Run(enable);
            Run(kDisable);
            EXPECT_EQ(Kept(), before);
            Run(kDisable);  // login scripts disable at every logon
            EXPECT_EQ(Kept(), before);
        }
    }
}

// A kept dialog in a key that others may have changed (a planted "GinaDLL" would be loaded by
// Winlogon as SYSTEM) counts as none kept: the disable puts the Novell dialog in and says so,
// and what the next mode 1 keeps is under the program's own list.
TEST_F(Invariants, AKeptDialogOthersMayHaveChangedIsNotPutBack) {
    Begin(States().back());
    Run(kEnables[1]);
    ASSERT_EQ(At(kGinaBackup, "GinaDLL"), "SZ:ACMEGINA.DLL");
    PutString(memory, kGinaBackup, "GinaDLL", "EVIL.DLL");
    {
        ScopedKey key(memory);
        memory.OpenKey(kHkeyLocalMachine, kGinaBackup, kKeyAllAccess, key.Out());
        memory.SetKeySecurity(key.Get(), Descriptor(kAdministratorsSid, {{kEveryoneSid, 0xF003F}}));
    }
    Run(std::string(kDisable) + " /Quiet /Log:C:\\r.log");
    EXPECT_EQ(At(kWinlogon, "GinaDLL"), "SZ:NWGINA.DLL");
    EXPECT_EQ(At(kGinaBackup, "GinaDLL"), "<missing>");
    EXPECT_NE(platform.files["C:\\r.log"].find(
                  "\r\nNote: HKLM\\SOFTWARE\\Pellam\\Sentrel\\SOFTWARE\\Microsoft\\Windows NT"
                  "\\CurrentVersion\\Winlogon may have been changed by others than administrators: "
                  "its backup was not used.\r\n"),
              std::string::npos)
        << platform.files["C:\\r.log"];
    Run(kEnables[1]);
    EXPECT_EQ(memory.SecurityOf(kHkeyLocalMachine, kGinaBackup), ProgramKeySecurity());
    EXPECT_EQ(memory.SecurityOf(kHkeyLocalMachine, "SOFTWARE\\Pellam\\Sentrel"),
              ProgramKeySecurity());
}

TEST_F(Invariants, ModeBAfterModeALeavesTheLogonDialogAsModeB) {
    for (const State& start : States()) {
        for (const char* b : kEnables) {
            Begin(start);
            Run(b);
            const std::vector<std::string> alone = Dialog();
            for (const char* a : kEnables) {
                SCOPED_TRACE(std::string(start.name) + ": " + a + " then " + b);
                Begin(start);
                Run(a);
                Run(b);
                EXPECT_EQ(Dialog(), alone);
            }
        }
    }
}

}  // namespace
}  // namespace sentrel::test
