#include "detect/Environment.h"

#include <cstdint>

namespace sentrel {

namespace {

// The family the program takes, and the version Windows reports: XP reports the family
// "Windows 2000", and a log must tell the two apart.
std::string WindowsText(Platform& platform, const std::string& family) {
    const OsVersion version = platform.OsVersionRecord();
    // Windows 9x keeps its major and minor version in the build number's high word.
    const std::uint32_t build = version.platformId == 1 ? version.build & 0xFFFF : version.build;
    std::string text = family;
    char separator = '(';
    for (std::uint32_t part : {version.major, version.minor, build}) {
        ((text += separator == '(' ? " (" : ".") += std::to_string(part));
        separator = '.';
    }
    const std::string& pack = version.servicePack;
    const std::size_t first = pack.find_first_not_of(' ');
    if (first != std::string::npos)
        (text += ", ") += pack.substr(first, pack.find_last_not_of(' ') - first + 1);
    return text += ')';
}

}  // namespace

void DetectWindows(Platform& platform, Environment& environment) {
    environment.windowsFamily = GetWindowsVersion(platform);
    environment.windowsVersion = WindowsText(platform, environment.windowsFamily);
    environment.computerName = GetWorkstationName(platform);
    const OsVersion version = platform.OsVersionRecord();
    environment.ntVersion = version.platformId == 2 ? version.major * 100 + version.minor : 0;
}

}  // namespace sentrel
