#include "platform/RunTurnMutex.h"

#include <initializer_list>

namespace sentrel {

namespace {

std::uintptr_t OpenNamed(MutexCalls& calls, const char* name, long* error) {
    std::uintptr_t mutex = calls.Create(name, error);
    if (mutex || *error != kErrorMutexAccessDenied) return mutex;
    for (const std::uint32_t access : {kSynchronize | kMutexModifyState, kSynchronize}) {
        long openError = 0;
        if ((mutex = calls.Open(name, access, &openError))) return mutex;
    }
    return 0;  // *error stays "access denied"
}

}  // namespace

std::uintptr_t OpenRunTurnMutex(MutexCalls& calls, bool* refused) {
    long error = 0;
    std::uintptr_t mutex = OpenNamed(calls, kRunTurnName, &error);
    if (!mutex && error != kErrorMutexAccessDenied)
        mutex = OpenNamed(calls, kRunTurnLocalName, &error);
    *refused = !mutex && error == kErrorMutexAccessDenied;
    return mutex;
}

}  // namespace sentrel
