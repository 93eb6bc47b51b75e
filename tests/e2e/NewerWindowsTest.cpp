// The real program on every Windows version Wine emulates, with its manifest: it starts on each
// and reports the version Windows says; on Windows 7 and 10 /LockWS with mode 1 locks and
// leaves the logon dialog ("GinaDLL") as it is.
#include "E2eFixture.h"

namespace sentrel::e2e {
namespace {

using namespace test;
using namespace test::keys;

class NewerWindows : public E2e {
protected:
    // Runs quietly with a record and gives the exit code; the record is then in record_.
    int Run(const std::string& arguments, const std::string& version) {
        log_.Clear();
        SentrelRun run(arguments + " /Quiet \"/Log:" + log_.Path() + "\"", version);
        const int code = run.FinishAnsweringOk();
        record_ = log_.Text();
        return code;
    }
    std::string WindowsLine() const {
        const std::size_t at = record_.find("\r\nWindows: ");
        return at == std::string::npos ? "<none>" : record_.substr(at + 2, record_.find(',', at) - at - 2);
    }

    TempLog log_{"sentrel-versions.log"};
    std::string record_;
};

TEST_P(NewerWindows, StartsOnEveryVersionAndRecordsTheVersionWindowsReports) {
    const struct {
        const char* wine;
        const char* line;  // how the record's Windows line begins
    } versions[] = {
        {"win95", "Windows: Windows 95 (4.0."},    {"win98", "Windows: Windows 95 (4.10."},
        {"winme", "Windows: Windows 95 (4.90."},   {"nt40", "Windows: Windows NT (4.0."},
        {"win2k", "Windows: Windows 2000 (5.0."},  {"winxp", "Windows: Windows 2000 (5.1."},
        {"win7", "Windows: Windows NT (6.1."},     {"win8", "Windows: Windows NT (6.2."},
        {"win81", "Windows: Windows NT (6.3."},    {"win10", "Windows: Windows NT (10.0."},
    };
    BuildWithClient();
    InstallClient9x();  // the 9x road detects its client by a key of its own
    for (const auto& version : versions) {
        SCOPED_TRACE(version.wine);
        EXPECT_EQ(Run("/U /WhatIf /MSUsr:kiosk /Mode:1", version.wine), 0) << record_;
        EXPECT_EQ(WindowsLine().rfind(version.line, 0), 0u) << WindowsLine();
    }
}

TEST_P(NewerWindows, ModeOneLocksOnWindows7And10AndLeavesTheLogonDialog) {
    for (const char* version : {"win7", "win10"}) {
        SCOPED_TRACE(version);
        TearDown();
        SetUp();
        BuildWithClient();
        EXPECT_EQ(Run("/U /MSUsr:kiosk /MSPass:p /LockWS /Mode:1", version), 0) << record_;
        EXPECT_EQ(At(kRun, "ForceAutoLock"), "SZ:RunDll32.exe user32.dll,LockWorkStation");
        EXPECT_EQ(At(kWinlogon, "AutoAdminLogon"), "SZ:1");
        EXPECT_EQ(At(kWinlogon, "GinaDLL"), "SZ:NWGINA.DLL");
        EXPECT_EQ(At(kGinaBackup, "GinaDLL"), "<missing>");
        EXPECT_NE(record_.find("\r\nNote: Windows Vista and later have no logon dialog to "
                               "replace: GinaDLL is not written.\r\n"),
                  std::string::npos)
            << record_;
        // Mode 2 after it takes the Novell dialog's values back, and reads as itself.
        EXPECT_EQ(Run("/U /MSUsr:kiosk /Mode:2", version), 0) << record_;
        EXPECT_NE(record_.find("\r\nIn force after: mode 2, "), std::string::npos) << record_;
    }
}

INSTANTIATE_TEST_SUITE_P(Wine, NewerWindows, ::testing::ValuesIn(WineRegistryOnly()),
                         test::StoreName);

}  // namespace
}  // namespace sentrel::e2e
