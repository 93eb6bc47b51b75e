#include "detect/WindowsFamily.h"

namespace sentrel {

namespace {

constexpr std::uint32_t kPlatformWin32s = 0;
constexpr std::uint32_t kPlatformWin32Windows = 1;
constexpr std::uint32_t kPlatformWin32NT = 2;

}  // namespace

std::string GetWindowsVersion(Platform& platform) {
    OsVersion version = platform.OsVersionRecord();
    switch (version.platformId) {
        case kPlatformWin32s: return kWindows31;
        case kPlatformWin32Windows: return kWindows95;
        case kPlatformWin32NT: return version.major == 5 ? kWindows2000 : kWindowsNT;
        default: return std::string();
    }
}

std::string GetWorkstationName(Platform& platform) { return platform.ComputerName(); }

}  // namespace sentrel
