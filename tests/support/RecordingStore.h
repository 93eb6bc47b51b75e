#pragma once
// Wraps a store and records, in order, every key opened or created and every value written or
// deleted, with the full path of the key it went into. Tests compare the record with tables
// written from the documented order.
#include <map>
#include <string>
#include <vector>

#include "support/ForwardingStore.h"
#include "registry/KeyPaths.h"

namespace sentrel::test {

struct RegistryEvent {
    enum Kind { Open, Create, SetValue, DeleteValue, DeleteKey } kind;
    std::string path;  // "HKLM\\SOFTWARE\\..." as the program spelled it
    std::string name;  // value name, empty for key events
    std::uint32_t type = 0;
    Bytes data;
    long result = 0;
};

class RecordingStore : public ForwardingStore {
public:
    using ForwardingStore::ForwardingStore;

    long OpenKey(HKey parent, const std::string& subKey, std::uint32_t access,
                 HKey* result) override;
    long CreateKey(HKey parent, const std::string& subKey, std::uint32_t access,
                   HKey* result, bool* made = nullptr) override;
    long CloseKey(HKey key) override;
    long SetValue(HKey key, const std::string& name, std::uint32_t type, const std::uint8_t* data,
                  std::size_t size) override;
    long DeleteValue(HKey key, const std::string& name) override;
    long DeleteKey(HKey parent, const std::string& subKey) override;

    // Fails the test once more than this many keys are opened or created from now on, and stops the
    // code under test there (with an exception no handler of the program catches), so a
    // lookup that would probe without end fails at once instead of hanging the suite.
    void LimitOpens(std::size_t opens) {
        openLimit_ = opens;
        opens_ = 0;
    }

    const std::vector<RegistryEvent>& Events() const { return events_; }
    void Clear() { events_.clear(); }
    // Successful value writes as "PATH|name|type|data" lines: the key path in upper case (the
    // registry does not tell letter case apart there), data shown as text for strings, as a
    // number for DWORDs and as hex for anything else.
    std::vector<std::string> Writes() const;
    // Every key path the program tried to open or create, in first-use order.
    std::vector<std::string> KeysUsed() const;

private:
    void CountOpen(const std::string& path);

    KeyPaths paths_;
    std::vector<RegistryEvent> events_;
    std::size_t openLimit_ = SIZE_MAX;
    std::size_t opens_ = 0;
};

// What a store over its open limit throws: not a std::exception, so the program's own
// handlers let it through to the test.
struct OpenLimitExceeded {};

std::string Describe(std::uint32_t type, const Bytes& data);
// "HKLM\" + path in upper case, as Writes() names keys.
std::string KeyName(const std::string& path);

}  // namespace sentrel::test
