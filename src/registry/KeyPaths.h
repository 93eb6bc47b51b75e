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
        return it == paths_.end() ? "?" : it->second.first;
    }
    std::string Join(HKey parent, const std::string& subKey) const {
        return subKey.empty() ? Of(parent) : Of(parent) + "\\" + subKey;
    }
    // Windows 95 hands out one handle again for every open of the same key, so a handle's path
    // is kept until as many closes as opens.
    void Opened(HKey key, const std::string& path) {
        auto& entry = paths_[key];
        if (entry.second++ == 0) entry.first = path;
    }
    void Closed(HKey key) {
        auto it = paths_.find(key);
        if (it != paths_.end() && --it->second.second == 0) paths_.erase(it);
    }

private:
    std::map<HKey, std::pair<std::string, int>> paths_;
};

}  // namespace sentrel
