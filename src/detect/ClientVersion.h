#pragma once
// The Novell client's version, read from the client's own version key: a dotted text such as
// "4.90.1 SP2", "Not Detected" when no client is installed, or "Windows 3x is not supported".
#include <string>

#include "platform/Platform.h"
#include "registry/RegistryStore.h"

namespace sentrel {

inline constexpr const char* kClientOnWindows3x = "Windows 3x is not supported";
inline constexpr const char* kClientNotDetected = "Not Detected";

// A missing or wrongly typed version number raises the accessor's read error.
std::string GetClientVersion(RegistryStore& store, Platform& platform);

}  // namespace sentrel
