#include "registry/Registry.h"

namespace sentrel {

std::string FormatMessageText(const char* pattern, const std::string& insert) {
    std::string text(pattern);
    std::string::size_type at = text.find("%s");
    if (at != std::string::npos) text.replace(at, 2, insert);
    return text;
}

TRegistry::TRegistry(RegistryStore& store) : store_(store) {}

TRegistry::~TRegistry() { CloseKey(); }

void TRegistry::SetRootKey(HKey root) {
    if (root == root_) return;
    CloseKey();
    root_ = root;
}

TRegistry::Target TRegistry::Resolve(const std::string& path) const {
    if (!path.empty() && path[0] == '\\') return {root_, path.substr(1)};
    return {current_ ? current_ : root_, path};
}

std::string TRegistry::AbsolutePath(const std::string& path) const {
    if (!path.empty() && path[0] == '\\') return path.substr(1);
    if (current_ && !currentPath_.empty()) return currentPath_ + "\\" + path;
    return path;
}

bool TRegistry::OpenKey(const std::string& path, bool canCreate) {
    return Open(path, canCreate, kKeyAllAccess);
}

bool TRegistry::OpenKeyReadOnly(const std::string& path) { return Open(path, false, kKeyRead); }

bool TRegistry::Open(const std::string& path, bool canCreate, std::uint32_t access) {
    Target target = Resolve(path);
    HKey key = 0;
    long rc = canCreate ? store_.CreateKey(target.base, target.subKey, access, &key)
                        : store_.OpenKey(target.base, target.subKey, access, &key);
    lastOpenError_ = rc;
    if (rc != kErrorSuccess) return false;
    std::string absolute = AbsolutePath(path);
    CloseKey();
    current_ = key;
    currentPath_ = absolute;
    return true;
}

void TRegistry::CloseKey() {
    if (current_) store_.CloseKey(current_);
    current_ = 0;
    currentPath_.clear();
}

void TRegistry::CreateKey(const std::string& path) {
    Target target = Resolve(path);
    ScopedKey key(store_);
    if (store_.CreateKey(target.base, target.subKey, kKeyAllAccess, key.Out()) != kErrorSuccess)
        throw RegistryError(FormatMessageText(kMsgCreateKeyFailed, path));
}

bool TRegistry::KeyExists(const std::string& path) {
    Target target = Resolve(path);
    ScopedKey key(store_);
    return store_.OpenKey(target.base, target.subKey, kKeyAllAccess, key.Out()) == kErrorSuccess;
}

// The registry deletes only keys without subkeys (RegDeleteKeyA on NT), so the subkeys go first.
// The key is deleted through its parent by its single name, which keeps the 64-bit view under
// WOW64: the parent was opened with it.
bool TRegistry::DeleteTree(HKey parent, const std::string& name) {
    {
        ScopedKey key(store_);
        if (store_.OpenKey(parent, name, kKeyAllAccess, key.Out()) == kErrorSuccess) {
            std::vector<std::string> children;
            std::string child;
            for (std::uint32_t i = 0; store_.EnumKey(key.Get(), i, &child) == kErrorSuccess; ++i)
                children.push_back(child);
            for (const std::string& c : children) DeleteTree(key.Get(), c);
        }
    }
    return store_.DeleteKey(parent, name) == kErrorSuccess;
}

bool TRegistry::DeleteKey(const std::string& path) {
    Target target = Resolve(path);
    std::string sub = target.subKey;
    while (!sub.empty() && sub.back() == '\\') sub.pop_back();
    std::string::size_type slash = sub.rfind('\\');
    std::string parentPath = slash == std::string::npos ? "" : sub.substr(0, slash);
    std::string name = slash == std::string::npos ? sub : sub.substr(slash + 1);
    if (name.empty()) return false;
    ScopedKey parent(store_);
    if (store_.OpenKey(target.base, parentPath, kKeyAllAccess, parent.Out()) != kErrorSuccess)
        return false;
    return DeleteTree(parent.Get(), name);
}

bool TRegistry::DeleteValue(const std::string& name) {
    return store_.DeleteValue(current_, name) == kErrorSuccess;
}

bool TRegistry::QueryInfo(const std::string& name, std::uint32_t* type, std::size_t* size) {
    Bytes data;
    if (store_.QueryValue(current_, name, type, &data) != kErrorSuccess) return false;
    if (size) *size = data.size();
    return true;
}

bool TRegistry::ValueExists(const std::string& name) { return QueryInfo(name, nullptr, nullptr); }

RegDataType TRegistry::GetDataType(const std::string& name) {
    std::uint32_t type = kRegNone;
    if (!QueryInfo(name, &type, nullptr)) return RegDataType::Unknown;
    switch (type) {
        case kRegSz: return RegDataType::String;
        case kRegExpandSz: return RegDataType::ExpandString;
        case kRegDword: return RegDataType::Integer;
        case kRegBinary: return RegDataType::Binary;
        default: return RegDataType::Unknown;
    }
}

int TRegistry::GetDataSize(const std::string& name) {
    std::size_t size = 0;
    if (!QueryInfo(name, nullptr, &size)) return -1;
    return static_cast<int>(size);
}

std::string TRegistry::ReadString(const std::string& name) {
    RegistryValue value;
    if (store_.QueryValue(current_, name, &value.type, &value.data) != kErrorSuccess ||
        value.data.empty())
        return std::string();
    std::optional<std::string> text = StringOf(value);
    if (!text) throw RegistryError(FormatMessageText(kMsgInvalidDataType, name));
    return *text;
}

std::int32_t TRegistry::ReadInteger(const std::string& name) {
    std::uint32_t type = kRegNone;
    Bytes data;
    // The buffer holds four bytes: a missing value or longer data can't be read at all.
    if (store_.QueryValue(current_, name, &type, &data, 4) != kErrorSuccess)
        throw RegistryError(FormatMessageText(kMsgGetDataFailed, name));
    if (type != kRegDword) throw RegistryError(FormatMessageText(kMsgInvalidDataType, name));
    return static_cast<std::int32_t>(LittleEndianOf(data.data(), data.size()));
}

int TRegistry::ReadBinaryData(const std::string& name, void* buffer, int bufferSize) {
    std::uint32_t type = kRegNone;
    Bytes data;
    if (store_.QueryValue(current_, name, &type, &data) != kErrorSuccess) return 0;
    bool binaryLike = type == kRegBinary || !(type == kRegSz || type == kRegExpandSz ||
                                               type == kRegDword);
    if (!binaryLike || static_cast<int>(data.size()) > bufferSize)
        throw RegistryError(FormatMessageText(kMsgInvalidDataType, name));
    std::copy(data.begin(), data.end(), static_cast<std::uint8_t*>(buffer));
    return static_cast<int>(data.size());
}

void TRegistry::PutData(const std::string& name, std::uint32_t type, const Bytes& data) {
    if (store_.SetValue(current_, name, type, data.data(), data.size()) != kErrorSuccess)
        throw RegistryError(FormatMessageText(kMsgSetDataFailed, name));
}

void TRegistry::WriteString(const std::string& name, const std::string& text) {
    Bytes data(text.begin(), text.end());
    data.push_back(0);
    PutData(name, kRegSz, data);
}

void TRegistry::WriteInteger(const std::string& name, std::int32_t value) {
    auto v = static_cast<std::uint32_t>(value);
    PutData(name, kRegDword,
            Bytes{std::uint8_t(v), std::uint8_t(v >> 8), std::uint8_t(v >> 16),
                  std::uint8_t(v >> 24)});
}

void TRegistry::WriteBinaryData(const std::string& name, const void* data, int count) {
    auto bytes = static_cast<const std::uint8_t*>(data);
    PutData(name, kRegBinary, Bytes(bytes, bytes + count));
}

bool TRegistry::ReadValue(const std::string& name, std::uint32_t& type, Bytes& data) {
    return store_.QueryValue(current_, name, &type, &data) == kErrorSuccess;
}

void TRegistry::WriteValue(const std::string& name, std::uint32_t type, const Bytes& data) {
    PutData(name, type, data);
}

namespace {

void EnumNames(RegistryStore& store, HKey key, bool keys, std::vector<std::string>& names) {
    names.clear();
    if (!key) return;
    std::string name;
    for (std::uint32_t i = 0;; ++i) {
        long rc = keys ? store.EnumKey(key, i, &name) : store.EnumValue(key, i, &name);
        if (rc != kErrorSuccess) break;
        names.push_back(name);
    }
}

}  // namespace

void TRegistry::GetKeyNames(std::vector<std::string>& names) {
    EnumNames(store_, current_, true, names);
}

void TRegistry::GetValueNames(std::vector<std::string>& names) {
    EnumNames(store_, current_, false, names);
}

void TRegistry::CopyTree(HKey source, HKey target) {
    std::vector<std::string> names;
    EnumNames(store_, source, false, names);
    for (const std::string& name : names) {
        std::uint32_t type = kRegNone;
        Bytes data;
        if (store_.QueryValue(source, name, &type, &data) != kErrorSuccess) continue;
        if (store_.SetValue(target, name, type, data.data(), data.size()) != kErrorSuccess)
            throw RegistryError(FormatMessageText(kMsgSetDataFailed, name));
    }
    EnumNames(store_, source, true, names);
    for (const std::string& name : names) {
        ScopedKey from(store_);
        ScopedKey to(store_);
        if (store_.OpenKey(source, name, kKeyAllAccess, from.Out()) != kErrorSuccess) continue;
        if (store_.CreateKey(target, name, kKeyAllAccess, to.Out()) != kErrorSuccess)
            throw RegistryError(FormatMessageText(kMsgCreateKeyFailed, name));
        CopyTree(from.Get(), to.Get());
    }
}

namespace {

std::string UpperPath(std::string path) {
    for (char& c : path)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return path;
}

}  // namespace

void TRegistry::MoveKey(const std::string& source, const std::string& target, bool deleteSource) {
    if (!KeyExists(source) || KeyExists(target)) return;
    // A target inside its own source would be copied into itself without end.
    const std::string sourcePath = UpperPath(AbsolutePath(source));
    if (UpperPath(AbsolutePath(target)).rfind(sourcePath + "\\", 0) == 0) return;
    Target from = Resolve(source);
    Target to = Resolve(target);
    {
        ScopedKey sourceKey(store_);
        ScopedKey targetKey(store_);
        if (store_.OpenKey(from.base, from.subKey, kKeyAllAccess, sourceKey.Out()) !=
            kErrorSuccess)
            return;
        if (store_.CreateKey(to.base, to.subKey, kKeyAllAccess, targetKey.Out()) != kErrorSuccess)
            throw RegistryError(FormatMessageText(kMsgCreateKeyFailed, target));
        CopyTree(sourceKey.Get(), targetKey.Get());
    }
    if (deleteSource) DeleteKey(source);
}

}  // namespace sentrel
