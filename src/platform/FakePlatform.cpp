#include "platform/FakePlatform.h"

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

int FakePlatform::ShowMessageBox(const std::string& text, const std::string& caption,
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

}  // namespace sentrel
