#pragma once
// A journal entry in the program's own format, as someone else might plant one: a value under
// HKEY_LOCAL_MACHINE that the put-back would set to the given text.
#include <string>

#include "registry/RegistryStore.h"

namespace sentrel::test {

inline Bytes PlantedValueEntry(const std::string& path, const std::string& name,
                               const std::string& text) {
    Bytes out{0, 2, 0, 0, 0x80};  // a value, HKEY_LOCAL_MACHINE
    auto put = [&](const std::string& part) {
        const auto size = static_cast<std::uint32_t>(part.size());
        for (int shift = 0; shift < 32; shift += 8) out.push_back(size >> shift & 0xFF);
        out.insert(out.end(), part.begin(), part.end());
    };
    put(path);
    put(name);
    out.insert(out.end(), {1, 1, 0, 0, 0});  // there before, REG_SZ
    put(text + '\0');
    return out;
}

}  // namespace sentrel::test
