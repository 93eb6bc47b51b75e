#pragma once
// The real registry: a pass-through to advapi32. On 64-bit Windows (a 32-bit program under
// WOW64) every open and create also asks for the 64-bit view, so the values land where Winlogon
// and a 64-bit Novell client read them instead of in Wow6432Node.
#include "registry/RegistryStore.h"

namespace sentrel {

class Win32Store : public RegistryStore {
public:
    Win32Store();

    long OpenKey(HKey parent, const std::string& subKey, std::uint32_t access,
                 HKey* result) override;
    long CreateKey(HKey parent, const std::string& subKey, std::uint32_t access,
                   HKey* result, bool* made = nullptr) override;
    long CloseKey(HKey key) override;
    long QueryValue(HKey key, const std::string& name, std::uint32_t* type, Bytes* data,
                    std::size_t maxSize = SIZE_MAX) override;
    long SetValue(HKey key, const std::string& name, std::uint32_t type, const std::uint8_t* data,
                  std::size_t size) override;
    long DeleteValue(HKey key, const std::string& name) override;
    long DeleteKey(HKey parent, const std::string& subKey) override;
    long EnumKey(HKey key, std::uint32_t index, std::string* name) override;
    long EnumValue(HKey key, std::uint32_t index, std::string* name) override;
    long FlushKey(HKey key) override;
    long GetKeySecurity(HKey key, Bytes* descriptor) override;
    long SetKeySecurity(HKey key, const Bytes& descriptor) override;

private:
    std::uint32_t viewFlags_;  // added to every access mask: KEY_WOW64_64KEY under WOW64, else 0
};

// True when this 32-bit process runs on 64-bit Windows. IsWow64Process is looked up at run
// time: Windows 95, NT 4 and 2000 do not have it.
bool RunningUnderWow64();

}  // namespace sentrel
