#pragma once
// The lines of a response file as the administrator saved them, in the encodings Windows tools
// write: UTF-16 with its mark (either byte order; Notepad's "Unicode", PowerShell's Out-File),
// UTF-8 with or without its mark, or the computer's ANSI code page. Every line comes back in the
// ANSI code page, which the registry values are written in; CR LF, LF and a bare CR each end a
// line. A character the code page cannot hold, a control character (a tab aside) or a broken
// encoding is refused with the number of its line: nothing is guessed.
#include <cstddef>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace sentrel {

struct ResponseLine {
    std::size_t number;  // from 1
    std::string text;    // in the ANSI code page, without its line end
};

// A line that cannot be read as the administrator meant it.
class ResponseLineError : public std::runtime_error {
public:
    ResponseLineError(std::size_t line, const std::string& what)
        : std::runtime_error(what), line_(line) {}
    std::size_t Line() const { return line_; }

private:
    std::size_t line_;
};

// The file's lines, blank ones included; throws ResponseLineError.
std::vector<ResponseLine> ResponseFileLines(const std::string& bytes, Platform& platform);

inline constexpr const char* kMsgLineNotInCodePage =
    "holds a character that this computer's ANSI code page cannot hold";
inline constexpr const char* kMsgLineControlCharacter = "holds a control character";
inline constexpr const char* kMsgLineNotUtf8 = "is not valid UTF-8";
inline constexpr const char* kMsgLineNotUtf16 = "ends inside a UTF-16 character";

}  // namespace sentrel
