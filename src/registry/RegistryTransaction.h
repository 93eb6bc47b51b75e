#pragma once
// Writes a plan's net change to the registry all or nothing, as an installer's transaction
// does: the changes in the plan's order, each read first for what it replaces; a change the
// registry refuses puts back, in reverse, every change already written.
#include <stdexcept>
#include <vector>

#include "registry/OverlayStore.h"
#include "registry/Registry.h"

namespace sentrel {

// Why the writing stopped (the accessor's message for the refused change) and what, if
// anything, could not be put back afterwards.
class CommitError : public RegistryError {
public:
    CommitError(const std::string& reason, std::vector<RegistryChange> leftChanged)
        : RegistryError(reason), leftChanged_(std::move(leftChanged)) {}
    // Empty when every change written was put back: the registry is as it was.
    const std::vector<RegistryChange>& LeftChanged() const { return leftChanged_; }

private:
    std::vector<RegistryChange> leftChanged_;
};

// Keys made for the commit before it began (the journal's own): a plan's "made" for one of
// them counts as written, and is not undone by putting back (the journal's end deletes them).
// After the last write, finish (when given) runs as the commit's last step: a refusal it gives
// (an accessor message, or empty for none) puts back every change as a refused write does.
struct CommitSteps {
    std::vector<std::string> madeAlready;  // paths below HKEY_LOCAL_MACHINE
    std::string (*finish)(RegistryStore& target, void* data) = nullptr;
    void* data = nullptr;
    // A key made at or below ownKey (below HKEY_LOCAL_MACHINE) gets ownSecurity before
    // anything is written into it: the program's own keys are no one else's to change.
    const char* ownKey = nullptr;
    Bytes ownSecurity;
    // The first `guarded` changes (the lock put in place, the switches written off) are put
    // back only once every later one is: an undo that cannot put a value back leaves them, so
    // nothing logs on beside what is left changed.
    std::size_t guarded = 0;
    // Before the change at this place (the first switch written on) every key written so far
    // reaches the disk.
    std::size_t flushBefore = SIZE_MAX;
};

// Writes the plan into target and gives the changes written, in order; a value written twice
// is there twice. Throws CommitError; what was put back is flushed before it is thrown.
std::vector<RegistryChange> Commit(const std::vector<PlannedChange>& plan, RegistryStore& target,
                                   const CommitSteps& steps = {});

// Flushes every key that the first count changes of a commit wrote into and that is there now:
// its hive reaches the disk (the registry writes each hive lazily and on its own).
void FlushWrittenKeys(RegistryStore& store, const std::vector<PlannedChange>& commit,
                      std::size_t count = SIZE_MAX);

// What a list of written changes amounts to: each value once, at its last write, from what it
// replaced first to what it was set to last; a value set and set back is no change.
std::vector<RegistryChange> NetOfWritten(const std::vector<RegistryChange>& written);

inline constexpr const char* kMsgDeleteValueFailed = "Failed to delete value '%s'";
inline constexpr const char* kMsgDeleteKeyFailed = "Failed to delete key %s";

}  // namespace sentrel
