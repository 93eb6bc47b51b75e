#include "registry/unitEXRegistry.h"

namespace sentrel {

std::string ErrorText(Platform& platform, std::uint32_t code) {
    std::string number = std::to_string(static_cast<std::int32_t>(code));
    std::optional<std::string> text = SystemErrorLine(platform, code);
    if (!text) return "Error " + number;
    return "Error " + number + " : " + *text;
}

EExRegistryException::EExRegistryException(Platform& platform, std::uint32_t errorCode,
                                           const std::string& text)
    : RegistryError(ErrorText(platform, errorCode) + ":" + text), errorCode_(errorCode) {}

Bytes MultiSzBlock(const std::vector<std::string>& items) {
    Bytes block;
    for (const std::string& item : items) {
        block.insert(block.end(), item.begin(), item.end());
        block.push_back(0);
    }
    block.push_back(0);
    return block;
}

TExRegistry::TExRegistry(RegistryStore& store, Platform& platform)
    : TRegistry(store), platform_(platform) {}

void TExRegistry::WriteMultiSz(const std::string& name, const std::vector<std::string>& items) {
    Bytes block = MultiSzBlock(items);
    long rc = store_.SetValue(CurrentKey(), name, kRegMultiSz, block.data(), block.size());
    if (rc != kErrorSuccess)
        throw EExRegistryException(platform_, static_cast<std::uint32_t>(rc), kMsgMultiSzFailed);
}

}  // namespace sentrel
