// The real program killed part-way through a run, on the NT and the 98 road: the next start
// finds its journal, puts the machine back as it was before that run, says so in its record,
// and then runs as asked. The journal may be read by Administrators and SYSTEM only.
#include <aclapi.h>

#include "CutOffDriver.h"
#include "E2eFixture.h"
#include "support/Descriptors.h"
#include "support/PlantedJournal.h"

namespace sentrel::e2e {
namespace {

using namespace test;
using namespace test::keys;

const char* const kJournal = "SOFTWARE\\Pellam\\Sentrel\\Journal";

class CutOff : public E2e {
protected:
    std::string Logged() {
        const std::string text = log_.Text();
        log_.Clear();
        return text;
    }
    std::string Logging() const { return " /Quiet \"/Log:" + log_.Path() + "\""; }
    // The line of a record that begins with head, without its line end.
    static std::string LineOf(const std::string& record, const std::string& head) {
        const std::size_t at = record.find("\r\n" + head);
        if (at == std::string::npos) return "<no " + head + ">";
        return record.substr(at + 2, record.find("\r\n", at + 2) - at - 2);
    }
    bool JournalThere() {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kJournal, 0, KEY_READ, &key) != ERROR_SUCCESS)
            return false;
        RegCloseKey(key);
        return true;
    }
    // The SIDs the journal key's access list allows, in order; "denied" for an entry that is
    // no access-allowed one.
    std::vector<std::string> JournalAllows() {
        std::vector<std::string> sids;
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kJournal, 0, READ_CONTROL, &key) != ERROR_SUCCESS)
            return {"not opened"};
        std::vector<BYTE> buffer(4096);
        DWORD size = static_cast<DWORD>(buffer.size());
        const LONG read = RegGetKeySecurity(key, DACL_SECURITY_INFORMATION, buffer.data(), &size);
        RegCloseKey(key);
        BOOL present = FALSE, defaulted = FALSE;
        PACL acl = nullptr;
        if (read != ERROR_SUCCESS ||
            !GetSecurityDescriptorDacl(buffer.data(), &present, &acl, &defaulted) || !present ||
            !acl)
            return {"no access list"};
        for (DWORD i = 0; i < acl->AceCount; ++i) {
            void* ace = nullptr;
            GetAce(acl, i, &ace);
            auto* header = static_cast<ACE_HEADER*>(ace);
            if (header->AceType != ACCESS_ALLOWED_ACE_TYPE) {
                sids.push_back("denied");
                continue;
            }
            auto* allowed = static_cast<ACCESS_ALLOWED_ACE*>(ace);
            PSID sid = &allowed->SidStart;
            SID_IDENTIFIER_AUTHORITY* authority = GetSidIdentifierAuthority(sid);
            std::string text = "S-1-" + std::to_string(authority->Value[5]);
            for (BYTE n = 0; n < *GetSidSubAuthorityCount(sid); ++n)
                text += "-" + std::to_string(*GetSidSubAuthority(sid, n));
            sids.push_back(text);
        }
        return sids;
    }

    // A run killed half-way, then the next start: the record says it put the machine back,
    // what it found in force is what was in force before the killed run, and it ends as an
    // uncut run would.
    void CutHalfWayAndStartAgain(const std::string& arguments, const std::string& version,
                                 bool nt) {
        Build(nt);
        ASSERT_EQ(RunQuietly(arguments + " /Check" + Logging(), version), 4);
        const std::string inForce = LineOf(Logged(), "In force before: ");
        const CutOffOutcome whole = RunCutOffBefore(-1, arguments + " /Quiet", version);
        ASSERT_TRUE(whole.started);
        ASSERT_EQ(whole.exitCode, 0);
        ASSERT_GT(whole.changes, 10);
        const auto asked = Snapshot();

        TearDown();
        SetUp();
        Build(nt);
        const auto before = Snapshot();
        const CutOffOutcome cut = RunCutOffBefore(whole.changes / 2, arguments + " /Quiet", version);
        ASSERT_TRUE(cut.cut) << cut.changes << " changes, exit code " << cut.exitCode;
        EXPECT_NE(Snapshot(), before);
        ASSERT_TRUE(JournalThere());
        if (nt) {
            EXPECT_EQ(JournalAllows(), (std::vector<std::string>{"S-1-5-32-544", "S-1-5-18"}));
        }

        // What the next start finds is the machine as the cut left it, as /Check says too; the
        // put-back's own changes follow its sentence.
        ASSERT_EQ(RunQuietly(arguments + " /Check" + Logging(), version), 4);
        const std::string found = LineOf(Logged(), "In force before: ");
        if (nt) {
            EXPECT_NE(found, inForce);  // the switches written off: not what was before
        }
        EXPECT_EQ(RunQuietly(arguments + Logging(), version), 0);
        const std::string record = Logged();
        EXPECT_NE(record.find("\r\nAn earlier run was cut off (started 20"), std::string::npos)
            << record;
        EXPECT_NE(record.find("); its changes were put back.\r\nValue: HKLM\\"), std::string::npos)
            << record;
        EXPECT_EQ(LineOf(record, "In force before: "), found);
        EXPECT_EQ(Snapshot(), asked);
        EXPECT_FALSE(JournalThere());
    }
    int RunQuietly(const std::string& arguments, const std::string& version) {
        SentrelRun run(arguments, version);
        return run.FinishAnsweringOk();
    }
    // XP with the client, or 98 with its client.
    void Build(bool nt) {
        BuildWithClient();
        if (!nt) InstallClient9x();
    }

    // Sets the owner and access list of a key, as someone with the rights to may.
    static void SetSecurity(const std::string& path, const Bytes& descriptor) {
        HKEY key = nullptr;
        ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, WRITE_DAC | WRITE_OWNER, &key),
                  ERROR_SUCCESS);
        Bytes copy = descriptor;
        EXPECT_EQ(RegSetKeySecurity(key, OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION,
                                    copy.data()),
                  ERROR_SUCCESS);
        RegCloseKey(key);
    }

    TempLog log_{"sentrel-cut-off.log"};
};

