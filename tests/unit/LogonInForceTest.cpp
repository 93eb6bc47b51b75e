// What is in force, read back: every enable is read as its own mode, a disable as off, and the
// window and the run's log show it.
#include "logon/LogonInForce.h"
#include "support/StartupFixture.h"
#include "ui/FormActions.h"

namespace sentrel::test {
namespace {

using namespace keys;

class InForce : public Startup {
protected:
    // A run on a fresh workstation, as a new program would start.
    void Run(const std::string& arguments) {
        platform = FakePlatform();
        if (windows9x) On9x();
        form = FormState();
        SetUp();
        Start(arguments);
        ASSERT_EQ(state.ExitCode, 0) << arguments;
    }
    LogonInForce Read(bool client) {
        return ReadLogonInForce(memory, "Default", windows9x, client);
    }
    bool windows9x = false;
};

TEST_F(InForce, EachEnableReadsBackAsItsModeAndADisableAsOff) {
    struct Row {
        bool client;
        bool on9x;
        const char* mode;
        const char* inForce;
    } rows[] = {
        {true, false, "0", "0"},   {true, false, "1", "1"},   {true, false, "2", "2"},
        {true, false, "3", "3"},   {false, false, "0", "1"},  {false, false, "2", "1"},
        {false, false, "3", "off"}, {true, true, "0", "0"},   {true, true, "2", "0"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string("mode ") + row.mode + (row.client ? " client" : " no client") +
                     (row.on9x ? " 9x" : ""));
        memory = MemoryStore();
        windows9x = row.on9x;
        Run("");
        if (row.client) InstallClient();
        EXPECT_EQ(Read(row.client).mode, "off");  // never enabled
        Run(std::string("/U /NDSUsr:n /NDSPass:p /MSUsr:w /MSPass:q /RunScript /LockWS /Mode:") +
            row.mode);
        LogonInForce enabled = Read(row.client);
        EXPECT_EQ(enabled.mode, row.inForce);
        EXPECT_TRUE(enabled.stored.RunScript);
        EXPECT_FALSE(enabled.stored.ShowResult);
        EXPECT_EQ(enabled.stored.LockWorkstation, !row.on9x && std::string(row.mode) != "3");
        EXPECT_EQ(enabled.stored.NdsUser, "n");

        // The window selects it and ticks the boxes as stored.
        Run("");
        if (row.client) {
            EXPECT_EQ(form.modeIndex, IsLogonMode(row.inForce) ? std::stoi(row.inForce) : 0);
        }
        EXPECT_TRUE(form.settings.RunScript);
        EXPECT_EQ(form.settings.LockWorkstation, enabled.stored.LockWorkstation);

        Run("/U /Disable");
        EXPECT_EQ(Read(row.client).mode, "off");
        EXPECT_FALSE(Read(row.client).stored.LockWorkstation);
    }
}

TEST_F(InForce, AMixNoModeWritesShowsTheFirstModeAndDamagedValuesCountAsUnset) {
    Run("");
    InstallClient();
    PutString(memory, kWinlogon, "AutoAdminLogon", "1");
    PutString(memory, kLogin, "AutoAdminLogon", "1");
    PutString(memory, kNwgina, "NetWareAutoAdminLogon", "0");
    EXPECT_EQ(Read(true).mode, "mixed");
    Run("");
    EXPECT_EQ(form.modeIndex, 0);
    PutDword(memory, kWinlogon, "AutoAdminLogon", 1);  // a flag Windows reads as text
    PutValue(memory, kWinlogon, "DefaultUserName", kRegBinary, Bytes{1, 2});
    EXPECT_EQ(Read(true).mode, "mixed");
    EXPECT_EQ(Read(true).stored.MsUser, "");
}

TEST_F(InForce, TheWindowEmptiesAPasswordThatIsNoLongerStored) {
    InstallClient();
    Run("");
    LogonContext context = program.Context();
    form.settings.MsPassword = "typed";
    form.settings.NdsPassword = "nds";
    EnableClicked(context, form);
    EXPECT_EQ(form.settings.MsPassword, "typed");
    EXPECT_EQ(form.settings.NdsPassword, "nds");
    form.modeIndex = 3;
    form.settings.ShowResult = true;
    EnableClicked(context, form);
    EXPECT_EQ(form.modeIndex, 3);
    EXPECT_TRUE(form.settings.ShowResult);
    DisableClicked(context, form);
    EXPECT_EQ(form.settings.MsPassword, "");
    EXPECT_EQ(form.settings.NdsPassword, "");
    EXPECT_EQ(form.modeIndex, 0);
}

TEST_F(InForce, TheLogRecordsTheStateBeforeAndAfter) {
    InstallClient();
    Run("/U /Log:C:\\s.log /NDSUsr:n /MSUsr:w /ShowResult /Mode:2");
    const std::string log = platform.files["C:\\s.log"];
    EXPECT_NE(log.find("\r\nIn force before: mode off, login script 0, result window 0, lock 0, "
                       "NDS tree , NDS context , NDS server , NDS user , MS domain XP-PC, "
                       "MS user Administrator\r\n"),
              std::string::npos)
        << log;
    EXPECT_NE(log.find("\r\nIn force after: mode 2, login script 0, result window 1, lock 0, "
                       "NDS tree , NDS context , NDS server , NDS user n, MS domain , MS user w\r\n"),
              std::string::npos)
        << log;
}

}  // namespace
}  // namespace sentrel::test
