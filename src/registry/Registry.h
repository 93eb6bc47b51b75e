#pragma once
// The accessor every registry task goes through. OpenKey and CreateKey ask for full access,
// reads included, so such an open fails without write rights; OpenKeyReadOnly asks for read
// access only. Failures of reads and writes raise RegistryError with the program's fixed
// messages.
#include <stdexcept>
#include <string>
#include <vector>

#include "registry/RegistryStore.h"

namespace sentrel {

class RegistryError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum class RegDataType { Unknown, String, ExpandString, Integer, Binary };

inline constexpr const char* kMsgCreateKeyFailed = "Failed to create key %s";
inline constexpr const char* kMsgOpenKeyFailed = "Failed to open key %s";
inline constexpr const char* kMsgSetDataFailed = "Failed to set data for '%s'";
inline constexpr const char* kMsgGetDataFailed = "Failed to get data for '%s'";
inline constexpr const char* kMsgInvalidDataType = "Invalid data type for '%s'";

// Fills the one %s of a message.
std::string FormatMessageText(const char* pattern, const std::string& insert);

class TRegistry {
public:
    explicit TRegistry(RegistryStore& store);
    virtual ~TRegistry();
    TRegistry(const TRegistry&) = delete;
    TRegistry& operator=(const TRegistry&) = delete;

    void SetRootKey(HKey root);
    HKey CurrentKey() const { return current_; }
    RegistryStore& Store() const { return store_; }

    // A path beginning with a backslash is taken from the root, any other from the open key.
    // On failure the previously open key stays open.
    bool OpenKey(const std::string& path, bool canCreate);
    // Opens an existing key for reading only, so a key the user may read but not write is read.
    bool OpenKeyReadOnly(const std::string& path);
    // The error code of the last open: a key that is absent (kErrorFileNotFound) or one that
    // exists but could not be had.
    long LastOpenError() const { return lastOpenError_; }
    void CloseKey();
    void CreateKey(const std::string& path);
    bool DeleteKey(const std::string& path);  // with all its subkeys
    bool KeyExists(const std::string& path);

    bool DeleteValue(const std::string& name);
    bool ValueExists(const std::string& name);
    RegDataType GetDataType(const std::string& name);
    int GetDataSize(const std::string& name);

    std::string ReadString(const std::string& name);
    std::int32_t ReadInteger(const std::string& name);
    int ReadBinaryData(const std::string& name, void* buffer, int bufferSize);

    void WriteString(const std::string& name, const std::string& text);
    void WriteInteger(const std::string& name, std::int32_t value);
    void WriteBinaryData(const std::string& name, const void* data, int count);

    // A value's type and bytes as stored, and the same written back: for copying a value whole.
    bool ReadValue(const std::string& name, std::uint32_t& type, Bytes& data);
    void WriteValue(const std::string& name, std::uint32_t type, const Bytes& data);

    void GetKeyNames(std::vector<std::string>& names);
    void GetValueNames(std::vector<std::string>& names);

    // Copies source to target only when the source exists and the target doesn't: values
    // with their types and data, and all subkeys. Deletes the source when asked.
    void MoveKey(const std::string& source, const std::string& target, bool deleteSource);

protected:
    RegistryStore& store_;
    // Writes raw data into the open key; a refused write raises "Failed to set data".
    void PutData(const std::string& name, std::uint32_t type, const Bytes& data);

private:
    struct Target {
        HKey base;
        std::string subKey;
    };
    Target Resolve(const std::string& path) const;
    std::string AbsolutePath(const std::string& path) const;
    bool QueryInfo(const std::string& name, std::uint32_t* type, std::size_t* size);
    void CopyTree(HKey source, HKey target);
    bool DeleteTree(HKey parent, const std::string& name);

    HKey root_ = kHkeyCurrentUser;
    HKey current_ = 0;
    std::string currentPath_;
    long lastOpenError_ = kErrorSuccess;
    bool Open(const std::string& path, bool canCreate, std::uint32_t access);
};

}  // namespace sentrel
