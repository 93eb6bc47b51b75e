#include "support/FakePlatform.h"

#include <algorithm>
#include <iterator>

namespace sentrel {

std::uint32_t FakePlatform::FileVersionInfoSize(const std::string& file) {
    auto it = versionBlocks.find(file);
    return it == versionBlocks.end() ? 0 : static_cast<std::uint32_t>(it->second.size());
}

bool FakePlatform::ReadFileVersionInfo(const std::string& file, std::vector<std::uint8_t>& block) {
    auto it = versionBlocks.find(file);
    if (it == versionBlocks.end()) return false;
    block = it->second;
    return true;
}

bool FakePlatform::QueryVersionValue(const std::vector<std::uint8_t>& /*block*/,
                                 const std::string& path, std::vector<std::uint8_t>& value) {
    auto it = versionValues.find(path);
    if (it == versionValues.end()) return false;
    value = it->second;
    return true;
}

std::optional<std::string> FakePlatform::SystemErrorText(std::uint32_t code) {
    auto it = errorTexts.find(code);
    if (it == errorTexts.end()) return std::nullopt;
    return it->second;
}

int FakePlatform::ShowMessageBox(const std::string& text, const char* caption,
                             unsigned flags) {
    // A message box opened while an end is pending closes at once, as if cancelled.
    int answer = kIdCancel;
    if (!endRequested_) {
        answer = kIdOk;
        if (!messageBoxAnswers.empty()) {
            answer = messageBoxAnswers.front();
            messageBoxAnswers.pop_front();
        }
    }
    messageBoxes.push_back({text, caption, flags, answer});
    return answer;
}

bool FakePlatform::StartProgram(const StartRequest& request, ProcessHandle* process,
                                std::uint32_t* error) {
    shellCalls.push_back(request);
    if (!shellStarts) {
        *error = startError;
        return false;
    }
    if (onStart) onStart(shellCalls.back());
    *process = 0x42;
    return true;
}

WaitOutcome FakePlatform::WaitForProcess(ProcessHandle, std::uint32_t) {
    if (waitTimeouts > 0) {
        --waitTimeouts;
        return WaitOutcome::TimedOut;
    }
    return WaitOutcome::Ended;
}

bool FakePlatform::GetExitCode(ProcessHandle, std::uint32_t* code) {
    if (!exitCode) return false;
    *code = *exitCode;
    return true;
}

std::uint32_t FakePlatform::AppendToFile(const std::string& path, const std::string& text) {
    std::uint32_t error = 0;
    if (!appendErrors.empty()) {
        error = appendErrors.front();
        appendErrors.pop_front();
    }
    if (error == 0) files[path] += text;
    return error;
}

ClipboardResult FakePlatform::SetClipboardText(const std::string& text) {
    if (!clipboardOpens) return ClipboardResult::CannotOpen;
    clipboard.reset();
    if (!clipboardTakesText) return ClipboardResult::CannotPut;
    clipboard = text;
    return ClipboardResult::Copied;
}

std::vector<std::string> FakePlatform::MessageTexts() const {
    std::vector<std::string> texts;
    for (const MessageBoxCall& call : messageBoxes) texts.push_back(call.text);
    return texts;
}

bool FakePlatform::UnicodeToAnsi(const std::u16string& text, std::string* ansi) {
    // Code page 1252's characters from 0x80 to 0x9F; the rest of its upper half is Latin-1.
    static const char16_t kHigh[32] = {
        0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
    std::string narrow;
    for (char16_t c : text) {
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            narrow += static_cast<char>(c);
            continue;
        }
        const char16_t* at = std::find(std::begin(kHigh), std::end(kHigh), c);
        if (at == std::end(kHigh)) return false;
        narrow += static_cast<char>(0x80 + (at - kHigh));
    }
    *ansi = std::move(narrow);
    return true;
}

}  // namespace sentrel
