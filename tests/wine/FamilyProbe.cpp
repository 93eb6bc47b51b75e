// Prints the Windows family text that the real GetVersionExA gives under the emulated version.
#include <cstdio>

#include "detect/WindowsFamily.h"
#include "platform/Win32Platform.h"

int main() {
    sentrel::Win32Platform platform;
    std::printf("[%s]\n", sentrel::GetWindowsVersion(platform).c_str());
    return 0;
}
