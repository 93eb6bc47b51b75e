#include "registry/JournalingStore.h"

namespace sentrel {

std::optional<RegistryValue> JournalingStore::Read(HKey key, const std::string& name) {
    RegistryValue value;
    if (inner_.QueryValue(key, name, &value.type, &value.data) != kErrorSuccess)
        return std::nullopt;
    return value;
}

// A key that can't be opened for lack of rights exists all the same.
bool JournalingStore::Exists(HKey parent, const std::string& subKey) {
    HKey key = 0;
    long rc = inner_.OpenKey(parent, subKey, kKeyRead, &key);
    if (rc == kErrorSuccess) inner_.CloseKey(key);
    return rc != kErrorFileNotFound;
}

long JournalingStore::OpenKey(HKey parent, const std::string& subKey, std::uint32_t access,
                              HKey* result) {
    long rc = inner_.OpenKey(parent, subKey, access, result);
    if (rc == kErrorSuccess) paths_.Opened(*result, paths_.Join(parent, subKey));
    return rc;
}

long JournalingStore::CreateKey(HKey parent, const std::string& subKey, std::uint32_t access,
                                HKey* result) {
    // The keys of the path that are missing now, the uppermost first.
    std::vector<std::string> missing;
    if (!Exists(parent, subKey)) {
        for (std::size_t end = 0; end != std::string::npos;) {
            end = subKey.find('\\', end + 1);
            std::string part = subKey.substr(0, end);
            if (!missing.empty() || !Exists(parent, part)) missing.push_back(part);
        }
    }
    long rc = inner_.CreateKey(parent, subKey, access, result);
    if (rc != kErrorSuccess) return rc;
    paths_.Opened(*result, paths_.Join(parent, subKey));
    for (const std::string& part : missing)
        changes_.push_back({RegistryChange::KeyCreated, paths_.Join(parent, part), "", {}, {}});
    return rc;
}

long JournalingStore::CloseKey(HKey key) {
    paths_.Closed(key);
    return inner_.CloseKey(key);
}

long JournalingStore::SetValue(HKey key, const std::string& name, std::uint32_t type,
                               const std::uint8_t* data, std::size_t size) {
    std::optional<RegistryValue> before = Read(key, name);
    long rc = inner_.SetValue(key, name, type, data, size);
    RegistryValue after{type, Bytes(data, data + size)};
    if (rc == kErrorSuccess && before != after)
        changes_.push_back({RegistryChange::ValueSet, paths_.Of(key), name, before, after});
    return rc;
}

long JournalingStore::DeleteValue(HKey key, const std::string& name) {
    std::optional<RegistryValue> before = Read(key, name);
    long rc = inner_.DeleteValue(key, name);
    if (rc == kErrorSuccess && before)
        changes_.push_back({RegistryChange::ValueDeleted, paths_.Of(key), name, before, {}});
    return rc;
}

long JournalingStore::DeleteKey(HKey parent, const std::string& subKey) {
    const std::string path = paths_.Join(parent, subKey);
    std::vector<RegistryChange> values;
    HKey key = 0;
    if (inner_.OpenKey(parent, subKey, kKeyRead, &key) == kErrorSuccess) {
        std::string name;
        for (std::uint32_t i = 0; inner_.EnumValue(key, i, &name) == kErrorSuccess; ++i)
            if (std::optional<RegistryValue> value = Read(key, name))
                values.push_back({RegistryChange::ValueDeleted, path, name, value, {}});
        inner_.CloseKey(key);
    }
    long rc = inner_.DeleteKey(parent, subKey);
    if (rc != kErrorSuccess) return rc;
    changes_.insert(changes_.end(), values.begin(), values.end());
    changes_.push_back({RegistryChange::KeyDeleted, path, "", {}, {}});
    return rc;
}

}  // namespace sentrel
