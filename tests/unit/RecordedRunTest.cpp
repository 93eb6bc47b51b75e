// Unattended runs that keep a record: /Quiet shows nothing, /Log: appends what the run did.
#include "app/RecordedRun.h"
#include "app/RunRecord.h"
#include "support/StartupFixture.h"
#include "ui/FormActions.h"

namespace sentrel::test {
namespace {

using namespace keys;

const char* const kLog = "C:\\Logs\\sentrel.log";

class Recorded : public Startup {
protected:
    std::string Log() { return platform.files[kLog]; }
    std::size_t Records() {
        std::size_t count = 0;
        for (std::size_t at = Log().find("==== "); at != std::string::npos;
             at = Log().find("==== ", at + 1))
            ++count;
        return count;
    }
    bool Logged(const std::string& line) { return Log().find(line + "\r\n") != std::string::npos; }
};

TEST_F(Recorded, QuietShowsNoBoxWhateverHappensAndTheExitCodeTells) {
    struct Case {
        const char* line;
        int exitCode;
    } cases[] = {
        {"/U /Quiet", 1},                                       // no mode
        {"/U /QUIET /Mode:1 /MSUsr:u", 1},                      // a key it may not write
        {"/U /quiet /ACU:Z:\\no\\setupnw.exe /Mode:1 /MSUsr:u", 2},  // no installer
        {"/Quiet /Disable /?", 0},  // help, in an unattended run: /Quiet holds the "U" of /U
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        memory = MemoryStore();
        platform = FakePlatform();
        state = ProgramState();
        store.Clear();
        SetUp();
        InstallClient();
        if (std::string(c.line).find("MSUsr") != std::string::npos) RemoveTree(memory, kWinlogon);
        platform.shellStarts = false;
        Start(c.line);
        EXPECT_EQ(platform.messageBoxes.size(), 0u);
        EXPECT_TRUE(platform.systemErrorBoxesHidden);
        EXPECT_TRUE(platform.EndRequested());
        EXPECT_EQ(state.ExitCode, c.exitCode);
        EXPECT_EQ(platform.files.size(), 0u);
        if (c.exitCode == 2) {
            EXPECT_EQ(store.Writes(), std::vector<std::string>{});
        }
        // The shell shows no box of its own for an installer it can't start.
        for (const StartRequest& call : platform.shellCalls) EXPECT_FALSE(call.shellShowsErrors);
    }
}

TEST_F(Recorded, AnInstallerThatCannotStartStopsTheRunBeforeAnythingIsWritten) {
    platform.shellStarts = false;
    platform.startError = 2;
    platform.errorTexts[2] = "The system cannot find the file specified.\r\n";
    Start(std::string("/U /ACU:Z:\\no\\setupnw.exe /Mode:1 /MSUsr:u /Log:") + kLog);
    ASSERT_EQ(platform.shellCalls.size(), 1u);
    EXPECT_FALSE(platform.shellCalls[0].shellShowsErrors);
    const std::string message =
        "Cannot start the client installer Z:\\no\\setupnw.exe: The system cannot find the file "
        "specified";
    EXPECT_EQ(platform.MessageTexts(), std::vector<std::string>{message});  // not quiet: shown
    EXPECT_EQ(state.ExitCode, 2);
    EXPECT_EQ(store.Writes(), std::vector<std::string>{});
    EXPECT_TRUE(Logged("Message: " + message));
    EXPECT_TRUE(Logged("Result: exit code 2, the client installer could not be started"));
}

TEST_F(Recorded, TheLogHoldsOneWholeRecordPerRunWithEveryChangeAndNoPassword) {
    InstallClient();
    Start(std::string("/U /NDSTree:T /NDSUsr:kiosk1 /NDSPass:ndspw /MSUsr:kiosk /MSPass:mspw "
                      "\"/ACUParam:/P=mspw\" /Mode:0 /Log:") + kLog);
    EXPECT_EQ(state.ExitCode, 0);
    EXPECT_EQ(platform.messageBoxes.size(), 0u);
    EXPECT_EQ(Log().substr(0, 62),
              "==== Sentrel run, 2026-12-08 09:05:07, computer KIOSK01\r\nWindo");
    EXPECT_TRUE(Logged("Windows: Windows 2000 (5.1.2600, Service Pack 3), Novell client: 4.91"));
    EXPECT_TRUE(Logged("Switches: /U /NDSTree:T /NDSUsr:kiosk1 /NDSPass:**** /MSUsr:kiosk "
                       "/MSPass:**** /ACUParam:**** /Mode:0 /Log:C:\\Logs\\sentrel.log"));
    EXPECT_TRUE(Logged("Value: HKLM\\Software\\Novell\\Login | NMAS Authentication | REG_DWORD | "
                       "1 -> 0"));
    EXPECT_TRUE(Logged("Value: HKLM\\Software\\Novell\\Login | DefaultPassword | REG_SZ | "
                       "absent -> ****"));
    EXPECT_TRUE(Logged("Value: HKLM\\SYSTEM\\CurrentControlSet\\Services\\NetwareWorkstation | "
                       "DependOnService | REG_MULTI_SZ | \"Tcpip\" -> \"Tcpip\", \"SRVLOC\""));
    EXPECT_TRUE(Logged("Key created: HKLM\\SOFTWARE\\Pellam\\Sentrel"));
    EXPECT_TRUE(Logged("Result: exit code 0, done"));
    EXPECT_EQ(Log().find("pw"), std::string::npos);
    // Every successful write that changed a value has its line.
    std::size_t lines = 0;
    for (std::size_t at = Log().find("\r\nValue: "); at != std::string::npos;
         at = Log().find("\r\nValue: ", at + 1))
        ++lines;
    EXPECT_GT(lines, 30u);

    Start(std::string("/U /Disable /Log:") + kLog);  // a second record, appended
    EXPECT_EQ(Records(), 2u);
    EXPECT_TRUE(Logged("Value: HKLM\\Software\\Novell\\Login | AutoAdminLogon | REG_SZ | "
                       "\"1\" -> \"0\""));
    EXPECT_TRUE(Logged("Value: HKLM\\Software\\Novell\\Login | DefaultPassword | REG_SZ | "
                       "**** -> ****"));
    EXPECT_EQ(Log().find("pw"), std::string::npos);
    EXPECT_EQ(Log().substr(Log().size() - 4), "\r\n\r\n");
}

TEST_F(Recorded, AnEmptyLogPathIsAWrongCommandLineAndWritesNothing) {
    Start("/U /Log: /Mode:1 /MSUsr:u");
    EXPECT_EQ(platform.MessageTexts(),
              std::vector<std::string>{"The /Log: switch needs the path of a file"});
    EXPECT_EQ(state.ExitCode, 1);
    EXPECT_EQ(store.Writes(), std::vector<std::string>{});
    EXPECT_TRUE(platform.EndRequested());
}

TEST_F(Recorded, ALogThatCannotBeWrittenIsReportedButTheSettingsAreWritten) {
    platform.appendErrors = {5};
    platform.errorTexts[5] = "Access is denied.\r\n";
    Start(std::string("/U /Mode:1 /MSUsr:u /Log:") + kLog);
    EXPECT_EQ(At(kWinlogon, "AutoAdminLogon"), "SZ:1");
    EXPECT_EQ(state.ExitCode, 3);
    ASSERT_EQ(platform.messageBoxes.size(), 1u);
    EXPECT_EQ(platform.messageBoxes[0].text,
              "Cannot write the log C:\\Logs\\sentrel.log: Access is denied");
    EXPECT_EQ(platform.messageBoxes[0].answer, kIdOk);  // it waited for its answer
    EXPECT_TRUE(platform.EndRequested());

    platform = FakePlatform();
    SetUp();
    platform.appendErrors = {5};
    Start(std::string("/U /Quiet /Mode:1 /MSUsr:u /Log:") + kLog);
    EXPECT_EQ(state.ExitCode, 3);
    EXPECT_EQ(platform.messageBoxes.size(), 0u);

    platform = FakePlatform();
    SetUp();
    platform.appendErrors = {5};
    Start(std::string("/U /Quiet /Log:") + kLog);  // a run that failed keeps its own code
    EXPECT_EQ(state.ExitCode, 1);
}

TEST_F(Recorded, ALogAnotherRunHoldsIsTriedAgainForAWhile) {
    platform.appendErrors = {32, 33, 32, 0};
    Start(std::string("/U /Mode:1 /MSUsr:u /Log:") + kLog);
    EXPECT_EQ(state.ExitCode, 0);
    EXPECT_EQ(Records(), 1u);
    EXPECT_EQ(platform.sleeps, (std::vector<std::uint32_t>{100, 100, 100}));

    platform = FakePlatform();
    SetUp();
    platform.appendErrors.assign(1000, 32);
    Start(std::string("/U /Quiet /Mode:1 /MSUsr:u /Log:") + kLog);
    EXPECT_EQ(state.ExitCode, 3);
    std::uint32_t waited = 0;
    for (std::uint32_t ms : platform.sleeps) waited += ms;
    EXPECT_EQ(waited, kLogRetryMilliseconds);
}

TEST_F(Recorded, MessagesShownOnceTheEndIsPendingAreOnlyLogged) {
    Start(std::string("/U /Disable /? /Log:") + kLog);
    EXPECT_EQ(platform.messageBoxes.size(), 0u);  // the help box would close at once
    EXPECT_TRUE(Logged("Message: Help is found by running Sentrel.exe and select the Usage Tab"));
}

TEST_F(Recorded, OnlyTheWholeArgumentIsTheSwitch) {
    Start("/U /Quieter /Mode:9");  // not /Quiet: the mode message is shown
    EXPECT_EQ(platform.MessageTexts(),
              std::vector<std::string>{"Mode switch needs to be either 0, 1 or 2 or 3"});
    EXPECT_FALSE(platform.systemErrorBoxesHidden);
}

TEST_F(Recorded, WithoutAnUnattendedRunTheSwitchesChangeNothing) {
    Start("/Log:C:\\x.log");
    EXPECT_FALSE(platform.EndRequested());  // the window opens
    EXPECT_EQ(platform.files.size(), 0u);
    EXPECT_FALSE(platform.systemErrorBoxesHidden);
}

TEST_F(Recorded, ADependencyOnAServiceThatDoesNotExistIsNotMadeAndTheRunSaysSo) {
    InstallClient();
    RemoveTree(memory, kSrvlocService);
    Start("/U /Log:C:\\Logs\\sentrel.log /NDSUsr:n /MSUsr:w /Mode:0");
    EXPECT_EQ(state.ExitCode, 0);
    EXPECT_EQ(platform.messageBoxes.size(), 0u);  // an unattended run shows no box for it
    EXPECT_TRUE(Logged("Note: The SRVLOC service does not exist, so the Novell workstation "
                       "service was not made to depend on it"))
        << Log();
    EXPECT_EQ(At(kWorkstationService, "DependOnService"), "MULTI_SZ:546370697000" "00");

    // The window says it in its result message.
    platform = FakePlatform();
    state = ProgramState();
    form = FormState();
    SetUp();
    Start("");
    LogonContext context = program.Context();
    EnableClicked(context, form);
    EXPECT_EQ(platform.MessageTexts(),
              std::vector<std::string>{"Auto Login has been enabled\r\n\r\nThe SRVLOC service "
                                       "does not exist, so the Novell workstation service was "
                                       "not made to depend on it"});
}

TEST_F(Recorded, OnWindows95sSharedHandlesEveryChangeKeepsItsKeyAndThePasswordStaysHidden) {
    memory = MemoryStore();
    memory.ShareHandlesLikeWindows95();
    SetUp();
    On9x();
    InstallClient();
    MakeKey(memory, kRealModeNet);
    Start("/U /Log:C:\\Logs\\sentrel.log /NDSSrv:SRV1 /NDSUsr:kiosk1 /NDSPass:secret9 /Mode:0");
    EXPECT_EQ(state.ExitCode, 0) << Log();
    EXPECT_EQ(At(kRun, "Default"), "SZ:LoginW95 SRV1/kiosk1 /Pwd=secret9 /Cont /NS");
    EXPECT_EQ(Log().find("secret9"), std::string::npos) << Log();
    EXPECT_EQ(Log().find("Value: ? |"), std::string::npos) << Log();
    EXPECT_TRUE(Logged("Value: HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run | Default | "
                       "REG_SZ | absent -> ****"))
        << Log();
    EXPECT_EQ(memory.OpenHandleCount(), 0u);  // every open was closed as often
}

TEST(RunRecordText, ShowsEveryKindOfChangeAndHidesPasswords) {
    using C = RegistryChange;
    auto sz = [](const std::string& text) { return RegistryValue{kRegSz, Sz(text)}; };
    const std::string login = "HKLM\\SOFTWARE\\Novell\\Login";
    const std::string run = "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    RunRecord record;
    record.time = {2027, 1, 2, 3, 4, 5};
    record.computerName = "KIOSK01";
    record.windowsFamily = "Windows 95";
    record.clientVersion = "Not Detected";
    record.arguments = {"/U", "/ndspass:a b", "/MSPass:", "/ACUParam:/Q", "/MSUsr:kiosk one"};
    record.changes = {
        {C::KeyCreated, "HKLM\\SOFTWARE\\Pellam", "", {}, {}},
        {C::ValueSet, login, "AutoAdminLogon", {}, sz("1")},
        {C::ValueSet, login, "DefaultPassword", sz("old"), sz("")},
        {C::ValueSet, run, "default", {}, sz("LoginW95 S/u /Pwd=x /Cont")},
        {C::ValueSet, login, "Odd", RegistryValue{kRegDword, Dword(5)}, sz("a\r\nb")},
        {C::ValueSet, login, "List", {}, RegistryValue{kRegMultiSz, MultiSzBlock({"A", "B"})}},
        {C::ValueDeleted, login, "", RegistryValue{kRegBinary, {0x00, 0xFF}}, {}},
        {C::KeyDeleted, "HKLM\\SOFTWARE\\Pellam", "", {}, {}},
    };
    record.messages = {"Error 5 : Access is denied.\r\n", "AutoLogon has been disabled"};
    record.exitCode = 1;
    record.inForceBefore = "mode 0, login script 1";
    record.inForceAfter = "mode off\x01";
    EXPECT_EQ(FormatRunRecord(record, "Default"),
              "==== Sentrel run, 2027-01-02 03:04:05, computer KIOSK01\r\n"
              "Windows: Windows 95, Novell client: Not Detected\r\n"
              "Switches: /U /ndspass:**** /MSPass:**** /ACUParam:/Q \"/MSUsr:kiosk one\"\r\n"
              "In force before: mode 0, login script 1\r\n"
              "Key created: HKLM\\SOFTWARE\\Pellam\r\n"
              "Value: HKLM\\SOFTWARE\\Novell\\Login | AutoAdminLogon | REG_SZ | absent -> \"1\"\r\n"
              "Value: HKLM\\SOFTWARE\\Novell\\Login | DefaultPassword | REG_SZ | **** -> ****\r\n"
              "Value: HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Run | default | REG_SZ | "
              "absent -> ****\r\n"
              "Value: HKLM\\SOFTWARE\\Novell\\Login | Odd | REG_DWORD -> REG_SZ | 5 -> "
              "\"a\\x0D\\x0Ab\"\r\n"
              "Value: HKLM\\SOFTWARE\\Novell\\Login | List | REG_MULTI_SZ | absent -> \"A\", "
              "\"B\"\r\n"
              "Value: HKLM\\SOFTWARE\\Novell\\Login | (default) | REG_BINARY | hex:00,FF -> "
              "deleted\r\n"
              "Key deleted: HKLM\\SOFTWARE\\Pellam\r\n"
              "Message: Error 5 : Access is denied.\r\n"
              "Message: AutoLogon has been disabled\r\n"
              "In force after: mode off\\x01\r\n"
              "Result: exit code 1, an operation failed or the command line is wrong\r\n\r\n");
}

}  // namespace
}  // namespace sentrel::test
