#pragma once
// A platform that passes every call to another. Wrappers (the quiet platform of a recorded run)
// derive from it and override only the calls they change, as the store's wrappers derive from
// ForwardingStore.
#include "platform/Platform.h"

namespace sentrel {

class ForwardingPlatform : public Platform {
public:
    explicit ForwardingPlatform(Platform& inner) : inner_(inner) {}

    OsVersion OsVersionRecord() override { return inner_.OsVersionRecord(); }
    std::string ComputerName() override { return inner_.ComputerName(); }
    std::string ModuleFileName() override { return inner_.ModuleFileName(); }
    std::uint32_t FileVersionInfoSize(const std::string& file) override {
        return inner_.FileVersionInfoSize(file);
    }
    bool ReadFileVersionInfo(const std::string& file, std::vector<std::uint8_t>& block) override {
        return inner_.ReadFileVersionInfo(file, block);
    }
    bool QueryVersionValue(const std::vector<std::uint8_t>& block, const std::string& path,
                           std::vector<std::uint8_t>& value) override {
        return inner_.QueryVersionValue(block, path, value);
    }
    std::optional<std::string> SystemErrorText(std::uint32_t code) override {
        return inner_.SystemErrorText(code);
    }
    int ShowMessageBox(const std::string& text, const char* caption, unsigned flags) override {
        return inner_.ShowMessageBox(text, caption, flags);
    }
    bool StartProgram(const StartRequest& request, ProcessHandle* process,
                      std::uint32_t* error) override {
        return inner_.StartProgram(request, process, error);
    }
    WaitOutcome WaitForProcess(ProcessHandle process, std::uint32_t milliseconds) override {
        return inner_.WaitForProcess(process, milliseconds);
    }
    bool GetExitCode(ProcessHandle process, std::uint32_t* code) override {
        return inner_.GetExitCode(process, code);
    }
    void CloseProcess(ProcessHandle process) override { inner_.CloseProcess(process); }
    void OpenLink(const std::string& link) override { inner_.OpenLink(link); }
    ClipboardResult SetClipboardText(const std::string& text) override {
        return inner_.SetClipboardText(text);
    }
    LocalTime Now() override { return inner_.Now(); }
    std::uint32_t AppendToFile(const std::string& path, const std::string& text) override {
        return inner_.AppendToFile(path, text);
    }
    std::uint32_t ReadFileText(const std::string& path, std::string* text) override {
        return inner_.ReadFileText(path, text);
    }
    bool UnicodeToAnsi(const std::u16string& text, std::string* ansi) override {
        return inner_.UnicodeToAnsi(text, ansi);
    }
    void Sleep(std::uint32_t milliseconds) override { inner_.Sleep(milliseconds); }
    void HideSystemErrorBoxes() override { inner_.HideSystemErrorBoxes(); }
    bool TakeRunTurn(std::uint32_t milliseconds) override {
        return inner_.TakeRunTurn(milliseconds);
    }
    void EndRunTurn() override { inner_.EndRunTurn(); }
    void ProcessMessages() override { inner_.ProcessMessages(); }
    void RequestEnd() override { inner_.RequestEnd(); }
    bool EndRequested() const override { return inner_.EndRequested(); }

protected:
    Platform& inner_;
};

}  // namespace sentrel
