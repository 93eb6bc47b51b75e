#include "registry/RegistryStore.h"

namespace sentrel {

namespace {

char UpperAsciiChar(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

std::string UpperAscii(std::string text) {
    for (char& c : text) c = UpperAsciiChar(c);
    return text;
}

bool SameName(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (UpperAsciiChar(a[i]) != UpperAsciiChar(b[i])) return false;
    return true;
}

bool AtOrBelow(const std::string& path, const std::string& key) {
    return path.size() >= key.size() && SameName(path.substr(0, key.size()), key) &&
           (path.size() == key.size() || path[key.size()] == '\\');
}

std::optional<std::string> StringOf(const RegistryValue& value) {
    if (value.type != kRegSz && value.type != kRegExpandSz) return std::nullopt;
    const std::string text(value.data.begin(), value.data.end());
    return text.substr(0, text.find('\0'));
}

std::uint32_t LittleEndianOf(const std::uint8_t* bytes, std::size_t count) {
    std::uint32_t number = 0;
    for (std::size_t i = count < 4 ? count : 4; i-- > 0;) number = number << 8 | bytes[i];
    return number;
}

std::optional<std::uint32_t> DwordOf(const RegistryValue& value) {
    if (value.type != kRegDword || value.data.size() != 4) return std::nullopt;
    return LittleEndianOf(value.data.data(), 4);
}

std::vector<std::string> MultiSzOf(const Bytes& data) {
    const std::string all(data.begin(), data.end());
    std::vector<std::string> items;
    for (std::size_t at = 0; at < all.size() && all[at] != '\0';) {
        std::size_t end = all.find('\0', at);
        if (end == std::string::npos) end = all.size();
        items.push_back(all.substr(at, end - at));
        at = end + 1;
    }
    return items;
}

}  // namespace sentrel
