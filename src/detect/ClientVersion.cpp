#include "detect/ClientVersion.h"

#include "detect/WindowsFamily.h"
#include "registry/Registry.h"

namespace sentrel {

namespace {

const char* const kClientVersionKey9x = "\\Network\\Novell\\System Config\\Install\\Client Version";
const char* const kClientVersionKeyNT = "\\SOFTWARE\\Novell\\NetWareWorkstation\\CurrentVersion";

std::string Number(TRegistry& reg, const std::string& name) {
    return std::to_string(reg.ReadInteger(name));
}

// The 9x client keeps its service pack as raw bytes: read as a little-endian number.
std::string BinaryServicePack(TRegistry& reg) {
    int size = reg.GetDataSize("Service Pack");
    Bytes bytes(size > 0 ? size : 0);
    int count = reg.ReadBinaryData("Service Pack", bytes.data(), size);
    return std::to_string(LittleEndianOf(bytes.data(), count > 0 ? count : 0));
}

std::string Version9x(TRegistry& reg) {
    // One read after the other: the first missing number is the one the error names.
    std::string text = Number(reg, "Major Version");
    text += "." + Number(reg, "Minor Version");
    if (reg.ValueExists("Revision")) text += "." + Number(reg, "Revision");
    if (reg.ValueExists("Level")) text += "." + Number(reg, "Level");
    if (reg.ValueExists("Service Pack")) text += " SP" + BinaryServicePack(reg);
    return text;
}

std::string VersionNT(TRegistry& reg) {
    std::string text = Number(reg, "MajorVersion");
    text += "." + Number(reg, "MinorVersion");
    if (reg.ValueExists("MajorInternalVersion")) text += "." + Number(reg, "MajorInternalVersion");
    if (reg.ValueExists("MinorInternalVersion")) text += "." + Number(reg, "MinorInternalVersion");
    switch (reg.GetDataType("Service Pack")) {
        case RegDataType::Integer: text += " SP" + Number(reg, "Service Pack"); break;
        case RegDataType::String: text += " SP" + reg.ReadString("Service Pack"); break;
        default: break;
    }
    return text;
}

}  // namespace

std::string GetClientVersion(RegistryStore& store, Platform& platform) {
    std::string family = GetWindowsVersion(platform);
    if (family == kWindows31) return kClientOnWindows3x;
    bool windows9x = family == kWindows95;
    TRegistry reg(store);
    reg.SetRootKey(kHkeyLocalMachine);
    // Read access is enough: a key that is there but unreadable is an error, not "no client".
    const char* key = windows9x ? kClientVersionKey9x : kClientVersionKeyNT;
    if (!reg.OpenKeyReadOnly(key)) {
        if (reg.LastOpenError() == kErrorFileNotFound) return kClientNotDetected;
        throw RegistryError(FormatMessageText(kMsgOpenKeyFailed, key));
    }
    return windows9x ? Version9x(reg) : VersionNT(reg);
}

}  // namespace sentrel
