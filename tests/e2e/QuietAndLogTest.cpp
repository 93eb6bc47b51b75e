// Roll-out runs of the real program: /Quiet shows no window at all and ends by itself with its
// exit code; /Log: appends one whole record of every change, with no password in it.
#include <algorithm>
#include <fstream>
#include <sstream>

#include "E2eFixture.h"

namespace sentrel::e2e {
namespace {

using namespace test;
using namespace test::keys;

const char* const kModeZero =
    "/U /NDSTree:ACME_TREE /NDSCx:ou=Kiosk.o=Acme /NDSUsr:kiosk1 /NDSPass:Secret-NDS-1 "
    "/NDSSrv:10.0.0.5 /MSDom:OFFICE /MSUsr:kiosk /MSPass:Secret-MS-2 /RunScript /Mode:0";

std::string Upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

class QuietAndLog : public E2e {
protected:
    void SetUp() override {
        E2e::SetUp();
        char folder[MAX_PATH] = {};
        GetTempPathA(sizeof folder, folder);
        log_ = std::string(folder) + "sentrel-e2e.log";
        DeleteFileA(log_.c_str());
    }
    void TearDown() override {
        DeleteFileA(log_.c_str());
        E2e::TearDown();
    }
    std::string LogText() {
        std::ifstream file(log_, std::ios::binary);
        std::stringstream text;
        text << file.rdbuf();
        return text.str();
    }
    // The log's records, each from its "==== " line to the blank line that ends it.
    std::vector<std::string> Records() {
        std::vector<std::string> records;
        std::string text = LogText();
        for (std::size_t at = text.find("==== "); at != std::string::npos;) {
            std::size_t next = text.find("\r\n\r\n==== ", at);
            std::size_t end = next == std::string::npos ? text.size() : next + 4;
            records.push_back(text.substr(at, end - at));
            at = next == std::string::npos ? next : next + 4;
        }
        return records;
    }
    // Runs quietly, watching for windows: there must be none.
    int RunQuietly(const std::string& arguments) {
        SentrelRun run(arguments);
        std::vector<std::string> windows;
        const DWORD started = GetTickCount();
        int code = run.FinishWatchingForWindows(&windows);
        EXPECT_EQ(windows, std::vector<std::string>{});
        EXPECT_LT(GetTickCount() - started, 30000u);
        return code;
    }

    std::string log_;
};

TEST_P(QuietAndLog, QuietRunsShowNoWindowAndEndByThemselvesWithTheirExitCode) {
    BuildWithClient();
    auto before = Snapshot();
    EXPECT_EQ(RunQuietly("/U /Quiet"), 1);  // no mode
    EXPECT_EQ(RunQuietly("/U /Quiet /ACU:Z:\\no\\such\\folder\\setupnw.exe /MSUsr:u /Mode:1"), 2);
    EXPECT_EQ(Snapshot(), before);
    Deny(kNwgina);
    EXPECT_EQ(RunQuietly("/U /Quiet /MSUsr:u /Mode:2"), 1);  // a key it may not write
}

TEST_P(QuietAndLog, TheLogListsEveryChangeOfAnEnableAndADisableWithoutPasswords) {
    BuildWithClient();
    std::vector<std::map<std::string, std::string>> states{Snapshot()};
    for (const char* line : {kModeZero, "/U /Disable"}) {
        EXPECT_EQ(RunQuietly(std::string(line) + " \"/Log:" + log_ + "\""), 0);
        states.push_back(Snapshot());
    }
    std::vector<std::string> records = Records();
    ASSERT_EQ(records.size(), 2u);
    for (std::size_t run = 0; run < 2; ++run) {
        SCOPED_TRACE(run == 0 ? "enable" : "disable");
        const std::string record = Upper(records[run]);
        const auto& before = states[run];
        const auto& after = states[run + 1];
        std::map<std::string, std::string> changed;
        for (const auto& [value, data] : after)
            if (!before.count(value) || before.at(value) != data) changed[value] = data;
        for (const auto& [value, data] : before)
            if (!after.count(value)) changed[value] = "<missing>";
        EXPECT_FALSE(changed.empty());
        for (const auto& [value, data] : changed) {
            std::string path = value.substr(0, value.find('|'));
            std::string name = value.substr(value.find('|') + 1);
            std::string line = "VALUE: HKLM\\" + Upper(path) + " | " + Upper(name) + " | ";
            EXPECT_NE(record.find(line), std::string::npos) << line << " " << data;
        }
        EXPECT_NE(record.find("RESULT: EXIT CODE 0, DONE\r\n"), std::string::npos);
    }
    EXPECT_NE(records[0].find("NMAS Authentication | REG_DWORD | 1 -> 0\r\n"), std::string::npos);
    EXPECT_NE(records[0].find("DependOnService | REG_MULTI_SZ | \"Tcpip\", \"NetBT\" -> "
                              "\"Tcpip\", \"NetBT\", \"SRVLOC\"\r\n"),
              std::string::npos);
    EXPECT_NE(records[1].find("| DefaultNetWarePassword | REG_SZ | **** -> ****\r\n"),
              std::string::npos);
    EXPECT_NE(records[0].find(" /NDSPass:**** "), std::string::npos);
    for (const char* secret : {"Secret-NDS-1", "Secret-MS-2"})
        EXPECT_EQ(LogText().find(secret), std::string::npos) << secret;
}

TEST_P(QuietAndLog, TwoRunsStartedTogetherLeaveTwoWholeRecords) {
    const std::string line = "/U /Quiet /MSUsr:kiosk /Mode:1 \"/Log:" + log_ + "\"";
    SentrelRun first(line), second(line);
    std::vector<std::string> windows;
    EXPECT_EQ(first.FinishWatchingForWindows(&windows), 0);
    EXPECT_EQ(second.FinishWatchingForWindows(&windows), 0);
    EXPECT_EQ(windows, std::vector<std::string>{});
    std::vector<std::string> records = Records();
    ASSERT_EQ(records.size(), 2u);
    for (const std::string& record : records) {
        EXPECT_EQ(record.find("==== ", 1), std::string::npos);  // one header each
        const std::string end = "\r\nResult: exit code 0, done\r\n\r\n";
        EXPECT_EQ(record.substr(record.size() - end.size()), end);
    }
}

TEST_P(QuietAndLog, ALogThatCannotBeWrittenStillLeavesTheSettingsWritten) {
    const std::string line = "/U /MSUsr:kiosk /Mode:1 /Log:Z:\\no\\such\\folder\\sentrel.log";
    EXPECT_EQ(RunQuietly(line + " /Quiet"), 3);
    EXPECT_EQ(At(kWinlogon, "AutoAdminLogon"), "SZ:1");
    PutString(store(), kWinlogon, "AutoAdminLogon", "0");
    SentrelRun shown(line);  // without /Quiet the administrator is told
    MessageBoxSeen seen;
    ASSERT_TRUE(shown.AnswerMessageBox(IDOK, &seen));
    EXPECT_EQ(seen.text.rfind("Cannot write the log Z:\\no\\such\\folder\\sentrel.log: ", 0), 0u)
        << seen.text;
    EXPECT_EQ(shown.FinishAnsweringOk(), 3);
    EXPECT_EQ(At(kWinlogon, "AutoAdminLogon"), "SZ:1");
}

INSTANTIATE_TEST_SUITE_P(Wine, QuietAndLog, ::testing::ValuesIn(WineRegistryOnly()),
                         test::StoreName);

}  // namespace
}  // namespace sentrel::e2e
