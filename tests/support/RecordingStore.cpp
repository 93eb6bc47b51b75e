#include "support/RecordingStore.h"

#include <algorithm>
#include <cstdio>

#include <gtest/gtest.h>

#include "support/MemoryStore.h"

namespace sentrel::test {

void RecordingStore::CountOpen(const std::string& path) {
    if (++opens_ <= openLimit_) return;
    ADD_FAILURE() << "more than " << openLimit_ << " keys opened; the last: " << path;
    throw OpenLimitExceeded{};
}

long RecordingStore::OpenKey(HKey parent, const std::string& subKey, std::uint32_t access,
                             HKey* result) {
    CountOpen(paths_.Join(parent, subKey));
    long rc = inner_.OpenKey(parent, subKey, access, result);
    events_.push_back({RegistryEvent::Open, paths_.Join(parent, subKey), "", 0, {}, rc});
    if (rc == kErrorSuccess) paths_.Opened(*result, paths_.Join(parent, subKey));
    return rc;
}

long RecordingStore::CreateKey(HKey parent, const std::string& subKey, std::uint32_t access,
                               HKey* result, bool* made) {
    CountOpen(paths_.Join(parent, subKey));
    long rc = inner_.CreateKey(parent, subKey, access, result, made);
    events_.push_back({RegistryEvent::Create, paths_.Join(parent, subKey), "", 0, {}, rc});
    if (rc == kErrorSuccess) paths_.Opened(*result, paths_.Join(parent, subKey));
    return rc;
}

long RecordingStore::CloseKey(HKey key) {
    paths_.Closed(key);
    return inner_.CloseKey(key);
}

long RecordingStore::SetValue(HKey key, const std::string& name, std::uint32_t type,
                              const std::uint8_t* data, std::size_t size) {
    long rc = inner_.SetValue(key, name, type, data, size);
    events_.push_back({RegistryEvent::SetValue, paths_.Of(key), name, type, Bytes(data, data + size),
                       rc});
    return rc;
}

long RecordingStore::DeleteValue(HKey key, const std::string& name) {
    long rc = inner_.DeleteValue(key, name);
    events_.push_back({RegistryEvent::DeleteValue, paths_.Of(key), name, 0, {}, rc});
    return rc;
}

long RecordingStore::DeleteKey(HKey parent, const std::string& subKey) {
    long rc = inner_.DeleteKey(parent, subKey);
    events_.push_back({RegistryEvent::DeleteKey, paths_.Join(parent, subKey), "", 0, {}, rc});
    return rc;
}

namespace {

std::string Upper(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

}  // namespace

std::string KeyName(const std::string& path) { return Upper("HKLM\\" + path); }

std::string Describe(std::uint32_t type, const Bytes& data) {
    if (type == kRegSz || type == kRegExpandSz) {
        std::string text(data.begin(), data.end());
        if (!text.empty() && text.back() == '\0') text.pop_back();
        return std::string(type == kRegSz ? "SZ:" : "EXPAND_SZ:") + text;
    }
    if (type == kRegDword && data.size() == 4) {
        std::uint32_t v = data[0] | data[1] << 8 | data[2] << 16 | std::uint32_t(data[3]) << 24;
        return "DWORD:" + std::to_string(v);
    }
    std::string hex = type == kRegBinary ? "BINARY:" : type == kRegMultiSz
                                                           ? "MULTI_SZ:"
                                                           : "TYPE" + std::to_string(type) + ":";
    char byte[4];
    for (std::uint8_t b : data) {
        std::snprintf(byte, sizeof byte, "%02X", b);
        hex += byte;
    }
    return hex;
}

std::vector<std::string> RecordingStore::Writes() const {
    std::vector<std::string> writes;
    for (const RegistryEvent& e : events_)
        if (e.kind == RegistryEvent::SetValue && e.result == kErrorSuccess)
            writes.push_back(Upper(e.path) + "|" + e.name + "|" + Describe(e.type, e.data));
    return writes;
}

std::vector<std::string> RecordingStore::KeysUsed() const {
    std::vector<std::string> keys;
    for (const RegistryEvent& e : events_) {
        if (e.kind != RegistryEvent::Open && e.kind != RegistryEvent::Create) continue;
        bool seen = std::any_of(keys.begin(), keys.end(),
                                [&](const std::string& k) { return SameName(k, e.path); });
        if (!seen) keys.push_back(e.path);
    }
    return keys;
}

}  // namespace sentrel::test
