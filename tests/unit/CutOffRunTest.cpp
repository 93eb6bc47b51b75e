// A run cut off before any of its changes (a power cut, a killed process) never leaves
// automatic logon on with a mix of old and new values, and the next start puts the machine
// back byte for byte; a put-back cut off in turn is finished by the start after it.
#include "logon/CutOffRun.h"
#include "logon/ProgramKey.h"
#include "logon/RunJournal.h"
#include "platform/SecurityDescriptor.h"
#include "support/CuttingStore.h"
#include "support/Descriptors.h"
#include "support/Detected.h"
#include "support/PlantedJournal.h"
#include "support/RefusingStore.h"
#include "ui/FormActions.h"
#include "support/RoadsFixture.h"

namespace sentrel::test {
namespace {

class CutOff : public Roads {
protected:
    // Every road of the all-or-nothing sweep, and a change of credentials on a machine that
    // logs on by itself and locks.
    std::vector<Road> CutRoads() const {
        std::vector<Road> roads(std::begin(kRoads), std::end(kRoads));
        roads.push_back({false, "/U /NDSTree:T /NDSUsr:new /NDSPass:p1 /MSUsr:new /MSPass:q1 "
                                "/RunScript /LockWS /Mode:0"});
        return roads;
    }
    // Whether anything would log on by itself at the next start.
    bool AutoLogonOn(bool windows9x) {
        if (windows9x) return GetValue(memory, kRun, "Default").has_value();
        auto is = [&](const std::string& key, const char* name) {
            std::optional<StoredValue> value = GetValue(memory, key, name);
            return value && value->data == Sz("1");
        };
        return is(kWinlogon, "AutoAdminLogon") || is(kLogin, "AutoAdminLogon") ||
               is(kNwgina, "NetWareAutoAdminLogon");
    }
    bool Locked() { return GetValue(memory, kRun, "ForceAutoLock").has_value(); }
    // Never on with a mix, never on without its lock: with anything logging on, the rest is
    // all old or all new, and the lock is there where the side in force (before or as asked)
    // has it.
    void ExpectGuarded(bool windows9x, const std::vector<std::string>& before,
                       const std::vector<std::string>& asked, bool lockBefore, bool lockAsked,
                       int* mixed) {
        const std::vector<std::string> now = Settings(windows9x);
        if (now != before && now != asked) {
            EXPECT_FALSE(AutoLogonOn(windows9x)) << ::testing::PrintToString(Difference(now, before));
            if (mixed) ++*mixed;
        }
        if (AutoLogonOn(windows9x) && ((now == before && lockBefore) || (now == asked && lockAsked))) {
            EXPECT_TRUE(Locked());
        }
    }
    // The registry without the switches of automatic logon, the journal and the empty keys it
    // is kept in: what the machine logs on with, once something switches it on.
    std::vector<std::string> Settings(bool windows9x) {
        std::vector<std::string> lines = Dump(memory);
        const std::vector<std::string> switches =
            windows9x ? std::vector<std::string>{kRun + " | Default ="}
                      : std::vector<std::string>{kWinlogon + " | AutoAdminLogon =",
                                                 kLogin + " | AutoAdminLogon =",
                                                 kNwgina + " | NetWareAutoAdminLogon =",
                                                 kRun + " | ForceAutoLock ="};
        std::erase_if(lines, [&](const std::string& line) {
            for (const std::string& name : switches)
                if (UpperAscii(line).starts_with(UpperAscii(name))) return true;
            return line.find("Pellam\\Sentrel\\Journal") != std::string::npos ||
                   line == "[SOFTWARE\\Pellam]" || line == "[SOFTWARE\\Pellam\\Sentrel]";
        });
        return lines;
    }
    bool JournalLeft() {
        const std::vector<std::string> keys = SubkeyNames(memory, "SOFTWARE\\Pellam\\Sentrel");
        return std::find(keys.begin(), keys.end(), "Journal") != keys.end();
    }
    // A dump without the program's own keys where they hold nothing.
    static std::vector<std::string> Without(std::vector<std::string> lines) {
        for (const char* key : {"SOFTWARE\\Pellam\\Sentrel", "SOFTWARE\\Pellam"}) {
            const std::string head = std::string("[") + key + "]";
            auto at = std::find(lines.begin(), lines.end(), head);
            const bool empty = at != lines.end() &&
                               (at + 1 == lines.end() || (!at[1].starts_with(std::string(key) + " |") &&
                                                              !at[1].starts_with("[" + std::string(key) + "\\")));
            if (empty) lines.erase(at);
        }
        return lines;
    }
    std::vector<std::string> WithoutEmptyProgramKeys() { return Without(Dump(memory)); }
    // The deletion of a key the journal was kept in, once the journal is gone.
    static bool EmptyKeyDeletion(const std::string& step) {
        return step == "DeleteKey HKLM\\SOFTWARE\\Pellam\\Sentrel" ||
               step == "DeleteKey HKLM\\SOFTWARE\\Pellam";
    }
    // A run cut off before its change number cut; gives whether it was cut.
    bool RunCutBefore(std::size_t cut, const std::string& arguments) {
        CuttingStore cutting(memory);
        cutting.CutBefore(cut);
        try {
            Run(cutting, arguments);
        } catch (const RunCutOff&) {
            return true;
        }
        return false;
    }
    // The next start of the program: the window, which writes nothing of its own.
    std::vector<std::string> StartWindow(RegistryStore& through) {
        Run(through, "");
        return platform.MessageTexts();
    }
};

TEST_F(CutOff, AtEveryChangeTheMachineIsAsItWasAsAskedOrOffAndTheNextStartPutsItBack) {
    const std::vector<Road> roads = CutRoads();
    int cuts = 0, mixed = 0, putBack = 0;
    ForEveryStart(
        [&](const Road& road, Machine start) {
            Begin(road.windows9x, start);
            const std::vector<std::string> before = Dump(memory);
            CuttingStore counted(memory);
            ASSERT_EQ(Run(counted, road.arguments), kExitDone);
            const std::size_t changes = counted.Changes();
            const std::vector<std::string> asked = Dump(memory);
            const std::vector<std::string> askedSettings = Settings(road.windows9x);
            const bool lockAsked = Locked();
            Begin(road.windows9x, start);
            const std::vector<std::string> beforeSettings = Settings(road.windows9x);
            const bool lockBefore = Locked();
            for (std::size_t cut = 0; cut < changes; ++cut) {
                SCOPED_TRACE("cut before change " + std::to_string(cut) + ": " +
                             counted.Steps()[cut]);
                // A second fault: the write refused there, and the first write of its undo too.
                Begin(road.windows9x, start);
                RefusingStore refusing(memory);
                refusing.Refuse(cut);
                refusing.RefuseToo(cut + 1);
                if (Run(refusing, road.arguments) == kExitFailed) {
                    ExpectGuarded(road.windows9x, beforeSettings, askedSettings, lockBefore,
                                  lockAsked, nullptr);
                    StartWindow(memory);
                    EXPECT_EQ(Difference(WithoutEmptyProgramKeys(), Without(before)),
                              std::vector<std::string>{});
                }
                Begin(road.windows9x, start);
                ASSERT_TRUE(RunCutBefore(cut, road.arguments));
                ++cuts;
                ExpectGuarded(road.windows9x, beforeSettings, askedSettings, lockBefore, lockAsked,
                              &mixed);
                const bool journal = JournalLeft();
                const std::vector<std::string> said = StartWindow(memory);
                if (journal) {
                    // Put back byte for byte, and said so.
                    ++putBack;
                    EXPECT_EQ(Difference(Dump(memory), before), std::vector<std::string>{});
                    ASSERT_FALSE(said.empty());
                    EXPECT_TRUE(said[0].starts_with("An earlier run was cut off (started ")) << said[0];
                    EXPECT_TRUE(said[0].ends_with("); its changes were put back.")) << said[0];
                } else {
                    // Cut before its journal, or once every change was written and the journal
                    // gone; in the instant between that and the deletion of the empty keys the
                    // journal made to be kept in, those keys are all that is left.
                    const bool emptyKeysLeft = EmptyKeyDeletion(counted.Steps()[cut]);
                    const std::vector<std::string> left =
                        emptyKeysLeft ? WithoutEmptyProgramKeys() : Dump(memory);
                    EXPECT_TRUE(left == before || left == asked)
                        << ::testing::PrintToString(Difference(left, before));
                    EXPECT_TRUE(said.empty());
                }
                EXPECT_EQ(Run(memory, road.arguments), kExitDone);
                EXPECT_EQ(Difference(EmptyKeyDeletion(counted.Steps()[cut]) ? WithoutEmptyProgramKeys()
                                                                          : Dump(memory),
                                     asked),
                          std::vector<std::string>{});
            }
        },
        roads);
    EXPECT_GT(cuts, 2000);
    EXPECT_GT(mixed, 500);  // most cuts fall between two changes of the machine itself
    EXPECT_GT(putBack, 1500);
}

TEST_F(CutOff, APutBackCutOffInTurnIsFinishedByTheStartAfterIt) {
    const std::vector<Road> roads = CutRoads();
    int putBackCuts = 0;
    for (const Road& road : {roads[0], roads[5], roads.back()}) {
        SCOPED_TRACE(road.arguments);
        Begin(road.windows9x, Machine::SetUp);
        const std::vector<std::string> before = Dump(memory);
        const std::vector<std::string> beforeSettings = Settings(road.windows9x);
        const bool lockBefore = Locked();
        CuttingStore counted(memory);
        ASSERT_EQ(Run(counted, road.arguments), kExitDone);
        const std::vector<std::string> askedSettings = Settings(road.windows9x);
        const bool lockAsked = Locked();
        const std::size_t changes = counted.Changes();
        // In its journal's changes, among the run's own, as it switches on, before the end.
        for (std::size_t cut : {changes / 4, changes / 2, changes * 3 / 4, changes - 3}) {
            SCOPED_TRACE("run cut before change " + std::to_string(cut));
            Begin(road.windows9x, Machine::SetUp);
            ASSERT_TRUE(RunCutBefore(cut, road.arguments));
            if (!JournalLeft()) continue;  // cut once it was done: nothing to put back
            const std::vector<std::string> cutOff = Dump(memory);
            CuttingStore putBack(memory);
            StartWindow(putBack);
            ASSERT_EQ(Difference(Dump(memory), before), std::vector<std::string>{})
                << ::testing::PrintToString(platform.MessageTexts());
            for (std::size_t second = 0; second < putBack.Changes(); ++second) {
                SCOPED_TRACE("put-back cut before " + putBack.Steps()[second]);
                Begin(road.windows9x, Machine::SetUp);
                ASSERT_TRUE(RunCutBefore(cut, road.arguments));
                ASSERT_EQ(Dump(memory), cutOff);
                CuttingStore cutting(memory);
                cutting.CutBefore(second);
                EXPECT_THROW(StartWindow(cutting), RunCutOff);
                ExpectGuarded(road.windows9x, beforeSettings, askedSettings, lockBefore,
                              lockAsked, nullptr);
                StartWindow(memory);
                EXPECT_EQ(Difference(EmptyKeyDeletion(putBack.Steps()[second])
                                         ? WithoutEmptyProgramKeys()
                                         : Dump(memory),
                                     before),
                          std::vector<std::string>{});
                ++putBackCuts;
            }
        }
    }
    EXPECT_GT(putBackCuts, 100);
}

// The journal is on disk before the first change and goes only once every change is; it is
// closed to everyone but Administrators and SYSTEM before it holds anything; a run with
// nothing to change writes and flushes nothing.
TEST_F(CutOff, TheJournalIsFlushedFirstAndDeletedLastAndOnlyAdministratorsMayReadIt) {
    for (const Road& road : {kRoads[0], kRoads[5]}) {
        SCOPED_TRACE(road.arguments);
        Begin(road.windows9x, Machine::SetUp);
        CuttingStore counted(memory);
        ASSERT_EQ(Run(counted, road.arguments), kExitDone);
        const std::vector<std::string>& steps = counted.Steps();
        const std::string journal = "HKLM\\SOFTWARE\\Pellam\\Sentrel\\Journal";
        auto first = [&](const std::string& step) {
            return std::find(steps.begin(), steps.end(), step) - steps.begin();
        };
        auto own = [&](const std::string& step) { return step.find(journal) != std::string::npos; };
        const auto firstChange =
            std::find_if(steps.begin(), steps.end(), [&](const std::string& step) {
                return !own(step) && !step.starts_with("CreateKey HKLM\\SOFTWARE\\Pellam");
            }) - steps.begin();
        EXPECT_EQ(first("CreateKey " + journal), 0);
        EXPECT_EQ(first("SetKeySecurity " + journal), 1);
        EXPECT_LT(first("FlushKey " + journal), firstChange);
        const auto deleted = first("DeleteKey " + journal);
        ASSERT_LT(deleted, static_cast<long>(steps.size()));
        // Every key written is on disk before the journal goes, and before the first switch is
        // written on (the last write of the Winlogon or Run-list switch), whatever its hive.
        const std::string onStep = road.windows9x ? "SetValue " + std::string("HKLM\\") + kRun + "|Default"
                                                  : "SetValue HKLM\\" + kWinlogon + "|AutoAdminLogon";
        const long switchOn =
            std::find(steps.rbegin(), steps.rend(), onStep).base() - steps.begin() - 1;
        ASSERT_GT(switchOn, firstChange);
        for (long at = firstChange; at < deleted; ++at) {
            if (!steps[at].starts_with("SetValue ") && !steps[at].starts_with("DeleteValue "))
                continue;
            const std::string key = steps[at].substr(steps[at].find(' ') + 1,
                                                     steps[at].find('|') - steps[at].find(' ') - 1);
            const auto flushed = std::find(steps.begin() + at, steps.end(), "FlushKey " + key);
            EXPECT_LT(flushed - steps.begin(), at < switchOn ? switchOn : deleted) << key;
        }
        EXPECT_TRUE(steps.back().starts_with("FlushKey ")) << steps.back();

        // An undo is on disk before its journal goes.
        Begin(road.windows9x, Machine::SetUp);
        RefusingStore refusing(memory);
        // The second of the run's own writes (the first writes a switch off).
        auto isWrite = [](const std::string& step) {
            return !step.starts_with("FlushKey ") && !step.starts_with("SetKeySecurity ");
        };
        const std::size_t refused =
            std::count_if(steps.begin(), steps.begin() + firstChange, isWrite) + 1;
        refusing.Refuse(refused);
        CuttingStore undone(refusing);
        ASSERT_EQ(Run(undone, road.arguments), kExitFailed);
        const std::vector<std::string>& undo = undone.Steps();
        auto at = undo.begin();
        for (std::size_t writes = 0; at != undo.end(); ++at)
            if (isWrite(*at) && writes++ == refused) break;
        ASSERT_LT(at - undo.begin(), switchOn);
        const auto gone = std::find(at, undo.end(), "DeleteKey " + journal);
        ASSERT_NE(gone, undo.end());
        EXPECT_NE(std::find_if(at, gone,
                               [&](const std::string& step) {
                                   return step.starts_with("FlushKey ") && !own(step);
                               }),
                  gone);

        Begin(road.windows9x, Machine::SetUp);
        ASSERT_TRUE(RunCutBefore(3, road.arguments));
        EXPECT_EQ(memory.SecurityOf(kHkeyLocalMachine, "SOFTWARE\\Pellam\\Sentrel\\Journal"),
                  ProgramKeySecurity());

        Begin(road.windows9x, Machine::SetUp);
        ASSERT_EQ(Run(memory, road.arguments), kExitDone);
        CuttingStore repeat(memory);
        ASSERT_EQ(Run(repeat, road.arguments), kExitDone);
        EXPECT_EQ(repeat.Steps(), std::vector<std::string>{});
    }
}

// What the unattended doors say of a journal left behind: the real run puts it back first and
// records so; /WhatIf and /Check write nothing, say what a run would do, and /Check gives 4; a
// put-back the registry refuses stops the run, names what is not put back and keeps the journal.
TEST_F(CutOff, TheDoorsSayWhatTheyDoOfAJournalLeftBehind) {
    const std::string log = " /Quiet /Log:C:\\r.log";
    auto record = [&] { return platform.files["C:\\r.log"]; };
    const Road& road = kRoads[0];
    Begin(false, Machine::SetUp);
    const std::vector<std::string> before = Dump(memory);
    ASSERT_EQ(Run(memory, std::string(road.arguments)), kExitDone);
    const std::vector<std::string> asked = Dump(memory);
    Begin(false, Machine::SetUp);
    CuttingStore counted(memory);
    Run(counted, road.arguments);
    const std::size_t middle = counted.Changes() / 2;

    Begin(false, Machine::SetUp);
    ASSERT_TRUE(RunCutBefore(middle, road.arguments));
    const std::vector<std::string> cutOff = Dump(memory);
    for (const char* dry : {" /WhatIf", " /Check"}) {
        platform.files.clear();
        EXPECT_EQ(Run(memory, road.arguments + std::string(dry) + log),
                  dry[2] == 'C' ? kExitWouldChange : kExitDone);
        EXPECT_EQ(Dump(memory), cutOff);
        EXPECT_NE(record().find("\r\nAn earlier run was cut off; a run would put its changes back "
                                "first.\r\nWould change:\r\n"),
                  std::string::npos)
            << record();
    }
    // What it lists is what the real run writes after the put-back: here, the same as a run
    // on the machine as it was.
    platform.files.clear();
    ASSERT_EQ(Run(memory, std::string(road.arguments) + log), kExitDone);
    EXPECT_EQ(Dump(memory), asked);
    // What it found is the machine as the cut left it (its switches off); the put-back's own
    // lines follow its sentence, the switches going back on.
    EXPECT_NE(record().find("\r\nIn force before: mode mixed, login script 1, result window 0, "
                            "lock 1, NDS tree T, NDS context , NDS server , NDS user old,"),
              std::string::npos)
        << record();
    const std::size_t line = record().find("\r\nAn earlier run was cut off (started 20");
    EXPECT_NE(line, std::string::npos) << record();
    EXPECT_NE(record().find("); its changes were put back.\r\nValue: HKLM\\SOFTWARE\\Microsoft"
                            "\\Windows NT\\CurrentVersion\\WinLogon | AutoAdminLogon | REG_SZ | "
                            "\"0\" -> \"1\"\r\n",
                            line),
              std::string::npos)
        << record();

    // A run whose own writers fail after the put-back says what was put back, and that
    // nothing of its own was written.
    Begin(false, Machine::SetUp);
    ASSERT_TRUE(RunCutBefore(middle, road.arguments));
    platform.files.clear();
    platform.messageBoxes.clear();
    EXPECT_EQ(Run(memory, "/U /MSUsr:w /Mode:9 /Log:C:\\r.log"), kExitFailed);
    EXPECT_EQ(Dump(memory), before);
    const std::size_t failed = record().find("\r\nNothing of this run was written: Mode switch");
    EXPECT_NE(failed, std::string::npos) << record();
    EXPECT_LT(record().find("); its changes were put back.\r\nValue: "), failed);
    ASSERT_FALSE(platform.MessageTexts().empty());
    EXPECT_TRUE(platform.MessageTexts().back().ends_with(
        "); its changes were put back. Nothing of this run was written."))
        << platform.MessageTexts().back();

    // A value that cannot be put back: nothing of the run's own, the journal kept.
    Begin(false, Machine::SetUp);
    ASSERT_TRUE(RunCutBefore(middle, road.arguments));
    memory.Deny(kHkeyLocalMachine, kWinlogon);
    platform.files.clear();
    EXPECT_EQ(Run(memory, std::string(road.arguments) + log), kExitFailed);
    memory.Deny(kHkeyLocalMachine, kWinlogon, false);
    EXPECT_EQ(Dump(memory), cutOff);
    EXPECT_NE(record().find("\r\nNothing was changed: An earlier run was cut off (started 20"),
              std::string::npos)
        << record();
    EXPECT_NE(record().find("and its changes could not be put back: Failed to open key "
                            "\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\WinLogon. Check the "
                            "journal HKLM\\SOFTWARE\\Pellam\\Sentrel\\Journal, then remove it with: reg "
                            "delete"),
              std::string::npos)
        << record();
    StartWindow(memory);
    EXPECT_EQ(Dump(memory), before);
}

// A journal the program cannot read (a damaged value), or that is not provably its own (one
// that others may write or own, or that names what the program never writes), is never
// obeyed: every start that would write stops, writes nothing and says where it is.
TEST_F(CutOff, AJournalNotProvablyTheProgramsStopsTheRunUnwrittenAndSaysWhereItIs) {
    const std::string journal = "SOFTWARE\\Pellam\\Sentrel\\Journal";
    const std::string notOwn =
        "The journal HKLM\\SOFTWARE\\Pellam\\Sentrel\\Journal may have been changed by others "
        "than administrators, so it is not put back. Check it, then remove it with: reg delete "
        "\"HKLM\\SOFTWARE\\Pellam\\Sentrel\\Journal\" /f\r\n\r\nNothing was changed.";
    const std::string unreadable =
        "Cannot read the journal HKLM\\SOFTWARE\\Pellam\\Sentrel\\Journal. Check it, then remove it "
        "with: reg delete \"HKLM\\SOFTWARE\\Pellam\\Sentrel\\Journal\" /f\r\n\r\nNothing was changed.";
    // The debugger of sethc.exe: a prompt at the logon screen.
    auto entry = [](const std::string& path, const std::string& name) {
        return PlantedValueEntry(path, name, "cmd.exe");
    };
    const std::string ifeo =
        "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Image File Execution Options\\sethc.exe";
    const Bytes everyoneWrites = Descriptor(kAdministratorsSid, {{kAdministratorsSid, 0xF003F},
                                                                 {kEveryoneSid, 0x2}});
    const Bytes userOwns = Descriptor(kUserSid, {{kAdministratorsSid, 0xF003F}});
    const Bytes passedDown = Descriptor(kSystemSid, {{kEveryoneSid, 0xF003F, 0x0A}});
    const struct {
        const char* name;
        Bytes value;
        Bytes security;
        const std::string* said;
    } cases[] = {
        {"damaged", Sz("not an entry"), {}, &unreadable},
        {"foreign key", entry(ifeo, "Debugger"), {}, &notOwn},
        {"foreign Winlogon value", entry(kWinlogon, "Userinit"), {}, &notOwn},
        {"Everyone may write", entry(kWinlogon, "DefaultPassword"), everyoneWrites, &notOwn},
        {"a user owns it", entry(kWinlogon, "DefaultPassword"), userOwns, &notOwn},
        {"inherited as NT leaves it", entry(kWinlogon, "DefaultPassword"), InheritedFromSoftware(),
         &notOwn},
        // What only passes to keys made below grants nothing on the journal itself.
        {"its own", entry(kWinlogon, "DefaultPassword"), passedDown, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Begin(false, Machine::SetUp);
        PutValue(memory, journal, "1", c.value[0] == 0 ? kRegBinary : kRegSz, c.value);
        if (!c.security.empty()) {
            ScopedKey key(memory);
            memory.OpenKey(kHkeyLocalMachine, journal, kKeyAllAccess, key.Out());
            memory.SetKeySecurity(key.Get(), c.security);
        }
        const std::vector<std::string> before = Dump(memory);
        EXPECT_EQ(Run(memory, kRoads[0].arguments), c.said ? kExitFailed : kExitDone);
        if (!c.said) {
            EXPECT_FALSE(JournalLeft());
            continue;
        }
        EXPECT_EQ(Dump(memory), before);
        ASSERT_FALSE(platform.MessageTexts().empty());
        EXPECT_EQ(platform.MessageTexts()[0], *c.said);
    }
}

// What counts as only the administrators' to change: owner Administrators or SYSTEM, and no
// entry that lets anyone else write; a list that says nothing (everyone) or is damaged counts not.
TEST(ProgramKey, OnlyAListThatLetsNoOneButAdministratorsWriteCounts) {
    const Bytes own = ProgramKeySecurity();
    Bytes nullList = own;
    nullList[2] &= ~0x04;  // no access list present: everyone may do everything
    const struct {
        const char* name;
        Bytes descriptor;
        bool counts;
    } cases[] = {
        {"the program's own", own, true},
        {"owned by SYSTEM, Everyone may read", Descriptor(kSystemSid, {{kEveryoneSid, 0x20019}}), true},
        {"Everyone may write, but only below", Descriptor(kAdministratorsSid, {{kEveryoneSid, 0xF003F, 0x0A}}), true},
        {"Everyone may set values", Descriptor(kAdministratorsSid, {{kEveryoneSid, 0x2}}), false},
        {"Users may change the list", Descriptor(kAdministratorsSid, {{kUsersSid, 0x40000}}), false},
        {"Power Users generic write", Descriptor(kAdministratorsSid, {{kPowerUsersSid, 0x40000000}}), false},
        {"inherited from SOFTWARE", InheritedFromSoftware(), false},
        {"owned by a user", Descriptor(kUserSid, {{kAdministratorsSid, 0xF003F}}), false},
        {"no access list", nullList, false},
        {"cut short", Bytes(own.begin(), own.end() - 20), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(OnlyAdministratorsMayChange(c.descriptor, kKeyChangeRights), c.counts);
    }
}

// A run may be cut off while the window waits for its turn: Enable puts that run back first,
// says so, and then writes what the window asks.
TEST_F(CutOff, TheWindowsEnablePutsBackARunCutOffWhileItWaited) {
    Begin(false, Machine::SetUp);
    ASSERT_EQ(Run(memory, "/U /MSUsr:w /MSPass:q /Mode:1"), kExitDone);
    const std::vector<std::string> asked = Dump(memory);
    Begin(false, Machine::SetUp);
    CuttingStore counted(memory);
    ASSERT_EQ(Run(counted, kRoads[4].arguments), kExitDone);  // the run that will be cut
    Begin(false, Machine::SetUp);
    ASSERT_TRUE(RunCutBefore(counted.Changes() / 2, kRoads[4].arguments));
    ASSERT_TRUE(JournalLeft());
    platform.messageBoxes.clear();
    ProgramState windowState{"", "Default"};
    FormState window;
    window.settings.MsUser = "w";
    window.settings.MsPassword = "q";
    window.SetAllModeEntries();
    window.modeIndex = 1;  // mode 1
    const Environment detected = Detected(platform, true);
    LogonContext context{memory, platform, windowState, detected};
    EnableClicked(context, window);
    ASSERT_GE(platform.MessageTexts().size(), 2u);
    EXPECT_TRUE(platform.MessageTexts()[0].starts_with("An earlier run was cut off (started "))
        << platform.MessageTexts()[0];
    EXPECT_EQ(Difference(Dump(memory), asked), std::vector<std::string>{});
}

}  // namespace
}  // namespace sentrel::test
