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

bool IsControl(std::uint32_t c) { return (c < 0x20 && c != '\t') || c == 0x7F; }

void RefuseControls(const std::u16string& line, std::size_t number) {
    for (char16_t c : line)
        if (IsControl(c)) throw ResponseLineError(number, kMsgLineControlCharacter);
}

void RefuseControls(const std::string& line, std::size_t number) {
    for (unsigned char c : line)
        if (IsControl(c)) throw ResponseLineError(number, kMsgLineControlCharacter);
}

// Splits at CR LF, LF or a lone CR.
template <typename Text>
std::vector<Text> SplitLines(const Text& text) {
    std::vector<Text> lines(1);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = text[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            lines.emplace_back();
        } else {
            lines.back() += c;
        }
    }
    if (lines.size() > 1 && lines.back().empty()) lines.pop_back();  // the last line's own end
    return lines;
}

std::string ToAnsi(const std::u16string& line, std::size_t number, Platform& platform) {
    RefuseControls(line, number);
    std::string ansi;
    if (!platform.UnicodeToAnsi(line, &ansi)) throw ResponseLineError(number, kMsgLineNotInCodePage);
    return ansi;
}

}  // namespace

std::vector<ResponseLine> ResponseFileLines(const std::string& bytes, Platform& platform) {
    Encoding encoding = Encoding::Ansi;
    std::size_t start = 0;
    if (Starts(bytes, "\xFF\xFE")) encoding = Encoding::Utf16LittleEndian, start = 2;
    else if (Starts(bytes, "\xFE\xFF")) encoding = Encoding::Utf16BigEndian, start = 2;
    else if (Starts(bytes, "\xEF\xBB\xBF")) encoding = Encoding::Utf8, start = 3;
    else if (HasHighBytes(bytes) && IsUtf8(bytes)) encoding = Encoding::Utf8;
    const std::string body = bytes.substr(start);

    std::vector<ResponseLine> lines;
    if (encoding == Encoding::Utf16LittleEndian || encoding == Encoding::Utf16BigEndian) {
        std::u16string units;
        const bool little = encoding == Encoding::Utf16LittleEndian;
        for (std::size_t i = 0; i + 1 < body.size(); i += 2) {
            const auto low = static_cast<unsigned char>(body[i + (little ? 0 : 1)]);
            const auto high = static_cast<unsigned char>(body[i + (little ? 1 : 0)]);
            units += static_cast<char16_t>(low | high << 8);
        }
        const std::vector<std::u16string> split = SplitLines(units);
        if (body.size() % 2) throw ResponseLineError(split.size(), kMsgLineNotUtf16);
        for (std::size_t i = 0; i < split.size(); ++i)
            lines.push_back({i + 1, ToAnsi(split[i], i + 1, platform)});
        return lines;
    }
    const std::vector<std::string> split = SplitLines(body);
    for (std::size_t i = 0; i < split.size(); ++i) {
        const std::size_t number = i + 1;
        if (encoding == Encoding::Ansi) {
            RefuseControls(split[i], number);
            lines.push_back({number, split[i]});
            continue;
        }
        std::u16string units;
        for (std::size_t at = 0; at < split[i].size();)
            if (!DecodeUtf8(split[i], at, &units)) throw ResponseLineError(number, kMsgLineNotUtf8);
        lines.push_back({number, ToAnsi(units, number, platform)});
    }
    return lines;
}

}  // namespace sentrel
