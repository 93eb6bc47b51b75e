#include "app/ResponseFileText.h"

#include <cstdint>

namespace sentrel {

namespace {

enum class Encoding { Ansi, Utf8, Utf16LittleEndian, Utf16BigEndian };

bool Starts(const std::string& bytes, const char* mark) { return bytes.rfind(mark, 0) == 0; }

// Decodes one UTF-8 sequence at `at` into UTF-16; false for a sequence that is not UTF-8
// (a stray continuation byte, an overlong form, a surrogate, beyond U+10FFFF, cut short).
bool DecodeUtf8(const std::string& bytes, std::size_t& at, std::u16string* out) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned char lead = byte(at);
    std::size_t length = 0;
    char32_t code = 0, least = 0;
    if (lead < 0x80) length = 1, code = lead;
    else if (lead >= 0xC2 && lead <= 0xDF) length = 2, code = lead & 0x1F, least = 0x80;
    else if (lead >= 0xE0 && lead <= 0xEF) length = 3, code = lead & 0x0F, least = 0x800;
    else if (lead >= 0xF0 && lead <= 0xF4) length = 4, code = lead & 0x07, least = 0x10000;
    else return false;
    if (at + length > bytes.size()) return false;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80) return false;
        code = code << 6 | (byte(at + i) & 0x3F);
    }
    if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
    at += length;
    if (code < 0x10000) {
        *out += static_cast<char16_t>(code);
    } else {
        *out += static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10));
        *out += static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
    }
    return true;
}

bool IsUtf8(const std::string& bytes) {
    std::u16string ignored;
    for (std::size_t at = 0; at < bytes.size();)
        if (!DecodeUtf8(bytes, at, &ignored)) return false;
    return true;
}

bool HasHighBytes(const std::string& bytes) {
    for (unsigned char c : bytes)
        if (c >= 0x80) return true;
    return false;
}

// The number of the line the text ends in: CR LF, LF and a lone CR each end one.
std::size_t LineAtEnd(const std::u16string& text) {
    std::size_t line = 1;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')))
            ++line;
    return line;
}

}  // namespace

std::vector<ResponseLine> ResponseFileLines(const std::string& bytes, Platform& platform) {
    Encoding encoding = Encoding::Ansi;
    std::size_t at = 0;
    if (Starts(bytes, "\xFF\xFE")) encoding = Encoding::Utf16LittleEndian, at = 2;
    else if (Starts(bytes, "\xFE\xFF")) encoding = Encoding::Utf16BigEndian, at = 2;
    else if (Starts(bytes, "\xEF\xBB\xBF")) encoding = Encoding::Utf8, at = 3;
    else if (HasHighBytes(bytes) && IsUtf8(bytes)) encoding = Encoding::Utf8;

    // The file's characters in UTF-16; an ANSI file's bytes as they are, one to a unit.
    std::u16string units;
    if (encoding == Encoding::Utf16LittleEndian || encoding == Encoding::Utf16BigEndian) {
        const int high = encoding == Encoding::Utf16BigEndian ? 0 : 1;
        for (; at + 1 < bytes.size(); at += 2)
            units += static_cast<char16_t>(static_cast<unsigned char>(bytes[at + 1 - high]) |
                                           static_cast<unsigned char>(bytes[at + high]) << 8);
        if (at < bytes.size()) throw ResponseLineError(LineAtEnd(units), kMsgLineNotUtf16);
    } else if (encoding == Encoding::Utf8) {
        while (at < bytes.size())
            if (!DecodeUtf8(bytes, at, &units))
                throw ResponseLineError(LineAtEnd(units), kMsgLineNotUtf8);
    } else {
        for (unsigned char c : bytes) units += static_cast<char16_t>(c);
    }

    std::vector<ResponseLine> lines;
    std::u16string line;
    for (std::size_t i = 0; i <= units.size(); ++i) {
        const bool end = i == units.size();
        if (!end && units[i] != '\r' && units[i] != '\n') {
            line += units[i];
            continue;
        }
        if (!end && units[i] == '\r' && i + 1 < units.size() && units[i + 1] == '\n') ++i;
        const std::size_t number = lines.size() + 1;
        if (end && line.empty() && number > 1) break;  // the last line's own end
        for (char16_t c : line)
            if ((c < 0x20 && c != '\t') || c == 0x7F)
                throw ResponseLineError(number, kMsgLineControlCharacter);
        std::string ansi(line.begin(), line.end());  // an ANSI file's bytes, as they were
        if (encoding != Encoding::Ansi && !platform.UnicodeToAnsi(line, &ansi))
            throw ResponseLineError(number, kMsgLineNotInCodePage);
        lines.push_back({number, std::move(ansi)});
        line.clear();
    }
    return lines;
}

}  // namespace sentrel
