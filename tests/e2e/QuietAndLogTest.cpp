// Roll-out runs of the real program: /Quiet shows no window at all and ends by itself with its
// exit code; /Log: appends one whole record of every change, with no password in it.
#include <algorithm>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "E2eFixture.h"
#include "logon/AllOrNothing.h"

namespace sentrel::e2e {
namespace {

using namespace test;
using namespace test::keys;

// The mutex that runs take turns by, as the program names it.
const char* const kRunTurnName = "Global\\Sentrel registry run";

// A thread that takes the turn and ends without giving it back.
DWORD WINAPI TakeTurnAndEnd(LPVOID turn) {
    *static_cast<HANDLE*>(turn) = CreateMutexA(nullptr, TRUE, kRunTurnName);
    return 0;
}

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
    int RunQuietly(const std::string& arguments, const std::string& version = "winxp") {
        SentrelRun run(arguments, version);
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

// The whole of HKLM as Wine's reg.exe exports it.
std::string ExportedMachine() {
    char folder[MAX_PATH] = {};
    GetTempPathA(sizeof folder, folder);
    const std::string file = std::string(folder) + "sentrel-e2e-export.reg";
    std::string command = "reg.exe export HKLM \"" + file + "\" /y";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                        nullptr, &startup, &process))
        return "reg.exe did not start";
    WaitForSingleObject(process.hProcess, 60000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    std::ifstream in(file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    DeleteFileA(file.c_str());
    return text.str();
}

// What a record's change lines amount to, net, one entry per key or value: "key | name | type
// | before -> after" with the before of its first line and the after of its last, or "key:
// absent -> there" for a key. Whatever came back as it was is left out.
std::set<std::string> NetOfRecord(const std::string& record) {
    struct Side {
        std::string first, last, type;
    };
    std::map<std::string, Side> seen;
    std::istringstream lines(record);
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::string id, before, after, type;
        if (line.rfind("Key created: ", 0) == 0 || line.rfind("Key deleted: ", 0) == 0) {
            const bool created = line[4] == 'c';
            id = Upper(line.substr(13));
            before = created ? "absent" : "there";
            after = created ? "there" : "absent";
        } else if (line.rfind("Value: ", 0) == 0) {
            // "Value: key | name | type | before -> after"; a type may be "A -> B" too.
            std::vector<std::string> fields;
            for (std::size_t at = 7, bar; at != std::string::npos; at = bar == std::string::npos ? bar : bar + 3) {
                bar = line.find(" | ", at);
                fields.push_back(line.substr(at, bar == std::string::npos ? bar : bar - at));
            }
            if (fields.size() != 4) continue;
            id = Upper(fields[0]) + " | " + Upper(fields[1]);
            type = fields[2].substr(fields[2].rfind(' ') + 1);
            before = fields[3].substr(0, fields[3].find(" -> "));
            after = fields[3].substr(fields[3].find(" -> ") + 4);
            if (after == "deleted") after = "absent";
            if (fields[2].find(" -> ") != std::string::npos)
                before = fields[2].substr(0, fields[2].find(' ')) + " " + before;
            else if (before != "absent")
                before = type + " " + before;
            if (after != "absent") after = type + " " + after;
        } else {
            continue;
        }
        auto known = seen.find(id);
        if (known == seen.end())
            seen[id] = {before, after, type};
        else
            known->second.last = after;
    }
    std::set<std::string> net;
    for (const auto& [id, side] : seen)
        if (side.first != side.last) net.insert(id + " | " + side.first + " -> " + side.last);
    return net;
}

TEST_P(QuietAndLog, WhatIfWritesNothingAndListsWhatTheRealRunThenDoesAndCheckTellsTheDifference) {
    BuildWithClient();
    for (const char* line : {kModeZero, "/U /MSUsr:kiosk /Mode:3", "/U /Disable"}) {
        SCOPED_TRACE(line);
        DeleteFileA(log_.c_str());
        EXPECT_EQ(RunQuietly(std::string(line) + " /Quiet /Check"), 4);
        const std::string before = ExportedMachine();
        ASSERT_GT(before.size(), 1000u);
        EXPECT_EQ(RunQuietly(std::string(line) + " /WhatIf \"/Log:" + log_ + "\""), 0);
        EXPECT_TRUE(ExportedMachine() == before) << "the dry run changed the registry";
        EXPECT_EQ(RunQuietly(std::string(line) + " \"/Log:" + log_ + "\""), 0);
        std::vector<std::string> records = Records();
        ASSERT_EQ(records.size(), 2u);
        EXPECT_NE(records[0].find("\r\nWould change:\r\n"), std::string::npos);
        EXPECT_FALSE(NetOfRecord(records[0]).empty());
        EXPECT_EQ(NetOfRecord(records[0]), NetOfRecord(records[1]));
        EXPECT_EQ(RunQuietly(std::string(line) + " /Quiet /Check"), 0);
    }
}

TEST_P(QuietAndLog, AResponseFileCarriesALongLineWithBlanksAndQuotes) {
    char folder[MAX_PATH] = {};
    GetTempPathA(sizeof folder, folder);
    const std::string file = std::string(folder) + "sentrel-e2e-kiosk.txt";
    std::string password = "a \"quoted\" pass ";
    while (password.size() < 300) password += "x";
    {
        std::ofstream out(file, std::ios::binary);
        out << "/U\r\n/Quiet\r\n/MSUsr:kiosk\r\n/MSPass:" << password << "\r\n/Mode:1\r\n";
    }
    EXPECT_EQ(RunQuietly("@" + file + " \"/Log:" + log_ + "\""), 0);
    EXPECT_EQ(At(kWinlogon, "DefaultPassword"), "SZ:" + password);
    EXPECT_NE(LogText().find("Switches: @" + file + " /Log:"), std::string::npos);
    EXPECT_EQ(LogText().find("quoted"), std::string::npos);  // the password is masked
    DeleteFileA(file.c_str());
    EXPECT_EQ(RunQuietly("/Quiet @" + file), 1);  // gone: a wrong command line
}

// A run refused at a key late in its order leaves the machine exactly as it was, on NT and on
// 98; a repeat of a run that has set the machine up writes nothing and says so.
TEST_P(QuietAndLog, ARefusedRunLeavesTheMachineAsItWasAndARepeatWritesNothing) {
    BuildWithClient();
    const std::string logged = " /Quiet \"/Log:" + log_ + "\"";
    EXPECT_EQ(RunQuietly(std::string(kModeZero) + " /LockWS" + logged), 0);
    EXPECT_EQ(RunQuietly(std::string(kModeZero) + " /LockWS" + logged), 0);
    ASSERT_EQ(Records().size(), 2u);
    EXPECT_NE(Records()[1].find("\r\nNo registry change.\r\n"), std::string::npos) << Records()[1];

    // The disable removes the lock entry from the Run list after most of its other changes.
    Deny(kRun);
    std::string before = ExportedMachine();
    ASSERT_GT(before.size(), 1000u);
    EXPECT_EQ(RunQuietly("/U /Disable" + logged), 1);
    EXPECT_TRUE(ExportedMachine() == before) << "the refused disable changed the registry";
    EXPECT_NE(Records().back().find("\r\nNothing was changed: Failed to "), std::string::npos)
        << Records().back();

    RebuildWithThirdPartyDialog(false, "MSGINA.DLL");
    MakeKey(store(), kRealModeNet);
    InstallClient9x();
    EXPECT_EQ(RunQuietly("/U /NDSSrv:S1 /NDSUsr:kiosk1 /NDSPass:p /Mode:0" + logged, "win98"), 0);
    // The 98 disable deletes the login entry, then the real-mode network value.
    Deny(kRealModeNet);
    before = ExportedMachine();
    EXPECT_EQ(RunQuietly("/U /Disable" + logged, "win98"), 1);
    EXPECT_TRUE(ExportedMachine() == before) << "the refused 98 disable changed the registry";
    EXPECT_NE(At(kRun, "Default"), "<missing>");
}

// Two runs started at the same moment take turns: the machine ends as after one of them and
// then the other.
TEST_P(QuietAndLog, TwoRunsStartedTogetherEndAsOneAfterTheOther) {
    const std::string first = "/U /Quiet /NDSUsr:alpha /NDSPass:a1 /MSUsr:alpha /MSPass:a2 /Mode:0";
    const std::string second = "/U /Quiet /NDSUsr:beta /MSUsr:beta /MSPass:b2 /LockWS /Mode:2";
    std::vector<std::map<std::string, std::string>> inTurn;
    for (const auto& [a, b] : {std::pair{first, second}, std::pair{second, first}}) {
        RebuildWithThirdPartyDialog(true, "NWGINA.DLL");
        EXPECT_EQ(RunQuietly(a), 0);
        EXPECT_EQ(RunQuietly(b), 0);
        inTurn.push_back(Snapshot());
    }
    ASSERT_NE(inTurn[0], inTurn[1]);
    for (int attempt = 0; attempt < 3; ++attempt) {
        SCOPED_TRACE("attempt " + std::to_string(attempt));
        RebuildWithThirdPartyDialog(true, "NWGINA.DLL");
        SentrelRun one(first), other(second);
        ASSERT_TRUE(one.Started() && other.Started())
            << "not started: " << one.StartError() << ", " << other.StartError();
        std::vector<std::string> windows;
        EXPECT_EQ(one.FinishWatchingForWindows(&windows), 0);
        EXPECT_EQ(other.FinishWatchingForWindows(&windows), 0);
        const auto together = Snapshot();
        EXPECT_TRUE(together == inTurn[0] || together == inTurn[1]);
    }
}

// The turn is a named mutex: one whose holder ended without giving it back is taken, and one
// held past the wait stops the run before anything is written.
TEST_P(QuietAndLog, ATurnLeftByARunThatDiedIsTakenAndOneHeldTooLongStopsTheRun) {
    RebuildWithThirdPartyDialog(true, "NWGINA.DLL");
    HANDLE turn = nullptr;
    // A thread that ends owning the mutex leaves it abandoned; the handle keeps it in being.
    HANDLE holder = CreateThread(nullptr, 0, TakeTurnAndEnd, &turn, 0, nullptr);
    ASSERT_NE(holder, nullptr);
    WaitForSingleObject(holder, INFINITE);
    CloseHandle(holder);
    ASSERT_NE(turn, nullptr);
    EXPECT_EQ(RunQuietly("/U /Quiet /NDSUsr:alpha /MSUsr:alpha /MSPass:a2 /Mode:2"), 0);
    EXPECT_EQ(At(kWinlogon, "DefaultUserName"), "SZ:alpha");

    // Held here for the whole run: it waits its 60 seconds, then ends unwritten.
    ASSERT_EQ(WaitForSingleObject(turn, 0), WAIT_OBJECT_0);
    const auto before = Snapshot();
    SentrelRun run("/U /Quiet /Log:" + log_ + " /NDSUsr:beta /MSUsr:beta /MSPass:b2 /Mode:2");
    std::vector<std::string> windows;
    const DWORD started = GetTickCount();
    EXPECT_EQ(run.FinishWatchingForWindows(&windows, 120000), 1);
    EXPECT_GE(GetTickCount() - started, 59000u);
    EXPECT_EQ(windows, std::vector<std::string>{});
    EXPECT_EQ(Snapshot(), before);
    EXPECT_NE(LogText().find(std::string("Nothing was changed: ") + kMsgRunTurnTimedOut),
              std::string::npos)
        << LogText();
    ReleaseMutex(turn);
    CloseHandle(turn);
}

// A name with a letter beyond ASCII reaches the registry in the ANSI code page whatever the
// encoding of the response file; a line that is no switch stops the run before any write.
TEST_P(QuietAndLog, AResponseFileInUtf16OrUtf8StoresTheNameInTheAnsiCodePage) {
    char folder[MAX_PATH] = {};
    GetTempPathA(sizeof folder, folder);
    const std::string file = std::string(folder) + "sentrel-e2e-encoded.txt";
    auto write = [&](const std::string& bytes) {
        std::ofstream(file, std::ios::binary) << bytes;
    };
    std::string utf16 = "\xFF\xFE";
    for (char c : std::string("/U\r\n/Quiet\r\n/MSUsr:M\xFCller\r\n/Mode:1\r\n"))
        (utf16 += c) += '\0';  // every character here is below U+0100
    for (const std::string& bytes :
         {utf16, std::string("/U\n/Quiet\n/MSUsr:M\xC3\xBCller\n/Mode:1\n")}) {
        RebuildWithThirdPartyDialog(false, "MSGINA.DLL");
        write(bytes);
        EXPECT_EQ(RunQuietly("@" + file), 0);
        const std::optional<StoredValue> user = GetValue(store(), kWinlogon, "DefaultUserName");
        ASSERT_TRUE(user);
        EXPECT_EQ(user->data, (Bytes{0x4D, 0xFC, 0x6C, 0x6C, 0x65, 0x72, 0x00}));
    }
    RebuildWithThirdPartyDialog(false, "MSGINA.DLL");
    const auto before = Snapshot();
    write("/U\r\n/MSUsr:kiosk\r\n/MSPass:x\r\n/NDSUSR:kiosk1\r\n/Mode:1\r\n");
    EXPECT_EQ(RunQuietly("/Quiet @" + file + " \"/Log:" + log_ + "\""), 1);
    EXPECT_EQ(Snapshot(), before);
    EXPECT_NE(LogText().find("line 4 \"/NDSUSR:****\" is no switch of Sentrel; it is written "
                             "/NDSUsr:"),
              std::string::npos)
        << LogText();
    DeleteFileA(file.c_str());
}

INSTANTIATE_TEST_SUITE_P(Wine, QuietAndLog, ::testing::ValuesIn(WineRegistryOnly()),
                         test::StoreName);

}  // namespace
}  // namespace sentrel::e2e
