#pragma once
// The full path of every key a store wrapper has seen opened, "HKLM\SOFTWARE\..." as the
// program spelled it, so that what is done through a handle can be told by name.
#include <map>
#include <string>

#include "registry/RegistryStore.h"

namespace sentrel {

class KeyPaths {
public:
    std::string Of(HKey key) const {
        if (key == kHkeyLocalMachine) return "HKLM";
        if (key == kHkeyCurrentUser) return "HKCU";
        auto it = paths_.find(key);
        return it == paths_.end() ? "?" : it->second;
    }
    std::string Join(HKey parent, const std::string& subKey) const {
        return subKey.empty() ? Of(parent) : Of(parent) + "\\" + subKey;
    }
    void Opened(HKey key, const std::string& path) { paths_[key] = path; }
    void Closed(HKey key) { paths_.erase(key); }

private:
    std::map<HKey, std::string> paths_;
};

}  // namespace sentrel
