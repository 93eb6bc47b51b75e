#include "app/ResponseFiles.h"

#include "app/Startup.h"
#include "registry/Registry.h"

namespace sentrel {

std::vector<std::string> ReadResponseFiles(const std::vector<std::string>& arguments,
                                           Platform& platform) {
    std::vector<std::string> read;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (i == 0 || argument.size() < 2 || argument[0] != '@') {
            read.push_back(argument);
            continue;
        }
        const std::string path = argument.substr(1);
        std::string text;
        if (std::uint32_t error = platform.ReadFileText(path, &text))
            throw RunError(kExitFailed,
                           WithSystemError(platform, FormatMessageText(kMsgResponseFileUnread, path),
                                           error));
        if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) text.erase(0, 3);  // Notepad's UTF-8 mark
        for (std::size_t at = 0; at < text.size();) {
            std::size_t end = text.find('\n', at);
            if (end == std::string::npos) end = text.size();
            std::string line = text.substr(at, end - at);
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (!line.empty()) read.push_back(line);
            at = end + 1;
        }
    }
    return read;
}

}  // namespace sentrel
