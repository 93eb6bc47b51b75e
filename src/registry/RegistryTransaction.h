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

// Writes the plan into target and gives the changes written; throws CommitError.
std::vector<RegistryChange> Commit(const std::vector<PlannedChange>& plan, RegistryStore& target);

inline constexpr const char* kMsgDeleteValueFailed = "Failed to delete value '%s'";
inline constexpr const char* kMsgDeleteKeyFailed = "Failed to delete key %s";

}  // namespace sentrel
