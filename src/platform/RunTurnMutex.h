#pragma once
// Which mutex a run waits on for its turn. One object for every account: it is made with an
// access list that lets Administrators and SYSTEM take it; where it exists and full access to it
// is refused (one that SYSTEM made gives administrators only some rights), it is opened with the
// rights waiting and giving it back need, then for waiting alone. The plain name is taken only
// where the system refuses the global name itself (NT 4 without Terminal Server), never for a
// refused access: that would be another object, and two runs at once.
#include <cstdint>

namespace sentrel {

inline constexpr const char* kRunTurnName = "Global\\Sentrel registry run";
inline constexpr const char* kRunTurnLocalName = "Sentrel registry run";
inline constexpr std::uint32_t kSynchronize = 0x00100000;
inline constexpr std::uint32_t kMutexModifyState = 0x0001;
inline constexpr long kErrorMutexAccessDenied = 5;

// The system calls it takes: make (or open) with the access list, open with some rights; each
// gives a handle or 0 with the system's error in *error.
class MutexCalls {
  public:
    virtual ~MutexCalls() = default;
    virtual std::uintptr_t Create(const char* name, long* error) = 0;
    virtual std::uintptr_t Open(const char* name, std::uint32_t access, long* error) = 0;
};

// The mutex to wait on, or 0: then *refused says whether one is there that this account may
// not open (the run must not go on alone), or none could be made at all.
std::uintptr_t OpenRunTurnMutex(MutexCalls& calls, bool* refused);

}  // namespace sentrel
