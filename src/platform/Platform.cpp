#include "platform/Platform.h"

namespace sentrel {

std::optional<std::string> SystemErrorLine(Platform& platform, std::uint32_t code) {
    std::optional<std::string> text = platform.SystemErrorText(code);
    if (!text) return text;
    const std::size_t end = text->find_last_not_of("\r\n ");
    text->erase(end == std::string::npos ? 0 : end + 1);
    if (text->empty()) return std::nullopt;
    return text;
}

std::string UpperHex(std::uint32_t value, int digits) {
    std::string text(digits, '0');
    for (int i = digits; i-- > 0; value >>= 4) text[i] = "0123456789ABCDEF"[value & 0xF];
    return text;
}

std::string TimeText(const LocalTime& t) {
    auto twoDigits = [](int n) { return (n < 10 ? "0" : "") + std::to_string(n); };
    // Appended piece by piece: each "text" + ... would build a string of its own.
    std::string text = std::to_string(t.year);
    (text += '-') += twoDigits(t.month);
    (text += '-') += twoDigits(t.day);
    (text += ' ') += twoDigits(t.hour);
    (text += ':') += twoDigits(t.minute);
    (text += ':') += twoDigits(t.second);
    return text;
}

}  // namespace sentrel
