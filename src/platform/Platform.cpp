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

}  // namespace sentrel
