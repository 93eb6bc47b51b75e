#include "platform/SecurityDescriptor.h"

#include <algorithm>
#include <iterator>

namespace sentrel {

namespace {

using Bytes = std::vector<std::uint8_t>;

// S-1-5-32-544 and S-1-5-18 as they are stored: revision, count, authority, sub-authorities.
const std::uint8_t kAdministrators[] = {1, 2, 0, 0, 0, 0, 0, 5, 32, 0, 0, 0, 0x20, 0x02, 0, 0};
const std::uint8_t kSystem[] = {1, 1, 0, 0, 0, 0, 0, 5, 18, 0, 0, 0};

std::uint32_t Number(const Bytes& bytes, std::size_t at, std::size_t size) {
    std::uint32_t number = 0;
    for (std::size_t i = size; i-- > 0;) number = number << 8 | bytes[at + i];
    return number;
}

void Put(Bytes& out, std::uint32_t number, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i) out.push_back(number >> (8 * i) & 0xFF);
}

struct Sid {
    const std::uint8_t* bytes;
    std::size_t size;
};
const Sid kTrusted[] = {{kAdministrators, sizeof kAdministrators}, {kSystem, sizeof kSystem}};

// Whether the SID at `at` (within the descriptor) is one of the two; its count is compared too.
bool IsAdministratorsOrSystem(const Bytes& bytes, std::size_t at) {
    for (const Sid& sid : kTrusted)
        if (at + sid.size <= bytes.size() &&
            std::equal(sid.bytes, sid.bytes + sid.size, bytes.begin() + at))
            return true;
    return false;
}

}  // namespace

Bytes AdministratorsAndSystemOnly(std::uint32_t access, bool forKey) {
    // Revision 1; self-relative, access list present (and protected); the list right after
    // these 20 bytes, the owner after the list; no group, no audit list.
    Bytes out{1, 0, 0x04, static_cast<std::uint8_t>(forKey ? 0x90 : 0x80)};
    const std::size_t entries = 8 + 4 + 4 + sizeof kAdministrators + 4 + 4 + sizeof kSystem;
    Put(out, forKey ? 20 + entries : 0, 4);
    out.insert(out.end(), 8, 0);  // no group, no audit list
    Put(out, 20, 4);
    // The list: revision 2, its size, two entries; each allowed, inherited by subkeys.
    out.insert(out.end(), {2, 0});
    Put(out, entries, 2);
    Put(out, 2, 4);
    for (const Sid& sid : kTrusted) {
        out.insert(out.end(), {0, static_cast<std::uint8_t>(forKey ? 0x02 : 0)});
        Put(out, 8 + sid.size, 2);
        Put(out, access, 4);
        out.insert(out.end(), sid.bytes, sid.bytes + sid.size);
    }
    if (forKey) out.insert(out.end(), std::begin(kAdministrators), std::end(kAdministrators));
    return out;
}

bool OnlyAdministratorsMayChange(const Bytes& descriptor, std::uint32_t changes) {
    if (descriptor.size() < 20 || descriptor[0] != 1) return false;
    const std::uint32_t control = Number(descriptor, 2, 2);
    const std::uint32_t owner = Number(descriptor, 4, 4);
    const std::uint32_t list = Number(descriptor, 16, 4);
    // Self-relative, with an access list; an owner that is one of the two.
    if (!(control & 0x8000) || !(control & 0x0004) || list == 0 || owner == 0 ||
        !IsAdministratorsOrSystem(descriptor, owner) || list + 8 > descriptor.size())
        return false;
    const std::size_t end = list + Number(descriptor, list + 2, 2);
    if (end > descriptor.size()) return false;
    std::size_t at = list + 8;
    for (std::uint32_t count = Number(descriptor, list + 4, 2); count > 0; --count) {
        if (at + 8 > end) return false;
        const std::uint8_t type = descriptor[at], flags = descriptor[at + 1];
        const std::size_t size = Number(descriptor, at + 2, 2);
        if (size < 8 || at + size > end) return false;
        // Allowed (0) and denied (1) entries only; one that only passes to keys made below
        // (inherit only, 0x08) grants nothing here, and a denial only takes away.
        if (type > 1) return false;
        if (type == 0 && !(flags & 0x08) && (Number(descriptor, at + 4, 4) & changes) &&
            !IsAdministratorsOrSystem(descriptor, at + 8))
            return false;
        at += size;
    }
    return true;
}

}  // namespace sentrel
