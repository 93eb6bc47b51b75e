#include "detect/KLVersionInfo.h"

#include "registry/RegistryStore.h"

namespace sentrel {

namespace {

std::uint32_t Dword(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return LittleEndianOf(bytes.data() + at, 4);
}

}  // namespace

TKLVersionInfo::TKLVersionInfo(Platform& platform)
    : platform_(platform), fileName_(platform.ModuleFileName()) {
    GetFileInfo();
}

void TKLVersionInfo::SetAutoGetInfo(bool value) {
    if (value == autoGetInfo_) return;
    autoGetInfo_ = value;
    if (value) fileName_ = platform_.ModuleFileName();
    GetFileInfo();
}

void TKLVersionInfo::GetFileInfo() {
    std::uint32_t size = platform_.FileVersionInfoSize(fileName_);
    haveVersionInfo_ = size != 0;
    block_.assign(size, 0);
    haveVersionInfo_ = platform_.ReadFileVersionInfo(fileName_, block_);
    if (!haveVersionInfo_) {
        // A block that was never filled must not be queried.
        block_.clear();
        return;
    }
    std::vector<std::uint8_t> value;
    if (platform_.QueryVersionValue(block_, "\\", value) && value.size() >= sizeof fixed_) {
        for (std::size_t i = 0; i < 13; ++i) fixed_[i] = static_cast<std::int32_t>(Dword(value, 4 * i));
    }
    if (platform_.QueryVersionValue(block_, "\\VarFileInfo\\Translation", value) &&
        value.size() >= 4) {
        std::uint32_t entry = Dword(value, 0);
        language_ = static_cast<std::int32_t>(entry & 0xFFFF);
        charSet_ = static_cast<std::int32_t>(entry >> 16);
    }
    translationKey_ = UpperHex(language_, 4) + UpperHex(charSet_, 4);
}

std::string TKLVersionInfo::GetValue(const std::string& name) const {
    if (block_.empty()) return kNoSuchVersionInfo;
    std::vector<std::uint8_t> value;
    if (!platform_.QueryVersionValue(block_, "\\StringFileInfo\\" + translationKey_ + "\\" + name,
                                     value))
        return kNoSuchVersionInfo;
    std::string text(value.begin(), value.end());
    return text.substr(0, text.find('\0'));
}

}  // namespace sentrel
