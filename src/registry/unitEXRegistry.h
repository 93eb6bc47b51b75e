#pragma once
// The accessor extended with multi-string values (REG_MULTI_SZ), which the plain accessor
// can't write. A refused write raises EExRegistryException carrying the Windows error code.
#include "platform/Platform.h"
#include "registry/Registry.h"

namespace sentrel {

inline constexpr const char* kMsgMultiSzFailed = "Unable to write MULTI_SZ value";

// "Error %d : %s" with the system's text for the code, or "Error %d" when it has none.
std::string ErrorText(Platform& platform, std::uint32_t code);

class EExRegistryException : public RegistryError {
public:
    EExRegistryException(Platform& platform, std::uint32_t errorCode, const std::string& text);
    std::uint32_t ErrorCode() const { return errorCode_; }

private:
    std::uint32_t errorCode_;
};

// The data block of a multi-string: every item followed by a NUL, and one more NUL at the end.
Bytes MultiSzBlock(const std::vector<std::string>& items);

class TExRegistry : public TRegistry {
public:
    TExRegistry(RegistryStore& store, Platform& platform);
    void WriteMultiSz(const std::string& name, const std::vector<std::string>& items);

private:
    Platform& platform_;
};

}  // namespace sentrel
