// Dry runs (/WhatIf, /Check) and response files (@path), on the fake platform and the
// in-memory registry.
#include "app/RecordedRun.h"
#include "support/StartupFixture.h"

namespace sentrel::test {
namespace {

using namespace keys;

const char* const kLog = "C:\\Logs\\sentrel.log";

class DryRun : public Startup {
protected:
    void Restart() {
        state = ProgramState();
        form = FormState();
        platform.messageBoxes.clear();
        platform.files.erase(kLog);
        store.Clear();
    }
    int Run(const std::string& arguments) {
        Restart();
        Start(arguments);
        return state.ExitCode;
    }
    bool Logged(const std::string& line) {
        return platform.files[kLog].find(line + "\r\n") != std::string::npos;
    }
};

TEST_F(DryRun, CheckSaysWhetherTheRealRunWouldChangeAnythingForEveryModeAndBothDisables) {
    const std::string names =
        " /NDSTree:T /NDSCx:o=Acme /NDSSrv:S1 /NDSUsr:kiosk1 /NDSPass:n /MSDom:OFFICE "
        "/MSUsr:kiosk /MSPass:m /ShowResult /RunScript";
    const char* const runs[] = {"/Mode:0 /LockWS", "/Mode:1", "/Mode:2", "/Mode:3", "/Disable",
                                "/Disable /Mode:3", "/Mode:0", "/Mode:0"};
    for (bool windows9x : {false, true}) {
        SCOPED_TRACE(windows9x ? "Windows 98" : "Windows XP");
        if (windows9x) On9x();
        InstallClient();
        for (const char* run : runs) {
            SCOPED_TRACE(run);
            const std::string line = std::string("/U /Quiet") + names + " " + run;
            const int check = Run(line + " /Check");
            EXPECT_EQ(store.Writes(), std::vector<std::string>{});
            const std::vector<std::string> before = Dump(memory);
            EXPECT_EQ(Run(line), kExitDone);
            // 4 exactly when the real run left the registry otherwise than it found it.
            EXPECT_EQ(check, Dump(memory) != before ? kExitWouldChange : kExitDone);
            EXPECT_EQ(Run(line + " /Check"), kExitDone);  // set up as asked: nothing to repair
        }
    }
}

TEST_F(DryRun, WhatIfShowsWhatWouldChangeInOneBoxOrInTheLogAndWritesNothing) {
    InstallClient();
    EXPECT_EQ(Run("/U /WhatIf /MSUsr:kiosk /MSPass:secret /Mode:1"), kExitDone);
    EXPECT_EQ(store.Writes(), std::vector<std::string>{});
    ASSERT_EQ(platform.messageBoxes.size(), 1u);
    const std::string box = platform.messageBoxes[0].text;
    // In the order the run writes: the backup before the value it protects.
    EXPECT_LT(box.find("\\Login | Sentrel NMAS | REG_DWORD | absent -> 1\r\n"),
              box.find("\\Login | NMAS Authentication | REG_DWORD | 1 -> 0\r\n"))
        << box;
    EXPECT_NE(box.find("\\Login | NMAS Authentication | REG_DWORD | 1 -> 0\r\n"),
              std::string::npos)
        << box;
    // A box the screen can hold: the first changes, and how many more the log would list.
    EXPECT_NE(box.find("\r\n... and "), std::string::npos);
    EXPECT_NE(box.find(" more; /Log: lists them all\r\n"), std::string::npos);
    EXPECT_NE(box.find("Result: exit code 0, done (a dry run: nothing was written)"),
              std::string::npos);
    EXPECT_EQ(box.find("secret"), std::string::npos);

    // With a log the record holds it and no box is shown; an installer is noted, not started.
    EXPECT_EQ(Run(std::string("/U /Check /ACU:Z:\\setupnw.exe /MSUsr:kiosk /Mode:1 /Log:") +
                  kLog),
              kExitWouldChange);
    EXPECT_EQ(platform.messageBoxes.size(), 0u);
    EXPECT_EQ(platform.shellCalls.size(), 0u);
    EXPECT_TRUE(Logged("Would change:"));
    EXPECT_TRUE(Logged("Would run the client installer: Z:\\setupnw.exe"));
    EXPECT_TRUE(Logged("Result: exit code 4, the workstation is not as the switches ask (a dry "
                       "run: nothing was written)"));
    // A run that would fail: /Check says 1, and the log tells why; a key the real run could
    // not write fails the dry run too.
    EXPECT_EQ(Run(std::string("/U /Check /Mode:7 /Log:") + kLog), kExitFailed);
    EXPECT_TRUE(Logged("Message: Mode switch needs to be either 0, 1 or 2 or 3"));
    memory.Deny(kHkeyLocalMachine, kWinlogon);
    EXPECT_EQ(Run(std::string("/U /Check /MSUsr:kiosk /Mode:1 /Log:") + kLog), kExitFailed);
    EXPECT_EQ(Run(std::string("/U /WhatIf /MSUsr:kiosk /Mode:1 /Log:") + kLog), kExitFailed);
    EXPECT_TRUE(Logged("Would change: nothing"));
}

TEST_F(DryRun, AResponseFileGivesWholeArgumentsAndTheLogMasksItsPasswords) {
    platform.files["C:\\kiosk.txt"] =
        "\xEF\xBB\xBF/U\r\n/MSUsr:kiosk user\r\n/MSPass:a \"b\" c\r\n\r\n/Mode:1\n";
    EXPECT_EQ(Run(std::string("@C:\\kiosk.txt /Log:") + kLog), kExitDone);
    EXPECT_EQ(At(kWinlogon, "DefaultUserName"), "SZ:kiosk user");
    EXPECT_EQ(At(kWinlogon, "DefaultPassword"), "SZ:a \"b\" c");
    EXPECT_TRUE(Logged("Switches: @C:\\kiosk.txt /Log:C:\\Logs\\sentrel.log"));
    EXPECT_TRUE(Logged("Switches read: /U \"/MSUsr:kiosk user\" /MSPass:**** /Mode:1 "
                       "/Log:C:\\Logs\\sentrel.log"));
    EXPECT_EQ(platform.files[kLog].find("\"b\""), std::string::npos);

    // A file that can't be read is a wrong command line: nothing is written.
    platform.errorTexts[2] = "The system cannot find the file specified.\r\n";
    EXPECT_EQ(Run("/U @C:\\none.txt /Mode:1 /MSUsr:x"), kExitFailed);
    EXPECT_EQ(store.Writes(), std::vector<std::string>{});
    EXPECT_EQ(platform.MessageTexts(),
              std::vector<std::string>{
                  "Cannot read the response file C:\\none.txt: The system cannot find the file "
                  "specified"});
    EXPECT_EQ(Run("/U /Quiet @C:\\none.txt /Mode:1"), kExitFailed);
    EXPECT_EQ(platform.messageBoxes.size(), 0u);
    EXPECT_TRUE(platform.EndRequested());
}

}  // namespace
}  // namespace sentrel::test