// What only an administrator may steer: a journal planted in the program's format (a value the
// program never writes, or one it does in a key that Everyone may write) is not put back, and
// the run leaves HKLM as it was; a kept logon dialog in a key that Everyone may write is not
// put back into Winlogon.
TEST_P(CutOff, AJournalOrBackupOthersMayHaveWrittenIsNotObeyed) {
    const std::string ifeo =
        "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Image File Execution Options\\sethc.exe";
    const Bytes own = Descriptor(kAdministratorsSid, {{kAdministratorsSid, KEY_ALL_ACCESS},
                                                      {kSystemSid, KEY_ALL_ACCESS}});
    const Bytes everyoneWrites = Descriptor(kAdministratorsSid, {{kAdministratorsSid, KEY_ALL_ACCESS},
                                                                 {kEveryoneSid, KEY_ALL_ACCESS}});
    const struct {
        const char* name;
        Bytes entry;
        const Bytes* security;
    } planted[] = {
        {"a value the program never writes", PlantedValueEntry(ifeo, "Debugger", "cmd.exe"), &own},
        {"a journal Everyone may write",
         PlantedValueEntry(kWinlogon, "DefaultUserName", "planted"), &everyoneWrites},
    };
    for (const auto& p : planted) {
        SCOPED_TRACE(p.name);
        TearDown();
        SetUp();
        Build(true);
        PutValue(store(), kJournal, "1", REG_BINARY, p.entry);
        SetSecurity(kJournal, *p.security);
        const auto before = Snapshot();
        EXPECT_EQ(RunQuietly("/U /MSUsr:kiosk /MSPass:p /Mode:1" + Logging(), "winxp"), 1);
        EXPECT_EQ(Snapshot(), before);
        EXPECT_FALSE(KeyExists(store(), ifeo));
        EXPECT_NE(Logged().find("\r\nNothing was changed: The journal HKLM\\SOFTWARE\\Pellam\\Sentrel"
                                "\\Journal may have been changed by others than administrators"),
                  std::string::npos);
    }

    TearDown();
    SetUp();
    RebuildWithThirdPartyDialog(true, "ACMEGINA.DLL");
    ASSERT_EQ(RunQuietly("/U /MSUsr:kiosk /MSPass:p /Mode:1", "winxp"), 0);
    ASSERT_EQ(At(kGinaBackup, "GinaDLL"), "SZ:ACMEGINA.DLL");
    PutString(store(), kGinaBackup, "GinaDLL", "EVIL.DLL");
    SetSecurity(kGinaBackup, everyoneWrites);
    EXPECT_EQ(RunQuietly("/U /Disable" + Logging(), "winxp"), 0);
    EXPECT_EQ(At(kWinlogon, "GinaDLL"), "SZ:NWGINA.DLL");
    EXPECT_NE(Logged().find("its backup was not used."), std::string::npos);
}

TEST_P(CutOff, ARunKilledPartWayOnXpIsPutBackByTheNextStart) {
    CutHalfWayAndStartAgain(
        "/U /NDSTree:ACME_TREE /NDSUsr:kiosk1 /NDSPass:p1 /MSUsr:kiosk /MSPass:p2 /RunScript "
        "/LockWS /Mode:0",
        "winxp", true);
}

TEST_P(CutOff, ARunKilledPartWayOn98IsPutBackByTheNextStart) {
    CutHalfWayAndStartAgain("/U /NDSSrv:S1 /NDSUsr:kiosk1 /NDSPass:p /RunScript /Mode:0", "win98",
                            false);
}

INSTANTIATE_TEST_SUITE_P(Wine, CutOff, ::testing::ValuesIn(WineRegistryOnly()), test::StoreName);

}  // namespace
}  // namespace sentrel::e2e
