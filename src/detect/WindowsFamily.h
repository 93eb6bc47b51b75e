#pragma once
// Where the program runs: the Windows family and the computer's name. Other code decides by
// comparing the family text with these literals: "Windows 95" takes every Windows 9x road,
// "Windows 31" is refused, and everything else takes the NT road.
#include <string>

#include "platform/Platform.h"

namespace sentrel {

inline constexpr const char* kWindows31 = "Windows 31";
inline constexpr const char* kWindows95 = "Windows 95";
inline constexpr const char* kWindowsNT = "Windows NT";
inline constexpr const char* kWindows2000 = "Windows 2000";

// "Windows 95" for 95, 98 and ME; "Windows 2000" for 2000, XP and Server 2003; "Windows NT"
// for NT 4 and for major versions 6 and later; empty for a platform it does not know.
std::string GetWindowsVersion(Platform& platform);
// The NetBIOS name, at most 15 characters; empty when the platform can't tell it.
std::string GetWorkstationName(Platform& platform);

}  // namespace sentrel
