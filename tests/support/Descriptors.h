#pragma once
// Security descriptors of keys as Windows leaves them, for the checks of what the program
// trusts: self-relative, an owner and a list of allowed entries.
#include <cstdint>
#include <utility>
#include <vector>

#include "registry/RegistryStore.h"

namespace sentrel::test {

inline const Bytes kAdministratorsSid = {1, 2, 0, 0, 0, 0, 0, 5, 32, 0, 0, 0, 0x20, 0x02, 0, 0};
inline const Bytes kSystemSid = {1, 1, 0, 0, 0, 0, 0, 5, 18, 0, 0, 0};
inline const Bytes kPowerUsersSid = {1, 2, 0, 0, 0, 0, 0, 5, 32, 0, 0, 0, 0x23, 0x02, 0, 0};
inline const Bytes kUsersSid = {1, 2, 0, 0, 0, 0, 0, 5, 32, 0, 0, 0, 0x21, 0x02, 0, 0};
inline const Bytes kEveryoneSid = {1, 1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0};
// A user's account, S-1-5-21-1-2-3-1000.
inline const Bytes kUserSid = {1, 5, 0, 0, 0, 0, 0, 5, 21, 0, 0,    0, 1, 0,
                               0, 0, 2, 0, 0, 0, 3, 0, 0,  0, 0xE8, 3, 0, 0};

struct Allowed {
    Bytes sid;
    std::uint32_t access;
    std::uint8_t flags = 0;
};

inline Bytes Descriptor(const Bytes& owner, const std::vector<Allowed>& entries) {
    auto put = [](Bytes& out, std::uint32_t number, int size) {
        for (int i = 0; i < size; ++i) out.push_back(number >> (8 * i) & 0xFF);
    };
    Bytes list;
    for (const Allowed& entry : entries) {
        list.insert(list.end(), {0, entry.flags});
        put(list, static_cast<std::uint32_t>(8 + entry.sid.size()), 2);
        put(list, entry.access, 4);
        list.insert(list.end(), entry.sid.begin(), entry.sid.end());
    }
    Bytes out{1, 0, 0x04, 0x80};
    put(out, static_cast<std::uint32_t>(28 + list.size()), 4);  // the owner after the list
    out.insert(out.end(), 8, 0);  // no group, no audit list
    put(out, 20, 4);
    out.insert(out.end(), {2, 0});
    put(out, static_cast<std::uint32_t>(8 + list.size()), 2);
    put(out, static_cast<std::uint32_t>(entries.size()), 4);
    out.insert(out.end(), list.begin(), list.end());
    out.insert(out.end(), owner.begin(), owner.end());
    return out;
}

// What a key made under HKLM\SOFTWARE inherits on Windows 2000 and XP: Power Users may set
// values and make keys; CREATOR OWNER's entry passes to keys made below only.
inline Bytes InheritedFromSoftware() {
    return Descriptor(kAdministratorsSid,
                      {{kAdministratorsSid, 0xF003F},
                       {kSystemSid, 0xF003F},
                       {kPowerUsersSid, 0x3001F},
                       {kUsersSid, 0x20019},
                       {{1, 1, 0, 0, 0, 0, 0, 3, 0, 0, 0, 0}, 0x10000000, 0x0A}});
}

}  // namespace sentrel::test
