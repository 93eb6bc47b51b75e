#pragma once
// Security descriptors in their self-relative form, as RegGetKeySecurity gives them and
// RegSetKeySecurity and CreateMutexA take them. Accounts are named by their well-known SIDs,
// never by name: the names differ with the language of Windows.
#include <cstdint>
#include <vector>

namespace sentrel {

// An access list that allows Administrators (S-1-5-32-544) and SYSTEM (S-1-5-18) the access
// given and no one else anything. For a key (forKey): owner Administrators, the list inherited
// by the keys made below and protected, so nothing above it (SOFTWARE's list) reaches it. For
// another object no owner (its maker is) and nothing to inherit.
std::vector<std::uint8_t> AdministratorsAndSystemOnly(std::uint32_t access, bool forKey);

// Whether only Administrators and SYSTEM may change what the descriptor guards: its owner (who
// may always change the access list) is one of them, and no entry of its access list allows
// anyone else one of the rights in `changes`. A descriptor without an access list (which lets
// everyone do everything), with an entry of a kind not known here, or damaged, is not.
bool OnlyAdministratorsMayChange(const std::vector<std::uint8_t>& descriptor,
                                 std::uint32_t changes);

// What changes a key or what it holds: set a value, make a subkey or a link, delete it, change
// its access list or owner, and the generic rights that include them.
inline constexpr std::uint32_t kKeyChangeRights =
    0x0002 | 0x0004 | 0x0020 | 0x00010000 | 0x00040000 | 0x00080000 | 0x10000000 | 0x40000000;
inline constexpr std::uint32_t kKeyAllAccessRights = 0xF003F;     // KEY_ALL_ACCESS
inline constexpr std::uint32_t kMutexAllAccessRights = 0x1F0001;  // MUTEX_ALL_ACCESS

}  // namespace sentrel
