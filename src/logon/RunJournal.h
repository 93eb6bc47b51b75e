#pragma once
// What a run is about to change, kept in the registry before its first change, as an
// installer's rollback script is: each value as it was (type and bytes, or absent), each key it
// makes or deletes, and when the run started. A run cut off between two writes leaves it
// behind, and the next start puts the machine back from it. It holds the passwords that were
// stored before, so on the NT family only Administrators and SYSTEM may read it.
#include <optional>
#include <string>
#include <vector>

#include "logon/RegistryPaths.h"
#include "registry/OverlayStore.h"

namespace sentrel {

// One thing the run changes, as it was before. For a value, `before` is its old type and
// bytes, or none where it was absent.
struct JournalEntry {
    enum Kind { Value, KeyMade, KeyDeleted } kind = Value;
    HKey root = 0;
    std::string path;  // below the root
    std::string name;  // the value's; empty for a key
    std::optional<RegistryValue> before;

    bool operator==(const JournalEntry&) const = default;
};

struct RunJournal {
    std::string started;  // "2026-12-09 07:52:24"; empty where the cut came before it
    // The program's keys the journal made, innermost first; none where the cut came before
    // the journal said (then nothing else was written either).
    std::optional<std::vector<std::string>> programKeysMade;
    std::vector<JournalEntry> entries;  // in the order the run writes
};

// The journal's key under the program's own, and the program's own keys above it.
inline constexpr const char* kProgramKey = kBackupRoot + 1;  // below HKEY_LOCAL_MACHINE
inline constexpr const char* kJournalKey = "SOFTWARE\\Pellam\\Sentrel\\Journal";

// The entries of a commit, in its order: each value it writes with what that write replaces,
// each key it makes or deletes. Put back in reverse, a value written twice (a switch written
// off and on again) ends as it was before the first write.
std::vector<JournalEntry> JournalOf(const std::vector<PlannedChange>& commit);

// Makes the journal's key (and the program's keys above it where missing), restricts it to
// Administrators and SYSTEM before anything is written into it, writes which of the program's
// keys it made, the start time and the entries, and flushes it. Gives the program's keys it
// made, innermost first; throws
// RegistryError naming what was refused (then nothing of the journal is left).
std::vector<std::string> WriteRunJournal(RegistryStore& store, const std::string& started,
                                         const std::vector<JournalEntry>& entries);

// The journal a run left behind, or none. Throws RegistryError where one is there but cannot
// be read, or holds an entry the program never writes.
std::optional<RunJournal> ReadRunJournal(RegistryStore& store);

// Deletes the journal, then each of the given program's keys that is empty (innermost first),
// and flushes the key above. Gives the key that could not be deleted, or empty.
std::string DeleteRunJournal(RegistryStore& store,
                             const std::vector<std::string>& emptyKeysToDelete);

// The last step of a commit that keeps a journal (CommitSteps::finish, with a JournalEnding):
// every key it wrote on disk, then the journal goes, with those of the program's keys given
// that it leaves empty. Gives the refusal when the journal cannot be deleted (then the run is
// put back: the journal still says how). Once it is gone nothing undoes the run: an empty key
// of the program's that stays is a note.
struct JournalEnding {
    const std::vector<PlannedChange>* commit;
    std::vector<std::string> programKeys;  // innermost first
    std::string note;                      // set where an empty key stays
};
std::string EndWithJournal(RegistryStore& store, void* ending);


inline constexpr const char* kJournalStarted = "Started";
inline constexpr const char* kJournalKeysMade = "Keys made";
// The program's own keys, innermost first: a journal that cannot say which it made deletes
// those it leaves empty.
inline constexpr const char* kProgramKeys[] = {kProgramKey, "SOFTWARE\\Pellam"};
inline constexpr const char* kMsgJournalUnreadable =
    "Cannot read the journal HKLM\\SOFTWARE\\Pellam\\Sentrel\\Journal. Check it, then remove it "
    "with: reg delete \"HKLM\\SOFTWARE\\Pellam\\Sentrel\\Journal\" /f";
// What an administrator does with a journal whose changes could not be put back.
inline constexpr const char* kMsgCheckJournal =
    "Check the journal HKLM\\SOFTWARE\\Pellam\\Sentrel\\Journal, then remove it with: "
    "reg delete \"HKLM\\SOFTWARE\\Pellam\\Sentrel\\Journal\" /f";
inline constexpr const char* kNoteEmptyKeyKept =
    "The empty key HKLM\\%s that kept the journal could not be deleted; nothing reads it.";
// A journal that someone other than an administrator may have written (or that names what the
// program never writes) is not put back: it could make the run write anything.
inline constexpr const char* kMsgJournalNotOwn =
    "The journal HKLM\\SOFTWARE\\Pellam\\Sentrel\\Journal may have been changed by others "
    "than administrators, so it is not put back. Check it, then remove it with: "
    "reg delete \"HKLM\\SOFTWARE\\Pellam\\Sentrel\\Journal\" /f";

}  // namespace sentrel
