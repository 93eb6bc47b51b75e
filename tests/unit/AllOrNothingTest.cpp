// A run changes the registry exactly as asked or not at all, through the real unattended run:
// a refusal at any key or at any write leaves every byte as it was; a refusal while putting
// back is named; a repeat writes nothing; runs take turns.
#include <algorithm>
#include <functional>

#include "app/RecordedRun.h"
#include "logon/AllOrNothing.h"
#include "platform/RunTurnMutex.h"
#include "support/Detected.h"
#include "support/RefusingStore.h"
#include "support/RoadsFixture.h"
#include "switches/Switches.h"
#include "ui/FormActions.h"

namespace sentrel::test {
namespace {

using namespace keys;

class AllOrNothing : public Roads {};

TEST_F(AllOrNothing, ARefusalAtAnyKeyOrAnyWriteLeavesEveryByteAsItWas) {
    int refusals = 0;
    ForEveryStart([&](const Road& road, Machine start) {
        Begin(road.windows9x, start);
        RefusingStore counted(memory);
        RecordingStore recorded(counted);
        ASSERT_EQ(Run(recorded, road.arguments), kExitDone);
        const std::vector<std::string> asked = Dump(memory);
        const std::size_t writes = counted.Writes();
        const std::vector<std::string> keysUsed = recorded.KeysUsed();

        for (std::size_t refused = 0; refused < writes; ++refused) {
            SCOPED_TRACE("write " + std::to_string(refused) + " refused");
            Begin(road.windows9x, start);
            const std::vector<std::string> before = Dump(memory);
            RefusingStore refusing(memory);
            refusing.Refuse(refused);
            if (Run(refusing, road.arguments) == kExitDone) {
                // Once the journal is gone nothing undoes the run: an empty key it was kept in
                // that cannot be deleted stays, and that is all.
                for (const std::string& line : Difference(Dump(memory), asked))
                    EXPECT_TRUE(line.starts_with("+ [SOFTWARE\\Pellam")) << line;
                EXPECT_GE(refused + 2, writes);
                continue;
            }
            EXPECT_EQ(Difference(Dump(memory), before), std::vector<std::string>{});
            ASSERT_EQ(platform.MessageTexts().size(), 1u);
            EXPECT_TRUE(platform.MessageTexts()[0].ends_with("\r\n\r\nNothing was changed."))
                << platform.MessageTexts()[0];
            ++refusals;
        }
        for (const std::string& key : keysUsed) {
            SCOPED_TRACE("denied: " + key);
            Begin(road.windows9x, start);
            // A key denied is made where it was missing: the dump is taken with it there.
            memory.Deny(kHkeyLocalMachine, key.substr(5));
            memory.Deny(kHkeyLocalMachine, key.substr(5), false);
            const std::vector<std::string> before = Dump(memory);
            memory.Deny(kHkeyLocalMachine, key.substr(5));
            const int exitCode = Run(memory, road.arguments);
            memory.Deny(kHkeyLocalMachine, key.substr(5), false);
            // A key the run only reads may be denied; one it must write stops it unwritten.
            if (exitCode == kExitDone) continue;
            EXPECT_EQ(exitCode, kExitFailed);
            EXPECT_EQ(Difference(Dump(memory), before), std::vector<std::string>{});
            ++refusals;
        }
    });
    EXPECT_GT(refusals, 1000);
}

TEST_F(AllOrNothing, WhatCannotBePutBackIsNamedInTheBoxAndTheRecord) {
    const char* const kLog = "C:\\sentrel.log";
    const std::size_t journal = JournalWrites(false, Machine::SetUp, kRoads[1].arguments);
    Begin(false, Machine::SetUp);
    const std::vector<std::string> before = Dump(memory);
    RefusingStore refusing(memory);
    // The fifth change fails, and so does putting back the four before it.
    refusing.Refuse(journal + 4, true);
    EXPECT_EQ(Run(refusing, std::string(kRoads[1].arguments) + " /Quiet /Log:" + kLog),
              kExitFailed);
    const std::string& record = platform.files[kLog];
    EXPECT_NE(record.find("\r\nLeft changed, could not be put back: Failed to "),
              std::string::npos) << record;
    EXPECT_NE(record.find("\r\nAutomatic logon is off until a start of Sentrel puts the rest "
                          "back.\r\n"),
              std::string::npos) << record;
    // What is really left is what the record names: each value now other than before, and
    // no other change line.
    const std::vector<std::string> left = Difference(Dump(memory), before);
    std::vector<std::string> named;
    for (const std::string& line : left) {
        // The journal stays, for the next start to put back what this run could not.
        if (line.find("Pellam") != std::string::npos || line.find(" = ") == std::string::npos)
            continue;
        const std::string value = line.substr(2, line.find(" = ") - 2);  // "path | name"
        if (std::find(named.begin(), named.end(), value) != named.end()) continue;
        EXPECT_NE(UpperAscii(record).find(UpperAscii("HKLM\\" + value + " | ")), std::string::npos)
            << value;
        named.push_back(value);
    }
    EXPECT_EQ(named.size(), 4u) << ::testing::PrintToString(left);
    EXPECT_FALSE(SubkeyNames(memory, "SOFTWARE\\Pellam\\Sentrel\\Journal").empty() &&
                 ValueNames(memory, "SOFTWARE\\Pellam\\Sentrel\\Journal").empty());
    std::size_t changeLines = 0;
    for (std::size_t at = 0; (at = record.find("\r\nValue: ", at)) != std::string::npos; ++at)
        ++changeLines;
    EXPECT_EQ(changeLines, 4u) << record;
    EXPECT_EQ(record.find("Result: exit code 0"), std::string::npos);
    EXPECT_EQ(record.find("q\r\n"), std::string::npos);  // the password of the change lines

    // Put back whole: the record says that nothing was changed, and why.
    Begin(false, Machine::SetUp);
    platform.files.clear();
    RefusingStore once(memory);
    once.Refuse(journal + 4);
    EXPECT_EQ(Run(once, std::string(kRoads[1].arguments) + " /Quiet /Log:" + kLog), kExitFailed);
    EXPECT_NE(platform.files[kLog].find("\r\nNothing was changed: Failed to "), std::string::npos)
        << platform.files[kLog];
    EXPECT_EQ(platform.files[kLog].find("Left changed"), std::string::npos);

    // Unquiet, the box names the keys and values left, and never their data.
    Begin(false, Machine::SetUp);
    RefusingStore again(memory);
    again.Refuse(journal + 4, true);
    Run(again, kRoads[1].arguments);
    ASSERT_EQ(platform.MessageTexts().size(), 1u);
    const std::string box = platform.MessageTexts()[0];
    EXPECT_NE(box.find("\r\n\r\nThese changes could not be put back:\r\nHKLM\\"), std::string::npos)
        << box;
    EXPECT_EQ(box.find("Nothing was changed"), std::string::npos);
    EXPECT_TRUE(box.ends_with("\r\n\r\nAutomatic logon is off until a start of Sentrel puts the "
                              "rest back."))
        << box;
}

TEST_F(AllOrNothing, ARepeatWritesNothingAndSaysSo) {
    ForEveryStart([&](const Road& road, Machine start) {
        Begin(road.windows9x, start);
        ASSERT_EQ(Run(memory, road.arguments), kExitDone);
        store.Clear();
        ASSERT_EQ(Run(store, std::string(road.arguments) + " /Quiet /Log:C:\\r.log"), kExitDone);
        for (const RegistryEvent& e : store.Events())
            EXPECT_TRUE(e.kind == RegistryEvent::Open) << e.path << "|" << e.name;
        EXPECT_NE(platform.files["C:\\r.log"].find("\r\nNo registry change.\r\n"),
                  std::string::npos);
    });
}

TEST_F(AllOrNothing, RunsTakeTurnsAndOneThatWaitsTooLongWritesNothing) {
    Begin(false, Machine::Clean);
    EXPECT_EQ(Run(memory, kRoads[0].arguments), kExitDone);
    // Once to look for a cut-off run's journal at the start, once for the plan and its writing.
    EXPECT_EQ(platform.runTurnWaits, (std::vector<std::uint32_t>{60000, 60000}));
    EXPECT_EQ(platform.runTurnsHeld, 0);  // given back
    const std::vector<std::string> before = Dump(memory);
    platform.runTurnFree = false;
    EXPECT_EQ(Run(memory, kRoads[4].arguments), kExitFailed);
    EXPECT_EQ(platform.MessageTexts(),
              std::vector<std::string>{"Another Sentrel run on this computer did not end within "
                                       "60 seconds\r\n\r\nNothing was changed."});
    EXPECT_EQ(Difference(Dump(memory), before), std::vector<std::string>{});
    platform.runTurnFree = true;
    RefusingStore refusing(memory);
    refusing.Refuse(0);
    EXPECT_EQ(Run(refusing, kRoads[4].arguments), kExitFailed);
    EXPECT_EQ(platform.runTurnsHeld, 0);  // given back after a failure too
}

// The turn is one object for every account: a mutex this account may not have in full is
// opened for waiting; the plain name is taken only where the system refuses the global one,
// and where no right to wait is granted the run does not go on alone.
TEST(RunTurnMutex, OneObjectForEveryAccountAndNeverAloneBesideARunItMayNotSee) {
    struct Calls : MutexCalls {
        long createGlobal = 0, createLocal = 0;  // the error of each name's create, or 0
        std::uint32_t granted = 0;               // the rights an open is granted
        std::vector<std::string> asked;
        std::uintptr_t Create(const char* name, long* error) override {
            asked.push_back(std::string("create ") + name);
            *error = name == std::string(kRunTurnName) ? createGlobal : createLocal;
            return *error ? 0 : 1;
        }
        std::uintptr_t Open(const char* name, std::uint32_t access, long* error) override {
            asked.push_back("open " + std::to_string(access) + " " + name);
            *error = (access & ~granted) ? kErrorMutexAccessDenied : 0;
            return *error ? 0 : 2;
        }
    };
    const long denied = kErrorMutexAccessDenied, badName = 161;
    const std::string global = kRunTurnName, local = kRunTurnLocalName;
    const struct {
        long createGlobal, createLocal;
        std::uint32_t granted;
        std::uintptr_t mutex;
        bool refused;
        std::vector<std::string> asked;
    } cases[] = {
        {0, 0, 0, 1, false, {"create " + global}},
        {denied, 0, 0x100001, 2, false, {"create " + global, "open 1048577 " + global}},
        {denied, 0, 0x100000, 2, false,
         {"create " + global, "open 1048577 " + global, "open 1048576 " + global}},
        {denied, 0, 0, 0, true,
         {"create " + global, "open 1048577 " + global, "open 1048576 " + global}},
        {badName, 0, 0, 1, false, {"create " + global, "create " + local}},
        {badName, 8, 0, 0, false, {"create " + global, "create " + local}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.asked.back());
        Calls calls;
        calls.createGlobal = c.createGlobal;
        calls.createLocal = c.createLocal;
        calls.granted = c.granted;
        bool refused = !c.refused;
        EXPECT_EQ(OpenRunTurnMutex(calls, &refused), c.mutex);
        EXPECT_EQ(refused, c.refused);
        EXPECT_EQ(calls.asked, c.asked);
    }
}

// The window's buttons take the same road: a refused write leaves the registry as it was, and
// the 9x disable says it is done only once it is.
TEST_F(AllOrNothing, TheWindowsButtonsWriteAllOrNothing) {
    for (bool windows9x : {false, true}) {
        SCOPED_TRACE(windows9x ? "98" : "XP");
        Begin(windows9x, Machine::SetUp);
        const std::vector<std::string> before = Dump(memory);
        ProgramState buttonState{"", "Default"};
        FormState window;
        const Environment detected = Detected(platform, true);
        for (auto button : {&DisableClicked, &EnableClicked}) {
            RefusingStore refusing(memory);
            refusing.Refuse(0);
            LogonContext context{refusing, platform, buttonState, detected};
            EXPECT_THROW(button(context, window), RunError);
        }
        EXPECT_EQ(Difference(Dump(memory), before), std::vector<std::string>{});
        EXPECT_TRUE(platform.messageBoxes.empty());
        LogonContext writable{memory, platform, buttonState, detected};
        DisableClicked(writable, window);
        std::vector<std::string> said{"Auto Login has been disabled"};
        if (windows9x) said.insert(said.begin(), "AutoLogon has been disabled");
        EXPECT_EQ(platform.MessageTexts(), said);
        EXPECT_NE(Dump(memory), before);
    }
}

}  // namespace
}  // namespace sentrel::test
