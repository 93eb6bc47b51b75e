#pragma once
// Reads the version resource of an executable file, by default the running program's own:
// the fixed version numbers and the named strings of the first translation's string table.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace sentrel {

inline constexpr const char* kNoSuchVersionInfo = "No such VersionInfo";

class TKLVersionInfo {
public:
    // Points at the running program's file and reads it.
    explicit TKLVersionInfo(Platform& platform);

    const std::string& FileName() const { return fileName_; }
    void SetFileName(const std::string& fileName) { fileName_ = fileName; }  // reads nothing
    bool AutoGetInfo() const { return autoGetInfo_; }
    // A change re-reads: the running program's file when set to true, FileName when false.
    void SetAutoGetInfo(bool value);
    bool HaveVersionInfo() const { return haveVersionInfo_; }
    std::int32_t Language() const { return language_; }
    std::int32_t CharSet() const { return charSet_; }
    std::int32_t Signature() const { return fixed_[0]; }
    std::int32_t StrucVersion() const { return fixed_[1]; }
    std::int32_t FileVersionMS() const { return fixed_[2]; }
    std::int32_t FileVersionLS() const { return fixed_[3]; }
    std::int32_t ProductVersionMS() const { return fixed_[4]; }
    std::int32_t ProductVersionLS() const { return fixed_[5]; }
    std::int32_t FileFlagsMask() const { return fixed_[6]; }
    std::int32_t FileFlags() const { return fixed_[7]; }
    std::int32_t FileOS() const { return fixed_[8]; }
    std::int32_t FileType() const { return fixed_[9]; }
    std::int32_t FileSubtype() const { return fixed_[10]; }
    std::int32_t FileDateMS() const { return fixed_[11]; }
    std::int32_t FileDateLS() const { return fixed_[12]; }
    // The string table key: language and code page as 4 + 4 upper-case hexadecimal digits.
    const std::string& TranslationKey() const { return translationKey_; }

    // Reads the resource of FileName.
    void GetFileInfo();
    // The named string of the string table, or "No such VersionInfo".
    std::string GetValue(const std::string& name) const;

private:
    Platform& platform_;
    std::string fileName_;
    bool autoGetInfo_ = true;
    bool haveVersionInfo_ = false;
    std::int32_t language_ = 0;
    std::int32_t charSet_ = 0;
    std::int32_t fixed_[13] = {};
    std::vector<std::uint8_t> block_;
    std::string translationKey_;
};

}  // namespace sentrel
